// From a FITS file to the picture on screen in the real main window: File >
// Open Single Image after its dialog (read into IMG, File info, cuts, render,
// views laid out) and the scrolled view painted. Also a Replot alone, and a
// scroll step. Run it under a display server (bench/cold-start.sh starts one)
// or on the offscreen platform.
#include "BenchImage.h"

#include "gui/app/Form1.h"
#include "gui/app/QtDialogs.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QScrollBar>

namespace {

lumvane::Form1* g_form = nullptr;

QString SkyFile(int side)
{
    return QString::fromStdString(
        lumvane::bench::WriteBenchImage("lumvane-bench-sky", side, lumvane::bench::SkyImage(side)));
}

// Paints the scrolled view now and waits until the display server has it.
void Show()
{
    g_form->Images().PicTwo()->repaint();
    QGuiApplication::sync();
}

void OpenToPicture(benchmark::State& state)
{
    const QString fileName = SkyFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        g_form->OpenSingleImage(fileName);
        Show();
    }
}

void Replot(benchmark::State& state)
{
    g_form->OpenSingleImage(SkyFile(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        g_form->PlotImage();
        Show();
    }
}

void ScrollStep(benchmark::State& state)
{
    g_form->OpenSingleImage(SkyFile(static_cast<int>(state.range(0))));
    QScrollBar* bar = g_form->Images().HorizontalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(++step % 2 == 0 ? 0 : 1);
        Show();
    }
}

} // namespace

BENCHMARK(OpenToPicture)->Arg(512)->Arg(2048)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(Replot)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollStep)->Arg(4096)->Unit(benchmark::kMillisecond);

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
