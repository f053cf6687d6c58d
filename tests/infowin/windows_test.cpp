// The About and donation windows over the main window: modal stacking,
// closing by OK and by the close box, focus, the links handed to the shell,
// the scroller on screen, and the layouts at 96 and 144 dpi.
#include <gtest/gtest.h>

#include <cmath>

#include "app/frm_main.h"
#include "infowin/frm_about.h"
#include "infowin/frm_donation.h"
#include "infowin/info_ids.h"
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
            EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
            EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            EXPECT_EQ((std::vector<std::string>{Text(about), Text(about, kAboutBuild), Text(about, kAboutMail),
                                                Text(about, kAboutCredit1), Text(about, kAboutDisclaimer)}),
                      (std::vector<std::string>{"About", "Build - 1.0.0.0", "support@example.com", "Created By: Dunmere",
                                                kDisclaimer}));
            EXPECT_EQ(GetFocus(), GetDlgItem(about, kAboutOK));
            EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(about, kAboutOK), FALSE), GetDlgItem(about, kAboutDonation));
            EXPECT_EQ(frmAbout->Credits()[0].top, 960) << "the credits start afresh";
            // The credit lines are widened about their centre line, so that the longest fits.
            for (UINT dpi : {96u, 144u, 96u}) {
                CheckLayoutAt(dpi, about, 5550, 3435,
                              {{kAboutOK, 4200, 3000, 1260, 345}, {kAboutDonation, 4200, 2520, 1260, 375},
                               {kAboutPicture, 240, 120, 1450, 1455}, {kAboutCredit1, 3000, 960, 2532, 252},
                               {kAboutCredit2, 3000, 1320, 2532, 252}, {kAboutCredit3, 3000, 1680, 2532, 252},
                               {kAboutCredit4, 3000, 2040, 2532, 252}, {kAboutEmail, 480, 1800, 495, 255},
                               {kAboutMail, 960, 1800, 1695, 255}, {kAboutBuild, 480, 2160, 1935, 255},
                               {kAboutDisclaimer, 120, 2520, 3495, 795}});
            }
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
        EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(Text(window), "Donationware");
        EXPECT_EQ(Text(window, kDonationLabel1), kDonationMessage);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, kDonationOK));
        for (UINT dpi : {96u, 144u, 96u}) {
            CheckLayoutAt(dpi, window, 4680, 3285,
                          {{kDonationOK, 3600, 2880, 975, 375}, {kDonationLabel4_0, 600, 1800, 1815, 255},
                           {kDonationLabel4_1, 2520, 1800, 1695, 255}, {kDonationLabel4_2, 960, 2160, 2535, 255},
                           {kDonationLabel1, 120, 720, 4455, 855}, {kDonationLabel2, 120, 50, 1455, 255},
                           {kDonationLabel3, 960, 240, 2175, 255}, {kDonationImage, 3960, 0, 480, 480},
                           {kDonationFrame, -120, 2640, 4935, 735}});
        }
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
