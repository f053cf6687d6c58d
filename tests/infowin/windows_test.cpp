// The About and donation windows over the main window: modal stacking,
// closing by OK and by the close box, the links handed to the shell, the
// scroller on screen, and the layouts at 96 dpi.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "infowin/frm_about.h"
#include "infowin/frm_donation.h"
#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "tests/app/app_support.h"
#include "ui/shell.h"

namespace sarvell::test {
namespace {

using namespace sarvell::infowin;

// Runs a step from inside whatever modal loop is running `ms` from now.
std::deque<std::function<void()>>& Steps() {
    static std::deque<std::function<void()>> steps;
    return steps;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> step = std::move(Steps().front());
    Steps().pop_front();
    step();
}

void Later(std::function<void()> step, UINT ms = 20) {
    Steps().push_back(std::move(step));
    SetTimer(nullptr, 0, ms, &RunStep);
}

int Pixels(int twips) { return static_cast<int>(std::lround(twips * 96 / 1440.0)); }

struct Box {
    int id, left, top, width, height;
};

void CheckLayout(HWND window, int width, int height, const std::vector<Box>& boxes) {
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, Pixels(width));
    EXPECT_EQ(client.bottom, Pixels(height));
    for (const Box& b : boxes) {
        const RECT r = RectIn(window, GetDlgItem(window, b.id));
        EXPECT_EQ(r.left, Pixels(b.left)) << b.id;
        EXPECT_EQ(r.top, Pixels(b.top)) << b.id;
        EXPECT_EQ(r.right - r.left, Pixels(b.width)) << b.id;
        EXPECT_EQ(r.bottom - r.top, Pixels(b.height)) << b.id;
    }
}

class InfoWindows : public ::testing::Test {
protected:
    void SetUp() override {
        outlook_ = std::make_unique<OutlookInstall>();
        app::frmMain = std::make_unique<app::FrmMain>();
        app::frmMain->Show();
        main_ = app::frmMain->hwnd();
    }
    void TearDown() override {
        app::frmMain.reset();
        Pump();
        outlook_.reset();
    }

