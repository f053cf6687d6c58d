// The About and donation windows over the main window: modal stacking,
// closing by OK and by the close box, focus, the links handed to the shell,
// the scroller on screen, and the layouts at 96 and 144 dpi.
#include <gtest/gtest.h>

#include <cmath>

#include "infowin/frm_about.h"
#include "infowin/frm_donation.h"
#include "infowin/info_text.h"
#include "tests/app/app_support.h"

namespace sarvell::test {
namespace {

using namespace sarvell::infowin;

int Pixels(double twips) { return static_cast<int>(std::lround(twips * 96 / 1440.0)); }

void ClickLabel(HWND window, int id) {
    SendMessageW(GetDlgItem(window, id), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(GetDlgItem(window, id), WM_LBUTTONUP, 0, 0);
}

using InfoWindows = WindowTest;

TEST_F(InfoWindows, AboutIsModalOverTheMainWindowAndStartsAfreshAtEveryOpening) {
    for (int opening = 0; opening < 2; ++opening) {
        Later([&] {
            HWND about = FindWindowW(kAboutClass, nullptr);
            ASSERT_TRUE(about && frmAbout);
            EXPECT_FALSE(IsWindowEnabled(main_)) << "the main window takes no input meanwhile";
            EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
            EXPECT_EQ((std::vector<std::string>{Text(about, kAboutBuild), Text(about, kAboutMail), Text(about, kAboutDisclaimer)}),
                      (std::vector<std::string>{"Build - 1.0.0.0", "support@example.com", kDisclaimer}));
            EXPECT_EQ(GetFocus(), GetDlgItem(about, kAboutOK));
            EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(about, kAboutOK), FALSE), GetDlgItem(about, kAboutDonation));
            EXPECT_EQ(frmAbout->Credits()[0].top, 960) << "the credits start afresh";
            CheckForm(*frmAbout, 0xd4b846e4bbab4ca9u);
            ClickLabel(about, kAboutMail);
            Later([&, about] {  // several ticks of 100 ms later the lines have climbed
                const float top = frmAbout->Credits()[0].top;
                EXPECT_LT(top, 960);
                EXPECT_EQ(RectIn(about, GetDlgItem(about, kAboutCredit1)).top, Pixels(top));
                opening == 0 ? Click(about, kAboutOK) : (void)SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
            }, 450);
        });
        Click(main_, app::kCmdAbout);  // returns once the About window has closed
        EXPECT_EQ(frmAbout, nullptr);
        EXPECT_TRUE(IsWindowEnabled(main_));
        EXPECT_EQ(GetActiveWindow(), main_);
        EXPECT_EQ(GetFocus(), GetDlgItem(main_, app::kCmdAbout)) << "the focus comes back to the button clicked";
    }
    EXPECT_EQ(handed_, std::vector<std::string>(2, "mailto:support@example.com"));
}

TEST_F(InfoWindows, DonationStacksOnTopAndEachCloseReturnsToTheOneBeneath) {
    int donations = 0;
    const auto donation = [&](bool closeBox) {
        HWND window = FindWindowW(kDonationClass, nullptr);
        ASSERT_NE(window, nullptr);
        ++donations;
        HWND about = GetWindow(window, GW_OWNER);
        EXPECT_EQ(about, FindWindowW(kAboutClass, nullptr));
        EXPECT_FALSE(IsWindowEnabled(about) || IsWindowEnabled(main_));
        EXPECT_EQ(Text(window, kDonationLabel1), kDonationMessage);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, kDonationOK));
        CheckForm(*frmDonation, 0xcea31f6857f9646eu);
        // Every Label4 element hands over the checkout address; the link shows the hand.
        for (int id : {kDonationLabel4_0, kDonationLabel4_1, kDonationLabel4_2}) ClickLabel(window, id);
        EXPECT_EQ(handed_, std::vector<std::string>(3 * donations, CheckoutAddress()));
        EXPECT_TRUE(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(window, kDonationLabel4_1)),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
        closeBox ? (void)SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) : Click(window, kDonationOK);
    };
    Later([&] {
        HWND about = FindWindowW(kAboutClass, nullptr);
        ASSERT_NE(about, nullptr);
        for (bool closeBox : {true, false}) {  // each opening builds a fresh window
            Later([&, closeBox] { donation(closeBox); });
            Click(about, kAboutDonation);
            EXPECT_EQ(frmDonation, nullptr);
            EXPECT_TRUE(IsWindowEnabled(about));
            EXPECT_FALSE(IsWindowEnabled(main_));
            EXPECT_EQ(GetActiveWindow(), about);
        }
        SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Click(main_, app::kCmdAbout);
    EXPECT_EQ(donations, 2);
    EXPECT_EQ(frmAbout, nullptr);
    EXPECT_TRUE(IsWindowEnabled(main_));
}

}  // namespace
}  // namespace sarvell::test
