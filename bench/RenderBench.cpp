// Rendering IMG into the full-size view's picture: the colour table built
// from the cuts, then every pixel looked up, scan line by scan line. A night
// sky (values packed near the sky level) and the worst case of values spread
// evenly over all 65,536 (every lookup a different table entry).
#include "BenchImage.h"

#include "core/display/ColourTable.h"
#include "core/display/RenderImage.h"
#include "core/image/ImagePlane.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

lumvane::ImagePlane SkyPlane(int side)
{
    const lumvane::bench::SkyImage sky(side);
    lumvane::ImagePlane plane(side, side);
    for (int y = 1; y <= side; ++y) {
        for (int x = 1; x <= side; ++x)
            plane.At(x, y) = static_cast<std::int16_t>(sky(x, y) - lumvane::kPhysicalOffset);
    }
    return plane;
}

lumvane::ImagePlane SpreadPlane(int side)
{
    lumvane::ImagePlane plane(side, side);
    std::uint32_t state = 7;
    for (int y = 1; y <= side; ++y) {
        for (int x = 1; x <= side; ++x) {
            state = state * 1664525U + 1013904223U;
            plane.At(x, y) = static_cast<std::int16_t>(state >> 16);
        }
    }
    return plane;
}

void Render(benchmark::State& state, const lumvane::ImagePlane& plane, lumvane::LevelScale scale)
{
    const lumvane::RenderWindow window = lumvane::FullSizeViewWindow(plane.Width(), plane.Height());
    std::vector<std::uint32_t> picture(
        static_cast<std::size_t>(window.width) * static_cast<std::size_t>(window.height));
    for (auto _ : state) {
        const lumvane::ColourTable colours({ 950, 1950 }, scale);
        lumvane::RenderImage(plane, colours, window, picture.data(), window.width);
        benchmark::DoNotOptimize(picture.data());
    }
    state.SetItemsProcessed(state.iterations() * window.width * window.height);
}

void RenderSky(benchmark::State& state)
{
    Render(state, SkyPlane(static_cast<int>(state.range(0))), lumvane::LevelScale::Linear);
}

void RenderSkyLog(benchmark::State& state)
{
    Render(state, SkyPlane(static_cast<int>(state.range(0))), lumvane::LevelScale::Logarithmic);
}

void RenderSpreadValues(benchmark::State& state)
{
    Render(state, SpreadPlane(static_cast<int>(state.range(0))), lumvane::LevelScale::Linear);
}

void BuildColourTable(benchmark::State& state)
{
    const auto scale = state.range(0) == 0 ? lumvane::LevelScale::Linear : lumvane::LevelScale::Logarithmic;
    for (auto _ : state) {
        const lumvane::ColourTable colours({ 950, 1950 }, scale);
        benchmark::DoNotOptimize(colours.Lookup());
    }
}

} // namespace

BENCHMARK(RenderSky)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderSkyLog)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderSpreadValues)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildColourTable)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
