#include "policy/catalogue.h"

#include <gtest/gtest.h>

#include "tests/support/digest.h"

namespace sarvell::test {
namespace {

using namespace policy;

TEST(Catalogue, HoldsTheSeventyOneRowsInOrder) {
    std::string joined;
    for (std::string_view row : kCatalogue) joined.append(row).append("\n");
    joined.pop_back();
    EXPECT_EQ(Digest(joined), 0xfeb44ecb09f12717u);
}

}  // namespace
}  // namespace sarvell::test
