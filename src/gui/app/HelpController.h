#pragma once

#include <QObject>

#include <array>
#include <utility>

class QAction;
class QPushButton;
class QWidget;

namespace lumvane {

class Dialogs;
class HelpWindow;
class TabPanel;
class frmAbout;

/// @brief Help and About: the tabs' "Help" buttons, Help > Contents, F1 for
/// the help of the tab shown, and Help > About.
class HelpController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget* window; ///< over which the help window and the About box open
        TabPanel* tabs;
        /// The tabs' "Help" buttons and their topics.
        std::array<std::pair<QPushButton*, int>, 4> helpButtons;
        QAction* mnuhelpcontents;
        QAction* mnuabout;
        QAction* tabHelp; ///< F1
    };

    HelpController(Dialogs& dialogs, Controls controls, QObject* parent);

public slots:
    /// A tab's "Help" button: the help window at that tab's topic.
    void ShowHelpTopic(int context);
    void mnuhelpcontents_Click();
    void mnuabout_Click();
    /// F1: the help topic of the tab shown, or the contents for a tab without one.
    void HelpForCurrentTab();

private:
    HelpWindow& Help();

    Dialogs& m_dialogs;
    Controls m_controls;
    HelpWindow* m_help = nullptr; ///< made when first asked for
    frmAbout* m_about = nullptr; ///< made when first asked for
};

} // namespace lumvane
