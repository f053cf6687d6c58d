#include "infowin/frm_donation.h"

#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "ui/handle.h"
#include "ui/shell.h"

namespace sarvell::infowin {

ui::FormSlot<FrmDonation> frmDonation;

namespace {

// In tab order: OK first. The banner's labels and image sit at their places
// in the banner, which lies at the window's corner; its title and subtitle
// overlap, and being transparent neither hides the other.
constexpr ui::Control kControls[] = {
    {.id = kDonationOK, .kind = ui::kPushButton, .text = "OK", .left = 3600, .top = 2880, .width = 975, .height = 375},
    {.id = kDonationLabel4_0, .kind = ui::kLineLabel, .text = "Donation through PayPal:", .left = 600, .top = 1800, .width = 1815,
     .height = 255, .style = SS_NOTIFY},
    {.id = kDonationLabel4_1, .kind = ui::kLink, .text = kSupportMailAddress, .left = 2520, .top = 1800, .width = 1695,
     .height = 255},
    {.id = kDonationLabel4_2, .kind = ui::kLineLabel, .text = "Suggested donation amount: $5.00", .left = 960, .top = 2160,
     .width = 2535, .height = 255, .style = SS_NOTIFY},
    {.id = kDonationLabel1, .kind = ui::kWrappedLabel, .text = kDonationMessage, .left = 120, .top = 720, .width = 4455,
     .height = 855},
    {.id = kDonationLabel2, .kind = ui::kTitle, .text = "Donationware - ", .left = 120, .top = 50, .width = 1455, .height = 255},
    {.id = kDonationLabel3, .kind = ui::kLineLabel, .text = "Support future development", .left = 960, .top = 240, .width = 2175,
     .height = 255},
    {.id = kDonationImage, .kind = ui::kBannerIcon, .left = 3960, .top = 0, .width = 480, .height = 480,
     .picture = {IDI_BANNER, 480}},
    {.id = kDonationFrame, .kind = ui::kSeparator, .text = "  Dunmere ", .left = -120, .top = 2640, .width = 4935, .height = 735},
};

constexpr ui::FormLayout kForm{.className = kDonationClass, .title = "Donationware", .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               .exStyle = WS_EX_TOOLWINDOW, .clientWidth = 4680, .clientHeight = 3285,
                               .controls = kControls, .closeButton = kDonationOK,
                               .banner = {0, 0, 4695, 615}};  // Picture1, 15 twips wider than the window

}  // namespace

FrmDonation::FrmDonation() : Form(kForm) {}

void FrmDonation::OnCommand(int id, int code) {
    // Every element of Label4 opens the same page.
    if (id >= kDonationLabel4_0 && id <= kDonationLabel4_2 && code == STN_CLICKED) {
        ui::ShellOpen(hwnd(), CheckoutAddress());
    }
}

}  // namespace sarvell::infowin
