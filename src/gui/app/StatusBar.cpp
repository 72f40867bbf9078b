#include "gui/app/StatusBar.h"

#include <QLabel>

namespace lumvane {

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent)
{
    struct PanelDesign {
        const char* text;
        const char* toolTip;
        int stretch;
    };
    constexpr PanelDesign kPanels[] = {
        { "X =", "X - co-ordinate", 2 },
        { "Y =", "Y - co-ordinate", 2 },
        { "Value =", "Value", 3 },
        { "Ready", "Status bar", 5 },
    };
    setObjectName(QStringLiteral("StatusBar1"));
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        auto* panel = new QLabel(QString::fromLatin1(kPanels[i].text), this);
        panel->setObjectName(QStringLiteral("StatusBar1_") + QString::number(i + 1));
        panel->setToolTip(QString::fromLatin1(kPanels[i].toolTip));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setMinimumWidth(1);
        addPermanentWidget(panel, kPanels[i].stretch);
        m_panels[i] = panel;
    }
    m_flips = new QLabel(this);
    m_flips->setObjectName(QStringLiteral("lblflips"));
    m_flips->setToolTip(QStringLiteral("The image is shown mirrored; measured positions are those of the mirror"));
    m_flips->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_flips->hide();
    addPermanentWidget(m_flips);
}

void StatusBar::ClearReadout()
{
    ShowReadout(QStringLiteral("X ="), QStringLiteral("Y ="), QStringLiteral("Value ="));
}

void StatusBar::ShowFlips(bool horizontal, bool vertical)
{
    QStringList flips;
    if (horizontal)
        flips << QStringLiteral("horizontally");
    if (vertical)
        flips << QStringLiteral("vertically");
    m_flips->setText(QStringLiteral("Flipped ") + flips.join(QStringLiteral(" and ")));
    m_flips->setVisible(!flips.isEmpty());
}

QLabel& StatusBar::Panel(int panel) const
{
    return *m_panels.at(static_cast<std::size_t>(panel - 1));
}

void StatusBar::ShowNow(int panel, const QString& text)
{
    QLabel& label = Panel(panel);
    label.setText(text);
    label.repaint();
}

void StatusBar::ShowReadout(const QString& x, const QString& y, const QString& value)
{
    Panel(1).setText(x);
    Panel(2).setText(y);
    Panel(3).setText(value);
}

} // namespace lumvane
