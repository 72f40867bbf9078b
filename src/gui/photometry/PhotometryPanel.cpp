#include "gui/photometry/PhotometryPanel.h"

#include "core/common/NumericValue.h"
#include "core/photometry/OptionRules.h"
#include "core/photometry/StarSlots.h"
#include "gui/app/Controls.h"
#include "gui/photometry/BoxCorrection.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumvane {

namespace {

constexpr int kStarCount = kStarSlots;
constexpr int kStarColumns = 5;

QString StarCaption(int slot)
{
    if (slot == 0)
        return QStringLiteral(" St1");
    if (slot <= 8)
        return QStringLiteral("St") + QString::number(slot + 1);
    if (slot <= 18)
        return QString::number(slot + 1);
    return QStringLiteral("Var") + QString::number(slot - 18);
}

QString StarToolTip(int slot)
{
    if (slot == 0)
        return QStringLiteral("Remember the main standard");
    if (slot == 1)
        return QStringLiteral("Remember star");
    if (slot <= 6 || (slot >= 19 && slot <= 21))
        return QStringLiteral("Remmember star");
    return {};
}

QString Indexed(const char* name, int index)
{
    return QLatin1String(name) + QLatin1Char('_') + QString::number(index);
}

} // namespace

PhotometryPanel::PhotometryPanel(QWidget* parent)
    : QWidget(parent)
{
    // Radii, magnitudes and errors, one column per diaphragm.
    auto* radii = new QGridLayout;
    radii->setHorizontalSpacing(1);
    radii->addWidget(NewLabel(this, QStringLiteral("Label10"), {}), 0, 0);
    for (int k = 0; k < 4; ++k) {
        radii->addWidget(NewLabel(this, QStringLiteral("Label") + QString::number(39 + k), QString::number(k + 1)), 0,
            k + 1, Qt::AlignCenter);
        const auto index = static_cast<std::size_t>(k);
        m_txtr[index] = NewTextBox(this, Indexed("txtr", k), k == 0 ? QStringLiteral("8") : QString(),
            QStringLiteral("Enter diaphragm radius"));
        m_lblmv[index] = NewReadout(this, Indexed("lblmv", k));
        m_lblepssum[index] = NewReadout(this, Indexed("lblepssum", k));
        // Every digit of a magnitude, its sign and three decimals, shows.
        for (QLineEdit* readout : { m_lblmv[index], m_lblepssum[index] })
            FitText(*readout, QStringLiteral("-88.888"));
        radii->addWidget(m_txtr[index], 1, k + 1);
        radii->addWidget(m_lblmv[index], 2, k + 1);
        radii->addWidget(m_lblepssum[index], 3, k + 1);
        connect(m_txtr[index], &QLineEdit::textChanged, this, [this, k] { txtr_Change(k); });
        radii->setColumnStretch(k + 1, 1);
    }
    radii->addWidget(NewLabel(this, QStringLiteral("Label6"), QStringLiteral("R")), 1, 0);
    radii->addWidget(NewLabel(this, QStringLiteral("Label7"), QStringLiteral("Mag")), 2, 0);
    radii->addWidget(NewLabel(this, QStringLiteral("Label38"), QStringLiteral("Err")), 3, 0);

    // Search radius, St1's magnitude and the results of the last click.
    auto* values = new QGridLayout;
    values->setHorizontalSpacing(4);
    int row = 0;
    auto addRow = [&](const QString& labelName, const QString& caption, QWidget* box) {
        values->addWidget(NewLabel(this, labelName, caption), row, 0);
        values->addWidget(box, row++, 1);
    };
    m_txtmp = NewTextBox(
        this, QStringLiteral("txtmp"), QStringLiteral("2"), QStringLiteral("Stellar center search radius"));
    connect(m_txtmp, &QLineEdit::textChanged, this, &PhotometryPanel::txtmp_Change);
    m_mtxtm1 = NewTextBox(this, QStringLiteral("mtxtm1"), {}, QStringLiteral("Enter St1 magnitude"));
    m_lblsum = NewReadout(
        this, QStringLiteral("lblsum"), QStringLiteral("Sum of counts (background subtracted) within the diaphragm"));
    m_lblpx = NewReadout(this, QStringLiteral("lblpx"), QStringLiteral("Number of pixcels in the diaphragm"));
    m_lblsp = NewReadout(this, QStringLiteral("lblsp"), QStringLiteral("The average counts within the diaphragm"));
    m_lbleps = NewReadout(this, QStringLiteral("lbleps"),
        QStringLiteral("Magnitude at the place of clicking (within the red diaphragm)"));
    m_lblst1 = NewReadout(this, QStringLiteral("lblst1"), QStringLiteral("Pure counts for St1"));
    addRow(QStringLiteral("Label2"), QStringLiteral("Center search"), m_txtmp);
    addRow(QStringLiteral("Label1"), QStringLiteral("Mag St1"), m_mtxtm1);
    addRow(QStringLiteral("Label8"), QStringLiteral("S"), m_lblsum);
    addRow(QStringLiteral("Label12"), QStringLiteral("Npx"), m_lblpx);
    addRow(QStringLiteral("Label14"), QStringLiteral("S/Npx"), m_lblsp);
    addRow(QStringLiteral("Label13"), QStringLiteral("M hd"), m_lbleps);
    addRow(QStringLiteral("Label11"), QStringLiteral("Val St1"), m_lblst1);
    values->setColumnStretch(1, 1);

    auto* stars = new QGridLayout;
    stars->setSpacing(2);
    for (int slot = 0; slot < kStarCount; ++slot) {
        QPushButton* button = NewButton(this, Indexed("btnstar", slot), StarCaption(slot), StarToolTip(slot));
        button->setMinimumWidth(1);
        connect(button, &QPushButton::clicked, this, [this, slot] { emit StarButtonClicked(slot); });
        stars->addWidget(button, slot / kStarColumns, slot % kStarColumns);
    }
    for (int column = 0; column < kStarColumns; ++column)
        stars->setColumnStretch(column, 1);

    auto* continueRow = new QGridLayout;
    continueRow->addWidget(NewLabel(this, QStringLiteral("Label16"), {}), 0, 0);
    continueRow->addWidget(NewLabel(this, QStringLiteral("Label20"), {}), 0, 1);
    continueRow->addWidget(NewLabel(this, QStringLiteral("Label21"), {}), 0, 2);
    m_btnconti
        = NewButton(this, QStringLiteral("btnconti"), QStringLiteral("Continue"), QStringLiteral("Next patrol file"));
    m_btnconti->setEnabled(false);
    continueRow->addWidget(m_btnconti, 0, 3);
    continueRow->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(radii);
    layout->addWidget(NewLine(this, QStringLiteral("Line1")));
    layout->addLayout(values);
    layout->addWidget(NewLine(this, QStringLiteral("Line2")));
    layout->addLayout(stars);
    layout->addWidget(NewLine(this, QStringLiteral("Line3")));
    layout->addLayout(continueRow);
    layout->addStretch(1);
}

