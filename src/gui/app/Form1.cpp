#include "gui/app/Form1.h"

#include "core/app/FileNameText.h"
#include "core/display/ColourTable.h"
#include "core/display/CursorReadout.h"
#include "core/display/WindowLayout.h"
#include "core/image/Flips.h"
#include "core/notes/HeaderCards.h"
#include "gui/app/Dialogs.h"
#include "gui/app/HelpWindow.h"
#include "gui/app/TabPanel.h"
#include "gui/app/WaitCursor.h"
#include "gui/app/frmAbout.h"
#include "gui/display/DisplayPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureBitmap.h"
#include "gui/display/PictureView.h"
#include "gui/image/FileInfoPanel.h"
#include "gui/notes/NotesPanel.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/photometry/OptionsPanel.h"
#include "gui/photometry/PhotometryPanel.h"
#include "gui/profile/ProfilesPanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>

namespace lumvane {

namespace {

const QString kImageFileFilter
    = QStringLiteral("FITS files (*.FTS) | *.FTS|FITS patrol files (*.001) | *.001|All files (*.*) | *.*");

constexpr int kTabPanelWidth = 212;

int Pixels(double position)
{
    return static_cast<int>(std::lround(position));
}

ScreenSize ScreenPixels(const QWidget& window)
{
    const QSize size = window.screen()->size();
    return { size.width(), size.height() };
}

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption, bool enabled = true)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(enabled);
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

} // namespace

Form1::Form1(Dialogs& dialogs, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_dlog(dialogs)
    , m_programFolder(programFolder)
    , m_imageArea(new ImageArea)
    , m_sstab1(new TabPanel)
    , m_photometry(new PhotometryPanel)
    , m_profiles(new ProfilesPanel)
    , m_display(new DisplayPanel)
    , m_options(new OptionsPanel(dialogs))
    , m_fileInfo(new FileInfoPanel)
    , m_notes(new NotesPanel(dialogs, m_dlog))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("LUMVANE"));

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->addWidget(m_imageArea);
    setCentralWidget(central);
    m_imageArea->setObjectName(QStringLiteral("ImageArea"));

    m_sstab1->setParent(central);
    m_sstab1->setObjectName(QStringLiteral("SSTab1"));
    m_sstab1->AddTab(m_photometry, QStringLiteral("Photometry"));
    m_sstab1->AddTab(m_profiles, QStringLiteral("Profiles"));
    m_sstab1->AddTab(m_display, QStringLiteral("Display"));
    m_sstab1->AddTab(m_options, QStringLiteral("Options"));
    m_sstab1->AddTab(m_fileInfo, QStringLiteral("File info"));
    m_sstab1->AddTab(m_notes, QStringLiteral("Notes"));
    m_sstab1->raise();
    connect(m_sstab1, &TabPanel::MouseDown, this, &Form1::SSTab1_MouseDown);
    connect(m_sstab1, &TabPanel::MouseMove, this, &Form1::SSTab1_MouseMove);
    connect(m_sstab1, &TabPanel::MouseUp, this, &Form1::SSTab1_MouseUp);

    CreateMenus();
    CreateStatusBar();
    ConnectNotesAndHelp();
    ConnectDisplayTools();
    ConnectPhotometry();
    ConnectProfiles();
    ConnectPatrol();
    ConnectResults();
    ConnectDesktop();
    connect(m_display->ReplotButton(), &QPushButton::clicked, this, &Form1::btndispreplot_Click);

    Form_Load();
}

