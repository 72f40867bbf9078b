#include "support/Form1Fixture.h"

#include "gui/app/ProgramFolder.h"
#include "gui/app/TabPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace lumvane {
namespace {

using test::Form1Fixture;

class Form1StartUp : public Form1Fixture { };

TEST_F(Form1StartUp, HasEveryMenuItemWithItsCaptionAndState)
{
    struct Item {
        const char* name;
        const char* caption;
        bool enabled;
    };
    const Item items[] = {
        { "mnuopen", "Open &Single Image", true },
        { "mnurecent", "Open &Recent", false }, // no image opened yet
        { "mnufilepatr", "Open &Patrol Images", true },
        { "mnusave", "Save &Data", false },
        { "mnuexit", "E&xit", true },
        { "mnurep", "&Replot", false },
        { "mnuimageneg", "&Negative", false },
        { "mnuimagehor", "Flip &Horizontal", false },
        { "mnuimagever", "Flip &Vertical", false },
        { "mnuimageflat", "&Flat Field", false },
        { "mnuimagedark", "&Dark Subtract", false },
        { "mnubmp", "Save &BMP", false },
        { "mnuviewfit", "&Fit", true },
        { "mnuviewfull", "1:&1", true },
        { "mnuvieweach", "Show each file of a series", true },
        { "mnulightcurve", "Light &Curve", true },
        { "mnuexportaavso", "Export &AAVSO...", true },
        { "mnuexportcsv", "Export &CSV...", true },
        { "mnuhelpcontents", "&Contents", true },
        { "mnuabout", "&About", true },
    };
    for (const Item& item : items) {
        const QAction* action = Find<QAction>(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption)) << item.name;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
    }
    // The design's view: 1:1 in sixteen colours, the picture kept through a series.
    EXPECT_TRUE(Find<QAction>("mnuviewfull")->isChecked());
    EXPECT_FALSE(Find<QAction>("mnuviewgrey")->isChecked());
    EXPECT_FALSE(Find<QAction>("mnuvieweach")->isChecked());

    // Menus in order, each with its items and separators in order.
    const std::vector<std::pair<QString, QStringList>> menus = {
        { "&File", { "mnuopen", "mnurecent", "mnufilepatr", "mnusave", "null1", "mnuexit" } },
        { "&Image",
            { "mnurep", "mnuimageneg", "mnuimagehor", "mnuimagever", "null6", "mnuimageflat", "mnuimagedark", "null7",
                "mnubmp" } },
        { "&View",
            { "mnuviewfit", "mnuviewquarter", "mnuviewhalf", "mnuviewfull", "null11", "mnuviewgrey", "null12",
                "mnuvieweach" } },
        { "&Results", { "mnulightcurve", "mnuexportaavso", "mnuexportcsv" } },
        { "&Help", { "mnuhelpcontents", "null9", "mnuabout" } },
    };
    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    const QStringList menuNames = { "mnufile", "mnuimage", "mnuview", "mnuresults", "mnuhelp" };
    for (int m = 0; m < 5; ++m) {
        const QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), menuNames[m]);
        EXPECT_EQ(menu->title(), menus[static_cast<std::size_t>(m)].first);
        QStringList names;
        for (const QAction* action : menu->actions()) {
            names << action->objectName();
            EXPECT_EQ(action->isSeparator(), action->objectName().startsWith("null"))
                << action->objectName().toStdString();
        }
        EXPECT_EQ(names, menus[static_cast<std::size_t>(m)].second);
    }
}

