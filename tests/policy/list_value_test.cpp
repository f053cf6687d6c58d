#include "policy/list_value.h"

#include <gtest/gtest.h>

#include "policy/catalogue.h"
#include "tests/support/digest.h"

namespace sarvell::test {
namespace {

using namespace policy;
using V = std::vector<std::string>;

TEST(ListValue, SplitJoinAndPrependKeepEveryEntryAsItIs) {
    const std::pair<const char*, V> texts[] = {
        {".exe", {".exe"}}, {".exe;.bat", {".exe", ".bat"}}, {";.a;;.b;", {"", ".a", "", ".b", ""}},
        {"", {""}},         {" .EXE ; x", {" .EXE ", " x"}},  // never trimmed or folded
    };
    for (const auto& [text, entries] : texts) {
        EXPECT_EQ(SplitEntries(text), entries) << text;
        EXPECT_EQ(JoinEntries(entries), text);
    }
    EXPECT_EQ(PrependEntry(".exe", "none"), ".exe");
    EXPECT_EQ(PrependEntry(".exe", ".bat;"), ".exe;.bat;");
    EXPECT_EQ(PrependEntry(".exe", "None"), ".exe;None");  // the sentinel is case-sensitive
    EXPECT_EQ(UserRow(".a-b"), ".a-b - User Applied");
}

TEST(Catalogue, HoldsTheSeventyOneRowsInOrderEachWithItsExtension) {
    std::string joined;
    for (std::string_view row : kCatalogue) joined.append(row).append("\n");
    joined.pop_back();
    EXPECT_EQ(Digest(joined), 0xfeb44ecb09f12717u);
    EXPECT_EQ(CatalogueExtension(kCatalogue[8]), ".cmd");  // ".cmd - DOS CP/M Command File, Command ..."
    EXPECT_EQ(CatalogueExtension(kCatalogue[63]), ".vsmacros");
}

}  // namespace
}  // namespace sarvell::test
