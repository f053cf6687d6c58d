// The About window's scroller, its build text, and the addresses handed to the shell.
#include <gtest/gtest.h>

#include <vector>

#include "infowin/credits.h"
#include "infowin/info_text.h"
#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace infowin;

// Each line climbs 50 twips a tick, is hidden while below 2000, and wraps
// from below 0 to 3000: line 1 first wraps on tick 20, the others 7 ticks
// apart; then every line runs a cycle of 61 ticks, shown on 41 of them.
TEST(CreditsScroller, ClimbsWrapsAndHidesOnItsTicks) {
    CreditsScroller s;
    EXPECT_TRUE(s[0].top == 960 && s[0].shown && s[3].top == 2040 && s[3].shown);
    std::vector<int> firstWrap(4, 0), shown(4, 0);
    for (int tick = 1; tick <= 41 + 61; ++tick) {
        s.Tick();
        for (int i = 0; i < 4; ++i) {
            if (firstWrap[i] == 0 && s[i].top == 3000) firstWrap[i] = tick;
            // Shown until its first wrap, and from 2000 down to 0.
            EXPECT_EQ(s[i].shown, firstWrap[i] == 0 || s[i].top <= 2000) << "line " << i << " tick " << tick;
            shown[i] += tick > 41 && s[i].shown;
        }
    }
    EXPECT_EQ(firstWrap, (std::vector<int>{20, 27, 34, 41}));
    EXPECT_EQ(shown, std::vector<int>(4, 41));
}

TEST(InfoTexts, BuildTextAndTheAddressesHandedToTheShell) {
    EXPECT_EQ((std::tuple{BuildText(1, 0, 0), BuildText(2, 13, 7)}), (std::tuple{"Build - 1.0.0.0", "Build - 2.13.0.7"}));
    EXPECT_TRUE(Pins(CheckoutAddress(), 0xc3fb76db4cf3fd61u));  // the windows' texts are pinned with their tables
}

}  // namespace
}  // namespace sarvell::test
