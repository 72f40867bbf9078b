// A night of 999 frames (the most the three-digit numbering allows) walked
// as `lumvane-cli patrol` walks it: each frame read, St1 found, five stars
// measured and remembered, with and without the recovery file written after
// every frame (Arg 1 and 0). The frames are one 512 x 512 sky under 999
// names, so the disk holds one image.
#include "BenchImage.h"

#include "core/image/FitsReader.h"
#include "core/patrol/PatrolWalk.h"
#include "core/results/RecoveryFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

constexpr int kFiles = 999;
constexpr int kSide = 512;

/// The series' folder, made once: night.001 and links night.002 .. night.999 to it.
const std::filesystem::path& SeriesFolder()
{
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "lumvane-bench-series";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        const std::string frame
            = lumvane::bench::WriteBenchImage("lumvane-bench-sky", kSide, lumvane::bench::SkyImage(kSide));
        std::filesystem::copy_file(frame, path / "night.001");
        for (int f = 2; f <= kFiles; ++f) {
            char name[16];
            std::snprintf(name, sizeof name, "night.%03d", f);
            std::filesystem::create_symlink(path / "night.001", path / name);
        }
        return path;
    }();
    return folder;
}

/// The five brightest pixels at least 20 pixels apart: the stars to follow.
std::vector<std::pair<int, int>> BrightStars(const lumvane::ImagePlane& img)
{
    std::vector<std::pair<int, int>> stars;
    while (stars.size() < 5) {
        int bestX = 0, bestY = 0, best = -32768;
        for (int y = 30; y <= img.Height() - 30; ++y)
            for (int x = 30; x <= img.Width() - 30; ++x) {
                bool near = false;
                for (const auto& [sx, sy] : stars)
                    near = near || (std::abs(sx - x) < 20 && std::abs(sy - y) < 20);
                if (!near && img.At(x, y) > best) {
                    best = img.At(x, y);
                    bestX = x;
                    bestY = y;
                }
            }
        stars.emplace_back(bestX, bestY);
    }
    return stars;
}

void Series999(benchmark::State& state)
{
    const bool recovery = state.range(0) != 0;
    const std::filesystem::path& folder = SeriesFolder();
    const std::string first = (folder / "night.001").string();
    int files = 0;
    std::chrono::duration<double> elapsed {};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        lumvane::ImageStore store;
        lumvane::ResultsTable table;
        lumvane::LastStar last;
        lumvane::UniformRandom random;
        const lumvane::PatrolData data { store, table, last, random };
        lumvane::StartPatrolSeries(store, table);
        lumvane::ReadFitsImage(store, first, lumvane::PlaneId::Img, random);
        lumvane::PatrolSettings settings;
        lumvane::ClickSettings firstClick = settings.click;
        int slot = 0;
        for (const auto& [x, y] : BrightStars(store.img))
            lumvane::MeasureAndRemember(data, slot++, static_cast<float>(x), static_cast<float>(y), firstClick);
        lumvane::PatrolWalk walk(first, lumvane::SeriesCalibration());
        lumvane::PatrolObserver quiet;
        const lumvane::ResultsFileSettings resultsSettings;
        while (walk.Step(data, settings, quiet).step == lumvane::PatrolStep::FileDone) {
            if (recovery)
                lumvane::WriteRecoveryFile(folder, table, store.files, resultsSettings);
        }
        files = store.files.CurrentFile();
        elapsed += std::chrono::steady_clock::now() - start;
    }
    state.counters["files"] = files;
    // Wall time a file, the flushes to the disk included.
    state.counters["ms_per_file"]
        = 1000.0 * elapsed.count() / (static_cast<double>(files) * static_cast<double>(state.iterations()));
}

} // namespace

BENCHMARK(Series999)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

BENCHMARK_MAIN();
