// The About and donation windows over the main window: modal stacking,
// closing by OK and by the close box, focus, the links handed to the shell,
// the scroller starting afresh, and their tables at 96 and 144 dpi.
#include <gtest/gtest.h>
#include <objbase.h>
#include <oleacc.h>
#include <windows.h>

#include <fstream>

#include "infowin/frm_about.h"
#include "infowin/frm_donation.h"
#include "infowin/info_text.h"
#include "tests/app/app_support.h"

namespace sarvell::test {
namespace {

using namespace sarvell::infowin;

// Whether `window`'s centre lies within a pixel of `over`'s.
bool CentredOver(HWND window, HWND over) {
    RECT a{}, b{};
    GetWindowRect(window, &a);
    GetWindowRect(over, &b);
    return std::abs(a.left + a.right - b.left - b.right) <= 2 && std::abs(a.top + a.bottom - b.top - b.bottom) <= 2;
}

// What a screen reader is told of `control`: its role and name.
std::pair<long, std::string> Accessible(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&object)))) return {};
    VARIANT self{}, role{};
    self.vt = VT_I4;  // CHILDID_SELF
    BSTR name = nullptr;
    object->get_accRole(self, &role);
    object->get_accName(self, &name);
    object->Release();
    const std::pair<long, std::string> told{role.lVal, name ? text::Narrow(name) : ""};
    SysFreeString(name);
    return told;
}

using InfoWindows = WindowTest;

// Opened twice, each window is built afresh, modal over the one beneath,
// which takes no input meanwhile; it closes by OK the first time and by the
// close box the second, and hands the focus back to the button that opened it.
TEST_F(InfoWindows, AboutAndDonationOpenModallyOverTheOneBeneathAndStartAfresh) {
    const auto donation = [&](HWND about, bool closeBox) {
        HWND window = FindWindowW(kDonationClass, nullptr);
        ASSERT_TRUE(window && frmDonation);
        EXPECT_EQ((std::tuple{GetWindow(window, GW_OWNER), IsWindowEnabled(about) || IsWindowEnabled(main_), CentredOver(window, about), GetFocus()}),
                  (std::tuple{about, false, true, GetDlgItem(window, kDonationOK)})) << "owner, the windows beneath enabled, centred, focus";
        CheckForm(*frmDonation, 0xc81932db839d7e14u);
        if (closeBox) {  // the same colours without the scheme: the banner's text still stands out from its white
            const ui::ContrastScope off(false);
            CheckForm(*frmDonation, 0xc81932db839d7e14u);
        }
        // Every Label4 element hands over the checkout address, and the link, reached by Tab, with Space; it shows the hand.
        for (int id : {kDonationLabel4_0, kDonationLabel4_1, kDonationLabel4_2}) {
            SendMessageW(GetDlgItem(window, id), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(GetDlgItem(window, id), WM_LBUTTONUP, 0, 0);
        }
        EXPECT_EQ(Press(window, kDonationOK, {VK_TAB, VK_SPACE}), GetDlgItem(window, kDonationLabel4_1));
        EXPECT_TRUE(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(window, kDonationLabel4_1)),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
        closeBox ? (void)SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) : (void)Press(window, kDonationOK, {VK_RETURN});
        EXPECT_FALSE(IsWindow(window)) << "closed by " << (closeBox ? "the close box" : "Enter on OK");
    };
    // The second time in a contrast scheme: light text on black, links yellow.
    const int which[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HOTLIGHT};
    const COLORREF contrast[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 64), RGB(255, 255, 255), RGB(255, 255, 0)};
    COLORREF before[std::size(which)];
    std::transform(std::begin(which), std::end(which), before, GetSysColor);
    const std::shared_ptr<void> restore(nullptr, [&](void*) { SetSysColors(std::size(which), which, before); });  // however the test ends
    std::optional<ui::ContrastScope> scheme;
    for (bool closeBox : {false, true}) {
        if (closeBox) scheme.emplace(true), SetSysColors(std::size(which), which, contrast);
        Later([&] {
            HWND about = FindWindowW(kAboutClass, nullptr);
            ASSERT_TRUE(about && frmAbout);
            EXPECT_EQ((std::tuple{IsWindowEnabled(main_), GetWindow(about, GW_OWNER), CentredOver(about, main_), GetFocus()}),
                      (std::tuple{FALSE, main_, true, GetDlgItem(about, kAboutOK)})) << "the main window enabled, owner, centred, focus";
            EXPECT_EQ(Text(about, kAboutBuild), "Build - 1.0.0.0");
            EXPECT_EQ(ToolTipText(about, GetDlgItem(about, kAboutDonation)), "Click for information about PostcardWare");
            EXPECT_EQ(frmAbout->Credits()[0].top, 960) << "the credits start afresh";
            // The squares and the etched rule it paints, at 96 dpi, in their colours or the scheme's.
            CheckForm(*frmAbout, 0x68d49d6102280b8cu,
                      {{{130, 20}, ui::Drawn(RGB(0, 0, 255), COLOR_BTNFACE)}, {{185, 45}, ui::Drawn(RGB(255, 0, 0), COLOR_BTNFACE)},
                       {{150, 90}, ui::Drawn(RGB(255, 255, 0), COLOR_BTNFACE)}, {{200, 162}, ui::Drawn(RGB(128, 128, 128), COLOR_BTNSHADOW)}});
            // The credits climb on screen where the scroller puts them, a step each 100 ms.
            for (const ULONGLONG end = GetTickCount64() + 350; GetTickCount64() < end; Sleep(10)) Pump();
            EXPECT_LT(frmAbout->Credits()[0].top, 960);
            for (int tick = 0; tick < 20; ++tick) SendMessageW(about, WM_TIMER, 1, 0);  // on until the first line has wrapped, hidden below
            for (int i = 0; i < 4; ++i) {
                HWND line = GetDlgItem(about, kAboutCredit1 + i);
                EXPECT_EQ((std::pair{int(RectIn(about, line).top), IsWindowVisible(line) != 0}),
                          (std::pair{MulDiv(int(frmAbout->Credits()[i].top), 96, 1440), frmAbout->Credits()[i].shown})) << "credit line " << i + 1;
            }
            EXPECT_EQ(Press(about, kAboutDonation, {VK_TAB, VK_RETURN}), GetDlgItem(about, kAboutMail)) << "Tab reaches the link, Enter follows it";
            // A screen reader reads the link's address, and hears a link, not text (Wine answers its client role for any static).
            const auto [role, name] = Accessible(GetDlgItem(about, kAboutMail));
            EXPECT_EQ((std::pair{name, role == ROLE_SYSTEM_STATICTEXT}), (std::pair{std::string("support@example.com"), false}));
            // The second half of a double click on the link opens nothing more.
            SendMessageW(about, WM_COMMAND, MAKEWPARAM(kAboutMail, STN_DBLCLK), reinterpret_cast<LPARAM>(GetDlgItem(about, kAboutMail)));
            Later([&, about] { donation(about, closeBox); });
            Click(about, kAboutDonation);
            EXPECT_EQ((std::tuple{frmDonation.get(), IsWindowEnabled(about), IsWindowEnabled(main_), GetActiveWindow(), GetFocus()}),
                      (std::tuple{nullptr, TRUE, FALSE, about, GetDlgItem(about, kAboutDonation)}));
            closeBox ? (void)SendMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0) : (void)Press(about, kAboutOK, {VK_RETURN});  // Enter presses OK
            EXPECT_FALSE(IsWindow(about)) << "closed by " << (closeBox ? "the close box" : "Enter on OK");
        });
        Click(main_, app::kCmdAbout);  // returns once the About window has closed
        EXPECT_EQ((std::tuple{frmAbout.get(), IsWindowEnabled(main_), GetActiveWindow(), GetFocus()}),
                  (std::tuple{nullptr, TRUE, main_, Item(app::kCmdAbout)}));
    }
    const std::string mail = "mailto:support@example.com", checkout = CheckoutAddress();
    EXPECT_EQ(handed_, (std::vector<std::string>{mail, checkout, checkout, checkout, checkout, mail, checkout, checkout, checkout, checkout}));
}

