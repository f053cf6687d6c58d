#include "policy/list_value.h"

#include <gtest/gtest.h>

#include "policy/catalogue.h"

namespace sarvell::test {
namespace {

using namespace policy;
using V = std::vector<std::string>;

TEST(ListValue, SplitsAtEverySeparatorKeepingEmptyEntries) {
    EXPECT_EQ(SplitEntries(".exe"), V{".exe"});
    EXPECT_EQ(SplitEntries(".exe;.bat"), (V{".exe", ".bat"}));
    EXPECT_EQ(SplitEntries(";.a;;.b;"), (V{"", ".a", "", ".b", ""}));
    EXPECT_EQ(SplitEntries(""), V{""});
    EXPECT_EQ(SplitEntries(" .EXE ; x"), (V{" .EXE ", " x"}));  // never trimmed or folded
}

TEST(ListValue, JoinIsTheInverseOfSplit) {
    for (const char* text : {"", ";", ".a;;.b;", " x ;.EXE", ".exe"}) {
        EXPECT_EQ(JoinEntries(SplitEntries(text)), text);
    }
}

TEST(ListValue, NewEntriesGoInFrontOfTheTextRead) {
    EXPECT_EQ(PrependEntry(".exe", "none"), ".exe");
    EXPECT_EQ(PrependEntry(".exe", ".bat"), ".exe;.bat");
    EXPECT_EQ(PrependEntry(".exe", ".bat;"), ".exe;.bat;");
    EXPECT_EQ(PrependEntry(".exe", "None"), ".exe;None");  // the sentinel is case-sensitive
}

TEST(ListValue, UserRowsGiveBackTheirEntryWhole) {
    std::string entry;
    for (const char* e : {".zip", "", ".a-b", " .x - y ", ".c - User Applied", "-"}) {
        ASSERT_TRUE(ParseUserRow(UserRow(e), entry)) << e;
        EXPECT_EQ(entry, e);
    }
    EXPECT_FALSE(ParseUserRow(".exe - Executable File", entry));
    EXPECT_FALSE(ParseUserRow(".zip -User Applied", entry));
    EXPECT_FALSE(ParseUserRow(".zip - user applied", entry));
    EXPECT_FALSE(ParseUserRow("User Applied", entry));
    for (std::string_view row : kCatalogue) EXPECT_FALSE(ParseUserRow(row, entry)) << row;
}

TEST(ListValue, CatalogueRowsGiveTheirExtension) {
    EXPECT_EQ(CatalogueExtension(".cmd - DOS CP/M Command File, Command File for Windows NT"), ".cmd");
    EXPECT_EQ(CatalogueExtension(".vsmacros - Visual Studio.NET Binary-based Macro Project (Microsoft)"), ".vsmacros");
    EXPECT_EQ(CatalogueExtension("  .x  "), ".x");
    EXPECT_EQ(CatalogueExtension(" - "), "");
}

TEST(Catalogue, HoldsTheSeventyOneRowsInOrder) {
    ASSERT_EQ(kCatalogue.size(), 71u);
    EXPECT_EQ(kCatalogue.front(), ".ade - Access Project Extension (Microsoft)");
    EXPECT_EQ(kCatalogue[13], ".exe - Executable File");
    EXPECT_EQ(kCatalogue[63], ".vsmacros - Visual Studio.NET Binary-based Macro Project (Microsoft)");
    EXPECT_EQ(kCatalogue.back(), ".wsh - Windows Script Host Settings File");
    for (std::string_view row : kCatalogue) {
        EXPECT_EQ(row.front(), '.');
        EXPECT_NE(row.find(" - "), std::string_view::npos) << row;
    }
}

}  // namespace
}  // namespace sarvell::test
