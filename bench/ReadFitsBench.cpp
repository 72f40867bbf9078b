// Reading a 16-bit FITS image into IMG (again into the same store, as a
// series does, and into a fresh one), beside the floor of a plain read() of
// the same file with a byte swap into an int16 array, and CFITSIO's own read.
// The files are written at start into the temporary folder.
#include "core/image/FitsReader.h"

#include <benchmark/benchmark.h>
#include <fitsio.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string BenchFile(int side)
{
    const auto name = std::filesystem::temp_directory_path() / ("lumvane-bench-" + std::to_string(side) + ".fts");
    if (std::filesystem::exists(name))
        return name.string();
    std::string header;
    const auto card = [&](std::string text) {
        text.resize(80, ' ');
        header += text;
    };
    card("SIMPLE  =                    T");
    card("BITPIX  =                   16");
    card("NAXIS   =                    2");
    card("NAXIS1  = " + std::to_string(side));
    card("NAXIS2  = " + std::to_string(side));
    card("BZERO   =                32768");
    card("BSCALE  =                    1");
    card("END");
    header.resize(2880, ' ');
    std::string data(static_cast<std::size_t>(side) * side * 2, '\0');
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < data.size(); ++i) {
        state = state * 1664525U + 1013904223U;
        data[i] = static_cast<char>(state >> 24);
    }
    data.resize((data.size() + 2879) / 2880 * 2880, '\0');
    std::ofstream(name, std::ios::binary) << header << data;
    return name.string();
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

}  // namespace

BENCHMARK(ReadIntoImg)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadIntoFreshStore)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainReadAndSwap)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(CfitsioReadImg)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
