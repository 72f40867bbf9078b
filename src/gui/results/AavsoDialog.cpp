#include "gui/results/AavsoDialog.h"

#include "core/photometry/StarSlots.h"
#include "gui/app/Dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace lumvane {
namespace {

QLineEdit* LineEdit(const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

/// A combo of star slots whose data is the slot number.
QComboBox* SlotCombo(const QString& name, int firstSlot, int lastSlot)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    for (int slot = firstSlot; slot <= lastSlot; ++slot)
        combo->addItem(QString::fromStdString(StarLabel(slot)), slot);
    return combo;
}

void Select(QComboBox* combo, int data)
{
    if (const int index = combo->findData(data); index >= 0)
        combo->setCurrentIndex(index);
}

} // namespace

AavsoDialog::AavsoDialog(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_txtobscode(LineEdit(QStringLiteral("txtobscode")))
    , m_txtstarname(LineEdit(QStringLiteral("txtstarname")))
    , m_txtchart(LineEdit(QStringLiteral("txtchart")))
    , m_cbovariable(SlotCombo(QStringLiteral("cbovariable"), kVar1Slot, kVar1Slot + 3))
    , m_cbocheck(SlotCombo(QStringLiteral("cbocheck"), kSt2Slot, kVar1Slot + 3))
    , m_cbodiaphragm(new QComboBox)
{
    setObjectName(QStringLiteral("frmAavso"));
    setWindowTitle(QStringLiteral("Export AAVSO"));
    m_cbocheck->addItem(QStringLiteral("none"), kNoCheckStar);
    m_cbodiaphragm->setObjectName(QStringLiteral("cbodiaphragm"));
    for (int k = 1; k <= ResultsTable::kDiaphragms; ++k)
        m_cbodiaphragm->addItem(QString::number(k), k - 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btncancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AavsoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AavsoDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Observer code"), m_txtobscode);
    form->addRow(QStringLiteral("Star name"), m_txtstarname);
    form->addRow(QStringLiteral("Chart"), m_txtchart);
    form->addRow(QStringLiteral("Variable"), m_cbovariable);
    form->addRow(QStringLiteral("Check star"), m_cbocheck);
    form->addRow(QStringLiteral("Diaphragm"), m_cbodiaphragm);
    form->addRow(buttons);
}

void AavsoDialog::SetSettings(const AavsoSettings& settings)
{
    m_txtobscode->setText(QString::fromStdString(settings.observerCode));
    m_txtstarname->setText(QString::fromStdString(settings.starName));
    m_txtchart->setText(QString::fromStdString(settings.chart));
    Select(m_cbovariable, settings.variableSlot);
    Select(m_cbocheck, settings.checkSlot);
    Select(m_cbodiaphragm, settings.diaphragm);
}

AavsoSettings AavsoDialog::Settings() const
{
    AavsoSettings settings;
    settings.observerCode = m_txtobscode->text().trimmed().toStdString();
    settings.starName = m_txtstarname->text().trimmed().toStdString();
    settings.chart = m_txtchart->text().trimmed().toStdString();
    settings.variableSlot = m_cbovariable->currentData().toInt();
    settings.checkSlot = m_cbocheck->currentData().toInt();
    settings.diaphragm = m_cbodiaphragm->currentData().toInt();
    return settings;
}

void AavsoDialog::accept()
{
    if (const std::string problem = AavsoSettingsProblem(Settings()); !problem.empty()) {
        m_dialogs.Message(
            QString::fromStdString(problem), QStringLiteral("Export AAVSO"), MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    QDialog::accept();
}

} // namespace lumvane
