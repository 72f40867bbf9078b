#pragma once

#include <QFrame>
#include <QPointF>

class QButtonGroup;
class QGridLayout;
class QStackedWidget;

namespace lumvane {

/// @brief The tab panel: pages chosen by tab buttons laid out in rows, so
/// that six captions stay readable in a narrow panel.
///
/// Mouse presses, moves and releases that reach the panel itself (its tab
/// buttons pass every button but the left one on) are reported with the
/// position in the panel's own coordinates.
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
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_tabsPerRow;
    QGridLayout* m_tabRows;
    QButtonGroup* m_tabButtons;
    QStackedWidget* m_pages;
};

} // namespace lumvane
