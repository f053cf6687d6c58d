#include "infowin/frm_about.h"

#include "infowin/frm_donation.h"
#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "ui/handle.h"
#include "ui/shell.h"
#include "ui/text.h"
#include "ui/tooltip.h"

namespace sarvell::infowin {

ui::FormSlot<FrmAbout> frmAbout;

namespace {

constexpr UINT_PTR kCreditsTimer = 1;
constexpr UINT kCreditsInterval = 100;  // ms
// Wide enough for the longest credit, centred where the lines have always been.
constexpr int kCreditLeft = 3000, kCreditWidth = 2532, kCreditHeight = 252;

// A credit line is one line: a text too long for it ends in "...", where a
// wrapped second line would show only the top of its letters.
constexpr ui::Kind kCredit{.className = L"Static", .style = SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS};

constexpr ui::Control Credit(int id, const char* text, int top) {
    return {.id = id, .kind = kCredit, .text = text, .left = kCreditLeft, .top = top, .width = kCreditWidth, .height = kCreditHeight};
}

// In tab order: OK first, so it has the focus when the window opens.
constexpr ui::Control kControls[] = {
    {.id = kAboutOK, .kind = ui::kPushButton, .text = "OK", .left = 4200, .top = 3000, .width = 1260, .height = 345},
    {.id = kAboutDonation, .kind = ui::kPushButton, .text = "Donationware", .left = 4200, .top = 2520, .width = 1260, .height = 375},
    // The picture fills its box: 96 pixels at 100 %.
    {.id = kAboutPicture, .kind = ui::kPictureBox, .left = 240, .top = 120, .width = 1450, .height = 1455,
     .picture = {IDI_PRODUCT, 1440}},
    Credit(kAboutCredit1, "Created By: Dunmere", 960),
    Credit(kAboutCredit2, "Dunmere Application Design Team", 1320),
    Credit(kAboutCredit3, kMakerWebAddress, 1680),
    Credit(kAboutCredit4, kCopyrightLine, 2040),
    {.id = kAboutEmail, .kind = ui::kLineLabel, .text = "Email", .left = 480, .top = 1800, .width = 495, .height = 255},
    {.id = kAboutMail, .kind = ui::kLink, .text = kSupportMailAddress, .left = 960, .top = 1800, .width = 1695, .height = 255},
    {.id = kAboutBuild, .kind = ui::kLineLabel, .left = 480, .top = 2160, .width = 1935, .height = 255},
    {.id = kAboutDisclaimer, .kind = ui::kWrappedLabel, .text = kDisclaimer, .left = 120, .top = 2520, .width = 3495, .height = 795},
};

constexpr ui::FormLayout kForm{.className = kAboutClass, .title = "About", .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               .exStyle = WS_EX_DLGMODALFRAME, .clientWidth = 5550, .clientHeight = 3435, .icon = IDI_ABOUT,
                               .controls = kControls, .closeButton = kAboutOK};

// Shape1(0..2), painted in index order, so that each lies over the one before.
struct Square {
    int left, top, size;
    COLORREF fill;
};
constexpr Square kSquares[] = {
    {.left = 1800, .top = 120, .size = 615, .fill = RGB(0, 0, 255)},
    {.left = 2280, .top = 480, .size = 615, .fill = RGB(255, 0, 0)},
    {.left = 2040, .top = 960, .size = 615, .fill = RGB(255, 255, 0)},
};

}  // namespace

FrmAbout::FrmAbout() : Form(kForm) {}

void FrmAbout::OnLoad() {
    ui::SetWindowTextUtf8(Item(kAboutBuild), BuildText(SARVELL_VERSION_MAJOR, SARVELL_VERSION_MINOR, SARVELL_VERSION_REVISION));

    ui::SetToolTip(MakeToolTip(), hwnd(), Item(kAboutDonation), L"Click for information about PostcardWare");
    SetTimer(hwnd(), kCreditsTimer, kCreditsInterval, nullptr);
}

void FrmAbout::PlaceCredits() {
    for (int i = 0; i < CreditsScroller::kLines; ++i) {
        HWND line = Item(kAboutCredit1 + i);
        SetWindowPos(line, nullptr, Px(kCreditLeft), Px(static_cast<int>(credits_[i].top)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(line, credits_[i].shown ? SW_SHOWNA : SW_HIDE);
    }
}

void FrmAbout::Paint(HDC dc) {
    // In a contrast scheme, outlines in the window's colours.
    ui::UniquePen black(CreatePen(PS_SOLID, 1, ui::Drawn(RGB(0, 0, 0), COLOR_BTNTEXT)));
    for (const Square& s : kSquares) {
        ui::UniqueBrush fill(CreateSolidBrush(ui::Drawn(s.fill, COLOR_BTNFACE)));
        ui::ScopedSelect pen(dc, black.get());
        ui::ScopedSelect brush(dc, fill.get());
        Rectangle(dc, Px(s.left), Px(s.top), Px(s.left + s.size), Px(s.top + s.size));
    }
    // Line1(1) grey over Line1(0) white: an etched rule across the window.
    const struct {
        int y;
        int width;  // pixels at 96 dpi
        COLORREF color;
        int system;
    } lines[] = {{.y = 2445, .width = 2, .color = RGB(255, 255, 255), .system = COLOR_BTNHIGHLIGHT},
                 {.y = 2430, .width = 1, .color = RGB(128, 128, 128), .system = COLOR_BTNSHADOW}};
    for (const auto& line : lines) {
        ui::UniquePen pen(CreatePen(PS_SOLID, MulDiv(line.width, static_cast<int>(Dpi()), 96), ui::Drawn(line.color, line.system)));
        ui::ScopedSelect select(dc, pen.get());
        MoveToEx(dc, Px(120), Px(line.y), nullptr);
        LineTo(dc, Px(5445), Px(line.y));
    }
}

void FrmAbout::OnCommand(int id, int code) {
    if (id == kAboutDonation && code == BN_CLICKED) {
        frmDonation->ShowModal(hwnd());
    } else if (id == kAboutMail && code == STN_CLICKED) {
        ui::ShellOpen(hwnd(), MailLink());
    }
}

void FrmAbout::OnTimer(UINT_PTR id) {
    if (id != kCreditsTimer) return;
    credits_.Tick();
    PlaceCredits();
}

}  // namespace sarvell::infowin