TEST_F(Form1StartUp, HasSixTabsAndEveryControlWithItsTextToolTipAndState)
{
    const TabPanel* tabs = Find<TabPanel>("SSTab1");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->Count(), 6);
    const QStringList captions = { "Photometry", "Profiles", "Display", "Options", "File info", "Notes" };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tabs->TabText(i), captions[i]);

    struct Control {
        QString name;
        const char* kind;
        QString text;
        QString toolTip;
        bool enabled = true;
        int tab = -1; // the tab that holds it
    };
    const QString remember = "Remmember star";
    std::vector<Control> controls = {
        { "txtr_0", "QLineEdit", "8", "Enter diaphragm radius", true, 0 },
        { "txtr_1", "QLineEdit", "", "Enter diaphragm radius", true, 0 },
        { "txtr_3", "QLineEdit", "", "Enter diaphragm radius", true, 0 },
        { "txtmp", "QLineEdit", "2", "Stellar center search radius", true, 0 },
        { "mtxtm1", "QLineEdit", "", "Enter St1 magnitude", true, 0 },
        { "btnstar_0", "QPushButton", " St1", "Remember the main standard", true, 0 },
        { "btnstar_1", "QPushButton", "St2", "Remember star", true, 0 },
        { "btnstar_2", "QPushButton", "St3", remember, true, 0 },
        { "btnstar_6", "QPushButton", "St7", remember, true, 0 },
        { "btnstar_7", "QPushButton", "St8", "", true, 0 },
        { "btnstar_8", "QPushButton", "St9", "", true, 0 },
        { "btnstar_9", "QPushButton", "10", "", true, 0 },
        { "btnstar_18", "QPushButton", "19", "", true, 0 },
        { "btnstar_19", "QPushButton", "Var1", remember, true, 0 },
        { "btnstar_21", "QPushButton", "Var3", remember, true, 0 },
        { "btnstar_22", "QPushButton", "Var4", "", true, 0 },
        { "lblsum", "QLineEdit", "", "Sum of counts (background subtracted) within the diaphragm", true, 0 },
        { "lblpx", "QLineEdit", "", "Number of pixcels in the diaphragm", true, 0 },
        { "lblsp", "QLineEdit", "", "The average counts within the diaphragm", true, 0 },
        { "lbleps", "QLineEdit", "", "Magnitude at the place of clicking (within the red diaphragm)", true, 0 },
        { "lblst1", "QLineEdit", "", "Pure counts for St1", true, 0 },
        { "btnconti", "QPushButton", "Continue", "Next patrol file", false, 0 },
        { "Label2", "QLabel", "Center search", "", true, 0 },
        { "Label1", "QLabel", "Mag St1", "", true, 0 },
        { "Label11", "QLabel", "Val St1", "", true, 0 },
        { "Label13", "QLabel", "M hd", "", true, 0 },
        { "Label14", "QLabel", "S/Npx", "", true, 0 },
        { "Label12", "QLabel", "Npx", "", true, 0 },
        { "Label8", "QLabel", "S", "", true, 0 },
        { "Label6", "QLabel", "R", "", true, 0 },
        { "Label7", "QLabel", "Mag", "", true, 0 },
        { "Label38", "QLabel", "Err", "", true, 0 },
        { "Label39", "QLabel", "1", "", true, 0 },
        { "Label42", "QLabel", "4", "", true, 0 },
        { "btnprofplot", "QPushButton", "Plot Profile", "", true, 1 },
        { "btnprofclear", "QPushButton", "Clear Profile", "", true, 1 },
        { "btnprofdata", "QPushButton", "Save Data", "", true, 1 },
        { "btnprofbmp", "QPushButton", "Save BMP", "", true, 1 },
        { "txtprofwidth", "QLineEdit", "1", "", true, 1 },
        { "profcheck", "QCheckBox", "Log Profile", "", true, 1 },
        { "Label9", "QLabel", "Profile width", "", true, 1 },
        { "Label15", "QLabel", "Status", "", true, 1 },
        { "Label17", "QLabel", "X", "", true, 1 },
        { "Label18", "QLabel", "Value", "", true, 1 },
        { "txtmin", "QLineEdit", "", "All values below this will be black", true, 2 },
        { "txtmax", "QLineEdit", "", "All values above this will be white", true, 2 },
        { "Label3", "QLabel", "BLACK", "", true, 2 },
        { "Label4", "QLabel", "WHITE", "", true, 2 },
        { "ChkLog", "QCheckBox", "Log", "Logarithmic image display", true, 2 },
        { "btndispreplot", "QPushButton", "Replot", "Click to replot the image", true, 2 },
        { "btnNegative", "QPushButton", "Negative", "Get negative image", true, 2 },
        { "btnFlipHor", "QPushButton", "Flip Hor", "Flip the image horizontally", true, 2 },
        { "btnFlipVer", "QPushButton", "Flip Ver", "Flip the image vertically", true, 2 },
        { "FrameZoom", "QGroupBox", "Zoom", "", true, 2 },
        { "PictZoom", "QFrame", "", "Zoom window", true, 2 },
        { "LabelZoom", "QLabel", "1", "Zoom In", true, 2 },
        { "Slider1", "QSlider", "", "Change Zoom", true, 2 },
        { "btnDispHelp", "QPushButton", "Help", "", true, 2 },
        { "TROptR1", "QLineEdit", "1.0", "The inner annulus radius for bachground subtraction", true, 3 },
        { "TROptR2", "QLineEdit", "2.0", "The outer annulus radius for bachground subtraction", true, 3 },
        { "TROptMedian", "QLineEdit", "10", "The % of replaced background pixcels", true, 3 },
        { "Option1", "QRadioButton", "Max", "Star center where (Iin-Iout)->max", true, 3 },
        { "Option2", "QRadioButton", "Centroid", "Star center at the weigth center", true, 3 },
        { "ChkSave", "QCheckBox", "Save relatively St1", "Save instrumental magnitudes or respectively St1", true, 3 },
        { "btnoptok", "QPushButton", "Apply", "Click to confirm changes", true, 3 },
        { "btnopthelp", "QPushButton", "Help", "", true, 3 },
        { "Label19", "QLabel", "Background annulus area", "", true, 3 },
        { "Label24", "QLabel", "From:", "", true, 3 },
        { "Label25", "QLabel", "..to..", "", true, 3 },
        { "Label26", "QLabel", "* R", "", true, 3 },
        { "Label22", "QLabel", "Median filtration", "The % of replaced background pixcels", true, 3 },
        { "Label27", "QLabel", "%", "", true, 3 },
        { "Label23", "QLabel", "Star center determination", "", true, 3 },
        { "Label36", "QLabel", "File", "", true, 4 },
        { "Label34", "QLabel", "Size (px)", "", true, 4 },
        { "Label35", "QLabel", "X", "", true, 4 },
        { "Label33", "QLabel", "Exposure time (s)", "", true, 4 },
        { "Label32", "QLabel", "Date", "", true, 4 },
        { "Label31", "QLabel", "Time", "", true, 4 },
        { "Label30", "QLabel", "Temperature", "", true, 4 },
        { "Label29", "QLabel", "Filter", "", true, 4 },
        { "Label28", "QLabel", "History", "", true, 4 },
        { "btnHeader", "QPushButton", "View Header", "See FITS header in NOTES panel", true, 4 },
        { "btnInfoHelp", "QPushButton", "Help", "", true, 4 },
        { "txtnot", "QPlainTextEdit", "", "Use that place for some notes", true, 5 },
        { "btnnotopen", "QPushButton", "Open", "", true, 5 },
        { "btnnotsave", "QPushButton", "Save As", "", true, 5 },
        { "btnClear", "QPushButton", "Clear", "", true, 5 },
        { "btnNotesHelp", "QPushButton", "Help", "", true, 5 },
    };
    for (const Control& c : controls) {
        const QWidget* widget = Find<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        const std::string name = c.name.toStdString();
        EXPECT_TRUE(widget->inherits(c.kind)) << name << " is a " << widget->metaObject()->className();
        const QVariant text = widget->property(widget->inherits("QGroupBox") ? "title" : "text");
        if (text.isValid())
            EXPECT_EQ(text.toString(), c.text) << name;
        else
            EXPECT_TRUE(c.text.isEmpty()) << name << " has no text";
        EXPECT_EQ(widget->toolTip(), c.toolTip) << name;
        EXPECT_EQ(widget->isEnabled(), c.enabled) << name;
        EXPECT_TRUE(tabs->Page(c.tab)->isAncestorOf(widget)) << name << " is not on tab " << c.tab;
    }
    EXPECT_TRUE(Find<QWidget>("FrameZoom")->isAncestorOf(Find<QWidget>("PictZoom")));
    EXPECT_TRUE(Find<QWidget>("FrameZoom")->isAncestorOf(Find<QWidget>("LabelZoom")));
    EXPECT_TRUE(Find<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("Option2")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("ChkSave")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("ChkLog")->isChecked());
    EXPECT_EQ(Find<QSlider>("Slider1")->minimum(), 1);
    EXPECT_EQ(Find<QSlider>("Slider1")->maximum(), 6);
    for (int slot = 0; slot < 23; ++slot)
        EXPECT_NE(form->findChild<QPushButton*>("btnstar_" + QString::number(slot)), nullptr) << slot;
}

