#include "gui/patrol/PatrolDriver.h"

#include "core/app/Session.h"
#include "core/common/NumberText.h"
#include "core/results/RecoveryFile.h"
#include "gui/app/Dialogs.h"
#include "gui/app/StatusBar.h"
#include "gui/display/DisplayController.h"
#include "gui/display/ImageArea.h"
#include "gui/image/ImageController.h"
#include "gui/patrol/PatrolProgress.h"
#include "gui/photometry/TabSettings.h"
#include "gui/results/ResultsController.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>

#include <filesystem>

namespace lumvane {

namespace {

/// The wait loop's code when Continue ended it; any other code (an ending
/// application's) means the window is going.
constexpr int kContinued = 1;

} // namespace

/// Shows each file and measurement of the walk, and lets the window's events
/// run after each measurement.
class PatrolDriver::WindowObserver : public PatrolObserver {
public:
    explicit WindowObserver(PatrolDriver& driver)
        : m_driver(driver)
    {
    }

    void FileRead(int fileNumber, const std::string& fileName) override { m_driver.ShowFile(fileNumber, fileName); }

    void Measured(const PatrolMeasurement& measurement) override
    {
        // A click made while the walk yields centres with the walk's radius.
        m_driver.m_walkSearchRadius = measurement.searchRadius;
        emit m_driver.Measured(measurement);
        m_driver.m_controls.images->RefreshScrolledView();
        QCoreApplication::processEvents();
    }

private:
    PatrolDriver& m_driver;
};

PatrolDriver::PatrolDriver(Session& session, Dialogs& dialogs, const TabSettings& tabs, ImageController& images,
    DisplayController& display, ResultsController& results, Controls controls, const QString& programFolder,
    QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_tabs(tabs)
    , m_images(images)
    , m_display(display)
    , m_results(results)
    , m_controls(controls)
    , m_programFolder(programFolder)
{
    connect(m_controls.mnufilepatr, &QAction::triggered, this, &PatrolDriver::mnufilepatr_Click);
    connect(m_controls.btnconti, &QPushButton::clicked, this, &PatrolDriver::btnconti_Click);
    connect(this, &PatrolDriver::RunningChanged, this, [this](bool running) {
        m_controls.mnufilepatr->setEnabled(!running);
        m_controls.mnuopen->setEnabled(!running);
    });
    connect(this, &PatrolDriver::RunningChanged, m_controls.progress, &PatrolProgress::RunningChanged);
}

std::optional<int> PatrolDriver::ClickSearchRadius() const
{
    if (m_state == PatrolState::Walking && m_session.store.files.CurrentFile() > 1)
        return m_walkSearchRadius;
    return std::nullopt;
}

void PatrolDriver::mnufilepatr_Click()
{
    const MessageAnswer save = m_dialogs.Message(
        QStringLiteral("Any data obtained up to now will be lost! Do you want to save current data?"),
        QStringLiteral("STOP"), MessageIcon::None, MessageButtons::YesNo);
    if (save == MessageAnswer::Yes && m_session.store.files.CurrentFile() > 0)
        m_results.SaveResults();
    const QString fileName = m_images.ChooseImageFile(QStringLiteral("Open First Patrol File"));
    if (fileName.isEmpty())
        return;
    m_controls.status->ShowNow(4, QStringLiteral("Processing"));
    m_controls.progress->CountSeries(fileName);
    ProcessPatrolFile(fileName);
    m_controls.status->ShowNow(4, QStringLiteral("Ready"));
}

void PatrolDriver::ProcessPatrolFile(const QString& firstFile)
{
    m_state = PatrolState::Opening;
    m_refusalShown = false;
    m_recoveryFailureShown = false;
    emit RunningChanged(true);
    StartPatrolSeries(m_session.store, m_session.results);
    if (!m_images.ReadImage(firstFile, PlaneId::Img).GaveImage()) {
        // No file read: none to name.
        m_session.store.files.SetCurrentFile(0);
        EndOfSeries();
        return;
    }
    const bool dark = AskCalibrationFrame(QStringLiteral("Do you want dark subtraction?"),
        QStringLiteral("DARK SUBTRACTION?"), QStringLiteral("Open Dark Subtract Image"), PlaneId::Ds);
    const bool flat = AskCalibrationFrame(QStringLiteral("Do you want flat fielding?"),
        QStringLiteral("FLAT FIELDING?"), QStringLiteral("Open Flat Field Image"), PlaneId::Ff);
    SeriesCalibration calibration(dark, flat);
    if ((dark || flat) && !ReadFirstFileCalibrated(firstFile, calibration)) {
        m_session.store.files.SetCurrentFile(0);
        EndOfSeries();
        return;
    }
    m_display.PlotImage();
    m_controls.status->ShowNow(4, QStringLiteral("Mark the stars to follow, then press Continue"));
    // Unless the window closed meanwhile.
    if (m_state == PatrolState::Opening)
        m_state = PatrolState::Waiting;
    m_controls.btnconti->setEnabled(true);
    if (WaitForContinue())
        Walk(firstFile, calibration);
    EndOfSeries();
}

bool PatrolDriver::AskCalibrationFrame(
    const QString& question, const QString& questionTitle, const QString& fileTitle, PlaneId plane)
{
    if (m_dialogs.Message(question, questionTitle, MessageIcon::None, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    return m_images.ReadCalibrationFrame(fileTitle, plane);
}

bool PatrolDriver::ReadFirstFileCalibrated(const QString& firstFile, SeriesCalibration& calibration)
{
    // The stars are marked on file 1 calibrated as every later file, and its
    // entry names it again, not the calibration frame read last.
    PatrolStepResult first;
    first.read = calibration.Read(
        m_session.store, QFile::encodeName(firstFile).toStdString(), m_session.random, first.calibration);
    // A message about the file was shown with its first read.
    first.read.message.clear();
    ShowStep(first);
    return first.read.GaveImage();
}

bool PatrolDriver::WaitForContinue()
{
    while (m_state == PatrolState::Waiting) {
        QEventLoop loop;
        m_wait = &loop;
        const int code = loop.exec();
        m_wait = nullptr;
        if (code != kContinued)
            m_state = PatrolState::Closing;
    }
    return m_state != PatrolState::Closing;
}

void PatrolDriver::btnconti_Click()
{
    switch (m_state) {
    case PatrolState::Waiting:
        m_state = PatrolState::Walking;
        if (m_wait != nullptr)
            m_wait->exit(kContinued);
        return;
    case PatrolState::Walking:
        m_state = PatrolState::WalkingFlagDown;
        return;
    case PatrolState::WalkingFlagDown:
        m_state = PatrolState::Walking;
        return;
    case PatrolState::Idle:
    case PatrolState::Opening:
    case PatrolState::Closing:
        // Continue is off then.
        return;
    }
}

void PatrolDriver::WindowClosing()
{
    if (m_state == PatrolState::Idle)
        return;
    m_state = PatrolState::Closing;
    if (m_wait != nullptr)
        m_wait->exit(0);
}

void PatrolDriver::Walk(const QString& firstFile, SeriesCalibration calibration)
{
    const PatrolData data { m_session.store, m_session.results, m_session.lastStar, m_session.random };
    m_calibrating = calibration.Dark() || calibration.Flat();
    PatrolWalk walk(QFile::encodeName(firstFile).toStdString(), calibration);
    RecoveryFile recovery(std::filesystem::path(QFile::encodeName(m_programFolder).toStdString()) / kRecoveryFileName);
    WindowObserver observer(*this);
    while (m_state != PatrolState::Closing) {
        const PatrolStepResult step = walk.Step(data, m_tabs.Patrol(), observer);
        // Between files no click centres with a walk's radius.
        m_walkSearchRadius = 0;
        if (step.step == PatrolStep::EndOfSeries) {
            // A file there but not an image says why the series ends there.
            if (step.read.status != FitsReadStatus::CannotOpen)
                m_images.ShowReadResult(step.read);
            return;
        }
        ShowStep(step);
        if (step.step == PatrolStep::FileDone) {
            WriteRecovery(recovery);
            emit FileMeasured(step.fileNumber);
        }
        if (step.step == PatrolStep::St1Lost) {
            m_dialogs.Message(QStringLiteral("Main standard is probably not found. Please click on it again and press "
                                             "button CONTINUE"),
                QStringLiteral("Not found"), MessageIcon::Critical, MessageButtons::Ok);
            // Whatever Continue did meanwhile, unless the window closed.
            if (m_state != PatrolState::Closing)
                m_state = PatrolState::Waiting;
            m_display.PlotImage();
            m_controls.status->ShowNow(4, QStringLiteral("Click St1, then press Continue"));
            if (!WaitForContinue())
                return;
        }
        QCoreApplication::processEvents();
    }
}

void PatrolDriver::ShowFile(int fileNumber, const std::string& fileName)
{
    // A calibrated file's cuts come from it as calibrated, not as read; a
    // file drawn anew is drawn with cuts of its own.
    m_display.NewImage();
    const bool drawn = m_controls.mnuvieweach->isChecked();
    m_cutsProposed = m_calibrating || drawn;
    if (m_cutsProposed)
        m_display.ProposeCuts();
    if (drawn)
        m_display.PlotImage();
    m_controls.window->setWindowTitle(
        QStringLiteral("Lumvane - ") + QFile::decodeName(QByteArray::fromStdString(fileName)));
    m_controls.status->ShowNow(
        4, QString::fromStdString(NumberText(std::int64_t { fileNumber })) + QStringLiteral(" - patrol file"));
    m_controls.progress->ShowFile(fileNumber);
}

void PatrolDriver::ShowStep(const PatrolStepResult& step)
{
    FitsReadResult read = step.read;
    if (m_cutsProposed)
        read.cuts.reset();
    m_images.ShowReadResult(read);
    const SeriesCalibrationOutcome& refused = step.calibration;
    if ((refused.darkRefused || refused.flatRefused) && !m_refusalShown) {
        // Once a series: the frames stay as they are for every file.
        m_refusalShown = true;
        m_images.ShowFrameTooSmall();
    }
}

void PatrolDriver::WriteRecovery(RecoveryFile& recovery)
{
    const WriteResult written = recovery.Write(m_session.results, m_session.store.files, m_tabs.Results());
    if (!written.written && !m_recoveryFailureShown) {
        m_recoveryFailureShown = true;
        ShowCannotWriteFile(m_dialogs, QFile::decodeName(recovery.Name().c_str()), written);
    }
}

void PatrolDriver::EndOfSeries()
{
    m_walkSearchRadius = 0;
    if (m_state != PatrolState::Closing) {
        m_dialogs.Beep();
        if (m_state != PatrolState::Walking) {
            m_dialogs.Message(QStringLiteral("Error in Open procedure!"), QStringLiteral("ERROR"),
                MessageIcon::Critical, MessageButtons::Ok);
        } else {
            m_dialogs.Message(QStringLiteral("No more patrol files. You may now save collected so far data by "
                                             "File/Save Data menu"),
                kProgramTitle, MessageIcon::None, MessageButtons::Ok);
        }
    }
    // The walk already left the file number at the last file read.
    m_state = PatrolState::Idle;
    m_controls.btnconti->setEnabled(false);
    emit RunningChanged(false);
}

} // namespace lumvane
