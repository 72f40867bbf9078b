#include "gui/patrol/PatrolDriver.h"

#include "core/common/NumberText.h"
#include "core/image/Calibration.h"
#include "gui/app/Dialogs.h"
#include "gui/app/Form1.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>

namespace lumvane {

namespace {

/// The wait loop's code when Continue ended it; any other code (an ending
/// application's) means the window is going.
constexpr int kContinued = 1;

bool Readable(const FitsReadResult& read)
{
    return read.status == FitsReadStatus::Read || read.status == FitsReadStatus::Truncated;
}

/// Shows the walk's measurements as the full-size view's clicks would, and
/// lets the window's events run after each.
class WindowObserver : public PatrolObserver {
public:
    explicit WindowObserver(Form1& form)
        : m_form(form)
    {
    }

    void FileRead(int fileNumber, const std::string& fileName) override
    {
        m_form.setWindowTitle(QStringLiteral("Lumvane - ") + QFile::decodeName(QByteArray::fromStdString(fileName)));
        m_form.SetStatusText(4, QString::fromStdString(NumberText(std::int64_t { fileNumber })) + " - patrol file");
    }

    void Measured(const PatrolMeasurement& measurement) override
    {
        // A click made while the walk yields centres with the walk's radius.
        m_form.RunSession().patrolSearchRadius = measurement.searchRadius;
        m_form.ShowClick(measurement.click, false);
        if (measurement.remembered)
            m_form.ShowRemembered(measurement.slot);
        m_form.RefreshScrolledView();
        QCoreApplication::processEvents();
    }

private:
    Form1& m_form;
};

} // namespace

PatrolDriver::PatrolDriver(Form1& form, Dialogs& dialogs)
    : QObject(&form)
    , m_form(form)
    , m_dialogs(dialogs)
{
}

void PatrolDriver::SetRunning(bool running)
{
    m_running = running;
    emit RunningChanged(running);
}

void PatrolDriver::ProcessPatrolFile(const QString& firstFile)
{
    Session& session = m_form.RunSession();
    m_closing = false;
    m_refusalShown = false;
    SetRunning(true);
    StartPatrolSeries(session.store, session.results);
    if (!Readable(m_form.ReadImage(firstFile, PlaneId::Img))) {
        // No file read: none to name.
        session.store.files.SetCurrentFile(0);
        EndOfSeries();
        return;
    }
    const bool dark = AskCalibrationFrame(QStringLiteral("Do you want dark subtraction?"),
        QStringLiteral("DARK SUBTRACTION?"), QStringLiteral("Open Dark Subtract Image"), PlaneId::Ds);
    const bool flat = AskCalibrationFrame(QStringLiteral("Do you want flat fielding?"),
        QStringLiteral("FLAT FIELDING?"), QStringLiteral("Open Flat Field Image"), PlaneId::Ff);
    // The first file is shown and measured as read; the frames apply from file 2 on.
    m_form.PlotImage();
    m_form.findChild<QPushButton*>(QStringLiteral("btnconti"))->setEnabled(true);
    if (WaitForContinue())
        Walk(firstFile, SeriesCalibration(dark, flat));
    EndOfSeries();
}

bool PatrolDriver::AskCalibrationFrame(
    const QString& question, const QString& questionTitle, const QString& fileTitle, PlaneId plane)
{
    if (m_dialogs.Message(question, questionTitle, MessageIcon::None, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    const QString fileName = m_form.ChooseImageFile(fileTitle);
    if (fileName.isEmpty() || !Readable(m_form.ReadImage(fileName, plane)))
        return false;
    ImageStore& store = m_form.RunSession().store;
    if (!CoversImage(store.Plane(plane), store.img)) {
        m_dialogs.Message(QString::fromLatin1(kCalibrationFrameTooSmall.data(),
                              static_cast<qsizetype>(kCalibrationFrameTooSmall.size())),
            QStringLiteral("Error!"), MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    return true;
}

bool PatrolDriver::WaitForContinue()
{
    Session& session = m_form.RunSession();
    while (session.patrolRunning != 1 && !m_closing) {
        QEventLoop loop;
        m_wait = &loop;
        const int code = loop.exec();
        m_wait = nullptr;
        if (code != kContinued)
            m_closing = true;
    }
    return !m_closing;
}

void PatrolDriver::btnconti_Click()
{
    int& flag = m_form.RunSession().patrolRunning;
    flag = flag == 0 ? 1 : 0;
    if (flag == 1 && m_wait != nullptr)
        m_wait->exit(kContinued);
}

void PatrolDriver::WindowClosing()
{
    m_closing = true;
    if (m_wait != nullptr)
        m_wait->exit(0);
}

void PatrolDriver::Walk(const QString& firstFile, SeriesCalibration calibration)
{
    Session& session = m_form.RunSession();
    const PatrolData data { session.store, session.results, session.lastStar, session.random };
    PatrolWalk walk(QFile::encodeName(firstFile).toStdString(), calibration);
    WindowObserver observer(m_form);
    while (!m_closing) {
        const PatrolStepResult step = walk.Step(data, m_form.PatrolSettingsFromTabs(), observer);
        // Between files no click centres with a walk's radius.
        session.patrolSearchRadius = 0;
        if (step.step == PatrolStep::EndOfSeries) {
            // A file there but not an image says why the series ends there.
            if (step.read.status != FitsReadStatus::CannotOpen)
                m_form.ShowReadResult(step.read);
            return;
        }
        ShowStep(step);
        if (step.step == PatrolStep::FileDone)
            emit FileMeasured(step.fileNumber);
        if (step.step == PatrolStep::St1Lost) {
            m_dialogs.Message(QStringLiteral("Main standard is probably not found. Please click on it again and press "
                                             "button CONTINUE"),
                QStringLiteral("Not found"), MessageIcon::Critical, MessageButtons::Ok);
            session.patrolRunning = 0;
            m_form.PlotImage();
            if (!WaitForContinue())
                return;
        }
        QCoreApplication::processEvents();
    }
}

void PatrolDriver::ShowStep(const PatrolStepResult& step)
{
    m_form.ShowReadResult(step.read);
    const SeriesCalibrationOutcome& refused = step.calibration;
    if ((refused.darkRefused || refused.flatRefused) && !m_refusalShown) {
        // Once a series: the frames stay as they are for every file.
        m_refusalShown = true;
        m_dialogs.Message(QString::fromLatin1(kCalibrationFrameTooSmall.data(),
                              static_cast<qsizetype>(kCalibrationFrameTooSmall.size())),
            QStringLiteral("Error!"), MessageIcon::Critical, MessageButtons::Ok);
    }
}

void PatrolDriver::EndOfSeries()
{
    Session& session = m_form.RunSession();
    session.patrolSearchRadius = 0;
    if (!m_closing) {
        m_dialogs.Beep();
        if (session.patrolRunning == 0) {
            m_dialogs.Message(QStringLiteral("Error in Open procedure!"), QStringLiteral("ERROR"),
                MessageIcon::Critical, MessageButtons::Ok);
        } else {
            m_dialogs.Message(QStringLiteral("No more patrol files. You may now save collected so far data by "
                                             "File/Save Data menu"),
                kProgramTitle, MessageIcon::None, MessageButtons::Ok);
        }
    }
    // The walk already left the file number at the last file read.
    session.patrolRunning = 0;
    m_form.findChild<QPushButton*>(QStringLiteral("btnconti"))->setEnabled(false);
    SetRunning(false);
}

} // namespace lumvane
