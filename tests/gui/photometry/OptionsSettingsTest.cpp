#include "PhotometryFixture.h"

#include "core/app/SettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace lumvane {
namespace {

const std::string kNewFile = "Do not delete or change this file!\r\n20302011\r\n";

class Options : public test::PhotometryFixture {
protected:
    /// Types a text key by key into a box over all its text; the box's text
    /// and the beeps after each key.
    std::vector<std::pair<QString, int>> TypeKeys(const char* boxName, const QString& keys)
    {
        QLineEdit* box = Find<QLineEdit>(QString::fromLatin1(boxName));
        box->selectAll();
        std::vector<std::pair<QString, int>> seen;
        for (const QChar key : keys) {
            QTest::keyClick(box, key.toLatin1());
            seen.emplace_back(box->text(), Beeps());
        }
        return seen;
    }

    void Apply() { Find<QPushButton>("btnoptok")->click(); }

    const OptionsInForce& InForce() { return form->RunSession().options; }

    std::string SettingsText() const { return test::ReadFileBytes(SettingsFile().toStdString()); }
};

using Seen = std::vector<std::pair<QString, int>>;

TEST_F(Options, BoxesKeepTheirLimitsKeyByKey)
{
    EXPECT_EQ(TypeKeys("txtr_0", "17"), (Seen { { "1", 0 }, { "16", 0 } }));
    EXPECT_EQ(TypeKeys("txtr_3", "0"), (Seen { { "", 0 } }));
    EXPECT_EQ(TypeKeys("txtmp", "7"), (Seen { { "5", 0 } }));
    EXPECT_EQ(TypeKeys("TROptMedian", "45"), (Seen { { "4", 0 }, { "30", 1 } }));
    EXPECT_EQ(TypeKeys("TROptR1", "0"), (Seen { { "1", 2 } }));
    // The outer factor has no limit of its own.
    EXPECT_EQ(TypeKeys("TROptR2", "0"), (Seen { { "0", 2 } }));
}

TEST_F(Options, ApplyRefusesAnOuterFactorNotAboveTheInner)
{
    const OptionsInForce before = InForce();
    Type("TROptR1", QStringLiteral("2.0"));
    Type("TROptR2", QStringLiteral("2.0"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Apply();
    ASSERT_EQ(dialogs.Shown().size(), 2U);
    EXPECT_EQ(dialogs.Shown()[0].text, QStringLiteral("Outer radius should be bigger than inner"));
    EXPECT_EQ(dialogs.Shown()[0].title, QStringLiteral("Error!"));
    EXPECT_EQ(dialogs.Shown()[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.Shown()[1].kind, test::ShownDialog::Kind::Beep);
    EXPECT_EQ(InForce().options, before.options);
    EXPECT_EQ(InForce().record, before.record);
    EXPECT_FALSE(InForce().changed);
}

TEST_F(Options, ApplySetsTheOptionsAndTheirRecord)
{
    Type("TROptR1", QStringLiteral("1.5"));
    Type("TROptR2", QStringLiteral("3"));
    Type("TROptMedian", QStringLiteral("20"));
    Find<QRadioButton>("Option2")->click();
    EXPECT_FALSE(Find<QRadioButton>("Option1")->isChecked());
    // Typed but not applied: the options in force stay.
    EXPECT_EQ(InForce().options, PhotometryOptions {});
    Apply();
    EXPECT_EQ(InForce().options, (PhotometryOptions { 1.5F, 3.0F, 20.0F }));
    EXPECT_EQ(InForce().record, "25403001");
    EXPECT_TRUE(InForce().changed);

    Type("TROptR1", QStringLiteral("1.0"));
    Type("TROptR2", QStringLiteral("2.0"));
    Type("TROptMedian", QStringLiteral("10"));
    Find<QRadioButton>("Option1")->click();
    Find<QCheckBox>("ChkSave")->setChecked(false);
    Apply();
    EXPECT_EQ(InForce().record, "20302010");
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(Options, MissingSettingsFileIsCreatedWithTheDefaultLine)
{
    // The boxes' start-up texts are the start-up test's.
    EXPECT_EQ(SettingsText(), kNewFile);
    EXPECT_EQ(form->RunSession().options.options, PhotometryOptions {});
}

TEST_F(Options, SettingsLineFillsTheTabAndADamagedLineIsToldAndLeftAside)
{
    struct Case {
        const char* line;
        const char* inner;
        const char* outer;
        const char* median;
        bool max;
        bool saveRelative;
        PhotometryOptions inForce;
        bool damaged = false; ///< told on the status bar, and left aside
    };
    const Case cases[] = {
        { "25403001", " 1.5", " 3", " 20", false, true, { 1.5F, 3.0F, 20.0F } },
        { "20204510", " 1", " 1", "10", true, false, { 1.0F, 2.0F, 10.0F } }, // outer = inner; 35 %
        { "garbage!", "1.0", "2.0", "10", true, true, { 1.0F, 2.0F, 10.0F }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string text = std::string("Do not change this file!\r\n") + c.line + "\r\n";
        Restart(text);
        EXPECT_EQ(Text("TROptR1"), QString::fromLatin1(c.inner));
        EXPECT_EQ(Text("TROptR2"), QString::fromLatin1(c.outer));
        EXPECT_EQ(Text("TROptMedian"), QString::fromLatin1(c.median));
        EXPECT_EQ(Find<QRadioButton>("Option1")->isChecked(), c.max);
        EXPECT_EQ(Find<QRadioButton>("Option2")->isChecked(), !c.max);
        EXPECT_EQ(Find<QCheckBox>("ChkSave")->isChecked(), c.saveRelative);
        EXPECT_EQ(form->RunSession().options.options, c.inForce);
        EXPECT_EQ(Find<QLabel>("StatusBar1_4")->text(),
            c.damaged ? QString::fromUtf8(kSettingsUnreadableText) : QStringLiteral("Ready"));
        // Reading never rewrites the file.
        EXPECT_EQ(SettingsText(), text);
    }
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(Options, ClosingWithoutApplyLeavesTheFileByteForByte)
{
    const std::string text = "my own first line\n25403001\r\nmore\r\n";
    Restart(text);
    Type("TROptR1", QStringLiteral("2.5"));
    form->close();
    EXPECT_EQ(SettingsText(), text);
}

TEST_F(Options, ClosingAfterApplyWritesTheRecord)
{
    Type("TROptR1", QStringLiteral("1.5"));
    Type("TROptR2", QStringLiteral("3"));
    Type("TROptMedian", QStringLiteral("20"));
    Find<QRadioButton>("Option2")->click();
    Apply();
    // Typed after Apply: not kept.
    Type("TROptMedian", QStringLiteral("5"));
    form->close();
    EXPECT_EQ(SettingsText(), "Do not change this file!\r\n25403001\r\n");
}

TEST_F(Options, ExitWritesTheSettingsOnce)
{
    Find<QCheckBox>("ChkSave")->setChecked(false);
    Apply();
    QTimer::singleShot(0, form.get(), [this] { Trigger("mnuexit"); });
    QTimer::singleShot(10000, form.get(), [] { QApplication::exit(1); }); // never hang on a broken Exit
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(SettingsText(), "Do not change this file!\r\n20302010\r\n");

    // The program ends without closing the window: nothing more is written.
    test::WriteFileBytes(SettingsFile().toStdString(), "changed since\r\n");
    form.reset();
    EXPECT_EQ(SettingsText(), "changed since\r\n");
}

TEST_F(Options, SettingsFileThatCannotBeWrittenSaysSo)
{
    // A folder in the settings file's place.
    form.reset();
    QFile::remove(SettingsFile());
    ASSERT_TRUE(QDir().mkdir(SettingsFile()));
    form = NewForm();
    Apply();
    dialogs.AnswerMessage(MessageAnswer::Ok);
    form->close();
    QDir().rmdir(SettingsFile());
    ASSERT_EQ(dialogs.Shown().size(), 1U);
    EXPECT_TRUE(dialogs.Shown()[0].text.startsWith(QStringLiteral("Cannot write file ") + SettingsFile() + ": "))
        << dialogs.Shown()[0].text.toStdString();
    EXPECT_EQ(dialogs.Shown()[0].title, QStringLiteral("Error!"));
    EXPECT_EQ(dialogs.Shown()[0].icon, MessageIcon::Critical);
}

} // namespace
} // namespace lumvane
