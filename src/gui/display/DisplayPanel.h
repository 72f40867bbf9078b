#pragma once

#include "core/display/LevelRule.h"
#include "core/display/ViewCoordinates.h"

#include <QWidget>

class QCheckBox;
class QImage;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace lumvane {

class PictureView;

/// @brief The "Display" tab: the black and white cuts with "Auto", which
/// proposes them from the picture, the log scale, replot, negative and flips,
/// and the zoom window.
class DisplayPanel : public QWidget {
    Q_OBJECT

public:
    explicit DisplayPanel(QWidget* parent = nullptr);

    /// The cuts of the next render, read from the cut texts.
    DisplayCuts Cuts() const;
    /// Writes proposed cuts into the cut texts (number text, leading blank).
    void SetCuts(DisplayCuts cuts);
    LevelScale Scale() const;
    /// The negative view: the black and white cut texts change places.
    void ExchangeCuts();

    /// Paints the zoom window `PictZoom` from the scrolled view's picture
    /// around the cursor, at the factor that `LabelZoom` shows.
    /// @param imagePoint the image point under the cursor
    void PaintZoom(const QImage& view, ViewPoint imagePoint, ViewPosition scroll, int imageHeight);
    /// Empties the zoom window.
    void ClearZoom();

    QPushButton* ReplotButton() const { return m_btndispreplot; }
    QPushButton* AutoButton() const { return m_btndispauto; }
    QPushButton* NegativeButton() const { return m_btnNegative; }
    QPushButton* FlipHorButton() const { return m_btnFlipHor; }
    QPushButton* FlipVerButton() const { return m_btnFlipVer; }
    QPushButton* HelpButton() const { return m_btnDispHelp; }

signals:
    /// Enter was pressed in a cut box.
    void CutsEntered();

private slots:
    void Slider1_Change(int value);

private:
    QLineEdit* m_txtmin;
    QLineEdit* m_txtmax;
    QCheckBox* m_chkLog;
    QPushButton* m_btndispauto;
    QPushButton* m_btndispreplot;
    QPushButton* m_btnNegative;
    QPushButton* m_btnFlipHor;
    QPushButton* m_btnFlipVer;
    PictureView* m_pictZoom;
    QLabel* m_labelZoom;
    QSlider* m_slider1;
    QPushButton* m_btnDispHelp;
};

} // namespace lumvane
