#pragma once

#include "core/app/Session.h"
#include "core/display/ViewCoordinates.h"
#include "core/image/FitsReader.h"
#include "core/patrol/PatrolWalk.h"
#include "core/profile/Profile.h"
#include "core/results/ResultsFile.h"
#include "gui/app/FileChooser.h"

#include <QMainWindow>

#include <array>
#include <utility>

class QAction;
class QImage;
class QLabel;
class QMenu;
class QPushButton;

namespace lumvane {

class Dialogs;
class DisplayPanel;
class FileInfoPanel;
class HelpWindow;
class frmAbout;
class ImageArea;
class LightCurveWindow;
class AavsoDialog;
class NotesPanel;
class OptionsPanel;
class PatrolDriver;
class PatrolProgress;
class PhotometryPanel;
class ProfilesPanel;
class TabPanel;

/// @brief The main window: menus, the image area on the left, the six-tab
/// panel `SSTab1` on the right and the status bar `StatusBar1`.
///
/// It owns the run's Session. Constructing it is the start-up sequence: the
/// window is sized from the screen, shown, the settings file is read from the
/// program's folder (see ProgramFolder()), and that folder becomes the
/// current directory. Every message, input box, file dialog and beep goes
/// through the Dialogs it is given.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    Form1(Dialogs& dialogs, const QString& programFolder, QWidget* parent = nullptr);

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
    /// Opens a file named at start-up or dropped on the window as File > Open
    /// Single Image opens a chosen one. The name is absolute: start-up
    /// changed the current folder.
    void OpenStartupFile(const QString& fileName);
    /// Takes the next file number, reads the file into IMG and shows it.
    void OpenSingleImage(const QString& fileName);
    /// Reads a file into a plane: shows the reader's message, refreshes the
    /// File info tab when a header was recorded, and writes proposed cuts.
    FitsReadResult ReadImage(const QString& fileName, PlaneId plane);
    /// What a read leaves on the window: its message, the File info tab, the cuts.
    void ShowReadResult(const FitsReadResult& result);
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

    // Notes, help and About.
    void btnHeader_Click();
    /// A tab's "Help" button: the help window at that tab's topic.
    void ShowHelpTopic(int context);
    void mnuhelpcontents_Click();
    void mnuabout_Click();

