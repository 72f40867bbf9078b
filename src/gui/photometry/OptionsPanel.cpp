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
    , m_TROptR1(NewTextBox(this, QStringLiteral("TROptR1"), QStringLiteral("1.0"),
          QStringLiteral("The inner annulus radius for bachground subtraction")))
    , m_TROptR2(NewTextBox(this, QStringLiteral("TROptR2"), QStringLiteral("2.0"),
          QStringLiteral("The outer annulus radius for bachground subtraction")))
    , m_TROptMedian(NewTextBox(this, QStringLiteral("TROptMedian"), QStringLiteral("10"), kMedianToolTip))
    , m_option1(NewOptionButton(this, QStringLiteral("Option1"), QStringLiteral("Max"),
          QStringLiteral("Star center where (Iin-Iout)->max"), true))
    , m_option2(NewOptionButton(this, QStringLiteral("Option2"), QStringLiteral("Centroid"),
          QStringLiteral("Star center at the weigth center"), false))
    , m_chkSave(NewCheckBox(this, QStringLiteral("ChkSave"), QStringLiteral("Save relatively St1"),
          QStringLiteral("Save instrumental magnitudes or respectively St1"), true))
    , m_btnoptok(NewButton(
          this, QStringLiteral("btnoptok"), QStringLiteral("Apply"), QStringLiteral("Click to confirm changes")))
    , m_btnopthelp(NewButton(this, QStringLiteral("btnopthelp"), QStringLiteral("Help")))
{
    auto* annulus = new QHBoxLayout;
    annulus->setSpacing(4);
    annulus->addWidget(NewLabel(this, QStringLiteral("Label24"), QStringLiteral("From:")));
    annulus->addWidget(m_TROptR1, 1);
    annulus->addWidget(NewLabel(this, QStringLiteral("Label25"), QStringLiteral("..to..")));
    annulus->addWidget(m_TROptR2, 1);
    annulus->addWidget(NewLabel(this, QStringLiteral("Label26"), QStringLiteral("* R")));

    auto* median = new QHBoxLayout;
    median->setSpacing(4);
    median->addWidget(m_TROptMedian, 1);
    median->addWidget(NewLabel(this, QStringLiteral("Label27"), QStringLiteral("%")));
    median->addStretch(2);

    auto* method = new QHBoxLayout;
    method->addWidget(m_option1);
    method->addWidget(m_option2);
    method->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnoptok);
    buttons->addStretch(1);
    buttons->addWidget(m_btnopthelp);

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
    layout->addWidget(m_chkSave);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addStretch(1);

    // A click on an option button selects it and clears the other: the
    // buttons share their parent, and Qt keeps them exclusive itself.
}

OptionsTab OptionsPanel::Tab() const
{
    return { m_TROptR1->text().toStdString(), m_TROptR2->text().toStdString(), m_TROptMedian->text().toStdString(),
        MaxSelected(), SaveRelative() };
}

void OptionsPanel::SetTab(const OptionsTab& tab)
{
    m_TROptR1->setText(QString::fromStdString(tab.inner));
    m_TROptR2->setText(QString::fromStdString(tab.outer));
    m_TROptMedian->setText(QString::fromStdString(tab.median));
    if (tab.maxMethod)
        Option1_Click();
    else
        Option2_Click();
    m_chkSave->setChecked(tab.saveRelative);
}

bool OptionsPanel::MaxSelected() const
{
    return m_option1->isChecked();
}

bool OptionsPanel::SaveRelative() const
{
    return m_chkSave->isChecked();
}

void OptionsPanel::Option1_Click()
{
    m_option1->setChecked(true);
    m_option2->setChecked(false);
}

void OptionsPanel::Option2_Click()
{
    m_option2->setChecked(true);
    m_option1->setChecked(false);
}

} // namespace lumvane
