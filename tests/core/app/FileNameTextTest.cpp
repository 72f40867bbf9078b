#include "core/app/FileNameText.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(WindowCaption, DropsThePathUpToItsFirstSeparator)
{
    EXPECT_EQ(WindowCaption("/home/ann/obs/m31.fts"), "Lumvane - home/ann/obs/m31.fts");
    EXPECT_EQ(WindowCaption("C:\\obs\\m31.fts"), "Lumvane - obs\\m31.fts");
    EXPECT_EQ(WindowCaption("D:\\night1\\m42_001.fts"), "Lumvane - night1\\m42_001.fts");
    EXPECT_EQ(WindowCaption("m31.fts"), "Lumvane - m31.fts");
    EXPECT_EQ(WindowCaption("obs/m31.fts"), "Lumvane - m31.fts");
}

TEST(ListedFileName, DropsTheListedNameUpToItsFirstSeparatorKeepingBlanks)
{
    EXPECT_EQ(ListedFileName("/obs/m31.fts"), "obs/m31.fts");
    EXPECT_EQ(ListedFileName("\\m42_001.fts"), "m42_001.fts");
    EXPECT_EQ(ListedFileName("D:\\a\\b.fts  "), "a\\b.fts  ");
    EXPECT_EQ(ListedFileName("/tmp/a.fts  "), "tmp/a.fts  ");
    EXPECT_EQ(ListedFileName("field.001   "), "field.001   ");
    EXPECT_EQ(ListedFileName("            "), "            ");
}

} // namespace
} // namespace lumvane
