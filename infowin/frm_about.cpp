#include "infowin/frm_about.h"

#include <commctrl.h>

#include "infowin/resource_ids.h"
#include "infowin/version.h"
#include "infowin/frm_donation.h"
#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/layout.h"
#include "ui/modal.h"
#include "ui/shell.h"
#include "ui/text.h"

namespace sarvell::infowin {

std::unique_ptr<FrmAbout> frmAbout;

namespace {

constexpr int kClientWidth = 5550;
constexpr int kClientHeight = 3435;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr UINT_PTR kCreditsTimer = 1;
constexpr UINT kCreditsInterval = 100;  // ms
constexpr int kCreditLeft = 3120, kCreditWidth = 2292, kCreditHeight = 252;
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
// A credit line is one line: a text too long for it ends in "...", where a
// wrapped second line would show only the top of its letters.
constexpr DWORD kCredit = SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

// In tab order: OK first, so it has the focus when the window opens.
constexpr ui::ControlRow kControls[] = {
    {kAboutOK, L"Button", L"OK", kButton, 0, 4200, 3000, 1260, 345},
    {kAboutDonation, L"Button", L"Donationware", kButton, 0, 4200, 2520, 1260, 375},
    {kAboutPicture, L"Static", L"", SS_ICON | SS_CENTERIMAGE, 0, 240, 120, 1450, 1455},
    {kAboutCredit1, L"Static", L"", kCredit, 0, kCreditLeft, 960, kCreditWidth, kCreditHeight},
    {kAboutCredit2, L"Static", L"", kCredit, 0, kCreditLeft, 1320, kCreditWidth, kCreditHeight},
    {kAboutCredit3, L"Static", L"", kCredit, 0, kCreditLeft, 1680, kCreditWidth, kCreditHeight},
    {kAboutCredit4, L"Static", L"", kCredit, 0, kCreditLeft, 2040, kCreditWidth, kCreditHeight},
    {kAboutEmail, L"Static", L"Email", kLabel, 0, 480, 1800, 495, 255},
    {kAboutMail, L"Static", L"", kLabel | SS_NOTIFY, 0, 960, 1800, 1695, 255},
    {kAboutBuild, L"Static", L"", kLabel, 0, 480, 2160, 1935, 255},
    {kAboutDisclaimer, L"Static", L"", SS_LEFT | SS_NOPREFIX, 0, 120, 2520, 3495, 795},
};

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

FrmAbout::FrmAbout() {
    okId_ = kAboutOK;
    linkId_ = kAboutMail;
}

void FrmAbout::Load(HWND opener) {
    CreateFor({kAboutClass, L"About", kStyle, kExStyle, kClientWidth, kClientHeight, IDI_ABOUT}, opener);
    dpi_ = ui::WindowDpi(hwnd());
    font_ = ui::CreateDialogFont(dpi_);
    link_ = ui::CreateDialogFont(dpi_, FW_NORMAL, true);
    ui::CreateControls(hwnd(), kControls, dpi_, font_.get());
    SendMessageW(GetDlgItem(hwnd(), kAboutMail), WM_SETFONT, reinterpret_cast<WPARAM>(link_.get()), FALSE);

    const char* const credits[] = {"Created By: Dunmere", "Dunmere Application Design Team", kMakerWebAddress,
                                   kCopyrightLine};
    for (int i = 0; i < CreditsScroller::kLines; ++i) {
        ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kAboutCredit1 + i), credits[i]);
    }
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

    ApplyDpi(dpi_);
    SetTimer(hwnd(), kCreditsTimer, kCreditsInterval, nullptr);
}

void FrmAbout::ApplyDpi(UINT dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        font_ = ui::CreateDialogFont(dpi);
        link_ = ui::CreateDialogFont(dpi, FW_NORMAL, true);
        ui::PlaceControls(hwnd(), kControls, dpi, font_.get());
        SendMessageW(GetDlgItem(hwnd(), kAboutMail), WM_SETFONT, reinterpret_cast<WPARAM>(link_.get()), TRUE);
    }
    // The picture fills its box: 96 pixels at 100 %.
    picture_ = ui::SetControlIcon(GetDlgItem(hwnd(), kAboutPicture), IDI_PRODUCT, ui::TwipsToPixels(1440, dpi));
    PlaceCredits();
    FitClient(dpi);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void FrmAbout::PlaceCredits() {
    for (int i = 0; i < CreditsScroller::kLines; ++i) {
        HWND line = GetDlgItem(hwnd(), kAboutCredit1 + i);
        const int top = ui::TwipsToPixels(static_cast<int>(credits_[i].top), dpi_);
        SetWindowPos(line, nullptr, ui::TwipsToPixels(kCreditLeft, dpi_), top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(line, credits_[i].shown ? SW_SHOWNA : SW_HIDE);
    }
}

void FrmAbout::Paint(HDC dc) {
    const auto px = [&](int twips) { return ui::TwipsToPixels(twips, dpi_); };
    ui::UniquePen black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    for (const Square& s : kSquares) {
        ui::UniqueBrush fill(CreateSolidBrush(s.fill));
        ui::ScopedSelect pen(dc, black.get());
        ui::ScopedSelect brush(dc, fill.get());
        Rectangle(dc, px(s.left), px(s.top), px(s.left + s.size), px(s.top + s.size));
    }
    // Line1(1) grey over Line1(0) white: an etched rule across the window.
    const struct {
        int y;
        int width;  // pixels at 96 dpi
        COLORREF color;
    } lines[] = {{2445, 2, RGB(255, 255, 255)}, {2430, 1, RGB(128, 128, 128)}};
    for (const auto& line : lines) {
        ui::UniquePen pen(
            CreatePen(PS_SOLID, MulDiv(line.width, static_cast<int>(dpi_), 96), line.color));
        ui::ScopedSelect select(dc, pen.get());
        MoveToEx(dc, px(120), px(line.y), nullptr);
        LineTo(dc, px(5445), px(line.y));
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
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id == kAboutPicture) {
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            SetTextColor(dc, id == kAboutMail ? kLinkBlue : RGB(0, 0, 0));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(hwnd(), &ps);
            if (dc != nullptr) Paint(dc);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_DESTROY:
            KillTimer(hwnd(), kCreditsTimer);
            return 0;
        case WM_DPICHANGED:
            ApplyDpi(LOWORD(wParam));
            return 0;
        default:
            break;
    }
    return ModalForm::HandleMessage(message, wParam, lParam);
}

void FrmAbout::OnFinalMessage() {
    if (frmAbout.get() == this) frmAbout.reset();
}

}  // namespace sarvell::infowin
