#pragma once

#include <QFrame>

class QButtonGroup;
class QGridLayout;
class QScrollArea;
class QStackedWidget;

namespace lumvane {

/// @brief The tab panel: pages chosen by tab buttons laid out in rows, so
/// that six captions stay readable in a narrow panel.
///
/// The panel is never narrower than its widest page; a page taller than the
/// panel scrolls.
class TabPanel : public QFrame {
    Q_OBJECT

public:
    explicit TabPanel(QWidget* parent = nullptr, int tabsPerRow = 3);

    int AddTab(QWidget* page, const QString& caption);
    int Count() const;
    QString TabText(int index) const;
    QWidget* Page(int index) const;
    int CurrentIndex() const;
    void SetCurrentIndex(int index);

signals:
    void CurrentChanged(int index);

private:
    int m_tabsPerRow;
    QGridLayout* m_tabRows;
    QButtonGroup* m_tabButtons;
    QScrollArea* m_scroll;
    QStackedWidget* m_pages;
};

} // namespace lumvane
