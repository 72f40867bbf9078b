#include "gui/app/Form1.h"

#include "core/app/SettingsFile.h"
#include "core/display/WindowLayout.h"
#include "gui/app/HelpController.h"
#include "gui/app/HelpWindow.h"
#include "gui/app/StatusBar.h"
#include "gui/app/TabPanel.h"
#include "gui/display/DisplayController.h"
#include "gui/display/DisplayPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/image/FileInfoPanel.h"
#include "gui/image/ImageController.h"
#include "gui/notes/NotesController.h"
#include "gui/notes/NotesPanel.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/patrol/PatrolProgress.h"
#include "gui/photometry/OptionsController.h"
#include "gui/photometry/OptionsPanel.h"
#include "gui/photometry/PhotometryController.h"
#include "gui/photometry/PhotometryPanel.h"
#include "gui/profile/ProfilesController.h"
#include "gui/profile/ProfilesPanel.h"
#include "gui/results/ResultsController.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QUrl>

#include <cmath>

namespace lumvane {

namespace {

const QString kSplitterKey = QStringLiteral("window/splitter");
const QString kScaleKey = QStringLiteral("view/scale");
const QString kGreyKey = QStringLiteral("view/greyPalette");
const QString kEachFileKey = QStringLiteral("view/eachFileOfASeries");

int Pixels(double position)
{
    return static_cast<int>(std::lround(position));
}

/// A menu item; a shortcut, when it has one, beside its caption's access key
/// (a disabled item ignores its own).
QAction* AddItem(
    QMenu* menu, const QString& name, const QString& caption, bool enabled = true, QKeySequence shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
    action->setShortcut(shortcut);
    return action;
}

void AddSeparator(QMenu* menu, const QString& name)
{
    menu->addSeparator()->setObjectName(name);
}

QMenu* AddMenu(QMenuBar* bar, const QString& name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QAction* AddChoice(QMenu* menu, const QString& name, const QString& caption, bool checked)
{
    QAction* action = AddItem(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

/// The first local file of a drag, or an empty text when it carries none
/// (a folder, a web address or plain text).
QString DroppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty())
        return {};
    const QUrl& url = data->urls().front();
    if (!url.isLocalFile())
        return {};
    const QFileInfo file(url.toLocalFile());
    return file.isFile() ? file.absoluteFilePath() : QString();
}

} // namespace

Form1::Form1(Dialogs& dialogs, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_uiSettings(QDir(programFolder).filePath(QStringLiteral("lumvane-ui.ini")), QSettings::IniFormat)
    , m_dlog(dialogs, m_uiSettings)
    , m_programFolder(programFolder)
    , m_splitter(new QSplitter(Qt::Horizontal))
    , m_imageArea(new ImageArea)
    , m_sstab1(new TabPanel)
    , m_photometry(new PhotometryPanel)
    , m_profiles(new ProfilesPanel)
    , m_display(new DisplayPanel)
    , m_options(new OptionsPanel)
    , m_fileInfo(new FileInfoPanel)
    , m_notes(new NotesPanel)
    , m_statusBar(new StatusBar)
    , m_tabSettings(*m_photometry, *m_options, m_session.options)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("LUMVANE"));