// What the links hand over reaches the system's shell, and through it the
// program registered for the scheme (the tests' stand-in, in their own
// classes root), whole.
TEST_F(InfoWindows, LinksReachTheProgramRegisteredForTheirScheme) {
    const ui::ShellScope system{nullptr};
    registry::Platform& p = registry::CurrentPlatform();
    for (const std::string& link : {MailLink(), CheckoutAddress()}) {
        const std::string scheme = link.substr(0, link.find(':'));
        const std::filesystem::path out = std::filesystem::temp_directory_path() / (scheme + std::to_string(GetCurrentProcessId()));
        SetRaw(p, registry::HKeyClassesRoot, scheme, "URL Protocol", registry::kRegSz, Sz(""));
        SetRaw(p, registry::HKeyClassesRoot, scheme + "\\shell\\open\\command", "", registry::kRegSz,
               Sz(text::Narrow(L"\"" + StandIn().wstring() + L"\" \"" + out.wstring() + L"\" \"%1\"")));
        ui::ShellOpen(main_, link);
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // already, by the link: S_FALSE
        CoUninitialize();
        EXPECT_EQ(com, S_FALSE) << "COM made ready, apartment-threaded, before the shell was called";
        for (const ULONGLONG end = GetTickCount64() + 10000; !std::filesystem::exists(out) && GetTickCount64() < end;) Sleep(50);
        Sleep(100);  // written whole
        std::ifstream in(out, std::ios::binary);
        const std::string got{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(text::Narrow(std::wstring(reinterpret_cast<const wchar_t*>(got.data()), got.size() / 2)), link) << "given to the program for " << scheme;
        in.close();
        DeleteTree(p, registry::HKeyClassesRoot, scheme);
        std::filesystem::remove(out);
    }
}

}  // namespace
}  // namespace sarvell::test