    // Cursor readout and zoom window, flips, negative, the view as a bitmap.
    /// Readout of the cursor over the scrolled view (drawing-area pixels).
    void PicTwo_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPointF position);
    /// Flip Hor, Flip Ver and Negative, from the button or the menu item.
    void FlipHor_Click();
    void FlipVer_Click();
    void Negative_Click();
    void mnubmp_Click();

    // Photometry by click, the star slots, the results file, the options
    // and the settings file.
    /// A press on the full-size view, at image coordinates; the patrol
    /// driver measures remembered stars through it.
    void Picture1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF imagePoint);
    /// A press on the scrolled view, at pixels of its drawing area.
    void PicTwo_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);
    void btnstar_Click(int index);
    /// Labels the last measured star on the full-size view and records it
    /// under a star slot for the current file.
    void RememberStar(int slot);
    void mnusave_Click();
    /// The circles and read-out fields of a measurement at image coordinates.
    void ShowClick(const ClickResult& result, bool onPicTwo);
    /// The label of a star just recorded under a slot, and what recording enables.
    void ShowRemembered(int slot);
    /// Asks for a name and writes the results file.
    void SaveResults();
    void btnoptok_Click();
    /// Fills the Options tab from the settings file, creating it when missing.
    void LoadSettings();
    /// Writes the settings file when the options were applied during the run.
    void SaveSettings();

    // Dark and flat from the Image menu, and the patrol series.
    void mnuimagedark_Click();
    void mnuimageflat_Click();
    void mnufilepatr_Click();
    void btnconti_Click();
    /// The Photometry and Options tabs as a series file is walked with them.
    PatrolSettings PatrolSettingsFromTabs() const;

    // The Results menu: the light curve, the AAVSO and CSV exports.
    void mnulightcurve_Click();
    void mnuexportaavso_Click();
    void mnuexportcsv_Click();
    /// What the results file takes from the Photometry and Options tabs now.
    ResultsFileSettings ResultsSettingsFromTabs() const;

    // Profiles: the line drawn with the right button, the plot and its exports.
    /// The end of a press on the scrolled view: finishes a profile line.
    void PicTwo_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);
    /// Computes the profile of the current line, marks its samples and plots it.
    void btnprofplot_Click();
    void btnprofdata_Click();
    void btnprofbmp_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateStatusBar();
    void Form_Load();
    void ConnectNotesAndHelp();
    HelpWindow& Help();
    void PlaceTabPanel();
    void SetCaptionFor(const QString& fileName);
    void Replot();
    void ConnectDisplayTools();
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

    /// The tabs' "Help" buttons and their topics.
    std::array<std::pair<QPushButton*, int>, 4> m_helpButtons {};
    HelpWindow* m_help = nullptr; ///< made when first asked for
    frmAbout* m_about = nullptr; ///< made when first asked for

    // Photometry (their bodies live with the photometry widgets).
    void ConnectPhotometry();
    /// Both views' press: `fromPicTwo` draws the circles on the scrolled
    /// view too and takes its addend.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, ViewPoint image, bool fromPicTwo);
    void QuickSumClick(float x, float y, bool fromPicTwo);
    void DrawClickCircle(const ClickCircle& circle, bool onPicTwo);
    void ShowStarStatus(StarStatus status);
    void MouseDownFailed();
    QAction* m_mnusave = nullptr;
    /// What a click reads from the tabs; while a series walks its later files,
    /// the walk's search radius.
    ClickSettings ClickSettingsFromTabs(bool fromPicTwo) const;

    // The calibration commands and the patrol series.
    void ConnectPatrol();
    void CalibrateFromMenu(const QString& title, PlaneId plane);
    PatrolDriver* m_patrol = nullptr;

    // The Results menu (their bodies live with the results windows).
    void ConnectResults();
    /// Writes the AAVSO report with the dialog's settings, once it is accepted.
    void ExportAavso();
    /// "No result to save!" when no file was read yet; false then.
    bool HasResults();
    LightCurveWindow* m_lightCurve = nullptr; ///< made when first asked for
    AavsoDialog* m_aavso = nullptr; ///< made when first asked for

    // Desktop comforts: shortcuts, files dropped on the window, a series' progress.
    void ConnectDesktop();
    /// F1: the help topic of the tab shown, or the contents for a tab without one.
    void HelpForCurrentTab();
    PatrolProgress* m_patrolProgress = nullptr;

    // Profiles (their bodies live with the Profiles tab).
    void ConnectProfiles();
    /// The profile branch of a press: the right button starts a line on the
    /// scrolled view and takes the press (true); any other ends a line.
    bool ProfileMouseDown(Qt::MouseButton button, ViewPoint image, bool fromPicTwo);
    void DragProfileLine(QPointF position);
    void MarkProfileSamples(const std::vector<ProfileSample>& samples);
    /// Asks for a bitmap name and saves a view's picture under it.
    void SaveBmpAs(const QImage& picture);
    /// 1 while a profile line is being dragged.
    int m_profileDrawing = 0;
    /// `profileStart` and `profileEnd`: the last line drawn.
    ProfileLine m_profileLine;

    /// Menu items that the first render enables.
    std::array<QAction*, 7> m_imageActions {};

    /// The tab panel's top-left corner, kept with its fractions while dragged.
    ViewPoint m_tabPosition;
    /// 1 while a right-button drag of the tab panel is in progress.
    int m_tabDrag = 0;
    ViewPoint m_tabDragAnchor;
};

} // namespace lumvane
