#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lumvane {

class Dialogs;

/// @brief The About box: the program's title, version and a description,
/// and a button that starts the system's information tool.
///
/// It is shown without blocking the main window and closes with OK or as soon
/// as another window is activated.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(Dialogs& dialogs, QWidget* parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    void Form_LostFocus();
    /// Starts the first system information tool found on the search path;
    /// when none can be started, says so.
    void StartSysInfo();

    Dialogs& m_dialogs;
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    QLabel* m_lblDescription;
    /// Set while the box shows a message of its own, which takes the focus
    /// from it without closing it.
    bool m_showingMessage = false;
};

} // namespace lumvane
