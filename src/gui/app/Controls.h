#pragma once

#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace lumvane {

// The window's controls carry their design names as objectName, and their
// captions, initial texts and tool tips exactly as designed.

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip = {});
/// A label that shows a value: sunken, and its text can be selected.
QLabel* NewValueLabel(QWidget* parent, const QString& name);
QLineEdit* NewTextBox(QWidget* parent, const QString& name, const QString& text, const QString& toolTip = {});
/// A read-only text box that shows a result.
QLineEdit* NewReadout(QWidget* parent, const QString& name, const QString& toolTip = {});
/// Keeps a text box wide enough to show `widest` whole in its own font.
void FitText(QLineEdit& box, const QString& widest);
/// A push button no wider than its caption needs, so that rows of buttons fit
/// the narrow tab panel.
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip = {});
QCheckBox* NewCheckBox(
    QWidget* parent, const QString& name, const QString& caption, const QString& toolTip, bool checked);
QRadioButton* NewOptionButton(
    QWidget* parent, const QString& name, const QString& caption, const QString& toolTip, bool checked);
/// A horizontal separator line.
QFrame* NewLine(QWidget* parent, const QString& name);

} // namespace lumvane
