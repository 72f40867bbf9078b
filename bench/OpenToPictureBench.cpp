// From a FITS file to the picture on screen in the real main window: File >
// Open Single Image after its dialog (read into IMG, File info, cuts, render,
// views laid out) and the scrolled view painted. Also a Replot alone, and a
// scroll step. Run it under a display server (bench/cold-start.sh starts one)
// or on the offscreen platform.
// The *BigImage benchmarks do the same with a 10000 x 7000 frame (a large
// CCD, 140 MB of pixels), the read and a photometry click too, and report the
// process's peak resident memory so far (run them alone, with
// --benchmark_filter=BigImage, for the peak of that image).
#include "BenchImage.h"

#include "core/image/FitsReader.h"
#include "gui/app/Form1.h"
#include "gui/app/QtDialogs.h"
#include "gui/display/DisplayController.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"
#include "gui/image/ImageController.h"
#include "gui/photometry/PhotometryController.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QScrollBar>

#include <cmath>
#include <cstdint>

#include <sys/resource.h>

namespace {

lumvane::Form1* g_form = nullptr;

QString SkyFile(int side)
{
    return QString::fromStdString(
        lumvane::bench::WriteBenchImage("lumvane-bench-sky", side, lumvane::bench::SkyImage(side)));
}

lumvane::ImageArea& Images()
{
    return *g_form->findChild<lumvane::ImageArea*>(QStringLiteral("ImageArea"));
}

// File > Open Single Image once its dialog named the file.
void Open(const QString& fileName)
{
    g_form->findChild<lumvane::ImageController*>()->OpenStartupFile(fileName);
}

// Paints the scrolled view now and waits until the display server has it.
void Show()
{
    Images().PicTwo()->repaint();
    QGuiApplication::sync();
}

void OpenToPicture(benchmark::State& state)
{
    const QString fileName = SkyFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Open(fileName);
        Show();
    }
}

void Replot(benchmark::State& state)
{
    Open(SkyFile(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        g_form->findChild<lumvane::DisplayController*>()->PlotImage();
        Show();
    }
}

void ScrollStep(benchmark::State& state)
{
    Open(SkyFile(static_cast<int>(state.range(0))));
    QScrollBar* bar = Images().HorizontalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(++step % 2 == 0 ? 0 : 1);
        Show();
    }
}

// A frame as large as the cameras in use make: the read alone, then the
// window's open, a click and a scroll on it.
constexpr int kWidth = 10000;
constexpr int kHeight = 7000;
/// Stars on a 250-pixel grid, the first at (125, 125).
constexpr int kStarSpacing = 250;

/// Sky of 1000 counts with +-64 of noise and a Gaussian star (sigma 2
/// pixels, peak 30000) at the middle of every grid cell.
int BigSky(int x, int y)
{
    std::uint32_t hash = static_cast<std::uint32_t>(x) * 73856093U ^ static_cast<std::uint32_t>(y) * 19349663U;
    hash = (hash ^ (hash >> 13)) * 1274126177U;
    const int dx = x % kStarSpacing - kStarSpacing / 2;
    const int dy = y % kStarSpacing - kStarSpacing / 2;
    const double star = dx * dx + dy * dy < 100 ? 30000.0 * std::exp(-(dx * dx + dy * dy) / 8.0) : 0.0;
    return 1000 + static_cast<int>(hash % 129) - 64 + static_cast<int>(star);
}

const std::string& BigFile()
{
    static const std::string name = lumvane::bench::WriteBenchImage("lumvane-bench-big", kWidth, kHeight, BigSky);
    return name;
}

void ReportPeakMemory(benchmark::State& state)
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void ReadBigImage(benchmark::State& state)
{
    const std::string& fileName = BigFile();
    lumvane::UniformRandom random;
    for (auto _ : state) {
        lumvane::ImageStore store; // a new plane each time, as on the first read of a run
        store.files.SetCurrentFile(1);
        benchmark::DoNotOptimize(lumvane::ReadFitsImage(store, fileName, lumvane::PlaneId::Img, random));
    }
    ReportPeakMemory(state);
}

void OpenBigImage(benchmark::State& state)
{
    const QString fileName = QString::fromStdString(BigFile());
    for (auto _ : state) {
        Open(fileName);
        Show();
    }
    ReportPeakMemory(state);
}

void ClickOnBigImage(benchmark::State& state)
{
    Open(QString::fromStdString(BigFile()));
    const QPointF star(kWidth / 2 + kStarSpacing / 2 + 1, kHeight / 2 + kStarSpacing / 2 - 1);
    for (auto _ : state) {
        g_form->findChild<lumvane::PhotometryController*>()->Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, star);
        Show();
    }
    ReportPeakMemory(state);
}

void ScrollBigImage(benchmark::State& state)
{
    Open(QString::fromStdString(BigFile()));
    QScrollBar* bar = Images().HorizontalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(++step % 2 == 0 ? 0 : bar->maximum());
        Show();
    }
    ReportPeakMemory(state);
}

} // namespace

BENCHMARK(OpenToPicture)->Arg(512)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(Replot)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollStep)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadBigImage)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenBigImage)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickOnBigImage)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollBigImage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lumvane::QtDialogs dialogs;
    lumvane::Form1 form(dialogs, QDir::tempPath());
    g_form = &form;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