void Form1::CreateMenus()
{
    QMenu* file = AddMenu(menuBar(), QStringLiteral("mnufile"), QStringLiteral("&File"));
    connect(AddItem(file, QStringLiteral("mnuopen"), QStringLiteral("Open &Single Image")), &QAction::triggered, this,
        &Form1::mnuopen_Click);
    AddItem(file, QStringLiteral("mnufilepatr"), QStringLiteral("Open &Patrol Images"));
    AddItem(file, QStringLiteral("mnusave"), QStringLiteral("Save &Data"), false);
    AddSeparator(file, QStringLiteral("null1"));
    connect(AddItem(file, QStringLiteral("mnuexit"), QStringLiteral("E&xit")), &QAction::triggered, this,
        &Form1::mnuexit_Click);

    QMenu* image = AddMenu(menuBar(), QStringLiteral("mnuimage"), QStringLiteral("&Image"));
    QAction* mnurep = AddItem(image, QStringLiteral("mnurep"), QStringLiteral("&Replot"), false);
    connect(mnurep, &QAction::triggered, this, &Form1::mnurep_Click);
    QAction* mnuimageneg = AddItem(image, QStringLiteral("mnuimageneg"), QStringLiteral("&Negative"), false);
    QAction* mnuimagehor = AddItem(image, QStringLiteral("mnuimagehor"), QStringLiteral("Flip &Horizontal"), false);
    QAction* mnuimagever = AddItem(image, QStringLiteral("mnuimagever"), QStringLiteral("Flip &Vertical"), false);
    AddSeparator(image, QStringLiteral("null6"));
    QAction* mnuimageflat = AddItem(image, QStringLiteral("mnuimageflat"), QStringLiteral("&Flat Field"), false);
    QAction* mnuimagedark = AddItem(image, QStringLiteral("mnuimagedark"), QStringLiteral("&Dark Subtract"), false);
    AddSeparator(image, QStringLiteral("null7"));
    QAction* mnubmp = AddItem(image, QStringLiteral("mnubmp"), QStringLiteral("Save &BMP"), false);
    m_imageActions = { mnuimagedark, mnuimageflat, mnubmp, mnurep, mnuimageneg, mnuimagehor, mnuimagever };

    QMenu* results = AddMenu(menuBar(), QStringLiteral("mnuresults"), QStringLiteral("&Results"));
    AddItem(results, QStringLiteral("mnulightcurve"), QStringLiteral("Light &Curve"));
    AddItem(results, QStringLiteral("mnuexportaavso"), QStringLiteral("Export &AAVSO..."));
    AddItem(results, QStringLiteral("mnuexportcsv"), QStringLiteral("Export &CSV..."));

    QMenu* help = AddMenu(menuBar(), QStringLiteral("mnuhelp"), QStringLiteral("&Help"));
    AddItem(help, QStringLiteral("mnuhelpcontents"), QStringLiteral("&Contents"));
    AddSeparator(help, QStringLiteral("null9"));
    AddItem(help, QStringLiteral("mnuabout"), QStringLiteral("&About"));
}

void Form1::CreateStatusBar()
{
    struct Panel {
        const char* text;
        const char* toolTip;
        int stretch;
    };
    // Panels 1 and 2 of equal width, 3 wider, 4 the widest.
    constexpr Panel kPanels[] = {
        { "X =", "X - co-ordinate", 2 },
        { "Y =", "Y - co-ordinate", 2 },
        { "Value =", "Value", 3 },
        { "Ready", "Status bar", 5 },
    };
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    for (std::size_t i = 0; i < m_statusPanels.size(); ++i) {
        auto* panel = new QLabel(QString::fromLatin1(kPanels[i].text), statusBar());
        panel->setObjectName(QStringLiteral("StatusBar1_") + QString::number(i + 1));
        panel->setToolTip(QString::fromLatin1(kPanels[i].toolTip));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setMinimumWidth(1);
        statusBar()->addPermanentWidget(panel, kPanels[i].stretch);
        m_statusPanels[i] = panel;
    }
}

void Form1::Form_Load()
{
    const WindowLayout layout = MainWindowLayout(ScreenPixels(*this));
    resize(Pixels(layout.windowWidth), Pixels(layout.windowHeight));
    move(screen()->availableGeometry().topLeft());
    m_tabPosition = { layout.tabPanelLeft, 0.0 };
    m_imageArea->PlaceScrollBars(layout.verticalBarLeft, layout.horizontalBarTop);
    show();
    PlaceTabPanel();
    LoadSettings();
    // Relative names typed later (results, notes) land in the program's folder.
    QDir::setCurrent(m_programFolder);
    // The options in force come from the boxes as the settings file left them.
    m_session.options.options = StartUpOptions(m_options->Tab());
}

void Form1::PlaceTabPanel()
{
    m_sstab1->setGeometry(Pixels(m_tabPosition.x), Pixels(m_tabPosition.y), kTabPanelWidth, centralWidget()->height());
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    PlaceTabPanel();
}

QString Form1::StatusText(int panel) const
{
    return m_statusPanels.at(static_cast<std::size_t>(panel - 1))->text();
}

void Form1::SetStatusText(int panel, const QString& text)
{
    QLabel* label = m_statusPanels.at(static_cast<std::size_t>(panel - 1));
    label->setText(text);
    // Drawn now: the work that follows holds the event loop.
    label->repaint();
}

QString Form1::ChooseImageFile(const QString& title)
{
    const QString fileName = m_dlog.ShowOpen(title, kImageFileFilter);
    if (!fileName.isEmpty())
        SetCaptionFor(fileName);
    return fileName;
}

