#include "infowin/frm_about.h"

#include <commctrl.h>

#include "infowin/frm_donation.h"
#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "infowin/resource_ids.h"
#include "infowin/version.h"
#include "ui/handle.h"
#include "ui/shell.h"
#include "ui/text.h"

namespace sarvell::infowin {

std::unique_ptr<FrmAbout> frmAbout;

namespace {

constexpr UINT_PTR kCreditsTimer = 1;
constexpr UINT kCreditsInterval = 100;  // ms
// Wide enough for the longest credit, centred where the lines have always been.
constexpr int kCreditLeft = 3000, kCreditWidth = 2532, kCreditHeight = 252;

// A credit line is one line: a text too long for it ends in "...", where a
// wrapped second line would show only the top of its letters.
constexpr DWORD kCredit = SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS;

// In tab order: OK first, so it has the focus when the window opens.
constexpr ui::Control kControls[] = {
    {kAboutOK, L"Button", L"OK", ui::kPushButton, 0, 4200, 3000, 1260, 345},
    {kAboutDonation, L"Button", L"Donationware", ui::kPushButton, 0, 4200, 2520, 1260, 375},
    {kAboutPicture, L"Static", L"", SS_ICON | SS_CENTERIMAGE, 0, 240, 120, 1450, 1455, ui::Look::Well},
    {kAboutCredit1, L"Static", L"Created By: Dunmere", kCredit, 0, kCreditLeft, 960, kCreditWidth, kCreditHeight},
    {kAboutCredit2, L"Static", L"Dunmere Application Design Team", kCredit, 0, kCreditLeft, 1320, kCreditWidth, kCreditHeight},
    {kAboutCredit3, L"Static", L"", kCredit, 0, kCreditLeft, 1680, kCreditWidth, kCreditHeight},
    {kAboutCredit4, L"Static", L"", kCredit, 0, kCreditLeft, 2040, kCreditWidth, kCreditHeight},
    {kAboutEmail, L"Static", L"Email", ui::kLineLabel, 0, 480, 1800, 495, 255, ui::Look::Label},
    {kAboutMail, L"Static", L"", ui::kLineLabel | SS_NOTIFY, 0, 960, 1800, 1695, 255, ui::Look::Link},
    {kAboutBuild, L"Static", L"", ui::kLineLabel, 0, 480, 2160, 1935, 255, ui::Look::Label},
    {kAboutDisclaimer, L"Static", L"", ui::kWrappedLabel, 0, 120, 2520, 3495, 795, ui::Look::Label},
};

// The picture fills its box: 96 pixels at 100 %.
constexpr ui::FormLayout kForm{kAboutClass, L"About", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 5550, 3435,
                             IDI_ABOUT, kAboutPicture, IDI_PRODUCT, 1440, kControls, kAboutOK};

// Shape1(0..2), painted in index order, so that each lies over the one before.
struct Square {
    int left, top, size;
    COLORREF fill;
};
constexpr Square kSquares[] = {
    {1800, 120, 615, RGB(0, 0, 255)},
    {2280, 480, 615, RGB(255, 0, 0)},
    {2040, 960, 615, RGB(255, 255, 0)},
};

}  // namespace

FrmAbout::FrmAbout() : Form(kForm) {}

void FrmAbout::Load(HWND opener) {
    Create(opener);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kAboutCredit3), kMakerWebAddress);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kAboutCredit4), kCopyrightLine);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kAboutMail), kSupportMailAddress);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kAboutDisclaimer), kDisclaimer);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kAboutBuild),
                          BuildText(SARVELL_VERSION_MAJOR, SARVELL_VERSION_MINOR, SARVELL_VERSION_REVISION));

    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (tip != nullptr) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd(), kAboutDonation));
        wchar_t text[] = L"Click for information about PostcardWare";
        info.lpszText = text;
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    SetTimer(hwnd(), kCreditsTimer, kCreditsInterval, nullptr);
}

void FrmAbout::PlaceCredits() {
    for (int i = 0; i < CreditsScroller::kLines; ++i) {
        HWND line = GetDlgItem(hwnd(), kAboutCredit1 + i);
        SetWindowPos(line, nullptr, Px(kCreditLeft), Px(static_cast<int>(credits_[i].top)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(line, credits_[i].shown ? SW_SHOWNA : SW_HIDE);
    }
}

void FrmAbout::Paint(HDC dc) {
    ui::UniquePen black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    for (const Square& s : kSquares) {
        ui::UniqueBrush fill(CreateSolidBrush(s.fill));
        ui::ScopedSelect pen(dc, black.get());
        ui::ScopedSelect brush(dc, fill.get());
        Rectangle(dc, Px(s.left), Px(s.top), Px(s.left + s.size), Px(s.top + s.size));
    }
    // Line1(1) grey over Line1(0) white: an etched rule across the window.
    const struct {
        int y;
        int width;  // pixels at 96 dpi
        COLORREF color;
    } lines[] = {{2445, 2, RGB(255, 255, 255)}, {2430, 1, RGB(128, 128, 128)}};
    for (const auto& line : lines) {
        ui::UniquePen pen(CreatePen(PS_SOLID, MulDiv(line.width, static_cast<int>(Dpi()), 96), line.color));
        ui::ScopedSelect select(dc, pen.get());
        MoveToEx(dc, Px(120), Px(line.y), nullptr);
        LineTo(dc, Px(5445), Px(line.y));
    }
}

void FrmAbout::OnCommand(int id, int code) {
    if (id == kAboutDonation && code == BN_CLICKED) {
        if (!frmDonation) frmDonation = std::make_unique<FrmDonation>();
        frmDonation->ShowModal(hwnd());
    } else if (id == kAboutMail && code == STN_CLICKED) {
        ui::ShellOpen(hwnd(), MailLink());
    }
}

LRESULT FrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kCreditsTimer) {
                credits_.Tick();
                PlaceCredits();
            }
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd(), kCreditsTimer);
            return 0;
        default:
            break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

void FrmAbout::OnFinalMessage() {
    if (frmAbout.get() == this) frmAbout.reset();
}

}  // namespace sarvell::infowin
