#include "support/FitsWriter.h"
#include "support/Form1Fixture.h"

#include "core/display/LevelPalette.h"
#include "gui/app/QtDialogs.h"
#include "gui/display/ImageArea.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace lumvane {
namespace {

using test::Form1Fixture;
using test::ShownDialog;
using test::ValueCard;

const QStringList kImageItems
    = { "mnuimagedark", "mnuimageflat", "mnubmp", "mnurep", "mnuimageneg", "mnuimagehor", "mnuimagever" };

class OpenImage : public Form1Fixture {
protected:
    // Physical 1000 where the cut proposal samples (x, y = 15..25), 3000
    // elsewhere: the proposed cuts are 950 and 1950.
    static int Observation(int x, int y) { return x >= 15 && x <= 25 && y >= 15 && y <= 25 ? 1000 : 3000; }

    QString WriteObservation(const std::string& name, int width = 60, int height = 40)
    {
        std::filesystem::create_directories(std::filesystem::path(dir.File(name)).parent_path());
        test::WritePhysicalImage(dir.File(name), width, height, Observation,
            { ValueCard("EXPTIME", "30"), ValueCard("TEMPERAT", "-20.5"),
                ValueCard("DATE-OBS", "'2026-12-06T21:15:30'"), ValueCard("FILTER", "'V       '"),
                "HISTORY   bias-sub 12 frames" });
        return File(name);
    }

    QString Text(const QString& name) const
    {
        if (auto* label = form->findChild<QLabel*>(name))
            return label->text();
        auto* box = Find<QLineEdit>(name);
        return box ? box->text() : QString();
    }

