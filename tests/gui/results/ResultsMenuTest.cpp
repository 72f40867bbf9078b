#include "../patrol/PatrolFixture.h"

#include "core/results/CsvFile.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/results/AavsoDialog.h"
#include "gui/results/LightCurveWindow.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <filesystem>

namespace lumvane {
namespace {

using test::ShownDialog;

constexpr int kFieldSide = 90;
/// St1, the check star St 2 and Var 1 on every file; the field stands still.
constexpr ViewPoint kSt1 { 30, 40 };
constexpr ViewPoint kCheck { 60, 25 };
constexpr ViewPoint kVariable { 55, 65 };

/// A frame of the series: Var 1 brightens by a fifth from file to file.
int Frame(int x, int y, int file)
{
    const auto star = [&](ViewPoint at, double flux) { return test::GaussianStar(x - at.x, y - at.y, flux, 1.3); };
    const double variable = 10000.0 * std::pow(1.2, file - 1);
    return 1000
        + static_cast<int>(std::lround(star(kSt1, 40000.0) + star(kCheck, 20000.0) + star(kVariable, variable)));
}

class ResultsMenu : public test::PatrolSeries {
protected:
    /// Writes var.001 .. var.00n, 20 s exposures a minute apart from
    /// 2024-11-08T20:00:00.
    void WriteSeries(int files)
    {
        for (int f = 1; f <= files; ++f) {
            char name[16];
            std::snprintf(name, sizeof name, "var.%03d", f);
            const std::vector<std::string> cards = { "EXPTIME = 20 / seconds", "FILTER  = 'V' / filter",
                "DATE-OBS= '2024-11-08T20:0" + std::to_string(f - 1) + ":00' / start" };
            test::WritePhysicalImage(
                dir.File(name), kFieldSide, kFieldSide, [f](int x, int y) { return Frame(x, y, f); }, cards);
        }
    }

    /// A whole series from var.001: no save, no dark, no flat; on file 1 the
    /// three stars are remembered, then `whileWaiting` runs, then Continue.
    void RunSeries(std::function<void()> whileWaiting = {})
    {
        Type("mtxtm1", QStringLiteral("10"));
        AnswerStart(File("var.001"));
        dialogs.AnswerMessage(MessageAnswer::Ok); // the end of the series
        WhenWaiting({ { 0, kSt1 }, { 1, kCheck }, { 19, kVariable } }, std::move(whileWaiting));
        Trigger(QStringLiteral("mnufilepatr"));
    }

    LightCurveWindow* LightCurveShown()
    {
        Trigger(QStringLiteral("mnulightcurve"));
        auto* window = form->findChild<LightCurveWindow*>(QStringLiteral("frmLightCurve"));
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window && window->isVisible());
        return window;
    }

