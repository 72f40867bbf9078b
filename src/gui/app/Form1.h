#pragma once

#include "core/app/Session.h"
#include "gui/app/FileChooser.h"
#include "gui/photometry/TabSettings.h"

#include <QMainWindow>
#include <QSettings>

#include <vector>

class QAction;
class QMenu;
class QSplitter;

namespace lumvane {

class Dialogs;
class DisplayPanel;
class FileInfoPanel;
class ImageArea;
class ImageController;
class NotesController;
class NotesPanel;
class OptionsController;
class OptionsPanel;
class PatrolDriver;
class PhotometryPanel;
class ProfilesPanel;
class ResultsController;
class StatusBar;
class TabPanel;

/// @brief The main window: menus, the image area on the left and the six-tab
/// panel `SSTab1` on the right, on either side of a splitter, and the status
/// bar `StatusBar1`.
///
/// It owns the run's Session, builds the controls and hands each tab's
/// controller the Session, the Dialogs and the controls it drives.
/// Constructing it is the start-up sequence: the window is sized from the
/// screen, shown, the settings file is read from the program's folder, and
/// that folder becomes the current directory. Every message, input box, file
/// dialog and beep goes through the Dialogs it is given. The splitter and the
/// View menu's choices are kept for the next run.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    Form1(Dialogs& dialogs, const QString& programFolder, QWidget* parent = nullptr);

    Session& RunSession() { return m_session; }

    /// Opens a file named at start-up as File > Open Single Image opens a
    /// chosen one. The name is absolute: start-up changed the current folder.
    void OpenStartupFile(const QString& fileName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// The menu items, as the menus create them.
    struct Menus {
        QAction* mnuopen;
        QMenu* mnurecent;
        QAction* mnufilepatr;
        QAction* mnusave;
        QAction* mnuexit;
        QAction* mnurep;
        QAction* mnuimageneg;
        QAction* mnuimagehor;
        QAction* mnuimagever;
        QAction* mnuimageflat;
        QAction* mnuimagedark;
        QAction* mnubmp;
        QAction* mnuviewfit;
        QAction* mnuviewquarter;
        QAction* mnuviewhalf;
        QAction* mnuviewfull;
        QAction* mnuviewgrey;
        QAction* mnuvieweach;
        QAction* mnulightcurve;
        QAction* mnuexportaavso;
        QAction* mnuexportcsv;
        QAction* mnuhelpcontents;
        QAction* mnuabout;
    };

    Menus CreateMenus();
    /// The View menu, its choices as the last run left them.
    void CreateViewMenu(Menus& menus);
    /// Builds each tab's controller over the controls it drives and wires
    /// them to one another.
    void CreateControllers(const Menus& menus);
    void Form_Load();
    void mnuexit_Click();
    /// Keeps the splitter and the View menu's choices for the next run.
    void SaveWindowState();
    /// Results or notes not saved: asks whether to save them (Save, Discard,
    /// Cancel). True when the window may close.
    bool MayClose();

    Dialogs& m_dialogs;
    Session m_session;
    /// What the window keeps for the next run beside the settings file: the
    /// dialogs' folder, the recent images, the splitter and the View choices.
    QSettings m_uiSettings;
    FileChooser m_dlog;
    QString m_programFolder;

    QSplitter* m_splitter;
    ImageArea* m_imageArea;
    TabPanel* m_sstab1;
    PhotometryPanel* m_photometry;
    ProfilesPanel* m_profiles;
    DisplayPanel* m_display;
    OptionsPanel* m_options;
    FileInfoPanel* m_fileInfo;
    NotesPanel* m_notes;
    StatusBar* m_statusBar;
    TabSettings m_tabSettings;

    QAction* m_mnuopen = nullptr; ///< a file dropped on the window opens only while it is on
    /// The View menu's scales, whose checked one is kept; grey palette; each file of a series.
    std::vector<QAction*> m_viewScales;
    QAction* m_mnuviewgrey = nullptr;
    QAction* m_mnuvieweach = nullptr;
    ImageController* m_images = nullptr;
    NotesController* m_notesController = nullptr;
    ResultsController* m_results = nullptr;
    OptionsController* m_optionsController = nullptr;
    PatrolDriver* m_patrol = nullptr;
};

} // namespace lumvane
