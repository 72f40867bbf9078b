#pragma once

#include "core/photometry/OptionRules.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumvane {

class Dialogs;

/// @brief The "Options" tab: the background annulus, median filtration,
/// the centring method and how results are saved.
///
/// The inner factor and median boxes keep their limits on every change of
/// their text, with a beep when they replace it.
class OptionsPanel : public QWidget {
    Q_OBJECT

public:
    explicit OptionsPanel(Dialogs& dialogs, QWidget* parent = nullptr);

    /// The boxes, option buttons and check box as they stand.
    OptionsTab Tab() const;
    /// Fills the boxes, selects "Max" or "Centroid" and ticks the check box.
    void SetTab(const OptionsTab& tab);
    /// "Max" is selected: centre stars at the largest net counts.
    bool MaxSelected() const;
    /// "Save relatively St1" is ticked.
    bool SaveRelative() const;

    QPushButton* ApplyButton() const { return m_btnoptok; }

private:
    void TROptR1_Change();
    void TROptMedian_Change();
    void Option1_Click();
    void Option2_Click();

    Dialogs& m_dialogs;
    QLineEdit* m_TROptR1;
    QLineEdit* m_TROptR2;
    QLineEdit* m_TROptMedian;
    QRadioButton* m_option1;
    QRadioButton* m_option2;
    QCheckBox* m_chkSave;
    QPushButton* m_btnoptok;
};

} // namespace lumvane
