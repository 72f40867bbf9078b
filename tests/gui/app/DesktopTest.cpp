#include "support/Form1Fixture.h"
#include "support/SyntheticSky.h"

#include "gui/app/HelpWindow.h"
#include "gui/app/TabPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace lumvane {
namespace {

using test::ShownDialog;

/// A sky of 1000 counts with one star of 20000 counts at (30, 30).
int StarField(int x, int y)
{
    return 1000 + static_cast<int>(std::lround(test::GaussianStar(x - 30.0, y - 30.0, 20000.0, std::sqrt(2.0))));
}

class Desktop : public test::Form1Fixture {
protected:
    void SetUp() override
    {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QString WriteImage(const std::string& name, int width = 60, int height = 50)
    {
        test::WritePhysicalImage(dir.File(name), width, height, StarField);
        return File(name);
    }

    /// Drags `data` onto the scrolled view and, when the window takes it,
    /// drops it there; true when the window took the drag. A drag taken on
    /// entry must be taken by the drop too.
    bool DragAndDrop(const QMimeData& data)
    {
        QWidget* target = Images().PicTwo();
        const QPoint at(5, 5);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
        return true;
    }

    static QMimeData* Urls(const QList<QUrl>& urls)
    {
        auto* data = new QMimeData;
        data->setUrls(urls);
        return data;
    }

    int FileNumber() { return form->RunSession().store.files.CurrentFile(); }

    /// The topic the help window shows ("contents" or a context number).
    QString ShownTopic() const
    {
        auto* help = form->findChild<HelpWindow*>();
        return help != nullptr && help->isVisible() ? help->Browser()->source().fragment() : QString();
    }

    void Press(QKeyCombination keys) { QTest::keyClick(form.get(), keys.key(), keys.keyboardModifiers()); }
};

TEST_F(Desktop, AFileDroppedOnTheWindowOpensAsOpenSingleImageWould)
{
    const QString first = WriteImage("m31.fts", 60, 50);
    const QString second = WriteImage("m42.fts", 70, 40);

    const std::unique_ptr<QMimeData> data(Urls({ QUrl::fromLocalFile(first) }));
    ASSERT_TRUE(DragAndDrop(*data));
    ASSERT_TRUE(QTest::qWaitFor([&] { return FileNumber() == 1; }));
    const QString dropCaption = form->windowTitle();
    EXPECT_TRUE(dropCaption.endsWith(QStringLiteral("/m31.fts"))) << dropCaption.toStdString();
    EXPECT_EQ(form->RunSession().store.img.Width(), 60);
    EXPECT_TRUE(form->RunSession().store.files.Entry(1).name.ends_with("/m31.fts"));
    EXPECT_TRUE(Find<QAction>("mnurep")->isEnabled()) << "the image was shown";
    EXPECT_EQ(StatusText(4), QStringLiteral("Ready"));
    EXPECT_TRUE(dialogs.Shown().empty());

    // The menu leaves the window as the drop did.
    OpenThroughMenu(first);
    EXPECT_EQ(FileNumber(), 2);
    EXPECT_EQ(form->windowTitle(), dropCaption);

    // Of several files the first is opened, and each drop takes the next number.
    const std::unique_ptr<QMimeData> two(Urls({ QUrl::fromLocalFile(second), QUrl::fromLocalFile(first) }));
    ASSERT_TRUE(DragAndDrop(*two));
    ASSERT_TRUE(QTest::qWaitFor([&] { return FileNumber() == 3; }));
    EXPECT_EQ(form->RunSession().store.img.Width(), 70);
    EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("/m42.fts")));
}

TEST_F(Desktop, DragsWithoutALocalFileOrDuringASeriesAreRefused)
{
    QDir(File("")).mkdir(QStringLiteral("folder"));
    std::vector<std::unique_ptr<QMimeData>> refused;
    refused.emplace_back(Urls({ QUrl(QStringLiteral("https://example.org/m31.fts")) }));
    refused.emplace_back(Urls({ QUrl::fromLocalFile(File("folder")) }));
    refused.emplace_back(Urls({ QUrl::fromLocalFile(File("missing.fts")) }));
    refused.emplace_back(new QMimeData);
    refused.back()->setText(File("m31.fts"));
    WriteImage("m31.fts");
    for (const auto& data : refused)
        EXPECT_FALSE(DragAndDrop(*data)) << data->text().toStdString();

    // While File > Open Single Image is off, so are drops.
    const std::unique_ptr<QMimeData> image(Urls({ QUrl::fromLocalFile(File("m31.fts")) }));
    Find<QAction>("mnuopen")->setEnabled(false);
    EXPECT_FALSE(DragAndDrop(*image));
    QCoreApplication::processEvents();
    EXPECT_EQ(FileNumber(), 0);
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(Desktop, ControlKeysTriggerTheirMenuItemsWhenEnabled)
{
    // Ctrl+O: the open dialog, then the image.
    dialogs.AnswerOpenFile(WriteImage("m31.fts"));
    Press(Qt::CTRL | Qt::Key_O);
    ASSERT_EQ(FileNumber(), 1);
    EXPECT_EQ(dialogs.Shown().front().title, QStringLiteral("Open Image"));

    QSignalSpy replot(Find<QAction>("mnurep"), &QAction::triggered);
    Press(Qt::CTRL | Qt::Key_R);
    EXPECT_EQ(replot.count(), 1);

    // Ctrl+S does nothing while Save Data is off ...
    ASSERT_FALSE(Find<QAction>("mnusave")->isEnabled());
    Press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(dialogs.Shown().size(), 1U);
    // ... and asks for the results file's name once a star is remembered.
    Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(30, 30));
    PressStar(0);
    ASSERT_TRUE(Find<QAction>("mnusave")->isEnabled());
    dialogs.AnswerInput(std::nullopt);
    Press(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(dialogs.Shown().size(), 2U);
    EXPECT_EQ(dialogs.Shown().back().kind, ShownDialog::Kind::Input);
}

TEST_F(Desktop, ControlQExitsAsFileExitDoes)
{
    QTimer::singleShot(0, form.get(), [this] { Press(Qt::CTRL | Qt::Key_Q); });
    QTimer::singleShot(10000, form.get(), [] { QApplication::exit(1); }); // never hang on a broken shortcut
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(Desktop, F1ShowsTheHelpOfTheTabShownOrTheContents)
{
    const struct {
        int tab;
        const char* topic;
    } cases[] = {
        { 0, "contents" }, // Photometry: no topic of its own
        { 1, "contents" }, // Profiles
        { 2, "1003" },
        { 3, "1004" },
        { 4, "1002" },
        { 5, "1005" },
        { 0, "contents" },
    };
    for (const auto& c : cases) {
        Tabs().SetCurrentIndex(c.tab);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        Press(QKeyCombination(Qt::Key_F1));
        EXPECT_EQ(ShownTopic(), QString::fromLatin1(c.topic)) << "tab " << c.tab;
    }
    EXPECT_EQ(form->findChildren<HelpWindow*>().size(), 1);
}

} // namespace
} // namespace lumvane
