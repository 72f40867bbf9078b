#pragma once

#include "gui/app/Form1.h"
#include "gui/app/TabPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/photometry/PhotometryController.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumvane::test {

/// Physical count of image point (x, y), x from the left, y from the bottom.
using PhysicalImage = std::function<int(int x, int y)>;

/// @brief Writes a 16-bit FITS image with CFITSIO (BZERO 32768), physical
/// counts 0..65535 given per image point, plus extra header cards.
void WritePhysicalImage(const std::string& fileName, int width, int height, const PhysicalImage& physical,
    const std::vector<std::string>& extraCards = {});

/// @brief A test with the real main window, scripted dialogs and a
/// temporary folder for its files.
class Form1Fixture : public ::testing::Test {
protected:
    /// A control or menu item by its design name; fails the test when missing.
    template <typename Control> Control* Find(const QString& name) const
    {
        auto* control = form->findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << "no control named " << name.toStdString();
        return control;
    }

    ImageArea& Images() const { return *Find<ImageArea>(QStringLiteral("ImageArea")); }
    TabPanel& Tabs() const { return *Find<TabPanel>(QStringLiteral("SSTab1")); }
    /// Status bar panel 1..4.
    QString StatusText(int panel) const { return Find<QLabel>(QStringLiteral("StatusBar1_%1").arg(panel))->text(); }
    /// The part of the window that a view's press reaches.
    PhotometryController& Photometry() const { return *form->findChild<PhotometryController*>(); }
    /// Presses the star button `btnstar(slot)`.
    void PressStar(int slot) const { Find<QPushButton>(QStringLiteral("btnstar_%1").arg(slot))->click(); }

    /// Chooses a menu item, which must be enabled.
    void Trigger(const QString& actionName);
    /// File > Open Single Image with the dialog answering `fileName`.
    void OpenThroughMenu(const QString& fileName);
    /// A file name in the test's folder.
    QString File(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

    /// A new window on the test's folder, which is also its program folder.
    std::unique_ptr<Form1> NewForm() { return std::make_unique<Form1>(dialogs, File("")); }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> form = NewForm();
};

} // namespace lumvane::test
