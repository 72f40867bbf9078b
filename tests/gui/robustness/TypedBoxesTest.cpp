// Every box the user types into, against the texts a tired observer types:
// the window measures, renders, plots and saves on, and shows only the
// messages its rules give.

#include "AnsweredWindow.h"

#include "core/photometry/OptionRules.h"

#include <QPushButton>

namespace lumvane {
namespace {

using namespace test;

const QString kLong(300, QLatin1Char('7'));

/// The texts of the sweep.
const QString kTexts[] = { QString(), QStringLiteral("-"), QStringLiteral("1e999"), QStringLiteral("nan"),
    QStringLiteral("3,5"), QStringLiteral(" 7 "), kLong };

class TypedBoxes : public AnsweredWindow {
protected:
    void SetUp() override
    {
        AnsweredWindow::SetUp();
        for (const char* box : { "txtr_0", "txtr_1", "txtr_2", "txtr_3", "txtmp", "mtxtm1", "txtmin", "txtmax",
                 "txtprofwidth", "TROptR1", "TROptR2", "TROptMedian" })
            m_defaults.emplace_back(box, Text(box));
    }

    /// Types over the whole box; an empty text deletes what it held.
    void TypeOver(const char* boxName, const QString& text)
    {
        QLineEdit* box = Find<QLineEdit>(QString::fromLatin1(boxName));
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }

    /// What the boxes hold after start-up and an opened image.
    void ResetBoxes()
    {
        for (const auto& [box, text] : m_defaults)
            if (Text(box) != text)
                TypeOver(box, text);
    }

    /// Uses every box's value once: Apply, a click on a star, a right-button
    /// line for a profile, a replot and Save Data.
    void UseTheBoxes()
    {
        QTest::mouseClick(Find<QPushButton>(QStringLiteral("btnoptok")), Qt::LeftButton);
        ClickOnView(kGaussianStar);
        PressStar(1);
        DrawProfileLine();
        QTest::mouseClick(Find<QPushButton>(QStringLiteral("btndispreplot")), Qt::LeftButton);
        Trigger(QStringLiteral("mnusave"));
    }

    /// The read-outs stay short numbers or blanks, whatever was typed.
    void ExpectSaneReadouts(const std::string& what)
    {
        for (const char* name : { "lblsum", "lblpx", "lblsp", "lblmv_0", "lblmv_1", "lblmv_2", "lblmv_3" }) {
            const QString shown = Text(name);
            EXPECT_LE(shown.size(), 24) << what << ' ' << name << " shows " << shown.toStdString();
            EXPECT_FALSE(shown.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << what << ' ' << name;
        }
        EXPECT_FALSE(ReadFileBytes(dir.File("typed.txt")).empty()) << what;
        // The measurement's own messages, whichever title its status gives,
        // and the question whether to replace the file saved before.
        const QString known[]
            = { QStringLiteral("Error in MouseDown procedure!"), QString::fromLatin1(kOuterRadiusMessage.data()),
                  QStringLiteral("No star is found here or the diaphragm radius is very large!"),
                  File("typed.txt") + QStringLiteral(" already exists. Do you want to replace it?") };
        for (const QString& message : answering.messages) {
            const QString text = message.mid(message.indexOf(QStringLiteral(": ")) + 2);
            EXPECT_NE(std::find(std::begin(known), std::end(known), text), std::end(known))
                << what << " showed " << message.toStdString();
        }
        answering.messages.clear();
    }

    /// The boxes and what they hold with the image open.
    std::vector<std::pair<const char*, QString>> m_defaults;
};

TEST_F(TypedBoxes, EveryBoxTakesAnyTextAndTheWindowWorksOn)
{
    for (const auto& [box, unused] : m_defaults) {
        for (const QString& text : kTexts) {
            const std::string what = std::string(box) + " '" + text.left(12).toStdString() + "'";
            TypeOver(box, text);
            UseTheBoxes();
            ExpectSaneReadouts(what);
            ResetBoxes();
        }
    }
}

} // namespace
} // namespace lumvane
