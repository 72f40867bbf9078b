#include "core/notes/HeaderCards.h"

#include "support/FitsWriter.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

using test::Card;

TEST(HeaderCardLines, EveryCardOnItsOwnLineBlanksKept)
{
    const std::string header = Card("SIMPLE  =                    T") + Card("BITPIX  =                   16")
        + Card("END") + std::string(5760 - 3 * kHeaderCardLength, ' ');
    const std::string lines = HeaderCardLines(header);

    EXPECT_EQ(lines.size(), header.size() + 72);
    EXPECT_EQ(lines.substr(0, 81), Card("SIMPLE  =                    T") + "\n");
    EXPECT_EQ(lines.substr(81, 81), Card("BITPIX  =                   16") + "\n");
    EXPECT_EQ(lines.substr(162, 81), Card("END") + "\n");
    EXPECT_EQ(lines.substr(lines.size() - 81), std::string(kHeaderCardLength, ' ') + "\n");
    // Taking the line breaks out gives the header back.
    std::string joined;
    for (const char c : lines) {
        if (c != '\n')
            joined += c;
    }
    EXPECT_EQ(joined, header);
}

TEST(HeaderCardLines, ShortLastCardAndEmptyHeader)
{
    EXPECT_EQ(HeaderCardLines(""), "");
    EXPECT_EQ(HeaderCardLines(Card("A") + "END"), Card("A") + "\nEND\n");
}

} // namespace
} // namespace lumvane