TEST_F(Form1StartUp, ShowsTheCaptionStatusBarAndAnEmptyImageArea)
{
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "LUMVANE");
    EXPECT_EQ(form->statusBar()->objectName(), "StatusBar1");
    const QStringList texts = { "X =", "Y =", "Value =", "Ready" };
    const QStringList toolTips = { "X - co-ordinate", "Y - co-ordinate", "Value", "Status bar" };
    int previousWidth = 0;
    for (int panel = 1; panel <= 4; ++panel) {
        const QLabel* label = Find<QLabel>("StatusBar1_" + QString::number(panel));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), texts[panel - 1]);
        EXPECT_EQ(StatusText(panel), texts[panel - 1]);
        EXPECT_EQ(label->toolTip(), toolTips[panel - 1]);
        if (panel == 2) {
            EXPECT_EQ(label->width(), previousWidth);
        } else if (panel > 2) {
            EXPECT_GT(label->width(), previousWidth) << panel;
        }
        previousWidth = label->width();
    }
    EXPECT_FALSE(Find<QWidget>("PicTwo")->isVisible());
    EXPECT_FALSE(Find<QScrollBar>("hsbScroll")->isVisible());
    EXPECT_FALSE(Find<QScrollBar>("vsbScroll")->isVisible());
    EXPECT_EQ(Find<QWidget>("ImageArea")->toolTip(), "Image area");
    // The program's folder (here the test's own) is the current one.
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(File("")).canonicalPath());
    // Where the executable's folder is writable, it is the program's folder.
    EXPECT_EQ(lumvane::ProgramFolder(), QCoreApplication::applicationDirPath());
}

