#include "gui/app/Controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

namespace lumvane {

namespace {

/// QLineEdit's own margin on each side of its text, besides the frame's.
constexpr int kLineEditTextMargin = 2;

template <typename Control> Control* Named(Control* control, const QString& name, const QString& toolTip)
{
    control->setObjectName(name);
    control->setToolTip(toolTip);
    return control;
}

} // namespace

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip)
{
    return Named(new QLabel(caption, parent), name, toolTip);
}

QLabel* NewValueLabel(QWidget* parent, const QString& name)
{
    auto* label = Named(new QLabel(parent), name, {});
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumWidth(1); // long texts are cut, never widen the panel
    return label;
}

QLineEdit* NewTextBox(QWidget* parent, const QString& name, const QString& text, const QString& toolTip)
{
    auto* box = Named(new QLineEdit(text, parent), name, toolTip);
    box->setMinimumWidth(1);
    return box;
}

QLineEdit* NewReadout(QWidget* parent, const QString& name, const QString& toolTip)
{
    QLineEdit* box = NewTextBox(parent, name, {}, toolTip);
    box->setReadOnly(true);
    return box;
}

void FitText(QLineEdit& box, const QString& widest)
{
    // The text, the box's frame and its inner margins, as the style sizes them.
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    // One pixel more for the text cursor.
    const QSize text(box.fontMetrics().horizontalAdvance(widest) + 2 * kLineEditTextMargin + 1, box.height());
    box.setMinimumWidth(box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &box).width());
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip)
{
    auto* button = Named(new QPushButton(caption, parent), name, toolTip);
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 14);
    return button;
}

QCheckBox* NewCheckBox(
    QWidget* parent, const QString& name, const QString& caption, const QString& toolTip, bool checked)
{
    auto* box = Named(new QCheckBox(caption, parent), name, toolTip);
    box->setChecked(checked);
    return box;
}

QRadioButton* NewOptionButton(
    QWidget* parent, const QString& name, const QString& caption, const QString& toolTip, bool checked)
{
    auto* button = Named(new QRadioButton(caption, parent), name, toolTip);
    button->setChecked(checked);
    return button;
}

QFrame* NewLine(QWidget* parent, const QString& name)
{
    auto* line = Named(new QFrame(parent), name, {});
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace lumvane
