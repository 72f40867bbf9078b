// A night of 999 frames (the most the three-digit numbering allows) walked
// as `lumvane-cli patrol` walks it: each frame read, St1 found, five stars
// measured and remembered, with and without the recovery file written after
// every frame (Arg 1 and 0). The frames are one 512 x 512 sky under 999
// names, so the disk holds one image.
#include "BenchImage.h"

#include "core/image/FitsReader.h"
#include "core/patrol/PatrolWalk.h"
#include "core/results/RecoveryFile.h"
#include "core/results/RememberStar.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>

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
        const lumvane::ResultsFileSettings resultsSettings { std::nullopt, true, settings.click.radii };
        std::optional<lumvane::RecoveryFile> recoveryFile;
        if (recovery)
            recoveryFile.emplace(folder / "night.recovery.txt");
        while (walk.Step(data, settings, quiet).step == lumvane::PatrolStep::FileDone) {
            if (recoveryFile)
                recoveryFile->Write(table, store.files, resultsSettings);
        }
        files = store.files.CurrentFile();
        elapsed += std::chrono::steady_clock::now() - start;
    }
    state.counters["files"] = files;
    // Wall time a file, the flushes to the disk included.
    state.counters["ms_per_file"]
        = 1000.0 * elapsed.count() / (static_cast<double>(files) * static_cast<double>(state.iterations()));
}

/// File `file` of a series measured: every star slot in the one diaphragm
/// of radius 8, recorded as remembering the stars records them.
void MeasureFile(lumvane::ResultsTable& table, lumvane::FileList& files, int file)
{
    files.SetCurrentFile(file);
    lumvane::FileEntry entry;
    entry.exposure = 30.0F;
    entry.time = "21:15";
    char name[16];
    std::snprintf(name, sizeof name, "night.%03d", file);
    entry.name = std::string(" ") + name + "  ";
    files.RecordCurrent(entry, true);
    for (int slot = 0; slot < lumvane::kSavedStars; ++slot) {
        lumvane::StarRecord star;
        star.centreX = 100.0F;
        star.centreY = 100.0F;
        star.net[0] = 10000.0F + 37.0F * static_cast<float>(slot) + static_cast<float>(file);
        star.error[0] = 0.0123F;
        star.radius[0] = 8.0F;
        lumvane::RememberStar(table, slot, file, star);
    }
}

/// The recovery file's cost for the file that brings a series to
/// state.range(0) files: Arg 1 as the series writes it (the new file's lines
/// added), Arg 0 its whole text formatted and replaced, as before.
void RecoveryWriteAtFile(benchmark::State& state)
{
    const int fileCount = static_cast<int>(state.range(0));
    const bool appended = state.range(1) != 0;
    const auto folder = std::filesystem::temp_directory_path() / "lumvane-bench-recovery";
    std::filesystem::create_directories(folder);
    lumvane::ResultsTable table;
    lumvane::FileList files;
    for (int file = 1; file < fileCount; ++file)
        MeasureFile(table, files, file);
    const lumvane::ResultsFileSettings settings { std::nullopt, true, { 8, 0, 0, 0 } };
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<lumvane::RecoveryFile> recovery;
        recovery.emplace(folder / "night.recovery.txt");
        MeasureFile(table, files, fileCount - 1);
        recovery->Write(table, files, settings);
        MeasureFile(table, files, fileCount);
        state.ResumeTiming();
        if (appended)
            recovery->Write(table, files, settings);
        else
            lumvane::WriteFileBytes(
                (folder / "night.recovery.txt").string(), lumvane::ResultsFileText(table, files, settings));
        state.PauseTiming();
        recovery.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(Series999)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(RecoveryWriteAtFile)
    ->Args({ 10, 1 })
    ->Args({ 999, 1 })
    ->Args({ 10, 0 })
    ->Args({ 999, 0 })
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

BENCHMARK_MAIN();
