#pragma once

// The small patrol series the window's series tests walk, and the steps a
// user takes through it.

#include "../photometry/PhotometryFixture.h"

#include "core/results/ResultsTable.h"
#include "gui/patrol/PatrolDriver.h"

#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lumvane::test {

inline constexpr int kSide = 100;
inline constexpr int kBackground = 1000;
/// St1 and a second star on file 1; the field drifts by one pixel a file.
inline constexpr ViewPoint kSt1 { 40, 50 };
inline constexpr ViewPoint kStar2 { 65, 35 };
inline constexpr double kSt1Flux = 40000.0;
inline constexpr double kStar2Flux = 20000.0;

/// A frame of the small series: the field shifted by `shift` pixels in x,
/// St1 at `st1Flux` counts.
inline int Frame(int x, int y, double shift, double st1Flux)
{
    const auto star = [&](ViewPoint at, double flux) { return GaussianStar(x - (at.x + shift), y - at.y, flux, 1.3); };
    return kBackground + static_cast<int>(std::lround(star(kSt1, st1Flux) + star(kStar2, kStar2Flux)));
}

class PatrolSeries : public PhotometryFixture {
protected:
    /// Writes m31.001 .. m31.00n; `st1Flux` gives St1's counts on file f.
    void WriteSeries(
        int files, const std::function<double(int)>& st1Flux = [](int) { return kSt1Flux; })
    {
        for (int f = 1; f <= files; ++f) {
            char name[16];
            std::snprintf(name, sizeof name, "m31.%03d", f);
            WritePhysicalImage(
                dir.File(name), kSide, kSide, [&](int x, int y) { return Frame(x, y, f - 1, st1Flux(f)); },
                seriesCards);
        }
    }

    /// The answers up to the first render: no save, the first file, then the
    /// dark and flat questions declined.
    void AnswerStart(const QString& firstFile)
    {
        dialogs.AnswerMessage(MessageAnswer::No);
        dialogs.AnswerOpenFile(firstFile);
        dialogs.AnswerMessage(MessageAnswer::No);
        dialogs.AnswerMessage(MessageAnswer::No);
    }

    /// What the user does on a waiting file: each star clicked on the
    /// full-size view and remembered, `meanwhile`, then Continue; `afterContinue` runs
    /// once the walk lets events run. Runs once the driver waits for Continue.
    void WhenWaiting(std::vector<std::pair<int, ViewPoint>> stars, std::function<void()> meanwhile = {},
        std::function<void()> afterContinue = {})
    {
        WhenContinueWaits([this, stars = std::move(stars), meanwhile = std::move(meanwhile),
                              afterContinue = std::move(afterContinue)] {
            for (const auto& [slot, at] : stars) {
                Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(at.x, at.y));
                PressStar(slot);
            }
            if (meanwhile)
                meanwhile();
            QTest::mouseClick(Continue(), Qt::LeftButton);
            if (afterContinue)
                QTimer::singleShot(0, form.get(), afterContinue);
        });
    }

    /// Runs `action` from the event loop once the series waits for Continue.
    void WhenContinueWaits(std::function<void()> action)
    {
        QTimer::singleShot(0, form.get(), [this, action = std::move(action)]() mutable {
            if (State() == PatrolState::Waiting)
                action();
            else
                WhenContinueWaits(std::move(action));
        });
    }

    /// Header cards every file of WriteSeries gets.
    std::vector<std::string> seriesCards;

    QPushButton* Continue() const { return Find<QPushButton>(QStringLiteral("btnconti")); }
    PatrolDriver* Driver() const { return form->findChild<PatrolDriver*>(); }
    PatrolState State() const { return Driver()->State(); }
    int FileNumber() { return form->RunSession().store.files.CurrentFile(); }
    const ResultsTable& Table() { return form->RunSession().results; }

    /// The messages shown, in order, as "title: text".
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> messages;
        for (const ShownDialog& shown : dialogs.Shown())
            if (shown.kind == ShownDialog::Kind::Message)
                messages.push_back((shown.title + ": " + shown.text).toStdString());
        return messages;
    }
};

inline constexpr char kStop[] = "STOP: Any data obtained up to now will be lost! Do you want to save current data?";
inline constexpr char kDark[] = "DARK SUBTRACTION?: Do you want dark subtraction?";
inline constexpr char kFlat[] = "FLAT FIELDING?: Do you want flat fielding?";
inline constexpr char kEnd[]
    = "Lumvane: No more patrol files. You may now save collected so far data by File/Save Data menu";
inline constexpr char kLost[]
    = "Not found: Main standard is probably not found. Please click on it again and press button CONTINUE";

} // namespace lumvane::test
