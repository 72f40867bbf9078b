#include "gui/app/TabPanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumvane {

TabPanel::TabPanel(QWidget* parent, int tabsPerRow)
    : QFrame(parent)
    , m_tabsPerRow(tabsPerRow)
    , m_tabRows(new QGridLayout)
    , m_tabButtons(new QButtonGroup(this))
    , m_scroll(new QScrollArea(this))
    , m_pages(new QStackedWidget)
{
    m_tabRows->setSpacing(0);
    m_pages->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_pages);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(m_tabRows);
    layout->addWidget(m_scroll, 1);
    connect(m_tabButtons, &QButtonGroup::idClicked, this, &TabPanel::SetCurrentIndex);
    connect(m_pages, &QStackedWidget::currentChanged, this, &TabPanel::CurrentChanged);
}

int TabPanel::AddTab(QWidget* page, const QString& caption)
{
    const int index = m_pages->addWidget(page);
    auto* button = new QToolButton(this);
    button->setObjectName(objectName() + QStringLiteral("_tab_") + QString::number(index));
    button->setText(caption);
    button->setCheckable(true);
    button->setChecked(index == m_pages->currentIndex());
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_tabButtons->addButton(button, index);
    m_tabRows->addWidget(button, index / m_tabsPerRow, index % m_tabsPerRow);
    // As wide as the widest page and a scroll bar, which a short panel shows.
    m_scroll->setMinimumWidth(m_pages->minimumSizeHint().width() + m_scroll->verticalScrollBar()->sizeHint().width());
    return index;
}

int TabPanel::Count() const
{
    return m_pages->count();
}

QString TabPanel::TabText(int index) const
{
    const QAbstractButton* button = m_tabButtons->button(index);
    return button ? button->text() : QString();
}

QWidget* TabPanel::Page(int index) const
{
    return m_pages->widget(index);
}

int TabPanel::CurrentIndex() const
{
    return m_pages->currentIndex();
}

void TabPanel::SetCurrentIndex(int index)
{
    if (QAbstractButton* button = m_tabButtons->button(index))
        button->setChecked(true);
    m_pages->setCurrentIndex(index);
}

} // namespace lumvane
