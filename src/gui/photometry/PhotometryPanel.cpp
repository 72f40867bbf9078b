#include "gui/photometry/PhotometryPanel.h"

#include "gui/app/Controls.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumvane {

namespace {

constexpr int kStarCount = 23;
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
    radii->setHorizontalSpacing(3);
    radii->addWidget(NewLabel(this, QStringLiteral("Label10"), {}), 0, 0);
    for (int k = 0; k < 4; ++k) {
        radii->addWidget(NewLabel(this, QStringLiteral("Label") + QString::number(39 + k), QString::number(k + 1)), 0,
            k + 1, Qt::AlignCenter);
        radii->addWidget(NewTextBox(this, Indexed("txtr", k), k == 0 ? QStringLiteral("8") : QString(),
                             QStringLiteral("Enter diaphragm radius")),
            1, k + 1);
        radii->addWidget(NewReadout(this, Indexed("lblmv", k)), 2, k + 1);
        radii->addWidget(NewReadout(this, Indexed("lblepssum", k)), 3, k + 1);
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
    addRow(QStringLiteral("Label2"), QStringLiteral("Center search"),
        NewTextBox(this, QStringLiteral("txtmp"), QStringLiteral("2"), QStringLiteral("Stellar center search radius")));
    addRow(QStringLiteral("Label1"), QStringLiteral("Mag St1"),
        NewTextBox(this, QStringLiteral("mtxtm1"), {}, QStringLiteral("Enter St1 magnitude")));
    addRow(QStringLiteral("Label8"), QStringLiteral("S"),
        NewReadout(this, QStringLiteral("lblsum"),
            QStringLiteral("Sum of counts (background subtracted) within the diaphragm")));
    addRow(QStringLiteral("Label12"), QStringLiteral("Npx"),
        NewReadout(this, QStringLiteral("lblpx"), QStringLiteral("Number of pixcels in the diaphragm")));
    addRow(QStringLiteral("Label14"), QStringLiteral("S/Npx"),
        NewReadout(this, QStringLiteral("lblsp"), QStringLiteral("The average counts within the diaphragm")));
    addRow(QStringLiteral("Label13"), QStringLiteral("M hd"),
        NewReadout(this, QStringLiteral("lbleps"),
            QStringLiteral("Magnitude at the place of clicking (within the red diaphragm)")));
    addRow(QStringLiteral("Label11"), QStringLiteral("Val St1"),
        NewReadout(this, QStringLiteral("lblst1"), QStringLiteral("Pure counts for St1")));
    values->setColumnStretch(1, 1);

    auto* stars = new QGridLayout;
    stars->setSpacing(2);
    for (int slot = 0; slot < kStarCount; ++slot) {
        QPushButton* button = NewButton(this, Indexed("btnstar", slot), StarCaption(slot), StarToolTip(slot));
        button->setMinimumWidth(1);
        stars->addWidget(button, slot / kStarColumns, slot % kStarColumns);
    }
    for (int column = 0; column < kStarColumns; ++column)
        stars->setColumnStretch(column, 1);

    auto* continueRow = new QGridLayout;
    continueRow->addWidget(NewLabel(this, QStringLiteral("Label16"), {}), 0, 0);
    continueRow->addWidget(NewLabel(this, QStringLiteral("Label20"), {}), 0, 1);
    continueRow->addWidget(NewLabel(this, QStringLiteral("Label21"), {}), 0, 2);
    QPushButton* btnconti
        = NewButton(this, QStringLiteral("btnconti"), QStringLiteral("Continue"), QStringLiteral("Next patrol file"));
    btnconti->setEnabled(false);
    continueRow->addWidget(btnconti, 0, 3);
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

} // namespace lumvane
