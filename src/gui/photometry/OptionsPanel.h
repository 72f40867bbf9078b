#pragma once

#include "core/photometry/OptionRules.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumvane {

/// @brief The "Options" tab: the background annulus, median filtration,
/// the centring method and how results are saved.
class OptionsPanel : public QWidget {
    Q_OBJECT

public:
    explicit OptionsPanel(QWidget* parent = nullptr);

    /// The boxes, option buttons and check box as they stand.
    OptionsTab Tab() const;
    /// Fills the boxes, selects "Max" or "Centroid" and ticks the check box.
    void SetTab(const OptionsTab& tab);
    /// "Max" is selected: centre stars at the largest net counts.
    bool MaxSelected() const;
    /// "Save relatively St1" is ticked.
    bool SaveRelative() const;

    /// The inner annulus factor `TROptR1` and the median percentage
    /// `TROptMedian`: boxes with limits of their own.
    QLineEdit* InnerBox() const { return m_TROptR1; }
    QLineEdit* MedianBox() const { return m_TROptMedian; }
    QPushButton* ApplyButton() const { return m_btnoptok; }
    QPushButton* HelpButton() const { return m_btnopthelp; }

private:
    void Option1_Click();
    void Option2_Click();

    QLineEdit* m_TROptR1;
    QLineEdit* m_TROptR2;
    QLineEdit* m_TROptMedian;
    QRadioButton* m_option1;
    QRadioButton* m_option2;
    QCheckBox* m_chkSave;
    QPushButton* m_btnoptok;
    QPushButton* m_btnopthelp;
};

} // namespace lumvane