    void ExpectImageItemsEnabled(bool enabled) const
    {
        for (const QString& name : kImageItems)
            EXPECT_EQ(Find<QAction>(name)->isEnabled(), enabled) << name.toStdString();
        EXPECT_FALSE(Find<QAction>("mnusave")->isEnabled());
    }
};

TEST_F(OpenImage, MenuOpensTheFileAndShowsCaptionFileInfoCutsAndPicture)
{
    const QString path = WriteObservation("obs/m31.fts");
    OpenThroughMenu(path);

    ASSERT_EQ(dialogs.Shown().size(), 1U);
    const ShownDialog& shown = dialogs.Shown()[0];
    EXPECT_EQ(shown.kind, ShownDialog::Kind::OpenFile);
    EXPECT_EQ(shown.title, "Open Image");
    EXPECT_EQ(shown.request.filterIndex, 1);
    EXPECT_EQ(shown.request.fileName, "");
    EXPECT_EQ(shown.request.folder, QDir::currentPath());

    // "/tmp/.../obs/m31.fts": the caption drops the first "/", the panel
    // shows the last 12 characters "/obs/m31.fts" without their first "/".
    EXPECT_EQ(form->windowTitle(), "Lumvane - " + path.mid(1));
    EXPECT_EQ(Text("lblfilename"), "obs/m31.fts");
    EXPECT_EQ(Text("lbln1"), " 60");
    EXPECT_EQ(Text("lbln2"), " 40");
    EXPECT_EQ(Text("lblexpt"), " 30");
    EXPECT_EQ(Text("lbltemper"), "-20.5");
    EXPECT_EQ(Text("lbldate"), "2026-12-06");
    EXPECT_EQ(Text("lbltime"), "21:15:30");
    EXPECT_EQ(Text("lblhistory"), "bias-sub 1");
    EXPECT_EQ(Text("lblfilter").size(), 10);
    EXPECT_TRUE(Text("lblfilter").startsWith("V "));
    EXPECT_EQ(Text("txtmin"), " 950");
    EXPECT_EQ(Text("txtmax"), " 1950");

    ExpectImageItemsEnabled(true);
    EXPECT_EQ(StatusText(4), "Ready");
    const FileList& files = form->RunSession().store.files;
    EXPECT_EQ(files.CurrentFile(), 1);
    EXPECT_EQ(files.Entry(1).name, "/obs/m31.fts");

    // The picture: white where 3000 >= 1950, black in the sampled square.
    ImageArea& images = Images();
    EXPECT_TRUE(Find<QWidget>("PicTwo")->isVisible());
    EXPECT_EQ(Find<QWidget>("ImageArea")->toolTip(), "");
    ASSERT_EQ(images.Picture1().size(), QSize(56, 36));
    EXPECT_EQ(images.Picture1().pixel(30 - 2, 40 - 2 - 30), PackedColour({ 255, 255, 255 }));
    EXPECT_EQ(images.Picture1().pixel(20 - 2, 40 - 2 - 20), PackedColour({ 0, 0, 0 }));
}

TEST_F(OpenImage, ImageDialogsListFramesOfEveryFitsExtensionAndNumberedFilesFirst)
{
    const QStringList names = { "dark.FTS", "field.001", "field.002", "field.0001", "flat.fts", "m42.FITS", "m42.fit",
        "m42.fits.gz", "notes.txt" };
    std::filesystem::create_directory(dir.File("frames"));
    for (const QString& name : names)
        test::WriteFileBytes(dir.File("frames/" + name.toStdString()), "x");
    // Names matched as the dialog's patterns say, case by case.
    const auto listed = [&](const QString& filter) {
        const qsizetype open = filter.lastIndexOf('(');
        const QStringList patterns = filter.mid(open + 1).chopped(1).split(' ');
        return QDir(File("frames")).entryList(patterns, QDir::Files | QDir::CaseSensitive, QDir::Name);
    };
    for (const char* command : { "mnuopen", "mnufilepatr" }) {
        if (QString(command) == "mnufilepatr")
            dialogs.AnswerMessage(MessageAnswer::No); // keep no data
        dialogs.AnswerOpenFile("");
        Trigger(command);
        const QStringList filters = QtNameFilters(dialogs.Shown().back().request.filter);
        ASSERT_EQ(filters.size(), 2) << command;
        EXPECT_EQ(listed(filters[0]),
            (QStringList { "dark.FTS", "field.001", "field.002", "flat.fts", "m42.FITS", "m42.fit" }))
            << command;
        EXPECT_EQ(listed(filters[1]).size(), names.size()) << command;
    }
}

TEST_F(OpenImage, CancelledDialogChangesNothingAndUsesNoFileNumber)
{
    dialogs.AnswerOpenFile("");
    Trigger("mnuopen");
    EXPECT_EQ(form->windowTitle(), "LUMVANE");
    EXPECT_EQ(form->RunSession().store.files.CurrentFile(), 0);
    EXPECT_EQ(StatusText(4), "Ready");
    EXPECT_EQ(Text("lbln1"), "");
    EXPECT_EQ(Text("txtmin"), "");
    EXPECT_FALSE(Find<QWidget>("PicTwo")->isVisible());
    ExpectImageItemsEnabled(false);

    OpenThroughMenu(WriteObservation("m31.fts"));
    EXPECT_EQ(form->RunSession().store.files.CurrentFile(), 1);
    EXPECT_EQ(dialogs.Shown().size(), 2U);
}

TEST_F(OpenImage, EachOpenTakesTheNextFileNumberAndTheDialogOpensInTheLastFolder)
{
    const QString first = WriteObservation("night1/a.fts");
    const QString second = WriteObservation("night2/b.fts", 30, 30);
    OpenThroughMenu(first);
    OpenThroughMenu(second);
    dialogs.AnswerOpenFile("");
    // The notes' Open shares the window's dialog, under a title of its own.
    Find<QPushButton>("btnnotopen")->click();

    ASSERT_EQ(dialogs.Shown().size(), 3U);
    EXPECT_EQ(dialogs.Shown()[1].request.folder, File("night1"));
    EXPECT_EQ(dialogs.Shown()[2].request.folder, File("night2"));
    EXPECT_EQ(dialogs.Shown()[2].title, "Open Notes");
    const FileList& files = form->RunSession().store.files;
    EXPECT_EQ(files.CurrentFile(), 2);
    EXPECT_EQ(files.Entry(1).name, "night1/a.fts");
    EXPECT_EQ(files.Entry(2).name, "night2/b.fts");
    EXPECT_EQ(Text("lblfilename"), "b.fts");
    EXPECT_EQ(Text("lbln1"), " 30");
    EXPECT_EQ(form->windowTitle(), "Lumvane - " + second.mid(1));
}

TEST_F(OpenImage, PathShorterThanTwelveCharactersIsShownPadded)
{
    std::string name = "/tmp/XXXXXX"; // 11 characters
    const int descriptor = ::mkstemp(name.data());
    ASSERT_GE(descriptor, 0);
    ::close(descriptor);
    test::WritePhysicalImage(name, 30, 30, Observation);
    OpenThroughMenu(QString::fromStdString(name));
    std::filesystem::remove(name);

    EXPECT_EQ(form->RunSession().store.files.Entry(1).name, name + " ");
    EXPECT_EQ(Text("lblfilename"), QString::fromStdString(name.substr(1) + " "));
    EXPECT_EQ(form->windowTitle(), QString::fromStdString("Lumvane - " + name.substr(1)));
}

TEST_F(OpenImage, ReaderMessagesShowWithTitleErrorAndTheirIconWhileProcessing)
{
    QStringList statusDuringMessages;
    dialogs.OnShow([&](const ShownDialog& shown) {
        if (shown.kind == ShownDialog::Kind::Message)
            statusDuringMessages << StatusText(4);
    });

    // A name that leads to no file still uses up a file number.
    const QString missing = File("missing.fts");
    auto openWithMessage = [&](const QString& fileName) {
        dialogs.AnswerOpenFile(fileName);
        dialogs.AnswerMessage(MessageAnswer::Ok);
        Trigger("mnuopen");
    };
    openWithMessage(missing);

    // BITPIX 8: the header is shown, the picture keeps its previous content.
    const std::string eightBit = dir.File("eight.fts");
    test::WriteFileBytes(eightBit, test::HeaderBlocks(test::ImageCards(30, 20, 8)) + std::string(2880, '\0'));
    openWithMessage(QString::fromStdString(eightBit));
    EXPECT_EQ(Text("lbln1"), " 30");
    EXPECT_EQ(Text("lbln2"), " 20");

    // A file that ends inside its data: a warning, and the rows read are shown.
    const std::string cut = dir.File("cut.fts");
    test::WriteFileBytes(cut, test::HeaderBlocks(test::ImageCards(40, 40)) + std::string(1000, '\0'));
    openWithMessage(QString::fromStdString(cut));

    ASSERT_EQ(dialogs.Shown().size(), 6U);
    const ShownDialog& cannotOpen = dialogs.Shown()[1];
    EXPECT_EQ(cannotOpen.text, "Cannot open file " + missing + ": No such file or directory");
    EXPECT_EQ(cannotOpen.title, "Error!");
    EXPECT_EQ(cannotOpen.icon, MessageIcon::Critical);
    EXPECT_EQ(cannotOpen.buttons, MessageButtons::Ok);
    const ShownDialog& notSixteen = dialogs.Shown()[3];
    EXPECT_EQ(notSixteen.text, "This file most probably is not in a 16 bit FITS format and might not be displayed");
    EXPECT_EQ(notSixteen.title, "Error!");
    EXPECT_EQ(notSixteen.icon, MessageIcon::Critical);
    const ShownDialog& truncated = dialogs.Shown()[5];
    EXPECT_FALSE(truncated.text.isEmpty());
    EXPECT_EQ(truncated.title, "Error!");
    EXPECT_EQ(truncated.icon, MessageIcon::Warning);

    EXPECT_EQ(statusDuringMessages, (QStringList { "Processing", "Processing", "Processing" }));
    EXPECT_EQ(StatusText(4), "Ready");
    EXPECT_EQ(form->RunSession().store.files.CurrentFile(), 3);
    EXPECT_EQ(Text("lbln1"), " 40");
    EXPECT_EQ(Images().Picture1().size(), QSize(36, 36));

    // More pixels than the window shows: refused, and the picture stays.
    const std::string huge = dir.File("huge.fts");
    test::WriteFileBytes(huge, test::HeaderBlocks(test::ImageCards(32767, 32767)));
    openWithMessage(QString::fromStdString(huge));
    EXPECT_EQ(dialogs.Shown().back().text,
        "An image of 32767 x 32767 pixels is larger than the 200 megapixels that can be shown");
    EXPECT_EQ(form->RunSession().store.img.Width(), 40);
    EXPECT_EQ(Images().Picture1().size(), QSize(36, 36));
}

TEST_F(OpenImage, StartUpFileOpensAsTheMenuWould)
{
    const QString path = WriteObservation("obs/m42.fts");
    form->OpenStartupFile(path);
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_EQ(form->windowTitle(), "Lumvane - " + path.mid(1));
    EXPECT_EQ(form->RunSession().store.files.CurrentFile(), 1);
    EXPECT_EQ(Text("lbln1"), " 60");
    EXPECT_EQ(Text("txtmax"), " 1950");
    EXPECT_TRUE(Find<QWidget>("PicTwo")->isVisible());
    ExpectImageItemsEnabled(true);

    dialogs.AnswerOpenFile("");
    Trigger("mnuopen");
    ASSERT_EQ(dialogs.Shown().size(), 1U);
    EXPECT_EQ(dialogs.Shown()[0].request.folder, File("obs"));
}

} // namespace
} // namespace lumvane
