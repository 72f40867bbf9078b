#pragma once

#include "core/display/LevelRule.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace lumvane {

class PictureView;

/// @brief The "Display" tab: the black and white cuts, the log scale,
/// replot, negative and flips, and the zoom window.
class DisplayPanel : public QWidget {
    Q_OBJECT

public:
    explicit DisplayPanel(QWidget* parent = nullptr);

    /// The cuts of the next render, read from the cut texts.
    DisplayCuts Cuts() const;
    /// Writes proposed cuts into the cut texts (number text, leading blank).
    void SetCuts(DisplayCuts cuts);
    LevelScale Scale() const;

    QPushButton* ReplotButton() const { return m_btndispreplot; }

private:
    QLineEdit* m_txtmin;
    QLineEdit* m_txtmax;
    QCheckBox* m_chkLog;
    QPushButton* m_btndispreplot;
};

} // namespace lumvane
