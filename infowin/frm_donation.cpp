#include "infowin/frm_donation.h"

#include "infowin/resource_ids.h"
#include "infowin/info_ids.h"
#include "infowin/info_text.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/layout.h"
#include "ui/modal.h"
#include "ui/separator.h"
#include "ui/shell.h"
#include "ui/text.h"

namespace sarvell::infowin {

std::unique_ptr<FrmDonation> frmDonation;

namespace {

constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 3285;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;

// In tab order: OK first. The banner's labels and image lie inside the banner
// (Picture1), which sits at the window's corner, so their positions in the
// banner are their positions in the window. The frame and the banner come
// last, so they lie beneath everything that overlaps them.
constexpr ui::ControlRow kControls[] = {
    {kDonationOK, L"Button", L"OK", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 3600, 2880, 975, 375},
    {kDonationLabel4_0, L"Static", L"Donation through PayPal:", kLabel | SS_NOTIFY, 0, 600, 1800, 1815, 255},
    {kDonationLabel4_1, L"Static", L"", kLabel | SS_NOTIFY, 0, 2520, 1800, 1695, 255},
    {kDonationLabel4_2, L"Static", L"Suggested donation amount: $5.00", kLabel | SS_NOTIFY, 0, 960, 2160, 2535, 255},
    {kDonationLabel1, L"Static", L"", SS_LEFT | SS_NOPREFIX, 0, 120, 720, 4455, 855},
    {kDonationLabel2, L"Static", L"Donationware - ", kLabel, 0, 120, 50, 1455, 255},
    {kDonationLabel3, L"Static", L"Support future development", kLabel, 0, 960, 240, 2175, 255},
    {kDonationImage, L"Static", L"", SS_ICON | SS_CENTERIMAGE, 0, 3960, 0, 480, 480},
    {kDonationFrame, L"Button", L"  Dunmere ", BS_GROUPBOX | WS_DISABLED, 0, -120, 2640, 4935, 735},
    {kDonationBanner, L"Static", L"", 0, 0, 0, 0, 4695, 615},
};

bool InBanner(int id) { return id == kDonationLabel2 || id == kDonationLabel3 || id == kDonationImage || id == kDonationBanner; }

}  // namespace

FrmDonation::FrmDonation() {
    okId_ = kDonationOK;
    linkId_ = kDonationLabel4_1;
}

void FrmDonation::Load(HWND opener) {
    CreateFor({kDonationClass, L"Donationware", kStyle, kExStyle, kClientWidth, kClientHeight, 0}, opener);
    white_.reset(CreateSolidBrush(kWhite));
    dpi_ = ui::WindowDpi(hwnd());
    ui::UniqueFont font = ui::CreateDialogFont(dpi_);
    ui::CreateControls(hwnd(), kControls, dpi_, font.get());
    ui::PaintAsSeparator(GetDlgItem(hwnd(), kDonationFrame));
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kDonationLabel4_1), kSupportMailAddress);
    ui::SetWindowTextUtf8(GetDlgItem(hwnd(), kDonationLabel1), kDonationMessage);
    dpi_ = 0;  // so that ApplyDpi makes every font
    ApplyDpi(ui::WindowDpi(hwnd()));
}

void FrmDonation::ApplyDpi(UINT dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    font_ = ui::CreateDialogFont(dpi);
    bold_ = ui::CreateDialogFont(dpi, FW_BOLD);
    link_ = ui::CreateDialogFont(dpi, FW_NORMAL, true);
    ui::PlaceControls(hwnd(), kControls, dpi, font_.get());
    SendMessageW(GetDlgItem(hwnd(), kDonationLabel2), WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), TRUE);
    SendMessageW(GetDlgItem(hwnd(), kDonationLabel4_1), WM_SETFONT, reinterpret_cast<WPARAM>(link_.get()), TRUE);

    banner_ = ui::SetControlIcon(GetDlgItem(hwnd(), kDonationImage), IDI_BANNER, ui::TwipsToPixels(480, dpi));
    FitClient(dpi);
}

void FrmDonation::OnCommand(int id, int code) {
    // Every element of Label4 opens the same page.
    if (id >= kDonationLabel4_0 && id <= kDonationLabel4_2 && code == STN_CLICKED) {
        ui::ShellOpen(hwnd(), CheckoutAddress());
    }
}

LRESULT FrmDonation::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (InBanner(id)) {
                SetBkColor(dc, kWhite);
                return reinterpret_cast<LRESULT>(white_.get());
            }
            SetTextColor(dc, id == kDonationLabel4_1 ? kLinkBlue : GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DPICHANGED:
            ApplyDpi(LOWORD(wParam));
            return 0;
        default:
            break;
    }
    return ModalForm::HandleMessage(message, wParam, lParam);
}

void FrmDonation::OnFinalMessage() {
    if (frmDonation.get() == this) frmDonation.reset();
}

}  // namespace sarvell::infowin
