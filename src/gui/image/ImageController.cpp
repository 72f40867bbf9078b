#include "gui/image/ImageController.h"

#include "core/app/FileNameText.h"
#include "core/app/Session.h"
#include "core/display/RenderImage.h"
#include "core/image/Calibration.h"
#include "gui/app/Dialogs.h"
#include "gui/app/FileChooser.h"
#include "gui/app/StatusBar.h"
#include "gui/app/WaitCursor.h"
#include "gui/display/DisplayController.h"
#include "gui/image/FileInfoPanel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <limits>

namespace lumvane {

namespace {

// Every image dialog: frames of either extension in either case and the
// numbered files of a series, first.
const QString kImageFileFilter
    = QStringLiteral("FITS and numbered files (*.fts *.fit *.fits *.FTS *.FIT *.FITS *.[0-9][0-9][0-9])"
                     "|*.fts;*.fit;*.fits;*.FTS;*.FIT;*.FITS;*.[0-9][0-9][0-9]|All files (*)|*");

const QString kRecentKey = QStringLiteral("recent/images");
constexpr qsizetype kRecentImages = 8;

} // namespace

ImageController::ImageController(Session& session, Dialogs& dialogs, FileChooser& dlog, DisplayController& display,
    Controls controls, QSettings& settings, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_dlog(dlog)
    , m_display(display)
    , m_controls(controls)
    , m_settings(settings)
{
    connect(m_controls.mnuopen, &QAction::triggered, this, &ImageController::mnuopen_Click);
    connect(m_controls.mnuopen, &QAction::enabledChanged, this, &ImageController::FillRecentMenu);
    connect(m_controls.mnuimagedark, &QAction::triggered, this, &ImageController::mnuimagedark_Click);
    connect(m_controls.mnuimageflat, &QAction::triggered, this, &ImageController::mnuimageflat_Click);
    FillRecentMenu();
}

QString ImageController::ChooseImageFile(const QString& title)
{
    return m_dlog.ShowOpen(title, kImageFileFilter);
}

void ImageController::SetCaptionFor(const QString& fileName)
{
    m_controls.window->setWindowTitle(QString::fromStdString(WindowCaption(fileName.toStdString())));
}

void ImageController::mnuopen_Click()
{
    const QString fileName = ChooseImageFile(QStringLiteral("Open Image"));
    if (fileName.isEmpty())
        return;
    OpenSingleImage(fileName);
}

void ImageController::OpenStartupFile(const QString& fileName)
{
    m_dlog.Remember(fileName);
    OpenSingleImage(fileName);
}

void ImageController::OpenSingleImage(const QString& fileName)
{
    FileList& files = m_session.store.files;
    files.SetCurrentFile(files.CurrentFile() + 1);
    m_controls.status->ShowNow(4, QStringLiteral("Processing"));
    if (ReadImage(fileName, PlaneId::Img).GaveImage())
        AddRecentImage(QFileInfo(fileName).absoluteFilePath());
    m_display.PlotImage();
    m_controls.status->ShowNow(4, QStringLiteral("Ready"));
}

void ImageController::AddRecentImage(const QString& fileName)
{
    QStringList recent = m_settings.value(kRecentKey).toStringList();
    recent.removeAll(fileName);
    recent.prepend(fileName);
    m_settings.setValue(kRecentKey, recent.mid(0, kRecentImages));
    m_settings.sync();
    FillRecentMenu();
}

void ImageController::FillRecentMenu()
{
    QMenu* menu = m_controls.mnurecent;
    menu->clear();
    const QStringList recent = m_settings.value(kRecentKey).toStringList().mid(0, kRecentImages);
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString fileName = recent[i];
        QString caption = QDir::toNativeSeparators(fileName);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        item->setObjectName(QStringLiteral("mnurecent_%1").arg(i));
        connect(item, &QAction::triggered, this, [this, fileName] { OpenStartupFile(fileName); });
    }
    // Off with Open Single Image while a series runs.
    menu->menuAction()->setEnabled(!recent.isEmpty() && m_controls.mnuopen->isEnabled());
}

FitsReadResult ImageController::ReadImage(const QString& fileName, PlaneId plane)
{
    FitsReadResult result;
    {
        WaitCursor busy;
        // Only the image is shown; a dark or flat frame is not.
        result = ReadFitsImage(m_session.store, QFile::encodeName(fileName).toStdString(), plane, m_session.random,
            nullptr, plane == PlaneId::Img ? kMaxShownPixels : std::numeric_limits<long long>::max());
    }
    if (plane == PlaneId::Img && result.GaveImage()) {
        SetCaptionFor(fileName);
        m_display.NewImage();
    }
    ShowReadResult(result);
    return result;
}

void ImageController::ShowReadResult(const FitsReadResult& result)
{
    if (!result.message.empty()) {
        const MessageIcon icon
            = result.status == FitsReadStatus::Truncated ? MessageIcon::Warning : MessageIcon::Critical;
        m_dialogs.Message(QString::fromStdString(result.message), QStringLiteral("Error!"), icon, MessageButtons::Ok);
    }
    if (result.headerRecorded) {
        const ImageStore& store = m_session.store;
        m_controls.fileInfo->ShowFileInfo(store.header, store.files.Entry(store.files.CurrentFile()));
    }
    if (result.cuts)
        m_display.SetCuts(*result.cuts);
}

bool ImageController::ReadCalibrationFrame(const QString& title, PlaneId plane)
{
    const QString fileName = ChooseImageFile(title);
    if (fileName.isEmpty() || !ReadImage(fileName, plane).GaveImage())
        return false;
    ImageStore& store = m_session.store;
    if (!CoversImage(store.Plane(plane), store.img)) {
        ShowFrameTooSmall();
        return false;
    }
    return true;
}

void ImageController::ShowFrameTooSmall()
{
    m_dialogs.Message(QString::fromLatin1(kCalibrationFrameTooSmall), QStringLiteral("Error!"), MessageIcon::Critical,
        MessageButtons::Ok);
}

void ImageController::mnuimagedark_Click()
{
    CalibrateFromMenu(QStringLiteral("Open Dark Subtract Image"), PlaneId::Ds);
}

void ImageController::mnuimageflat_Click()
{
    CalibrateFromMenu(QStringLiteral("Open Flat Field Image"), PlaneId::Ff);
}

void ImageController::CalibrateFromMenu(const QString& title, PlaneId plane)
{
    if (!ReadCalibrationFrame(title, plane))
        return;
    ImageStore& store = m_session.store;
    const ImagePlane& frame = store.Plane(plane);
    if (plane == PlaneId::Ds) {
        DarkSubtract(store.img, frame);
    } else if (const std::optional<float> mean = FlatMean(frame, store.img, store.header.naxis1, store.header.naxis2)) {
        // Without a mean (NAXIS1 or NAXIS2 not positive) nothing is divided.
        FlatField(store.img, frame, *mean);
    }
    m_display.ProposeCuts();
    m_display.PlotImage();
}

} // namespace lumvane
