// Photometry speed: one click (four diaphragms), the patrol's St1 search and
// the annulus background alone, on a star field with photon noise.
#include "core/photometry/Aperture.h"
#include "core/photometry/StarCentring.h"
#include "core/photometry/StarWindow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace lumvane;

constexpr float kStarX = 200.3F;
constexpr float kStarY = 180.6F;

/// 512 x 512 pixels: a sky of 1200 counts, a bright star at (200, 181) and
/// a few fainter ones, all with photon noise.
const ImagePlane& StarField()
{
    static const ImagePlane field = [] {
        ImagePlane img(512, 512);
        struct Star {
            double x, y, flux;
        };
        const Star stars[]
            = { { 200, 181, 300'000 }, { 260, 150, 40'000 }, { 150, 230, 15'000 }, { 400, 400, 80'000 } };
        std::mt19937 random(5);
        for (int y = 1; y <= img.Height(); ++y)
            for (int x = 1; x <= img.Width(); ++x) {
                double mean = 1200.0;
                for (const Star& star : stars) {
                    const double d2 = (x - star.x) * (x - star.x) + (y - star.y) * (y - star.y);
                    mean += star.flux / (2.0 * std::numbers::pi * 4.0) * std::exp(-d2 / 8.0);
                }
                std::normal_distribution<double> noise(mean, std::sqrt(mean));
                const double physical = std::clamp(std::round(noise(random)), 0.0, 65534.0);
                img.At(x, y) = static_cast<std::int16_t>(physical - kPhysicalOffset);
            }
        return img;
    }();
    return field;
}

// One click: radii 4, 8, 12 and 16 with search radius 5; range(0) 0 = Max, 1 = Centroid.
void BM_ClickPhotometry(benchmark::State& state)
{
    const ImagePlane& img = StarField();
    const auto method = state.range(0) == 0 ? CentringMethod::Peak : CentringMethod::Centroid;
    for (auto _ : state) {
        for (const int radius : { 4, 8, 12, 16 })
            benchmark::DoNotOptimize(MeasureStar(method, img, kStarX, kStarY, radius, 5, PhotometryOptions {}));
    }
}
BENCHMARK(BM_ClickPhotometry)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The patrol's search for St1: search radius 13, r = 16, Max.
void BM_St1Search(benchmark::State& state)
{
    const ImagePlane& img = StarField();
    for (auto _ : state)
        benchmark::DoNotOptimize(MeasureStarPeak(img, kStarX + 4.0F, kStarY - 3.0F, 16, 13, PhotometryOptions {}));
}
BENCHMARK(BM_St1Search)->Unit(benchmark::kMillisecond);

// AnnulusBackground at r = 16 (2416 pixels), at the 121 centres of a search
// square of radius 5 in turn (one centre over and over would let the branch
// predictor learn its data); range(0) 0 = IMG plane, 1 = StarWindow.
void BM_AnnulusBackground(benchmark::State& state)
{
    const ImagePlane& img = StarField();
    Aperture aperture(16, PhotometryOptions {});
    const StarWindow window(img, 200, 180, 5 + aperture.Reach());
    const bool fromWindow = state.range(0) == 1;
    int offset = 0;
    for (auto _ : state) {
        const auto x = kStarX + static_cast<float>(offset % 11 - 5);
        const auto y = kStarY + static_cast<float>(offset / 11 - 5);
        offset = (offset + 1) % 121;
        benchmark::DoNotOptimize(
            fromWindow ? aperture.AnnulusBackground(window, x, y) : aperture.AnnulusBackground(img, x, y));
    }
    state.counters["pixels"] = static_cast<double>(aperture.AnnulusPixels());
}
BENCHMARK(BM_AnnulusBackground)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
