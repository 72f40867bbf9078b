// The main window's calibration commands and its patrol series: the Image
// menu's Dark Subtract and Flat Field, File > Open Patrol Images and Continue.

#include "gui/app/Form1.h"

#include "core/image/Calibration.h"
#include "core/image/CutProposal.h"
#include "core/results/RecoveryFile.h"
#include "gui/app/Dialogs.h"
#include "gui/display/DisplayPanel.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/patrol/PatrolProgress.h"
#include "gui/photometry/PhotometryPanel.h"

#include <QAction>
#include <QFile>
#include <QPushButton>

#include <memory>

namespace lumvane {

void Form1::ConnectPatrol()
{
    m_patrol = new PatrolDriver(*this, m_dialogs);
    connect(findChild<QAction*>(QStringLiteral("mnuimagedark")), &QAction::triggered, this, &Form1::mnuimagedark_Click);
    connect(findChild<QAction*>(QStringLiteral("mnuimageflat")), &QAction::triggered, this, &Form1::mnuimageflat_Click);
    connect(findChild<QAction*>(QStringLiteral("mnufilepatr")), &QAction::triggered, this, &Form1::mnufilepatr_Click);
    connect(findChild<QPushButton*>(QStringLiteral("btnconti")), &QPushButton::clicked, this, &Form1::btnconti_Click);
    // Either command would clear or renumber the running series' table.
    connect(m_patrol, &PatrolDriver::RunningChanged, this, [this](bool running) {
        findChild<QAction*>(QStringLiteral("mnufilepatr"))->setEnabled(!running);
        findChild<QAction*>(QStringLiteral("mnuopen"))->setEnabled(!running);
    });
    // After each file the results so far go to the recovery file in the
    // program's folder. A failure is told once a series: the walk goes on.
    const auto recoveryFailureShown = std::make_shared<bool>(false);
    connect(m_patrol, &PatrolDriver::RunningChanged, this, [recoveryFailureShown](bool running) {
        if (running)
            *recoveryFailureShown = false;
    });
    connect(m_patrol, &PatrolDriver::FileMeasured, this, [this, recoveryFailureShown](int /*fileNumber*/) {
        const std::filesystem::path folder(QFile::encodeName(m_programFolder).toStdString());
        const WriteResult written
            = WriteRecoveryFile(folder, m_session.results, m_session.store.files, ResultsSettingsFromTabs());
        if (!written.written && !*recoveryFailureShown) {
            *recoveryFailureShown = true;
            ShowCannotWriteFile(m_dialogs, QFile::decodeName(RecoveryFilePath(folder).c_str()), written);
        }
    });
}

void Form1::mnuimagedark_Click()
{
    CalibrateFromMenu(QStringLiteral("Open Dark Subtract Image"), PlaneId::Ds);
}

void Form1::mnuimageflat_Click()
{
    CalibrateFromMenu(QStringLiteral("Open Flat Field Image"), PlaneId::Ff);
}

void Form1::CalibrateFromMenu(const QString& title, PlaneId plane)
{
    const QString fileName = ChooseImageFile(title);
    if (fileName.isEmpty())
        return;
    const FitsReadResult read = ReadImage(fileName, plane);
    if (read.status != FitsReadStatus::Read && read.status != FitsReadStatus::Truncated)
        return;
    ImageStore& store = m_session.store;
    const ImagePlane& frame = store.Plane(plane);
    if (!CoversImage(frame, store.img)) {
        m_dialogs.Message(QString::fromLatin1(kCalibrationFrameTooSmall.data(),
                              static_cast<qsizetype>(kCalibrationFrameTooSmall.size())),
            QStringLiteral("Error!"), MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    if (plane == PlaneId::Ds) {
        DarkSubtract(store.img, frame);
    } else if (const std::optional<float> mean = FlatMean(frame, store.img, store.header.naxis1, store.header.naxis2)) {
        // Without a mean (NAXIS1 or NAXIS2 not positive) nothing is divided.
        FlatField(store.img, frame, *mean);
    }
    m_display->SetCuts(ProposeCuts(store.img, m_session.random));
    PlotImage();
}

void Form1::mnufilepatr_Click()
{
    const MessageAnswer save = m_dialogs.Message(
        QStringLiteral("Any data obtained up to now will be lost! Do you want to save current data?"),
        QStringLiteral("STOP"), MessageIcon::None, MessageButtons::YesNo);
    if (save == MessageAnswer::Yes && m_session.store.files.CurrentFile() > 0)
        SaveResults();
    const QString fileName = ChooseImageFile(QStringLiteral("Open First Patrol File"));
    if (fileName.isEmpty())
        return;
    SetStatusText(4, QStringLiteral("Processing"));
    m_patrolProgress->CountSeries(fileName);
    m_patrol->ProcessPatrolFile(fileName);
    SetStatusText(4, QStringLiteral("Ready"));
}

void Form1::btnconti_Click()
{
    m_patrol->btnconti_Click();
}

PatrolSettings Form1::PatrolSettingsFromTabs() const
{
    PatrolSettings settings;
    // The walk sets its own search radius and addend.
    settings.click = ClickSettingsFromTabs(false);
    settings.search = m_photometry->Search();
    return settings;
}

} // namespace lumvane