std::array<double, kClickDiaphragms> PhotometryPanel::Radii() const
{
    std::array<double, kClickDiaphragms> radii {};
    for (std::size_t k = 0; k < radii.size(); ++k)
        radii[k] = NumericValue(m_txtr[k]->text().toStdString());
    return radii;
}

double PhotometryPanel::Search() const
{
    return NumericValue(m_txtmp->text().toStdString());
}

std::optional<double> PhotometryPanel::St1Magnitude() const
{
    return TypedNumber(m_mtxtm1->text().toStdString());
}

void PhotometryPanel::ShowFields(const ClickFields& fields)
{
    Show(*m_lblsum, fields.counts.sum);
    Show(*m_lblpx, fields.counts.pixels);
    Show(*m_lblsp, fields.counts.perPixel);
    Show(*m_lbleps, fields.clickMagnitude);
    for (std::size_t k = 0; k < m_lblmv.size(); ++k) {
        Show(*m_lblmv[k], fields.magnitude[k]);
        m_lblmv[k]->setToolTip(fields.magnitude[k] == kNoSt1Text ? QString::fromUtf8(kNoSt1ToolTip) : QString());
        Show(*m_lblepssum[k], fields.error[k]);
    }
}

void PhotometryPanel::CopySumToSt1()
{
    Show(*m_lblst1, m_lblsum->text().toStdString());
}

void PhotometryPanel::Show(QLineEdit& readout, const std::string& text)
{
    readout.setText(QString::fromStdString(text));
    // From its first character: a narrow field cuts off the last decimals, not the whole part.
    readout.setCursorPosition(0);
}

void PhotometryPanel::txtr_Change(int index)
{
    QLineEdit& box = *m_txtr.at(static_cast<std::size_t>(index));
    CorrectText(box, CheckRadiusText(box.text().toStdString()));
}

void PhotometryPanel::txtmp_Change()
{
    CorrectText(*m_txtmp, CheckSearchText(m_txtmp->text().toStdString()));
}

} // namespace lumvane
