#pragma once

#include "core/results/AavsoFile.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace lumvane {

class Dialogs;

/// @brief The dialog `frmAavso` of Results > Export AAVSO: the observer code,
/// the star's name, the chart, the variable's slot, the check star's slot and
/// the diaphragm.
///
/// It opens without blocking the main window; OK closes it (accepted) only
/// when the texts meet the format's rules, and says what is wrong otherwise.
class AavsoDialog : public QDialog {
    Q_OBJECT

public:
    AavsoDialog(Dialogs& dialogs, QWidget* parent = nullptr);

    void SetSettings(const AavsoSettings& settings);
    AavsoSettings Settings() const;

public slots:
    void accept() override;

private:
    Dialogs& m_dialogs;
    QLineEdit* m_txtobscode;
    QLineEdit* m_txtstarname;
    QLineEdit* m_txtchart;
    QComboBox* m_cbovariable;
    QComboBox* m_cbocheck;
    QComboBox* m_cbodiaphragm;
};

} // namespace lumvane
