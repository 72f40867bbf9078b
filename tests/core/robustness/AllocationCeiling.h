#pragma once

#include <cstddef>

namespace lumvane::test {

/// @brief While alive, every request of operator new above `bytes` throws
/// std::bad_alloc, as on a machine without that much memory free.
///
/// The test program that links AllocationCeiling.cpp replaces the global
/// operator new and delete (on top of malloc and free) to do so.
class AllocationCeiling {
public:
    explicit AllocationCeiling(std::size_t bytes);
    ~AllocationCeiling();
    AllocationCeiling(const AllocationCeiling&) = delete;
    AllocationCeiling& operator=(const AllocationCeiling&) = delete;
};

} // namespace lumvane::test
