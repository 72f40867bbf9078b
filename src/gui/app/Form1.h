#pragma once

#include "core/app/Session.h"
#include "core/display/ViewCoordinates.h"
#include "core/image/FitsReader.h"
#include "gui/app/FileChooser.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMenu;

namespace lumvane {

class Dialogs;
class DisplayPanel;
class FileInfoPanel;
class ImageArea;
class NotesPanel;
class OptionsPanel;
class PhotometryPanel;
class ProfilesPanel;
class TabPanel;

/// @brief The main window: menus, the image area on the left, the six-tab
/// panel `SSTab1` on the right and the status bar `StatusBar1`.
///
/// It owns the run's Session. Constructing it is the start-up sequence: the
/// window is sized from the screen, shown, and the program's folder becomes
/// the current directory. Every message, input box, file dialog and beep goes
/// through the Dialogs it is given.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Dialogs& dialogs, QWidget* parent = nullptr);

    Session& RunSession() { return m_session; }
    ImageArea& Images() const { return *m_imageArea; }
    DisplayPanel& Display() const { return *m_display; }
    TabPanel& Tabs() const { return *m_sstab1; }
    /// The folder of settings and default output files (the current directory).
    const QString& ProgramFolder() const { return m_programFolder; }

    /// Status bar panel 1..4.
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);

    /// Shows the file dialog with a title (an empty title keeps the last
    /// one). After a choice the caption names the file. Returns the full path
    /// chosen, or an empty text when the user cancels.
    QString ChooseImageFile(const QString& title);
    /// Opens a file named at start-up as File > Open Single Image opens a
    /// chosen one. The name is absolute: start-up changed the current folder.
    void OpenStartupFile(const QString& fileName);
    /// Takes the next file number, reads the file into IMG and shows it.
    void OpenSingleImage(const QString& fileName);
    /// Reads a file into a plane: shows the reader's message, refreshes the
    /// File info tab when a header was recorded, and writes proposed cuts.
    FitsReadResult ReadImage(const QString& fileName, PlaneId plane);
    /// Renders IMG with the cuts and scale of the Display tab and shows it.
    void PlotImage();
    /// Shows the last header's values on the File info tab.
    void ShowFileInfo();
    void ArrangeViews();
    void RefreshScrolledView();

public slots:
    void mnuopen_Click();
    void mnurep_Click();
    void mnuexit_Click();
    void btndispreplot_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateMenus();
    void CreateStatusBar();
    void Form_Load();
    void PlaceTabPanel();
    void SetCaptionFor(const QString& fileName);
    void Replot();
    void SSTab1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);
    void SSTab1_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF position);
    void SSTab1_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);

    Dialogs& m_dialogs;
    Session m_session;
    FileChooser m_dlog;
    QString m_programFolder;

    ImageArea* m_imageArea;
    TabPanel* m_sstab1;
    PhotometryPanel* m_photometry;
    ProfilesPanel* m_profiles;
    DisplayPanel* m_display;
    OptionsPanel* m_options;
    FileInfoPanel* m_fileInfo;
    NotesPanel* m_notes;
    std::array<QLabel*, 4> m_statusPanels {};

    /// Menu items that the first render enables.
    std::array<QAction*, 7> m_imageActions {};

    /// The tab panel's top-left corner, kept with its fractions while dragged.
    ViewPoint m_tabPosition;
    /// 1 while a right-button drag of the tab panel is in progress.
    int m_tabDrag = 0;
    ViewPoint m_tabDragAnchor;
};

} // namespace lumvane
