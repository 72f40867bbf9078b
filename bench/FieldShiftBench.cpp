// The field shift of a series frame: what finding it adds to each file.
// ReadSeriesFrame reads a night-sky frame through the series' calibration
// (a dark) with and without its rows summed into 4 x 4 bins as they come
// (Arg 1 and 0): the difference is the binning's cost. FindShift is the rest,
// once the frame is read: the bins calibrated, the frame's stars found and
// centred, and matched against the first file's.
#include "BenchImage.h"

#include "core/image/FieldShift.h"
#include "core/patrol/SeriesCalibration.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kShiftX = 37;
constexpr int kShiftY = -22;

// The sky of BenchImage, moved by (dx, dy).
std::string SkyFile(const std::string& name, int side, int dx, int dy)
{
    const lumvane::bench::SkyImage sky(side);
    return lumvane::bench::WriteBenchImage(name, side, [&](int x, int y) {
        const int sx = x - dx;
        const int sy = y - dy;
        return sx >= 1 && sx <= side && sy >= 1 && sy <= side ? sky(sx, sy) : 1000;
    });
}

// A dark frame of 100 counts everywhere.
lumvane::ImagePlane Dark(int side)
{
    lumvane::ImagePlane dark(side, side);
    for (int y = 1; y <= side; ++y)
        for (int x = 1; x <= side; ++x)
            dark.At(x, y) = static_cast<std::int16_t>(100 - lumvane::kPhysicalOffset);
    return dark;
}

lumvane::BinnedFrame Bins(const lumvane::ImagePlane& img)
{
    lumvane::BinnedFrame bins;
    bins.Reset(img.Width(), img.Height());
    bins.AddPlane(img);
    return bins;
}

void ReadSeriesFrame(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const std::string name = SkyFile("lumvane-bench-shifted", side, kShiftX, kShiftY);
    lumvane::ImageStore store;
    lumvane::UniformRandom random;
    store.ds = Dark(side);
    lumvane::SeriesCalibration calibration(true, false);
    lumvane::SeriesCalibrationOutcome outcome;
    lumvane::BinnedFrame bins;
    for (auto _ : state) {
        const auto result = calibration.Read(store, name, random, outcome, state.range(1) != 0 ? &bins : nullptr);
        benchmark::DoNotOptimize(result.cuts);
    }
    state.SetBytesProcessed(state.iterations() * side * side * 2);
}

void FindShift(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    lumvane::ImageStore store;
    lumvane::UniformRandom random;
    lumvane::ReadFitsImage(store, SkyFile("lumvane-bench-sky", side, 0, 0), lumvane::PlaneId::Img, random);
    const std::vector<lumvane::FieldStar> reference = lumvane::FindFieldStars(Bins(store.img), store.img);
    lumvane::ReadFitsImage(
        store, SkyFile("lumvane-bench-shifted", side, kShiftX, kShiftY), lumvane::PlaneId::Img, random);
    const lumvane::BinnedFrame raw = Bins(store.img);
    const lumvane::BinnedFrame dark = Bins(Dark(side));
    lumvane::FieldShiftResult result;
    for (auto _ : state) {
        lumvane::BinnedFrame bins = raw;
        bins.Calibrate(&dark, nullptr);
        result = lumvane::MatchFieldStars(
            reference, lumvane::FindFieldStars(bins, store.img), store.img.Width(), store.img.Height());
        benchmark::DoNotOptimize(result);
    }
    state.counters["shiftX"] = result.shift.x;
    state.counters["shiftY"] = result.shift.y;
    state.counters["matches"] = result.matches;
}

} // namespace

BENCHMARK(ReadSeriesFrame)->Args({ 2048, 0 })->Args({ 2048, 1 })->Unit(benchmark::kMillisecond);
BENCHMARK(FindShift)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
