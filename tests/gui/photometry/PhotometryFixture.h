#pragma once

#include "support/Form1Fixture.h"
#include "support/SyntheticSky.h"

#include "core/display/LevelPalette.h"
#include "core/display/ViewCoordinates.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace lumvane::test {

// The sky the click tests measure: a flat background of 1000 counts with two
// one-pixel stars of known net counts and one Gaussian star.
inline constexpr int kSkyWidth = 120;
inline constexpr int kSkyHeight = 100;
inline constexpr int kSkyBackground = 1000;
inline constexpr ViewPoint kBrightStar { 40, 50 }; ///< 10000 counts above the sky
inline constexpr ViewPoint kFaintStar { 80, 50 }; ///< 2500 counts above the sky
inline constexpr ViewPoint kGaussianStar { 60.3, 30.7 }; ///< 50000 counts, sigma 1.5
inline constexpr ViewPoint kEmptySky { 100, 80 };

inline int Sky(int x, int y)
{
    if (x == 40 && y == 50)
        return kSkyBackground + 10000;
    if (x == 80 && y == 50)
        return kSkyBackground + 2500;
    return kSkyBackground
        + static_cast<int>(std::lround(GaussianStar(x - kGaussianStar.x, y - kGaussianStar.y, 50000.0, 1.5)));
}

/// @brief The main window with its program's folder to itself: start-up
/// reads the settings file there, so each test starts from a missing file
/// (these tests run one at a time).
class PhotometryFixture : public Form1Fixture {
protected:
    PhotometryFixture() { Restart(std::nullopt); }
    QString SettingsFile() const { return QDir(File("")).filePath(QStringLiteral("tr_ini.int")); }

    /// Builds the window anew over a settings file with this text (none:
    /// no file).
    void Restart(const std::optional<std::string>& settings)
    {
        form.reset();
        QFile::remove(SettingsFile());
        if (settings)
            WriteFileBytes(SettingsFile().toStdString(), *settings);
        form = NewForm();
    }

    /// Writes an image with CFITSIO and opens it through the menu.
    void OpenImage(int width, int height, const PhysicalImage& physical)
    {
        const std::string name = dir.File("image" + std::to_string(++m_images) + ".fts");
        WritePhysicalImage(name, width, height, physical);
        OpenThroughMenu(QString::fromStdString(name));
    }
    void OpenSky() { OpenImage(kSkyWidth, kSkyHeight, Sky); }

    PictureView* PicTwo() const { return Images().PicTwo(); }
    const QImage& FullSize() const { return Images().Picture1(); }

    /// A press on the scrolled view where it shows image point (x, y).
    void ClickOnView(
        ViewPoint image, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const ViewPoint pixel = ViewPointOfImage(image, Images().Scroll(), Images().ImageHeight());
        const QPoint position = PicTwo()->contentsRect().topLeft()
            + QPoint(static_cast<int>(std::lround(pixel.x)), static_cast<int>(std::lround(pixel.y)));
        QTest::mouseClick(PicTwo(), button, modifiers, position);
    }

    /// Replaces a box's text as if typed over a selection of all of it.
    void Type(const char* boxName, const QString& text)
    {
        QLineEdit* box = Find<QLineEdit>(QString::fromLatin1(boxName));
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    QString Text(const char* boxName) const { return Find<QLineEdit>(QString::fromLatin1(boxName))->text(); }

    int Beeps() const
    {
        return static_cast<int>(std::count_if(dialogs.Shown().begin(), dialogs.Shown().end(),
            [](const ShownDialog& shown) { return shown.kind == ShownDialog::Kind::Beep; }));
    }

    /// Pixels of a colour at distance radius - 1 .. radius + 1 from a
    /// picture pixel.
    static int RingPixels(const QImage& picture, ViewPoint centre, int radius, Rgb colour)
    {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const double d = std::hypot(x - centre.x, y - centre.y);
                if (d >= radius - 1.0 && d <= radius + 1.0 && picture.pixel(x, y) == PackedColour(colour))
                    ++count;
            }
        return count;
    }

    /// Pixels of a colour anywhere in a rectangle of a picture.
    static int PixelsIn(const QImage& picture, const QRect& rect, Rgb colour)
    {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (picture.valid(x, y) && picture.pixel(x, y) == PackedColour(colour))
                    ++count;
        return count;
    }

private:
    int m_images = 0;
};

} // namespace lumvane::test
