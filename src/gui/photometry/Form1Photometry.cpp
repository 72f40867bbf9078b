// The main window's photometry: clicks on the views, the star buttons, the
// results file, the Options tab's Apply and the settings file.

#include "gui/app/Form1.h"

#include "core/app/SettingsFile.h"
#include "core/photometry/StarSlots.h"
#include "core/results/RememberStar.h"
#include "core/results/ResultsFile.h"
#include "gui/app/Dialogs.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/photometry/OptionsPanel.h"
#include "gui/photometry/PhotometryPanel.h"
#include "gui/photometry/ViewMarks.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>

#include <filesystem>

namespace lumvane {

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path SettingsFileIn(const QString& programFolder)
{
    return SettingsFilePath(QFile::encodeName(programFolder).toStdString());
}

QString FileNameText(const std::filesystem::path& file)
{
    return QFile::decodeName(QByteArray::fromStdString(file.string()));
}

} // namespace

void Form1::ConnectPhotometry()
{
    connect(m_imageArea->PicTwo(), &PictureView::MouseDown, this, &Form1::PicTwo_MouseDown);
    connect(m_photometry, &PhotometryPanel::StarButtonClicked, this, &Form1::btnstar_Click);
    m_mnusave = findChild<QAction*>(QStringLiteral("mnusave"));
    connect(m_mnusave, &QAction::triggered, this, &Form1::mnusave_Click);
    connect(m_options->ApplyButton(), &QPushButton::clicked, this, &Form1::btnoptok_Click);
}

void Form1::PicTwo_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position)
{
    const ViewPoint image
        = ImagePointOfView({ position.x(), position.y() }, m_imageArea->Scroll(), m_imageArea->ImageHeight());
    MouseDown(button, shift, image, true);
}

void Form1::Picture1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF imagePoint)
{
    MouseDown(button, shift, { imagePoint.x(), imagePoint.y() }, false);
}

void Form1::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, ViewPoint image, bool fromPicTwo)
{
    // The right button starts a profile line instead of photometry.
    if (ProfileMouseDown(button, image, fromPicTwo))
        return;
    const auto x = static_cast<float>(image.x);
    const auto y = static_cast<float>(image.y);
    // The patrol driver passes Shift too: it never means a quick sum there.
    if (shift == Qt::ShiftModifier && m_session.patrolRunning == 0) {
        QuickSumClick(x, y, fromPicTwo);
        return;
    }
    if (fromPicTwo)
        QCoreApplication::processEvents();

    const int fileNumber = m_session.store.files.CurrentFile();
    const ClickResult result = MeasureClick(m_session.store.img, x, y, ClickSettingsFromTabs(fromPicTwo),
        St1NetCounts(m_session.results, fileNumber), m_session.lastStar);
    ShowClick(result, fromPicTwo);
    if (fromPicTwo) {
        m_imageArea->PicTwo()->update();
        if (!result.trapped)
            ArrangeViews();
    }

    if (m_session.patrolRunning != 0)
        return;
    // A measurement's message for each radius, then the click's own failure.
    for (const DiaphragmResult& diaphragm : result.diaphragms) {
        if (diaphragm.outcome == DiaphragmOutcome::Measured || diaphragm.outcome == DiaphragmOutcome::Trapped)
            ShowStarStatus(diaphragm.measurement.status);
    }
    if (result.trapped)
        MouseDownFailed();
}

ClickSettings Form1::ClickSettingsFromTabs(bool fromPicTwo) const
{
    ClickSettings settings;
    settings.radii = m_photometry->Radii();
    const bool walking = m_session.patrolRunning == 1 && m_session.store.files.CurrentFile() > 1;
    settings.searchRadius = walking ? m_session.patrolSearchRadius : CentreSearchRadius(m_photometry->Search());
    settings.method = m_options->MaxSelected() ? CentringMethod::Peak : CentringMethod::Centroid;
    settings.options = m_session.options.options;
    settings.st1Magnitude = m_photometry->St1Magnitude().value_or(0.0);
    settings.addend = fromPicTwo ? kScrolledViewAddend : kFullViewAddend;
    return settings;
}

void Form1::ShowClick(const ClickResult& result, bool onPicTwo)
{
    for (const ClickCircle& circle : result.circles)
        DrawClickCircle(circle, onPicTwo);
    if (const std::optional<CountTexts> counts = result.FinalCounts())
        m_photometry->ShowCounts(*counts);
    for (int k = 0; k < kClickDiaphragms; ++k) {
        const DiaphragmResult& diaphragm = result.diaphragms[static_cast<std::size_t>(k)];
        if (diaphragm.magnitudes)
            m_photometry->ShowMagnitudes(k, *diaphragm.magnitudes);
    }
}

