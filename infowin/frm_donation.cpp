#include "infowin/frm_donation.h"

#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "infowin/resource_ids.h"
#include "ui/handle.h"
#include "ui/shell.h"

namespace sarvell::infowin {

ui::FormSlot<FrmDonation> frmDonation;

namespace {

// The white banner across the top (Picture1), 15 twips wider than the window.
constexpr RECT kBanner{0, 0, 4695, 615};

// In tab order: OK first. The banner's labels and image sit at their places
// in the banner, which lies at the window's corner; its title and subtitle
// overlap, and being transparent neither hides the other.
constexpr ui::Control kControls[] = {
    {.id = kDonationOK, .className = L"Button", .text = "OK", .style = ui::kPushButton,
     .left = 3600, .top = 2880, .width = 975, .height = 375},
    {.id = kDonationLabel4_0, .className = L"Static", .text = "Donation through PayPal:", .style = ui::kLineLabel | SS_NOTIFY,
     .left = 600, .top = 1800, .width = 1815, .height = 255, .look = ui::Look::Label},
    {.id = kDonationLabel4_1, .className = L"Static", .text = kSupportMailAddress, .style = ui::kLineLabel | SS_NOTIFY,
     .left = 2520, .top = 1800, .width = 1695, .height = 255, .look = ui::Look::Link},
    {.id = kDonationLabel4_2, .className = L"Static", .text = "Suggested donation amount: $5.00", .style = ui::kLineLabel | SS_NOTIFY,
     .left = 960, .top = 2160, .width = 2535, .height = 255, .look = ui::Look::Label},
    {.id = kDonationLabel1, .className = L"Static", .text = kDonationMessage, .style = ui::kWrappedLabel,
     .left = 120, .top = 720, .width = 4455, .height = 855, .look = ui::Look::Label},
    {.id = kDonationLabel2, .className = L"Static", .text = "Donationware - ", .style = ui::kLineLabel,
     .left = 120, .top = 50, .width = 1455, .height = 255, .look = ui::Look::Title},
    {.id = kDonationLabel3, .className = L"Static", .text = "Support future development", .style = ui::kLineLabel,
     .left = 960, .top = 240, .width = 2175, .height = 255, .look = ui::Look::Label},
    {.id = kDonationImage, .className = L"Static", .style = SS_ICON | SS_CENTERIMAGE,
     .left = 3960, .top = 0, .width = 480, .height = 480, .look = ui::Look::Banner},
    {.id = kDonationFrame, .className = L"Button", .text = "  Dunmere ", .style = BS_GROUPBOX | WS_DISABLED | WS_CLIPSIBLINGS,
     .left = -120, .top = 2640, .width = 4935, .height = 735, .look = ui::Look::Separator},
};

constexpr ui::FormLayout kForm{.className = kDonationClass, .title = "Donationware", .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               .exStyle = WS_EX_TOOLWINDOW, .clientWidth = 4680, .clientHeight = 3285,
                               .picture = kDonationImage, .pictureIcon = IDI_BANNER, .pictureTwips = 480,
                               .controls = kControls, .closeButton = kDonationOK};

}  // namespace

FrmDonation::FrmDonation() : Form(kForm) {}

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

}  // namespace sarvell::infowin
