#include "support/Form1Fixture.h"

#include "gui/app/HelpWindow.h"
#include "gui/app/TabPanel.h"
#include "gui/app/frmAbout.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <filesystem>
#include <map>

namespace lumvane {
namespace {

using test::Form1Fixture;
using test::ShownDialog;

/// The anchors of a help document, each with the text it heads.
std::map<QString, QString> Anchors(const QTextDocument& document)
{
    std::map<QString, QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            for (const QString& name : fragment.fragment().charFormat().anchorNames())
                anchors[name] = block.text().trimmed();
        }
    }
    return anchors;
}

class HelpAndAbout : public Form1Fixture {
protected:
    HelpWindow* Help() const { return form->findChild<HelpWindow*>(); }

    /// The anchor the help window was opened at; fails when it is not open.
    QString ShownTopic() const
    {
        HelpWindow* help = Help();
        if (help == nullptr || !help->isVisible()) {
            ADD_FAILURE() << "the help window is not open";
            return {};
        }
        return help->Browser()->source().fragment();
    }
};

TEST_F(HelpAndAbout, EachHelpButtonOpensItsTabsTopic)
{
    struct Button {
        const char* name;
        int tab;
        const char* topic;
        const char* heading;
    };
    const Button buttons[] = {
        { "btnInfoHelp", 4, "1002", "The File info tab" },
        { "btnDispHelp", 2, "1003", "The Display tab" },
        { "btnopthelp", 3, "1004", "The Options tab" },
        { "btnNotesHelp", 5, "1005", "The Notes tab" },
    };
    for (const Button& button : buttons) {
        Tabs().SetCurrentIndex(button.tab);
        QTest::mouseClick(Find<QPushButton>(button.name), Qt::LeftButton);
        EXPECT_EQ(ShownTopic(), button.topic) << button.name;
        ASSERT_NE(Help(), nullptr);
        EXPECT_EQ(QFileInfo(Help()->Browser()->source().toLocalFile()).canonicalFilePath(),
            QFileInfo(HelpFileName()).canonicalFilePath());
        EXPECT_EQ(Anchors(*Help()->Browser()->document())[button.topic], button.heading) << button.name;
    }
    EXPECT_EQ(form->findChildren<HelpWindow*>().size(), 1) << "one help window serves every topic";
}

TEST_F(HelpAndAbout, ContentsFollowsTheFocusedHelpButtonElseShowsTheContents)
{
    Trigger("mnuhelpcontents");
    EXPECT_EQ(ShownTopic(), "contents");

    Tabs().SetCurrentIndex(3);
    QTest::mouseClick(Find<QPushButton>("btnopthelp"), Qt::LeftButton);
    ASSERT_EQ(ShownTopic(), "1004");
    Help()->Browser()->setSource(QUrl::fromLocalFile(HelpFileName())); // the reader moves on
    Trigger("mnuhelpcontents");
    EXPECT_EQ(ShownTopic(), "1004");

    // Once another control has the focus, Contents opens the contents again.
    Tabs().SetCurrentIndex(5);
    Find<QPlainTextEdit>("txtnot")->setFocus();
    Trigger("mnuhelpcontents");
    EXPECT_EQ(ShownTopic(), "contents");
}

TEST_F(HelpAndAbout, TheHelpFileHasEveryTopicAndNoBrokenLink)
{
    QFile file(HelpFileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << HelpFileName().toStdString() << " is not beside the program";
    const QString html = QString::fromUtf8(file.readAll());
    QTextDocument document;
    document.setHtml(html);
    const std::map<QString, QString> anchors = Anchors(document);
    for (const char* topic : { "contents", "1002", "1003", "1004", "1005" })
        EXPECT_EQ(anchors.count(topic), 1U) << topic;

    const QRegularExpression link("href=\"#([^\"]+)\"");
    int links = 0;
    for (auto match = link.globalMatch(html); match.hasNext(); ++links) {
        const QString target = match.next().captured(1);
        EXPECT_EQ(anchors.count(target), 1U) << "broken link #" << target.toStdString();
    }
    EXPECT_GE(links, 12);
}

TEST_F(HelpAndAbout, AMissingHelpFileIsReportedInTheHelpWindow)
{
    const QString missing = File("Tarnel32.html");
    HelpWindow help(missing);
    help.ShowTopic(kHelpOptions);
    EXPECT_TRUE(help.isVisible());
    const QString shown = help.Browser()->toPlainText();
    EXPECT_TRUE(shown.contains("Help is not available")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(missing)) << shown.toStdString();
    EXPECT_TRUE(dialogs.Shown().empty());
}

class AboutBox : public HelpAndAbout {
protected:
    frmAbout* Open()
    {
        Trigger("mnuabout");
        auto* about = form->findChild<frmAbout*>("frmAbout");
        EXPECT_NE(about, nullptr);
        return about;
    }

    QString Text(const frmAbout& about, const char* label) const
    {
        auto* control = about.findChild<QLabel*>(label);
        EXPECT_NE(control, nullptr) << label;
        return control ? control->text() : QString();
    }
};

TEST_F(AboutBox, ShowsTitleVersionAndDescriptionWithoutBlocking)
{
    frmAbout* about = Open();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "About Lumvane");
    EXPECT_EQ(Text(*about, "lblTitle"), "Lumvane");
    EXPECT_EQ(Text(*about, "lblVersion"), "Version 1.2.2");
    EXPECT_GT(Text(*about, "lblDescription").size(), 40);
    EXPECT_EQ(about->findChild<QLabel*>("lblDescription")->font().family(), "Times New Roman");
    EXPECT_EQ(about->findChild<QPushButton*>("cmdOK")->text(), "OK");
    EXPECT_EQ(about->findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");

    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(Open(), about) << "the box is shown again, not made anew";
    EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutBox, ClosesWhenAnotherWindowIsActivated)
{
    frmAbout* about = Open();
    ASSERT_NE(about, nullptr);
    QTRY_VERIFY(about->isActiveWindow());
    form->activateWindow();
    QTRY_VERIFY(!about->isVisible());
}

/// Runs the test with PATH set to one folder of the test's own.
class SystemInfo : public AboutBox {
protected:
    void SetUp() override
    {
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(File("bin")));
        std::filesystem::create_directories(dir.File("bin"));
    }
    void TearDown() override { qputenv("PATH", m_path); }

private:
    QByteArray m_path;
};

TEST_F(SystemInfo, WithoutAToolSaysItIsUnavailable)
{
    frmAbout* about = Open();
    ASSERT_NE(about, nullptr);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    ASSERT_EQ(dialogs.Shown().size(), 1U);
    const ShownDialog& shown = dialogs.Shown()[0];
    EXPECT_EQ(shown.text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(shown.title, "Lumvane");
    EXPECT_EQ(shown.icon, MessageIcon::None);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
}

TEST_F(SystemInfo, StartsTheSystemsInformationTool)
{
    const std::string marker = dir.File("started");
    const std::string tool = dir.File("bin/gnome-system-monitor");
    test::WriteFileBytes(tool, "#!/bin/sh\n: > '" + marker + "'\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);

    frmAbout* about = Open();
    ASSERT_NE(about, nullptr);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(marker), 10000);
    EXPECT_TRUE(dialogs.Shown().empty());
}

} // namespace
} // namespace lumvane