void Form1::QuickSumClick(float x, float y, bool fromPicTwo)
{
    const QuickSumResult quick = QuickSum(m_session.store.img, x, y, m_photometry->Radii()[0]);
    if (quick.trapped) {
        MouseDownFailed();
        return;
    }
    DrawClickCircle(quick.circle, fromPicTwo);
    m_photometry->ShowCounts(quick.counts);
    if (fromPicTwo)
        m_imageArea->PicTwo()->update();
}

void Form1::DrawClickCircle(const ClickCircle& circle, bool onPicTwo)
{
    const ViewPoint centre { circle.x, circle.y };
    const int height = m_imageArea->ImageHeight();
    const Rgb colour = CircleColour(circle.kind);
    DrawCircle(m_imageArea->Picture1(), ViewPointOfImage(centre, {}, height), circle.radius, colour);
    if (onPicTwo) {
        DrawCircle(m_imageArea->PicTwo()->Picture(), ViewPointOfImage(centre, m_imageArea->Scroll(), height),
            circle.radius, colour);
    }
}

void Form1::ShowStarStatus(StarStatus status)
{
    switch (status) {
    case StarStatus::Found:
        return;
    case StarStatus::Corner:
        m_dialogs.Message(FromView(StarStatusMessage(status)), kProgramTitle, MessageIcon::None, MessageButtons::Ok);
        return;
    case StarStatus::NotFound:
        m_dialogs.Message(
            FromView(StarStatusMessage(status)), QStringLiteral("ERROR"), MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
}

void Form1::MouseDownFailed()
{
    m_dialogs.Message(
        FromView(kMouseDownErrorMessage), FromView(kMouseDownErrorTitle), MessageIcon::Critical, MessageButtons::Ok);
}

void Form1::btnstar_Click(int index)
{
    QCoreApplication::processEvents();
    RememberStar(index);
    RefreshScrolledView();
}

void Form1::RememberStar(int slot)
{
    const LastStar& last = m_session.lastStar;
    const StarRecord record = StarRecordOf(last, m_photometry->Radii());
    // No star found by the last measurement: nothing is drawn or recorded.
    if (!lumvane::RememberStar(m_session.results, slot, m_session.store.files.CurrentFile(), record))
        return;
    ShowRemembered(slot);
}

void Form1::ShowRemembered(int slot)
{
    const LastStar& last = m_session.lastStar;
    const ViewPoint label
        = ViewPointOfImage(StarLabelPosition(last.centreX, last.centreY), {}, m_imageArea->ImageHeight());
    DrawLabel(m_imageArea->Picture1(), label, QString::fromStdString(StarLabel(slot)), StarLabelColour(slot));
    m_mnusave->setEnabled(true);
    m_photometry->CopySumToSt1();
}

void Form1::mnusave_Click()
{
    SaveResults();
}

void Form1::SaveResults()
{
    const FileList& files = m_session.store.files;
    if (files.CurrentFile() == 0) {
        m_dialogs.Message(
            QStringLiteral("No result to save!"), QStringLiteral("ERROR"), MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const std::optional<QString> fileName
        = m_dialogs.Input(QStringLiteral("Enter path and filename of resultfile being saved."), QStringLiteral("SAVE"),
            QStringLiteral("filename.txt"));
    if (!fileName || fileName->isEmpty())
        return;
    const std::string text = ResultsFileText(m_session.results, files, ResultsSettingsFromTabs());
    // The name as typed: a relative one lands in the current (program's) folder.
    const WriteResult written = WriteFileBytes(QFile::encodeName(*fileName).toStdString(), text);
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, *fileName, written);
}

void Form1::btnoptok_Click()
{
    if (!ApplyOptions(m_options->Tab(), m_session.options)) {
        m_dialogs.Message(
            FromView(kOuterRadiusMessage), FromView(kOuterRadiusTitle), MessageIcon::None, MessageButtons::Ok);
        m_dialogs.Beep();
    }
}

void Form1::LoadSettings()
{
    const std::filesystem::path file = SettingsFileIn(m_programFolder);
    const SettingsLoadResult loaded = lumvane::LoadSettings(file);
    if (!loaded.reason.empty())
        ShowCannotWriteFile(m_dialogs, FileNameText(file), { false, loaded.reason });
    m_options->SetTab(loaded.tab);
}

void Form1::SaveSettings()
{
    const OptionsInForce& options = m_session.options;
    if (!options.changed)
        return;
    const std::filesystem::path file = SettingsFileIn(m_programFolder);
    const WriteResult written = WriteFileBytes(file.string(), SavedSettingsText(options.record));
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, FileNameText(file), written);
}

void Form1::closeEvent(QCloseEvent* event)
{
    SaveSettings();
    m_patrol->WindowClosing();
    QMainWindow::closeEvent(event);
}

} // namespace lumvane