void Form1::SetCaptionFor(const QString& fileName)
{
    setWindowTitle(QString::fromStdString(WindowCaption(fileName.toStdString())));
}

void Form1::mnuopen_Click()
{
    const QString fileName = ChooseImageFile(QStringLiteral("Open Image"));
    if (fileName.isEmpty())
        return;
    OpenSingleImage(fileName);
}

void Form1::OpenStartupFile(const QString& fileName)
{
    m_dlog.Remember(fileName);
    SetCaptionFor(fileName);
    OpenSingleImage(fileName);
}

void Form1::OpenSingleImage(const QString& fileName)
{
    FileList& files = m_session.store.files;
    files.SetCurrentFile(files.CurrentFile() + 1);
    SetStatusText(4, QStringLiteral("Processing"));
    ReadImage(fileName, PlaneId::Img);
    PlotImage();
    SetStatusText(4, QStringLiteral("Ready"));
}

FitsReadResult Form1::ReadImage(const QString& fileName, PlaneId plane)
{
    FitsReadResult result;
    {
        WaitCursor busy;
        result = ReadFitsImage(m_session.store, QFile::encodeName(fileName).toStdString(), plane, m_session.random);
    }
    ShowReadResult(result);
    return result;
}

void Form1::ShowReadResult(const FitsReadResult& result)
{
    if (!result.message.empty()) {
        const MessageIcon icon
            = result.status == FitsReadStatus::Truncated ? MessageIcon::Warning : MessageIcon::Critical;
        m_dialogs.Message(QString::fromStdString(result.message), QStringLiteral("Error!"), icon, MessageButtons::Ok);
    }
    if (result.headerRecorded)
        ShowFileInfo();
    if (result.cuts)
        m_display->SetCuts(*result.cuts);
}

void Form1::ShowFileInfo()
{
    const ImageStore& store = m_session.store;
    m_fileInfo->ShowFileInfo(store.header, store.files.Entry(store.files.CurrentFile()));
}

void Form1::PlotImage()
{
    SetStatusText(4, QStringLiteral("Processing"));
    m_imageArea->setToolTip({});
    m_imageArea->LineProf()->hide();
    for (QAction* action : m_imageActions)
        action->setEnabled(true);
    m_imageArea->PicTwo()->show();

    // The rendered size is IMG's own, whatever frame was read since.
    const ImagePlane& img = m_session.store.img;
    m_imageArea->LayoutViews(img.Width(), img.Height(), ScreenPixels(*this));
    {
        WaitCursor busy;
        m_imageArea->RenderPicture1(img, ColourTable(m_display->Cuts(), m_display->Scale()));
    }
    ArrangeViews();
    RefreshScrolledView();
    SetStatusText(4, QStringLiteral("Ready"));
}

void Form1::ArrangeViews()
{
    m_imageArea->ArrangeViews();
}

void Form1::RefreshScrolledView()
{
    m_imageArea->RefreshScrolledView();
}

void Form1::mnurep_Click()
{
    Replot();
}

void Form1::btndispreplot_Click()
{
    Replot();
}

void Form1::Replot()
{
    m_imageArea->LineProf()->hide();
    PlotImage();
}

void Form1::ConnectDisplayTools()
{
    connect(m_imageArea->PicTwo(), &PictureView::MouseMove, this, &Form1::PicTwo_MouseMove);
    connect(m_display->FlipHorButton(), &QPushButton::clicked, this, &Form1::FlipHor_Click);
    connect(m_display->FlipVerButton(), &QPushButton::clicked, this, &Form1::FlipVer_Click);
    connect(m_display->NegativeButton(), &QPushButton::clicked, this, &Form1::Negative_Click);
    connect(findChild<QAction*>(QStringLiteral("mnuimagehor")), &QAction::triggered, this, &Form1::FlipHor_Click);
    connect(findChild<QAction*>(QStringLiteral("mnuimagever")), &QAction::triggered, this, &Form1::FlipVer_Click);
    connect(findChild<QAction*>(QStringLiteral("mnuimageneg")), &QAction::triggered, this, &Form1::Negative_Click);
    connect(findChild<QAction*>(QStringLiteral("mnubmp")), &QAction::triggered, this, &Form1::mnubmp_Click);
}

