#pragma once

#include "core/results/AavsoFile.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace lumvane {

class ComparisonTable;
class Dialogs;

/// @brief The dialog `frmAavso` of Results > Export AAVSO: the observer code,
/// the star's name, the chart, the variable's slot, the check star's slot and
/// the diaphragm, the filter code, the names of the comparison and check
/// stars, and the comparison stars of an ensemble (`tblcomparisons`, the
/// table the light curve window shows too).
///
/// It opens without blocking the main window; OK closes it (accepted) only
/// when the texts meet the format's rules, and says what is wrong otherwise.
class AavsoDialog : public QDialog {
    Q_OBJECT

public:
    AavsoDialog(Dialogs& dialogs, ComparisonTable& comparisons, QWidget* parent = nullptr);

    void SetSettings(const AavsoSettings& settings);
    AavsoSettings Settings() const;

public slots:
    void accept() override;

private:
    Dialogs& m_dialogs;
    ComparisonTable& m_comparisons;
    QLineEdit* m_txtobscode;
    QLineEdit* m_txtstarname;
    QLineEdit* m_txtchart;
    QComboBox* m_cbovariable;
    QComboBox* m_cbocheck;
    QComboBox* m_cbodiaphragm;
    QComboBox* m_cbofilter;
    QLineEdit* m_txtcname;
    QLineEdit* m_txtkname;
};

} // namespace lumvane
