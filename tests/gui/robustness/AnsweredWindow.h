#pragma once

#include "../photometry/PhotometryFixture.h"

#include "gui/app/Dialogs.h"

#include <vector>

namespace lumvane::test {

/// @brief Dialogs that answer whatever comes: OK (or `yesNo`) to a message,
/// `fileName` to an input box and a save dialog, Cancel to an open dialog.
/// They keep each message's title and text and count the beeps.
class AnsweringDialogs : public Dialogs {
public:
    MessageAnswer Message(const QString& text, const QString& title, MessageIcon, MessageButtons buttons) override
    {
        messages.push_back(title + QStringLiteral(": ") + text);
        if (buttons == MessageButtons::SaveDiscardCancel)
            return MessageAnswer::Cancel;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : yesNo;
    }
    std::optional<QString> Input(const QString&, const QString&, const QString&) override { return fileName; }
    QString OpenFileName(const FileDialogRequest&) override { return {}; }
    QString SaveFileName(const FileDialogRequest&) override { return fileName; }
    void Beep() override { ++beeps; }

    QString fileName = QStringLiteral("typed.txt");
    MessageAnswer yesNo = MessageAnswer::Yes; ///< so a file saved before is replaced
    std::vector<QString> messages; ///< "title: text"
    int beeps = 0;
};

/// @brief The main window answered by AnsweringDialogs, for sweeps where
/// which messages come depends on every rule an input meets on its way: the
/// sky open, its bright star remembered (so Save Data is on) and a profile
/// line drawn.
class AnsweredWindow : public PhotometryFixture {
protected:
    void SetUp() override
    {
        form = std::make_unique<Form1>(answering, File(""));
        WritePhysicalImage(dir.File("sky.fts"), kSkyWidth, kSkyHeight, Sky);
        form->OpenStartupFile(File("sky.fts"));
        ClickOnView(kBrightStar);
        PressStar(0);
        DrawProfileLine();
        answering.messages.clear();
    }
    // The window goes before the dialogs it was given.
    void TearDown() override { form.reset(); }

    /// A right-button drag across the sky on the scrolled view.
    void DrawProfileLine()
    {
        const auto onView = [&](ViewPoint image) {
            const ViewPoint pixel = ViewPointOfImage(image, Images().Scroll(), Images().ImageHeight());
            return PicTwo()->contentsRect().topLeft()
                + QPoint(static_cast<int>(std::lround(pixel.x)), static_cast<int>(std::lround(pixel.y)));
        };
        QTest::mousePress(PicTwo(), Qt::RightButton, Qt::NoModifier, onView({ 20, 20 }));
        QTest::mouseMove(PicTwo(), onView({ 90, 70 }));
        QTest::mouseRelease(PicTwo(), Qt::RightButton, Qt::NoModifier, onView({ 90, 70 }));
    }

    AnsweringDialogs answering;
};

} // namespace lumvane::test
