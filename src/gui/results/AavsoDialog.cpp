#include "gui/results/AavsoDialog.h"

#include "core/photometry/StarSlots.h"
#include "gui/app/Dialogs.h"
#include "gui/results/ComparisonTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

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

AavsoDialog::AavsoDialog(Dialogs& dialogs, ComparisonTable& comparisons, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_comparisons(comparisons)
    , m_txtobscode(LineEdit(QStringLiteral("txtobscode")))
    , m_txtstarname(LineEdit(QStringLiteral("txtstarname")))
    , m_txtchart(LineEdit(QStringLiteral("txtchart")))
    , m_cbovariable(SlotCombo(QStringLiteral("cbovariable"), kVar1Slot, kVar1Slot + 3))
    , m_cbocheck(SlotCombo(QStringLiteral("cbocheck"), kSt2Slot, kVar1Slot + 3))
    , m_cbodiaphragm(new QComboBox)
    , m_cbofilter(new QComboBox)
    , m_txtcname(LineEdit(QStringLiteral("txtcname")))
    , m_txtkname(LineEdit(QStringLiteral("txtkname")))
{
    setObjectName(QStringLiteral("frmAavso"));
    setWindowTitle(QStringLiteral("Export AAVSO"));
    m_cbocheck->addItem(QStringLiteral("none"), kNoCheckStar);
    m_cbodiaphragm->setObjectName(QStringLiteral("cbodiaphragm"));
    for (int k = 1; k <= ResultsTable::kDiaphragms; ++k)
        m_cbodiaphragm->addItem(QString::number(k), k - 1);
    m_cbofilter->setObjectName(QStringLiteral("cbofilter"));
    m_cbofilter->addItem(QStringLiteral("FILTER card"), QString());
    for (const std::string_view code : AavsoFilterCodes())
        m_cbofilter->addItem(QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
    m_cbofilter->setToolTip(QStringLiteral("The filter code of every line: CV or CR for unfiltered frames"));
    m_txtcname->setPlaceholderText(QString::fromStdString(StarLabel(0)));
    m_txtkname->setPlaceholderText(QStringLiteral("the check star's label"));
    QTableView* table = m_comparisons.NewView(QStringLiteral("tblcomparisons"));
    table->setToolTip(QStringLiteral("Catalogue magnitudes of the comparison stars of an ensemble; "
                                     "all blank: magnitudes relative to St1"));

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
    form->addRow(QStringLiteral("Filter"), m_cbofilter);
    form->addRow(QStringLiteral("Comparison name"), m_txtcname);
    form->addRow(QStringLiteral("Check star name"), m_txtkname);
    form->addRow(QStringLiteral("Ensemble"), table);
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
    const int filter = m_cbofilter->findText(QString::fromStdString(settings.filter).toUpper());
    m_cbofilter->setCurrentIndex(std::max(filter, 0));
    m_txtcname->setText(QString::fromStdString(settings.comparisonName));
    m_txtkname->setText(QString::fromStdString(settings.checkName));
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
    settings.filter = m_cbofilter->currentIndex() > 0 ? m_cbofilter->currentText().toStdString() : std::string();
    settings.comparisonName = m_txtcname->text().trimmed().toStdString();
    settings.checkName = m_txtkname->text().trimmed().toStdString();
    settings.comparisons = m_comparisons.Comparisons();
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
