#include "policy/catalogue.h"
#include "policy/list_value.h"

#include <gtest/gtest.h>

#include "tests/support/digest.h"

namespace sarvell::test {
namespace {

using namespace policy;

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
