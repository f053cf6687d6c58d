// The About window's scroller and texts, and the addresses handed to the shell.
#include <gtest/gtest.h>

#include <vector>

#include "infowin/credits.h"
#include "infowin/info_text.h"

namespace sarvell::infowin {
namespace {

// The tick on which each line first wraps to 3000.
TEST(CreditsScroller, LinesFirstWrapOnTicks20_27_34_41AndHideThere) {
    CreditsScroller s;
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(s[i].shown);
    std::vector<int> firstWrap(4, 0);
    for (int tick = 1; tick <= 41; ++tick) {
        s.Tick();
        for (int i = 0; i < 4; ++i) {
            if (firstWrap[i] == 0 && s[i].top == 3000) {
                firstWrap[i] = tick;
                EXPECT_FALSE(s[i].shown) << "line " << i + 1 << " is hidden on the tick it wraps";
            } else if (firstWrap[i] == 0) {
                EXPECT_TRUE(s[i].shown) << "line " << i + 1 << " at tick " << tick;
            }
        }
        if (tick == 1) {
            EXPECT_EQ(s[3].top, 1990);  // line 4 from 2040, still shown
        }
    }
    EXPECT_EQ(firstWrap, (std::vector<int>{20, 27, 34, 41}));
}

TEST(CreditsScroller, RunsA61TickCycleShownFrom2000DownTo0) {
    CreditsScroller s;
    for (int tick = 0; tick < 20; ++tick) s.Tick();  // line 1 has just wrapped
    ASSERT_EQ(s[0].top, 3000);
    int shown = 0, hidden = 0;
    for (int tick = 1; tick <= 61; ++tick) {
        s.Tick();
        const float top = s[0].top;
        if (top == 2000 || top == 2050) {
            EXPECT_EQ(s[0].shown, top == 2000);
        }
        if (top == 0) {
            EXPECT_TRUE(s[0].shown);
            EXPECT_EQ(tick, 60);
        }
        (s[0].shown ? shown : hidden)++;
        if (tick == 61) {
            EXPECT_EQ(top, 3000) << "a line at 0 wraps on the next tick";
            EXPECT_FALSE(s[0].shown);
        }
    }
    EXPECT_EQ(shown, 41);
    EXPECT_EQ(hidden, 20);
    // Once all have wrapped the lines follow each other 7 ticks apart.
    for (int tick = 0; tick < 100; ++tick) s.Tick();
    for (int i = 1; i < 4; ++i) {
        float expected = s[i - 1].top + 350;
        if (expected > 3000) expected -= 3050;
        EXPECT_EQ(s[i].top, expected) << "line " << i + 1;
    }
}

TEST(InfoTexts, BuildTextIsMajorMinorZeroRevision) {
    EXPECT_EQ(BuildText(1, 0, 0), "Build - 1.0.0.0");
    EXPECT_EQ(BuildText(2, 13, 7), "Build - 2.13.0.7");
}

TEST(InfoTexts, DonationMessageAndLinks) {
    EXPECT_STREQ(kDonationMessage,
                 "This application is being distributed as Donationware. If you like this application then please "
                 "consider making a small donation to help support the future development of this and other "
                 "applications.");
    EXPECT_EQ(CheckoutAddress(),
              "https://www.paypal.com/cgi-bin/webscr?cmd=_xclick&business=donations%40example%2ecom"
              "&item_name=Donationware%20Software%20Sarvell&no_shipping=0&no_note=1&tax=0&currency_code=USD"
              "&charset=UTF%2d8&charset=UTF%2d8");
    EXPECT_EQ(MailLink(), "mailto:support@example.com");
    // Two spaces after the first sentence, and not the donation window's wording.
    const std::string disclaimer = kDisclaimer;
    EXPECT_NE(disclaimer.find(".  "), std::string::npos);
    EXPECT_EQ(disclaimer.find(".  "), disclaimer.find('.'));
    EXPECT_NE(disclaimer, kDonationMessage);
}

}  // namespace
}  // namespace sarvell::infowin
