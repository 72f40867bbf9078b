#include "gui/photometry/OptionsPanel.h"

#include "gui/app/Controls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumvane {

namespace {

const QString kMedianToolTip = QStringLiteral("The % of replaced background pixcels");

} // namespace

OptionsPanel::OptionsPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* annulus = new QHBoxLayout;
    annulus->setSpacing(4);
    annulus->addWidget(NewLabel(this, QStringLiteral("Label24"), QStringLiteral("From:")));
    annulus->addWidget(NewTextBox(this, QStringLiteral("TROptR1"), QStringLiteral("1.0"),
                           QStringLiteral("The inner annulus radius for bachground subtraction")),
        1);
    annulus->addWidget(NewLabel(this, QStringLiteral("Label25"), QStringLiteral("..to..")));
    annulus->addWidget(NewTextBox(this, QStringLiteral("TROptR2"), QStringLiteral("2.0"),
                           QStringLiteral("The outer annulus radius for bachground subtraction")),
        1);
    annulus->addWidget(NewLabel(this, QStringLiteral("Label26"), QStringLiteral("* R")));

    auto* median = new QHBoxLayout;
    median->setSpacing(4);
    median->addWidget(NewTextBox(this, QStringLiteral("TROptMedian"), QStringLiteral("10"), kMedianToolTip), 1);
    median->addWidget(NewLabel(this, QStringLiteral("Label27"), QStringLiteral("%")));
    median->addStretch(2);

    auto* method = new QHBoxLayout;
    method->addWidget(NewOptionButton(this, QStringLiteral("Option1"), QStringLiteral("Max"),
        QStringLiteral("Star center where (Iin-Iout)->max"), true));
    method->addWidget(NewOptionButton(this, QStringLiteral("Option2"), QStringLiteral("Centroid"),
        QStringLiteral("Star center at the weigth center"), false));
    method->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(NewButton(
        this, QStringLiteral("btnoptok"), QStringLiteral("Apply"), QStringLiteral("Click to confirm changes")));
    buttons->addStretch(1);
    buttons->addWidget(NewButton(this, QStringLiteral("btnopthelp"), QStringLiteral("Help")));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(this, QStringLiteral("Label19"), QStringLiteral("Background annulus area")));
    layout->addLayout(annulus);
    layout->addSpacing(8);
    layout->addWidget(NewLabel(this, QStringLiteral("Label22"), QStringLiteral("Median filtration"), kMedianToolTip));
    layout->addLayout(median);
    layout->addSpacing(8);
    layout->addWidget(NewLabel(this, QStringLiteral("Label23"), QStringLiteral("Star center determination")));
    layout->addLayout(method);
    layout->addSpacing(8);
    layout->addWidget(NewCheckBox(this, QStringLiteral("ChkSave"), QStringLiteral("Save relatively St1"),
        QStringLiteral("Save instrumental magnitudes or respectively St1"), true));
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

} // namespace lumvane
