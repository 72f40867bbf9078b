// Reading a 16-bit FITS image into IMG (again into the same store, as a
// series does, and into a fresh one), beside the floor of a plain read() of
// the same file with a byte swap into an int16 array, and CFITSIO's own read.
// The files are written at start into the temporary folder.
#include "BenchImage.h"

#include "core/image/FitsReader.h"

#include <benchmark/benchmark.h>
#include <fitsio.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Noise-like counts: every byte of the data differs from its neighbours.
std::string BenchFile(int side)
{
    return lumvane::bench::WriteBenchImage("lumvane-bench-read", side, [](int x, int y) {
        const auto hash = static_cast<std::uint32_t>(x) * 2654435761U ^ static_cast<std::uint32_t>(y) * 40503U;
        return static_cast<int>(hash % 65535U);
    });
}

void ReadIntoImg(benchmark::State& state)
{
    const std::string name = BenchFile(static_cast<int>(state.range(0)));
    lumvane::ImageStore store;
    lumvane::UniformRandom random;
    for (auto _ : state) {
        const auto result = lumvane::ReadFitsImage(store, name, lumvane::PlaneId::Img, random);
        benchmark::DoNotOptimize(result.cuts);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(0) * 2);
}

// A first read: the plane is allocated anew.
void ReadIntoFreshStore(benchmark::State& state)
{
    const std::string name = BenchFile(static_cast<int>(state.range(0)));
    lumvane::UniformRandom random;
    for (auto _ : state) {
        lumvane::ImageStore store;
        const auto result = lumvane::ReadFitsImage(store, name, lumvane::PlaneId::Img, random);
        benchmark::DoNotOptimize(result.cuts);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(0) * 2);
}

// The floor: one read() of the whole file and a byte swap into int16 values,
// into buffers allocated once.
void PlainReadAndSwap(benchmark::State& state)
{
    const std::string name = BenchFile(static_cast<int>(state.range(0)));
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(name));
    const auto pixels = static_cast<std::size_t>(state.range(0) * state.range(0));
    std::vector<unsigned char> bytes(size);
    std::vector<std::int16_t> values(pixels);
    for (auto _ : state) {
        const int fd = ::open(name.c_str(), O_RDONLY);
        for (std::size_t got = 0; got < size;) {
            const auto n = ::read(fd, bytes.data() + got, size - got);
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        const unsigned char* data = bytes.data() + 2880;
        for (std::size_t i = 0; i < pixels; ++i)
            values[i] = static_cast<std::int16_t>((data[2 * i] << 8) | data[2 * i + 1]);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(0) * 2);
}

void CfitsioReadImg(benchmark::State& state)
{
    const std::string name = BenchFile(static_cast<int>(state.range(0)));
    const auto pixels = static_cast<LONGLONG>(state.range(0) * state.range(0));
    for (auto _ : state) {
        int status = 0;
        fitsfile* file = nullptr;
        fits_open_file(&file, name.c_str(), READONLY, &status);
        std::vector<unsigned short> values(static_cast<std::size_t>(pixels));
        int anyNull = 0;
        fits_read_img(file, TUSHORT, 1, pixels, nullptr, values.data(), &anyNull, &status);
        fits_close_file(file, &status);
        benchmark::DoNotOptimize(values.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(0) * 2);
}

} // namespace

BENCHMARK(ReadIntoImg)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadIntoFreshStore)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainReadAndSwap)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(CfitsioReadImg)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
