#include "gui/image/ImageController.h"

#include "core/app/FileNameText.h"
#include "core/app/Session.h"
#include "core/display/RenderImage.h"
#include "core/image/Calibration.h"
#include "core/image/CutProposal.h"
#include "gui/app/Dialogs.h"
#include "gui/app/FileChooser.h"
#include "gui/app/StatusBar.h"
#include "gui/app/WaitCursor.h"
#include "gui/display/DisplayController.h"
#include "gui/image/FileInfoPanel.h"

#include <QAction>
#include <QFile>

#include <limits>

namespace lumvane {

namespace {

const QString kImageFileFilter
    = QStringLiteral("FITS files (*.FTS) | *.FTS|FITS patrol files (*.001) | *.001|All files (*.*) | *.*");

} // namespace

ImageController::ImageController(Session& session, Dialogs& dialogs, FileChooser& dlog, DisplayController& display,
    Controls controls, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_dlog(dlog)
    , m_display(display)
    , m_controls(controls)
{
    connect(m_controls.mnuopen, &QAction::triggered, this, &ImageController::mnuopen_Click);
    connect(m_controls.mnuimagedark, &QAction::triggered, this, &ImageController::mnuimagedark_Click);
    connect(m_controls.mnuimageflat, &QAction::triggered, this, &ImageController::mnuimageflat_Click);
}

QString ImageController::ChooseImageFile(const QString& title)
{
    const QString fileName = m_dlog.ShowOpen(title, kImageFileFilter);
    if (!fileName.isEmpty())
        SetCaptionFor(fileName);
    return fileName;
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
    SetCaptionFor(fileName);
    OpenSingleImage(fileName);
}

void ImageController::OpenSingleImage(const QString& fileName)
{
    FileList& files = m_session.store.files;
    files.SetCurrentFile(files.CurrentFile() + 1);
    m_controls.status->ShowNow(4, QStringLiteral("Processing"));
    ReadImage(fileName, PlaneId::Img);
    m_display.PlotImage();
    m_controls.status->ShowNow(4, QStringLiteral("Ready"));
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
    m_display.SetCuts(ProposeCuts(store.img, m_session.random));
    m_display.PlotImage();
}

} // namespace lumvane
