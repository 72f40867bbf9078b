#include "AllocationCeiling.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace lumvane::test {
namespace {

std::atomic<std::size_t> g_ceiling { std::numeric_limits<std::size_t>::max() };

void* Allocate(std::size_t bytes)
{
    if (bytes > g_ceiling.load())
        return nullptr;
    return std::malloc(bytes == 0 ? 1 : bytes);
}

} // namespace

AllocationCeiling::AllocationCeiling(std::size_t bytes)
{
    g_ceiling = bytes;
}

AllocationCeiling::~AllocationCeiling()
{
    g_ceiling = std::numeric_limits<std::size_t>::max();
}

} // namespace lumvane::test

// The replacements: new on top of malloc, delete on top of free, in pairs.
void* operator new(std::size_t bytes)
{
    if (void* memory = lumvane::test::Allocate(bytes))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t bytes)
{
    return operator new(bytes);
}

void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept
{
    return lumvane::test::Allocate(bytes);
}

void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept
{
    return lumvane::test::Allocate(bytes);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