void Form1::PicTwo_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF position)
{
    if (m_profileDrawing != 0) {
        DragProfileLine(position);
        return;
    }
    const ScrollPosition scroll = m_imageArea->Scroll();
    const int imageHeight = m_imageArea->ImageHeight();
    const CursorReadout readout
        = ReadCursorOnView(m_session.store.img, { position.x(), position.y() }, scroll, imageHeight);
    m_imageArea->LineProf()->show();
    // Written without an immediate repaint: a move is over in a moment.
    m_statusPanels[0]->setText(QString::fromStdString(readout.xText));
    m_statusPanels[1]->setText(QString::fromStdString(readout.yText));
    m_statusPanels[2]->setText(QString::fromStdString(readout.valueText));
    m_display->PaintZoom(m_imageArea->PicTwo()->Picture(), readout.image, scroll, imageHeight);
}

void Form1::FlipHor_Click()
{
    FlipHorizontal(m_session.store.img);
    PlotImage();
}

void Form1::FlipVer_Click()
{
    FlipVertical(m_session.store.img);
    PlotImage();
}

void Form1::Negative_Click()
{
    m_display->ExchangeCuts();
    PlotImage();
}

void Form1::mnubmp_Click()
{
    SaveBmpAs(m_imageArea->PicTwo()->Picture());
}

void Form1::SaveBmpAs(const QImage& picture)
{
    const std::optional<QString> fileName
        = m_dialogs.Input(QStringLiteral("Enter filename of bitmap being saved or press CANCEL to avoid saving."),
            QStringLiteral("SAVE BMP"), {});
    if (!fileName || fileName->isEmpty())
        return;
    // The name as typed: a relative one lands in the current (program's) folder.
    const WriteResult written = SavePictureBmp(picture, *fileName);
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, *fileName, written);
}

void Form1::mnuexit_Click()
{
    SaveSettings();
    m_patrol->WindowClosing();
    // Ends at once: the window gets no close event.
    QCoreApplication::exit(0);
}

void Form1::ConnectNotesAndHelp()
{
    connect(findChild<QPushButton*>(QStringLiteral("btnHeader")), &QPushButton::clicked, this, &Form1::btnHeader_Click);

    const std::array<std::pair<const char*, int>, 4> helpButtons = { {
        { "btnInfoHelp", kHelpFileInfo },
        { "btnDispHelp", kHelpDisplay },
        { "btnopthelp", kHelpOptions },
        { "btnNotesHelp", kHelpNotes },
    } };
    for (std::size_t i = 0; i < helpButtons.size(); ++i) {
        auto* button = findChild<QPushButton*>(QString::fromLatin1(helpButtons[i].first));
        const int context = helpButtons[i].second;
        m_helpButtons[i] = { button, context };
        connect(button, &QPushButton::clicked, this, [this, context] { ShowHelpTopic(context); });
    }

    connect(findChild<QAction*>(QStringLiteral("mnuhelpcontents")), &QAction::triggered, this,
        &Form1::mnuhelpcontents_Click);
    connect(findChild<QAction*>(QStringLiteral("mnuabout")), &QAction::triggered, this, &Form1::mnuabout_Click);
}

void Form1::btnHeader_Click()
{
    const std::string& header = m_session.store.header.headerText;
    m_notes->AppendText(QString::fromLatin1(HeaderCardLines(header)));
    m_sstab1->SetCurrentIndex(5);
}

HelpWindow& Form1::Help()
{
    if (m_help == nullptr)
        m_help = new HelpWindow(HelpFileName(), this);
    return *m_help;
}

void Form1::ShowHelpTopic(int context)
{
    Help().ShowTopic(context);
}

void Form1::mnuhelpcontents_Click()
{
    // A help button that has the focus (the one clicked last, until another
    // control takes the focus) chooses the topic, as F1 would.
    QWidget* focused = focusWidget();
    for (const auto& [button, context] : m_helpButtons) {
        if (button != nullptr && button == focused) {
            ShowHelpTopic(context);
            return;
        }
    }
    Help().ShowContents();
}

void Form1::mnuabout_Click()
{
    if (m_about == nullptr)
        m_about = new frmAbout(m_dialogs, this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Form1::SSTab1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPointF position)
{
    if (button != Qt::RightButton)
        return;
    m_tabDrag = 1;
    m_tabDragAnchor = { position.x(), position.y() };
}

void Form1::SSTab1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF position)
{
    if (m_tabDrag != 1)
        return;
    m_tabPosition = DraggedPanelPosition(m_tabPosition, m_tabDragAnchor, { position.x(), position.y() });
    PlaceTabPanel();
}

void Form1::SSTab1_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPointF)
{
    m_tabDrag = 0;
}

} // namespace lumvane
