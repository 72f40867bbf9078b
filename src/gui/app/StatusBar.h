#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace lumvane {

/// @brief The status bar `StatusBar1`: four panels, each with a text and a
/// tool tip; panels 1 and 2 of equal width, 3 wider and 4 the widest.
///
/// Panels 1 to 3 show the cursor readout, panel 4 what the program is doing;
/// a label after them, shown only then, says that the image is flipped.
class StatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    /// Writes panel 1..4 and draws it at once: the work that follows holds the
    /// event loop.
    void ShowNow(int panel, const QString& text);
    /// Writes panels 1 to 3, drawn with the next paint: a mouse move is over
    /// in a moment.
    void ShowReadout(const QString& x, const QString& y, const QString& value);
    /// Panels 1 to 3 as at start-up: no cursor read out.
    void ClearReadout();
    /// Says beside the panels whether the image shown is mirrored, and how.
    void ShowFlips(bool horizontal, bool vertical);

private:
    QLabel& Panel(int panel) const;

    std::array<QLabel*, 4> m_panels {};
    QLabel* m_flips;
};

} // namespace lumvane