    std::unique_ptr<OutlookInstall> outlook_;
    HWND main_ = nullptr;
    std::vector<std::string> handed_;
    ui::ShellScope shell_{[this](HWND, const std::string& target) { handed_.push_back(target); }};
};

TEST_F(InfoWindows, AboutIsModalOverTheMainWindowAndOkClosesIt) {
    bool ran = false;
    Later([&] {
        HWND about = FindWindowW(kAboutClass, nullptr);
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(IsWindowVisible(about));
        EXPECT_FALSE(IsWindowEnabled(main_)) << "the main window takes no input meanwhile";
        EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
        EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(GetWindowLongW(about, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_EQ(Text(about), "About");
        EXPECT_EQ(Text(GetDlgItem(about, kAboutBuild)), "Build - 1.0.0.0");
        EXPECT_EQ(Text(GetDlgItem(about, kAboutMail)), "support@example.com");
        EXPECT_EQ(Text(GetDlgItem(about, kAboutCredit1)), "Created By: Dunmere");
        EXPECT_EQ(Text(GetDlgItem(about, kAboutDisclaimer)), kDisclaimer);
        EXPECT_EQ(GetFocus(), GetDlgItem(about, kAboutOK));
        EXPECT_EQ(GetNextDlgTabItem(about, GetDlgItem(about, kAboutOK), FALSE), GetDlgItem(about, kAboutDonation));
        CheckLayout(about, 5550, 3435,
                    {{kAboutOK, 4200, 3000, 1260, 345},
                     {kAboutDonation, 4200, 2520, 1260, 375},
                     {kAboutPicture, 240, 120, 1450, 1455},
                     {kAboutCredit1, 3120, 960, 2292, 252},
                     {kAboutCredit4, 3120, 2040, 2292, 252},
                     {kAboutEmail, 480, 1800, 495, 255},
                     {kAboutMail, 960, 1800, 1695, 255},
                     {kAboutBuild, 480, 2160, 1935, 255},
                     {kAboutDisclaimer, 120, 2520, 3495, 795}});

        SendMessageW(GetDlgItem(about, kAboutMail), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(GetDlgItem(about, kAboutMail), WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(handed_, std::vector<std::string>{"mailto:support@example.com"});
        Click(about, kAboutOK);
        ran = true;
    });
    Click(main_, app::kCmdAbout);  // returns once the About window has closed
    EXPECT_TRUE(ran);
    EXPECT_EQ(frmAbout, nullptr);
    EXPECT_EQ(FindWindowW(kAboutClass, nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_EQ(GetActiveWindow(), main_);
}

TEST_F(InfoWindows, DonationStacksOnTopAndEachCloseReturnsToTheOneBeneath) {
    const std::string checkout = CheckoutAddress();
    int donations = 0;
    Later([&] {
        HWND about = FindWindowW(kAboutClass, nullptr);
        ASSERT_NE(about, nullptr);
        Later([&, about] {
            HWND donation = FindWindowW(kDonationClass, nullptr);
            ASSERT_NE(donation, nullptr);
            ++donations;
            EXPECT_EQ(GetWindow(donation, GW_OWNER), about);
            EXPECT_FALSE(IsWindowEnabled(about));
            EXPECT_FALSE(IsWindowEnabled(main_));
            EXPECT_TRUE(GetWindowLongW(donation, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
            EXPECT_EQ(Text(donation), "Donationware");
            EXPECT_EQ(Text(GetDlgItem(donation, kDonationLabel1)), kDonationMessage);
            EXPECT_EQ(GetFocus(), GetDlgItem(donation, kDonationOK));
            CheckLayout(donation, 4680, 3285,
                        {{kDonationOK, 3600, 2880, 975, 375},
                         {kDonationBanner, 0, 0, 4695, 615},
                         {kDonationLabel2, 120, 50, 1455, 255},
                         {kDonationLabel1, 120, 720, 4455, 855},
                         {kDonationLabel4_1, 2520, 1800, 1695, 255},
                         {kDonationFrame, -120, 2640, 4935, 735}});

            // Every Label4 element hands over the same address.
            for (int id : {kDonationLabel4_0, kDonationLabel4_1, kDonationLabel4_2}) {
                SendMessageW(GetDlgItem(donation, id), WM_LBUTTONDOWN, MK_LBUTTON, 0);
                SendMessageW(GetDlgItem(donation, id), WM_LBUTTONUP, 0, 0);
            }
            EXPECT_EQ(handed_, std::vector<std::string>(3, checkout));
            // The link shows the hand; the others do not.
            EXPECT_TRUE(SendMessageW(donation, WM_SETCURSOR,
                                     reinterpret_cast<WPARAM>(GetDlgItem(donation, kDonationLabel4_1)),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
            EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
            SendMessageW(donation, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
        });
        Click(about, kAboutDonation);
        EXPECT_EQ(frmDonation, nullptr);
        EXPECT_TRUE(IsWindowEnabled(about));
        EXPECT_FALSE(IsWindowEnabled(main_));
        EXPECT_EQ(GetActiveWindow(), about);

        // A second opening builds a fresh window; OK closes it.
        Later([&] {
            HWND donation = FindWindowW(kDonationClass, nullptr);
            ASSERT_NE(donation, nullptr);
            ++donations;
            Click(donation, kDonationOK);
        });
        Click(about, kAboutDonation);
        EXPECT_EQ(GetActiveWindow(), about);
        SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Click(main_, app::kCmdAbout);
    EXPECT_EQ(donations, 2);
    EXPECT_EQ(frmAbout, nullptr);
    EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(InfoWindows, CreditsScrollAndStartAgainOnEveryOpening) {
    for (int opening = 0; opening < 2; ++opening) {
        Later([&] {
            ASSERT_NE(frmAbout, nullptr);
            EXPECT_EQ(frmAbout->Credits()[0].top, 960) << "fresh at every opening";
            HWND about = frmAbout->hwnd();
            EXPECT_EQ(RectIn(about, GetDlgItem(about, kAboutCredit1)).top, Pixels(960));
            Later(
                [about] {
                    // Several ticks of 100 ms later the lines have climbed.
                    ASSERT_NE(frmAbout, nullptr);
                    const float top = frmAbout->Credits()[0].top;
                    EXPECT_LT(top, 960);
                    EXPECT_EQ(RectIn(about, GetDlgItem(about, kAboutCredit1)).top, Pixels(static_cast<int>(top)));
                    Click(about, kAboutOK);
                },
                450);
        });
        Click(main_, app::kCmdAbout);
        EXPECT_EQ(frmAbout, nullptr);
    }
}

}  // namespace
}  // namespace sarvell::test