    // The picture area and the tab panel share the window; neither can be
    // pushed out of it, and the picture area takes what the window gains.
    m_splitter->setObjectName(QStringLiteral("WindowSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_imageArea->setObjectName(QStringLiteral("ImageArea"));
    m_splitter->addWidget(m_imageArea);
    m_sstab1->setObjectName(QStringLiteral("SSTab1"));
    m_sstab1->AddTab(m_photometry, QStringLiteral("Photometry"));
    m_sstab1->AddTab(m_profiles, QStringLiteral("Profiles"));
    m_sstab1->AddTab(m_display, QStringLiteral("Display"));
    m_sstab1->AddTab(m_options, QStringLiteral("Options"));
    m_sstab1->AddTab(m_fileInfo, QStringLiteral("File info"));
    m_sstab1->AddTab(m_notes, QStringLiteral("Notes"));
    m_splitter->addWidget(m_sstab1);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    setCentralWidget(m_splitter);

    const Menus menus = CreateMenus();
    setStatusBar(m_statusBar);
    CreateControllers(menus);
    setAcceptDrops(true);

    Form_Load();
}

Form1::Menus Form1::CreateMenus()
{
    Menus menus {};
    QMenu* file = AddMenu(menuBar(), QStringLiteral("mnufile"), QStringLiteral("&File"));
    menus.mnuopen = AddItem(file, QStringLiteral("mnuopen"), QStringLiteral("Open &Single Image"), true,
        QKeySequence(Qt::CTRL | Qt::Key_O));
    menus.mnurecent = file->addMenu(QStringLiteral("Open &Recent"));
    menus.mnurecent->setObjectName(QStringLiteral("mnurecent"));
    menus.mnurecent->menuAction()->setObjectName(QStringLiteral("mnurecent"));
    menus.mnufilepatr = AddItem(file, QStringLiteral("mnufilepatr"), QStringLiteral("Open &Patrol Images"));
    menus.mnusave = AddItem(
        file, QStringLiteral("mnusave"), QStringLiteral("Save &Data"), false, QKeySequence(Qt::CTRL | Qt::Key_S));
    AddSeparator(file, QStringLiteral("null1"));
    menus.mnuexit
        = AddItem(file, QStringLiteral("mnuexit"), QStringLiteral("E&xit"), true, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* image = AddMenu(menuBar(), QStringLiteral("mnuimage"), QStringLiteral("&Image"));
    menus.mnurep = AddItem(
        image, QStringLiteral("mnurep"), QStringLiteral("&Replot"), false, QKeySequence(Qt::CTRL | Qt::Key_R));
    menus.mnuimageneg = AddItem(image, QStringLiteral("mnuimageneg"), QStringLiteral("&Negative"), false);
    menus.mnuimagehor = AddItem(image, QStringLiteral("mnuimagehor"), QStringLiteral("Flip &Horizontal"), false);
    menus.mnuimagever = AddItem(image, QStringLiteral("mnuimagever"), QStringLiteral("Flip &Vertical"), false);
    AddSeparator(image, QStringLiteral("null6"));
    menus.mnuimageflat = AddItem(image, QStringLiteral("mnuimageflat"), QStringLiteral("&Flat Field"), false);
    menus.mnuimagedark = AddItem(image, QStringLiteral("mnuimagedark"), QStringLiteral("&Dark Subtract"), false);
    AddSeparator(image, QStringLiteral("null7"));
    menus.mnubmp = AddItem(image, QStringLiteral("mnubmp"), QStringLiteral("Save &BMP"), false);

    CreateViewMenu(menus);

    QMenu* results = AddMenu(menuBar(), QStringLiteral("mnuresults"), QStringLiteral("&Results"));
    menus.mnulightcurve = AddItem(results, QStringLiteral("mnulightcurve"), QStringLiteral("Light &Curve"));
    menus.mnuexportaavso = AddItem(results, QStringLiteral("mnuexportaavso"), QStringLiteral("Export &AAVSO..."));
    menus.mnuexportcsv = AddItem(results, QStringLiteral("mnuexportcsv"), QStringLiteral("Export &CSV..."));

    QMenu* help = AddMenu(menuBar(), QStringLiteral("mnuhelp"), QStringLiteral("&Help"));
    menus.mnuhelpcontents = AddItem(help, QStringLiteral("mnuhelpcontents"), QStringLiteral("&Contents"));
    AddSeparator(help, QStringLiteral("null9"));
    menus.mnuabout = AddItem(help, QStringLiteral("mnuabout"), QStringLiteral("&About"));
    return menus;
}

void Form1::CreateViewMenu(Menus& menus)
{
    QMenu* view = AddMenu(menuBar(), QStringLiteral("mnuview"), QStringLiteral("&View"));
    // One scale at a time; 1:1 unless the last run chose another.
    auto* scales = new QActionGroup(this);
    const QString scale = m_uiSettings.value(kScaleKey, QStringLiteral("mnuviewfull")).toString();
    const auto addScale = [&](const QString& name, const QString& caption) {
        QAction* action = AddChoice(view, name, caption, name == scale);
        action->setActionGroup(scales);
        m_viewScales.push_back(action);
        return action;
    };
    menus.mnuviewfit = addScale(QStringLiteral("mnuviewfit"), QStringLiteral("&Fit"));
    menus.mnuviewquarter = addScale(QStringLiteral("mnuviewquarter"), QStringLiteral("1:&4"));
    menus.mnuviewhalf = addScale(QStringLiteral("mnuviewhalf"), QStringLiteral("1:&2"));
    menus.mnuviewfull = addScale(QStringLiteral("mnuviewfull"), QStringLiteral("1:&1"));
    if (scales->checkedAction() == nullptr)
        menus.mnuviewfull->setChecked(true);
    AddSeparator(view, QStringLiteral("null11"));
    m_mnuviewgrey = menus.mnuviewgrey = AddChoice(
        view, QStringLiteral("mnuviewgrey"), QStringLiteral("&Grey Palette"), m_uiSettings.value(kGreyKey).toBool());
    AddSeparator(view, QStringLiteral("null12"));
    m_mnuvieweach = menus.mnuvieweach = AddChoice(view, QStringLiteral("mnuvieweach"),
        QStringLiteral("Show each file of a series"), m_uiSettings.value(kEachFileKey).toBool());
}

void Form1::CreateControllers(const Menus& menus)
{
    m_mnuopen = menus.mnuopen;
    connect(menus.mnuexit, &QAction::triggered, this, &Form1::mnuexit_Click);

    auto* profiles
        = new ProfilesController(m_session, m_dialogs, { m_imageArea, m_profiles, m_sstab1, m_statusBar }, this);
    auto* display = new DisplayController(m_session, m_dialogs, *profiles,
        { m_imageArea, m_display, m_statusBar, menus.mnurep, menus.mnuimageneg, menus.mnuimagehor, menus.mnuimagever,
            menus.mnubmp, menus.mnuimagedark, menus.mnuimageflat, menus.mnuviewfit, menus.mnuviewquarter,
            menus.mnuviewhalf, menus.mnuviewfull, menus.mnuviewgrey },
        this);
    m_images = new ImageController(m_session, m_dialogs, m_dlog, *display,
        { this, m_fileInfo, m_statusBar, menus.mnuopen, menus.mnurecent, menus.mnuimagedark, menus.mnuimageflat },
        m_uiSettings, this);
    m_optionsController = new OptionsController(m_session, m_dialogs, m_options, m_programFolder, this);
    m_notesController = new NotesController(
        m_session, m_dialogs, m_dlog, { m_notes, m_fileInfo->HeaderButton(), m_sstab1, m_splitter, m_statusBar }, this);
    m_results = new ResultsController(m_session, m_dialogs, m_tabSettings,
        { this, m_statusBar, menus.mnusave, menus.mnulightcurve, menus.mnuexportaavso, menus.mnuexportcsv },
        m_programFolder, this);

    // The progress of a series, at the right end of the status bar.
    auto* progress = new PatrolProgress(m_statusBar);
    m_statusBar->addPermanentWidget(progress);
    m_patrol = new PatrolDriver(m_session, m_dialogs, m_tabSettings, *m_images, *display, *m_results,
        { this, m_imageArea, m_statusBar, m_photometry->ContinueButton(), progress, menus.mnufilepatr, menus.mnuopen,
            menus.mnuvieweach },
        m_programFolder, this);
    auto* photometry = new PhotometryController(
        m_session, m_dialogs, m_tabSettings, *profiles, *m_patrol, { m_imageArea, m_photometry, menus.mnusave }, this);
    connect(m_patrol, &PatrolDriver::Measured, photometry, &PhotometryController::ShowMeasurement);
    connect(photometry, &PhotometryController::StarRemembered, m_results, &ResultsController::ResultsChanged);
    // The curve grows as a series walks, and starts anew with a series.
    connect(m_patrol, &PatrolDriver::FileMeasured, m_results, &ResultsController::RefreshLightCurve);
    connect(m_patrol, &PatrolDriver::RunningChanged, m_results, &ResultsController::RefreshLightCurve);

    // F1 is not a menu item: the menus stay as they are.
    auto* tabHelp = new QAction(this);
    tabHelp->setObjectName(QStringLiteral("tabHelp"));
    tabHelp->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(tabHelp);
    new HelpController(m_dialogs,
        { this, m_sstab1,
            { { { m_fileInfo->HelpButton(), kHelpFileInfo }, { m_display->HelpButton(), kHelpDisplay },
                { m_options->HelpButton(), kHelpOptions }, { m_notes->HelpButton(), kHelpNotes } } },
            menus.mnuhelpcontents, menus.mnuabout, tabHelp },
        this);
}

void Form1::Form_Load()
{
    const QSize screenSize = screen()->size();
    const WindowLayout layout = MainWindowLayout({ screenSize.width(), screenSize.height() });
    resize(Pixels(layout.windowWidth), Pixels(layout.windowHeight));
    move(screen()->availableGeometry().topLeft());
    show();
    // The tab panel where the window was designed to have it (it is never
    // narrower than its pages), unless the last run left the splitter elsewhere.
    const int tabPanelLeft = Pixels(layout.tabPanelLeft);
    m_splitter->setSizes({ tabPanelLeft, width() - tabPanelLeft });
    m_splitter->restoreState(m_uiSettings.value(kSplitterKey).toByteArray());
    if (!m_optionsController->LoadSettings())
        m_statusBar->ShowNow(4, QString::fromUtf8(kSettingsUnreadableText));
    // Relative names typed later (results, notes) land in the program's folder.
    QDir::setCurrent(m_programFolder);
    // The options in force come from the boxes as the settings file left them.
    m_optionsController->TakeStartUpOptions();
}

void Form1::OpenStartupFile(const QString& fileName)
{
    m_images->OpenStartupFile(fileName);
}

void Form1::SaveWindowState()
{
    m_uiSettings.setValue(kSplitterKey, m_splitter->saveState());
    for (const QAction* scale : m_viewScales)
        if (scale->isChecked())
            m_uiSettings.setValue(kScaleKey, scale->objectName());
    m_uiSettings.setValue(kGreyKey, m_mnuviewgrey->isChecked());
    m_uiSettings.setValue(kEachFileKey, m_mnuvieweach->isChecked());
    m_uiSettings.sync();
}

bool Form1::MayClose()
{
    const bool results = m_results->Unsaved();
    const bool notes = m_notesController->Unsaved();
    if (!results && !notes)
        return true;
    const QString what = results && notes ? QStringLiteral("The results and the notes have")
        : results                         ? QStringLiteral("The results have")
                                          : QStringLiteral("The notes have");
    switch (m_dialogs.Message(what + QStringLiteral(" not been saved. Save before closing?"), kProgramTitle,
        MessageIcon::Warning, MessageButtons::SaveDiscardCancel)) {
    case MessageAnswer::Save:
        // Closes only when everything asked for was written.
        return (!results || m_results->SaveResults()) && (!notes || m_notesController->SaveNotes());
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void Form1::mnuexit_Click()
{
    if (!MayClose())
        return;
    SaveWindowState();
    m_optionsController->SaveSettings();
    m_patrol->WindowClosing();
    // Ends at once: the window gets no close event.
    QCoreApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!MayClose()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    m_optionsController->SaveSettings();
    m_patrol->WindowClosing();
    QMainWindow::closeEvent(event);
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    // Refused while File > Open Single Image is off (a series is running).
    if (!DroppedFile(event->mimeData()).isEmpty() && m_mnuopen->isEnabled())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString fileName = DroppedFile(event->mimeData());
    if (fileName.isEmpty() || !m_mnuopen->isEnabled())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so that the dragging program is not held
    // while the image is read or a message waits for the user.
    QMetaObject::invokeMethod(
        this, [this, fileName] { OpenStartupFile(fileName); }, Qt::QueuedConnection);
}

} // namespace lumvane
