// Cold start of `lumvane FILE` until its picture is on the screen, watched
// from outside: this program starts lumvane on a display server and reads
// the screen's pixels until a square inside the image view shows the
// picture's colour. The image is a field that renders in pure blue (level 9
// of the palette, a colour nothing else on the window has) with its proposed
// cuts. Run by bench/cold-start.sh under Xvfb.
//
//   lumvane-bench-coldstart LUMVANE SIDE RUNS
#include "BenchImage.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// 1000 counts where the cut proposal samples (cuts 950 and 1950), 1560..1600
// elsewhere: (15 (p - 950)) / 1000 = 9.
int BlueField(int x, int y)
{
    if (x >= 15 && x <= 25 && y >= 15 && y <= 25)
        return 1000;
    return 1560 + (x * 7 + y * 13) % 41;
}

bool PictureShown(QScreen* screen)
{
    // Inside the image view, below the menu bar, on any screen the view fits.
    const QImage square = screen->grabWindow(0, 100, 100, 64, 64).toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < square.height(); ++y) {
        for (int x = 0; x < square.width(); ++x) {
            if (square.pixel(x, y) != qRgb(0, 0, 255))
                return false;
        }
    }
    return !square.isNull();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "Usage: lumvane-bench-coldstart LUMVANE SIDE RUNS\n");
        return 1;
    }
    const QString lumvane = QString::fromLocal8Bit(argv[1]);
    const int side = std::atoi(argv[2]);
    const int runs = std::atoi(argv[3]);
    const QString image
        = QString::fromStdString(lumvane::bench::WriteBenchImage("lumvane-bench-blue", side, BlueField));
    QScreen* screen = QGuiApplication::primaryScreen();

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        // Nothing of an earlier run may still be on the screen.
        for (int wait = 0; PictureShown(screen); ++wait) {
            if (wait == 100) {
                std::fprintf(stderr, "the screen shows the picture before lumvane starts\n");
                return 1;
            }
            QThread::msleep(20);
        }
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(lumvane, { image });
        while (!PictureShown(screen)) {
            if (clock.elapsed() > 20000 || process.state() == QProcess::NotRunning) {
                std::fprintf(stderr, "the picture did not appear\n");
                return 1;
            }
            QThread::usleep(500);
        }
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        process.kill();
        process.waitForFinished();
        QThread::msleep(200); // the screen clears before the next run
    }
    std::sort(times.begin(), times.end());
    std::printf("cold start of lumvane on a %d x %d file until the picture is shown, %d runs:\n", side, side, runs);
    std::printf("  min %.1f ms, median %.1f ms, max %.1f ms\n", times.front(), times[times.size() / 2], times.back());
    return 0;
}