TEST_F(Form1StartUp, SizesTheWindowFromTheScreenAndKeepsTheSplitterForTheNextRun)
{
    struct Layout {
        QSize screen;
        QSize window; // the screen less 500 twips (33.3 pixels) down
        int tabLeft;
    };
    const Layout layouts[] = {
        { { 800, 600 }, { 800, 567 }, 584 },
        { { 1024, 768 }, { 1024, 735 }, 808 },
    };
    const QSize screen = form->screen()->size();
    const auto layout
        = std::find_if(std::begin(layouts), std::end(layouts), [&](const Layout& l) { return l.screen == screen; });
    ASSERT_NE(layout, std::end(layouts)) << "no layout for a " << screen.width() << " x " << screen.height()
                                         << " screen";
    EXPECT_EQ(form->size(), layout->window);
    // The tab panel at the window's right edge, from where the design has it
    // or further left, as wide as its pages need.
    const QWidget* tabs = Find<QWidget>("SSTab1");
    const QRect panel(tabs->mapTo(form.get(), QPoint(0, 0)), tabs->size());
    EXPECT_EQ(panel.right(), form->width() - 1);
    EXPECT_LE(panel.left(), layout->tabLeft);
    EXPECT_TRUE(tabs->isVisible());

    auto* splitter = Find<QSplitter>("WindowSplitter");
    const QList<int> sizes = splitter->sizes();
    splitter->setSizes({ 300, sizes.front() + sizes.back() - 300 });
    form->close();
    form = NewForm();
    EXPECT_EQ(Find<QSplitter>("WindowSplitter")->sizes().front(), 300);
}

TEST_F(Form1StartUp, AtTheSizeOfA1024By768ScreenEveryControlOfEachTabIsInTheWindowAndNoneOverlap)
{
    form->resize(1024, 735); // the window's size on that screen
    TabPanel* tabs = Find<TabPanel>("SSTab1");
    const auto* pages = tabs->findChild<QScrollArea*>();
    ASSERT_NE(pages, nullptr);
    for (int tab = 0; tab < tabs->Count(); ++tab) {
        tabs->SetCurrentIndex(tab);
        QCoreApplication::processEvents();
        const QRect shown(pages->viewport()->mapTo(form.get(), QPoint(0, 0)), pages->viewport()->size());
        ASSERT_TRUE(form->rect().contains(shown));
        std::vector<const QWidget*> controls;
        for (const QWidget* control : tabs->Page(tab)->findChildren<QWidget*>())
            if (control->isVisible() && !control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
                controls.push_back(control);
        ASSERT_GT(controls.size(), 4U) << "tab " << tab;
        const auto place
            = [&](const QWidget* control) { return QRect(control->mapTo(form.get(), QPoint(0, 0)), control->size()); };
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const std::string name = controls[i]->objectName().toStdString();
            EXPECT_TRUE(shown.contains(place(controls[i]))) << name << " on tab " << tab;
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                if (controls[i]->isAncestorOf(controls[j]))
                    continue;
                EXPECT_FALSE(place(controls[i]).intersects(place(controls[j])))
                    << name << " and " << controls[j]->objectName().toStdString();
            }
        }
    }
}

TEST_F(Form1StartUp, ExitEndsTheProgramAtOnceWithoutClosingTheWindow)
{
    QTimer::singleShot(0, form.get(), [this] { Trigger("mnuexit"); });
    QTimer::singleShot(10000, form.get(), [] { QApplication::exit(1); }); // never hang on a broken Exit
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Form1StartUp, TabButtonsChooseThePage)
{
    TabPanel* tabs = Find<TabPanel>("SSTab1");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->CurrentIndex(), 0);
    QTest::mouseClick(Find<QWidget>("SSTab1_tab_4"), Qt::LeftButton);
    EXPECT_EQ(tabs->CurrentIndex(), 4);
    EXPECT_TRUE(Find<QWidget>("lblfilename")->isVisible());
    EXPECT_FALSE(Find<QWidget>("txtr_0")->isVisible());
    tabs->SetCurrentIndex(2);
    EXPECT_TRUE(Find<QAbstractButton>("SSTab1_tab_2")->isChecked());
    EXPECT_FALSE(Find<QAbstractButton>("SSTab1_tab_4")->isChecked());
}

} // namespace
} // namespace lumvane