    const ShownDialog& LastShown() const { return dialogs.Shown().back(); }
};

TEST_F(ResultsMenu, ClosingWithResultsNotSavedAsksToSaveThemFirst)
{
    OpenSky();
    ClickOnView(test::kBrightStar);
    PressStar(0);
    // Cancel: the window stays.
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(LastShown().text, QStringLiteral("The results have not been saved. Save before closing?"));
    EXPECT_EQ(LastShown().title, QStringLiteral("Lumvane"));
    EXPECT_EQ(LastShown().buttons, MessageButtons::SaveDiscardCancel);

    // Save: the results file is asked for and written, then the window closes.
    dialogs.AnswerMessage(MessageAnswer::Save);
    dialogs.AnswerInput(File("night.txt"));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_NE(test::ReadFileBytes(dir.File("night.txt")).find(" 10000"), std::string::npos);
    // Saved, nothing is asked again.
    form->show();
    form->close();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ResultsMenu, TheLightCurveShowsOnePointPerFileAndStarAfterASeries)
{
    WriteSeries(4);
    RunSeries();
    ASSERT_EQ(form->RunSession().store.files.CurrentFile(), 4);

    LightCurveWindow* window = LightCurveShown();
    ASSERT_NE(window, nullptr);
    const LightCurve& curve = window->Curve();
    EXPECT_TRUE(curve.byJulianDate);
    ASSERT_EQ(curve.series.size(), 3U);
    for (const LightCurveSeries& series : curve.series)
        EXPECT_EQ(series.points.size(), 4U) << series.slot;
    const auto& variable = curve.series[2].points;
    ASSERT_EQ(curve.series[2].slot, 19);
    ASSERT_EQ(variable.size(), 4U);

    // Hovering a point names its file, time and value.
    QWidget* plot = window->findChild<QWidget*>(QStringLiteral("pictlightcurve"));
    ASSERT_NE(plot, nullptr);
    const LightCurveLayout layout = window->Layout();
    const QPointF point(layout.PixelX(variable[1].x) + 2, layout.PixelY(variable[1].magnitude) - 1);
    const QString tip = window->ToolTipAt(point);
    EXPECT_TRUE(tip.startsWith(QStringLiteral("var.002\nJD 2460623.33414, 20:01\nVar 1: "))) << tip.toStdString();
    EXPECT_TRUE(window->ToolTipAt(QPointF(2, 2)).isEmpty());
    // Only the diaphragm with a radius is offered, named by it.
    const auto* diaphragms = window->findChild<QComboBox*>(QStringLiteral("cbodiaphragm"));
    EXPECT_EQ(diaphragms->count(), 1);
    EXPECT_EQ(diaphragms->currentText(), QStringLiteral("r = 8"));

    // The summary marks Var 1, and only it, as varying; a click on its point selects it.
    auto* summary = window->findChild<QTableView*>(QStringLiteral("tblsummary"));
    ASSERT_EQ(summary->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(summary->model()->index(row, 1).data().toString(), row == 2 ? QStringLiteral("varies") : QString());
    QTest::mouseClick(plot, Qt::LeftButton, Qt::NoModifier, point.toPoint());
    ASSERT_EQ(summary->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(summary->selectionModel()->selectedRows().front().data().toString(), QStringLiteral("Var 1"));

    // An ensemble of St1 alone at 10 gives Var 1 its magnitude relative to St1.
    const std::vector<LightCurvePoint> relative = variable;
    auto* comparisons = window->findChild<QTableView*>(QStringLiteral("tblcomparisons"));
    comparisons->model()->setData(comparisons->model()->index(0, 1), QStringLiteral("10"));
    window->findChild<QComboBox*>(QStringLiteral("cbomagnitudes"))->setCurrentIndex(1);
    ASSERT_EQ(window->Curve().series[2].points.size(), 4U);
    for (std::size_t f = 0; f < 4; ++f)
        EXPECT_NEAR(window->Curve().series[2].points[f].magnitude, relative[f].magnitude, 1e-5);
    EXPECT_TRUE(window->Curve().series[0].points.empty());
}

TEST_F(ResultsMenu, TheLightCurveGrowsAsTheSeriesWalks)
{
    WriteSeries(4);
    LightCurveWindow* window = nullptr;
    std::vector<std::size_t> pointsSeen;
    QObject::connect(form->findChild<PatrolDriver*>(), &PatrolDriver::FileMeasured, form.get(),
        [&] { pointsSeen.push_back(window ? window->Curve().series.at(2).points.size() : 0U); });
    RunSeries([&] {
        window = LightCurveShown();
        pointsSeen.push_back(window ? window->Curve().series.at(2).points.size() : 0U);
    });
    EXPECT_EQ(pointsSeen, (std::vector<std::size_t> { 1, 2, 3, 4 }));
}

TEST_F(ResultsMenu, TheLightCurveSavesAsPng)
{
    WriteSeries(2);
    RunSeries();
    LightCurveWindow* window = LightCurveShown();
    ASSERT_NE(window, nullptr);
    dialogs.AnswerSaveFile(File("curve.png"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnsavepng")), Qt::LeftButton);
    EXPECT_EQ(LastShown().title, QStringLiteral("Save PNG"));
    const QImage saved(File("curve.png"), "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), window->findChild<QWidget*>(QStringLiteral("pictlightcurve"))->size());
}

TEST_F(ResultsMenu, ExportsNeedResults)
{
    for (const char* item : { "mnuexportcsv", "mnuexportaavso" }) {
        dialogs.AnswerMessage(MessageAnswer::Ok);
        Trigger(QString::fromLatin1(item));
        EXPECT_EQ(LastShown().text, QStringLiteral("No result to save!")) << item;
        EXPECT_EQ(LastShown().title, QStringLiteral("ERROR"));
        EXPECT_EQ(LastShown().icon, MessageIcon::Critical);
    }
}

TEST_F(ResultsMenu, CsvExportWritesTheSessionsResults)
{
    WriteSeries(3);
    RunSeries();
    dialogs.AnswerSaveFile(File("series.csv"));
    Trigger(QStringLiteral("mnuexportcsv"));
    EXPECT_EQ(LastShown().title, QStringLiteral("Export CSV"));
    EXPECT_EQ(LastShown().request.fileName, QStringLiteral("results.csv"));
    const std::string text = test::ReadFileBytes(dir.File("series.csv"));
    const Session& session = form->RunSession();
    EXPECT_EQ(text, ResultsCsvText(session.results, session.store.files, { 10.0, false, { 8, 0, 0, 0 } }, {}));
    // A header and three stars on three files.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 3 * 3);
}

TEST_F(ResultsMenu, AavsoExportAsksRemembersAndListsWhatIsLeftOut)
{
    WriteSeries(3);
    RunSeries();
    // Var 1 was not measured on file 3.
    ResultsTable& table = form->RunSession().results;
    table.SetStatus(19, 3, 0, MeasureStatus::Unmeasured);

    Trigger(QStringLiteral("mnuexportaavso"));
    auto* dialog = form->findChild<AavsoDialog*>(QStringLiteral("frmAavso"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    // A code the format refuses keeps the dialog open.
    Type("txtobscode", QStringLiteral("TOOLONG"));
    Type("txtstarname", QStringLiteral("SS CYG"));
    Type("txtchart", QStringLiteral("X12345"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("btnok")), Qt::LeftButton);
    EXPECT_EQ(LastShown().text, QStringLiteral("The observer code is longer than 5 characters"));
    EXPECT_TRUE(dialog->isVisible());

    Type("txtobscode", QStringLiteral("xyz"));
    Type("txtcname", QStringLiteral("000-BBP-713"));
    auto* filter = Find<QComboBox>(QStringLiteral("cbofilter"));
    filter->setCurrentText(QStringLiteral("CV"));
    // No valid line: the reasons, and no file.
    for (int f = 1; f <= 2; ++f)
        table.SetStatus(19, f, 0, MeasureStatus::Saturated);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("btnok")), Qt::LeftButton);
    EXPECT_EQ(LastShown().text,
        QStringLiteral("No file has a line the AAVSO database would take\nfile 1 (var.001): the variable is saturated\n"
                       "file 2 (var.002): the variable is saturated\nfile 3 (var.003): the variable was not measured"));
    for (int f = 1; f <= 2; ++f)
        table.SetStatus(19, f, 0, MeasureStatus::Ok);

    Trigger(QStringLiteral("mnuexportaavso"));
    dialogs.AnswerSaveFile(File("report.txt"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("btnok")), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialogs.Shown()[dialogs.Shown().size() - 2].title, QStringLiteral("Export AAVSO"));
    EXPECT_EQ(LastShown().text,
        QStringLiteral("2 lines written. Left out:\nfile 3 (var.003): the variable was not measured"));
    EXPECT_EQ(LastShown().icon, MessageIcon::Information);

    const std::string report = test::ReadFileBytes(dir.File("report.txt"));
    EXPECT_EQ(report.rfind("#TYPE=EXTENDED\r\n#OBSCODE=XYZ\r\n", 0), 0U) << report;
    EXPECT_NE(report.find("\r\nSS CYG,2460623.33345,"), std::string::npos) << report;
    EXPECT_NE(report.find(",CV,NO,STD,000-BBP-713,"), std::string::npos) << report;
    EXPECT_NE(report.find(",St 2,"), std::string::npos) << report;

    // The next run remembers the answers.
    form.reset();
    form = NewForm();
    OpenSky();
    Trigger(QStringLiteral("mnuexportaavso"));
    EXPECT_EQ(Text("txtobscode"), QStringLiteral("xyz"));
    EXPECT_EQ(Text("txtstarname"), QStringLiteral("SS CYG"));
    EXPECT_EQ(Text("txtchart"), QStringLiteral("X12345"));
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("cbocheck"))->currentText(), QStringLiteral("St 2"));
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("cbofilter"))->currentText(), QStringLiteral("CV"));
    EXPECT_EQ(Text("txtcname"), QStringLiteral("000-BBP-713"));
}

} // namespace
} // namespace lumvane
