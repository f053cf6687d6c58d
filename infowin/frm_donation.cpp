#include "infowin/frm_donation.h"

#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "infowin/resource_ids.h"
#include "ui/handle.h"
#include "ui/separator.h"
#include "ui/shell.h"
#include "ui/text.h"

namespace sarvell::infowin {

std::unique_ptr<FrmDonation> frmDonation;

namespace {

// The white banner across the top (Picture1), 15 twips wider than the window.
constexpr RECT kBanner{0, 0, 4695, 615};

// In tab order: OK first. The banner's labels and image sit at their places
// in the banner, which lies at the window's corner; its title and subtitle
// overlap, and being transparent neither hides the other.
constexpr ui::Control kControls[] = {
    {kDonationOK, L"Button", L"OK", ui::kPushButton, 0, 3600, 2880, 975, 375},
    {kDonationLabel4_0, L"Static", L"Donation through PayPal:", ui::kLineLabel | SS_NOTIFY, 0, 600, 1800, 1815, 255,
     ui::Look::Label},
    {kDonationLabel4_1, L"Static", L"", ui::kLineLabel | SS_NOTIFY, 0, 2520, 1800, 1695, 255, ui::Look::Link},
    {kDonationLabel4_2, L"Static", L"Suggested donation amount: $5.00", ui::kLineLabel | SS_NOTIFY, 0, 960, 2160, 2535,
     255, ui::Look::Label},
    {kDonationLabel1, L"Static", L"", ui::kWrappedLabel, 0, 120, 720, 4455, 855, ui::Look::Label},
    {kDonationLabel2, L"Static", L"Donationware - ", ui::kLineLabel, 0, 120, 50, 1455, 255, ui::Look::Title},
    {kDonationLabel3, L"Static", L"Support future development", ui::kLineLabel, 0, 960, 240, 2175, 255, ui::Look::Label},
    {kDonationImage, L"Static", L"", SS_ICON | SS_CENTERIMAGE, 0, 3960, 0, 480, 480, ui::Look::Banner},
    {kDonationFrame, L"Button", L"  Dunmere ", BS_GROUPBOX | WS_DISABLED | WS_CLIPSIBLINGS, 0, -120, 2640, 4935, 735},
};

constexpr ui::FormLayout kForm{kDonationClass, L"Donationware", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW,
                             4680, 3285, 0, kDonationImage, IDI_BANNER, 480, kControls, kDonationOK};

}  // namespace

FrmDonation::FrmDonation() : Form(kForm) {}

void FrmDonation::Load(HWND opener) {
    Create(opener);
    ui::PaintAsSeparator(GetDlgItem(hwnd(), kDonationFrame));
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kDonationLabel4_1), kSupportMailAddress);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kDonationLabel1), kDonationMessage);
}

void FrmDonation::Paint(HDC dc) {
    const RECT banner{Px(kBanner.left), Px(kBanner.top), Px(kBanner.right), Px(kBanner.bottom)};
    ui::UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(dc, &banner, white.get());
}

void FrmDonation::OnCommand(int id, int code) {
    // Every element of Label4 opens the same page.
    if (id >= kDonationLabel4_0 && id <= kDonationLabel4_2 && code == STN_CLICKED) {
        ui::ShellOpen(hwnd(), CheckoutAddress());
    }
}

void FrmDonation::OnFinalMessage() {
    if (frmDonation.get() == this) frmDonation.reset();
}

}  // namespace sarvell::infowin
