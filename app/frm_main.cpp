#include "app/frm_main.h"

#include <stdexcept>
#include <vector>

#include "infowin/resource_ids.h"
#include "infowin/frm_about.h"
#include "policy/outlook_version.h"
#include "ui/font.h"
#include "ui/icons.h"
#include "ui/layout.h"
#include "ui/separator.h"
#include "ui/text.h"

namespace sarvell::app {

std::unique_ptr<FrmMain> frmMain;

const char* const kExplanatoryText =
    "Controls the file types of attachments that "
    "Outlook has determined to be unsafe for opening.  "
    "To enable a blocked extension, select the 'Display Blocked Extensions',  "
    "choose an extension from the list, and then press Mark as safe. "
    "This will now allow you access to these file types attached to an Outlook email.";

namespace {

constexpr int kClientWidth = 5880;
constexpr int kClientHeight = 5580;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

constexpr int kFrameLeft = -120;
constexpr int kFrameTop = 4920;

// Labels show their text as it is: an "&" in a version text is no access key.
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX | WS_GROUP;
constexpr DWORD kLabelOneLine = SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

// In tab order; the image, the labels and the frame take no focus.
constexpr ui::ControlRow kControls[] = {
    {kOptType0, L"Button", L"Display Safe Extensions", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0,
     1320, 1890, 2055, 255},
    {kOptType1, L"Button", L"Display Blocked Extensions", BS_AUTORADIOBUTTON, 0, 3480, 1890, 2295, 255},
    {kCmdDelete, L"Button", L"Mark as blocked", kButton, 0, 2040, 4470, 1815, 315},
    {kCmdAbout, L"Button", L"About", kButton, 0, 3120, 5160, 1455, 315},
    {kCmdExit, L"Button", L"Close", kButton, 0, 4680, 5160, 1095, 315},
    {kCmdAdd, L"Button", L"Add", kButton | WS_DISABLED, 0, 4560, 1320, 495, 255},
    {kTxtExtension, L"Edit", L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 3480, 1305, 975,
     285},
    {kLbExtensions, L"ListBox", L"", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 120,
     2160, 5655, 2265},
    {kLabel1, L"Static", L"", kLabel, 0, 720, 120, 4935, 975},
    {kLabel2, L"Static", L"Extensions:", kLabelOneLine, 0, 120, 1920, 1335, 255},
    {kLabel4, L"Static", L"Add an extension to the blocked extension list (example: .asp)", kLabel, 0, 960, 1260,
     2415, 375},
    {kLabel3, L"Static", L"", kLabelOneLine, 0, kFrameLeft + 240, kFrameTop + 360, 1455, 255},
    {kImage1, L"Static", L"", SS_ICON | SS_CENTERIMAGE | WS_GROUP, 0, 120, 120, 480, 480},
    // A separator: only its top edge lies inside the window. Made last, it
    // lies beneath Label3 and the buttons in its area; it takes no focus,
    // so its place among the controls does not change the tab order.
    {kFrame1, L"Button", L"  Dunmere ", BS_GROUPBOX | WS_DISABLED | WS_GROUP, 0, kFrameLeft, kFrameTop, 6015, 735},
};

}  // namespace

FrmMain::~FrmMain() {
    // The policy refers to this view: it goes first.
    policy_.reset();
}

void FrmMain::Load() {
    if (Loaded()) return;
    // Icons and size for the primary monitor's DPI, which the window most
    // likely gets: then nothing has to change once it exists.
    const UINT guess = ui::SystemDpi();
    RegisterClass(kMainWindowClass, ui::SharedIcon(IDI_SARVELL, ui::SystemMetric(SM_CXICON, guess)),
                  ui::SharedIcon(IDI_SARVELL, ui::SystemMetric(SM_CXSMICON, guess)));
    iconDpi_ = guess;
    const SIZE size = ui::OuterSize(ui::TwipsToPixels(kClientWidth, guess), ui::TwipsToPixels(kClientHeight, guess),
                                    kStyle, 0, guess);
    if (Create(kMainWindowClass, kMainWindowTitle, kStyle, 0, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
               nullptr) == nullptr) {
        throw std::runtime_error("The main window could not be created.");
    }
    // The DPI is known once the window exists: it is that of its monitor.
    dpi_ = ui::WindowDpi(hwnd());
    font_ = ui::CreateDialogFont(dpi_);
    ui::CreateControls(hwnd(), kControls, dpi_, font_.get());
    for (int id = kImage1; id <= kCmdExit; ++id) controls_[static_cast<std::size_t>(id - kImage1)] = GetDlgItem(hwnd(), id);
    ui::PaintAsSeparator(Control(kFrame1));
    SendMessageW(Control(kTxtExtension), EM_SETLIMITTEXT, 0, 0);  // no limit
    CheckRadioButton(hwnd(), kOptType0, kOptType1, kOptType0);
    ApplyDpiToWindow();

    ui::SetWindowTextUtf8(Control(kLabel1), kExplanatoryText);
    const std::string version = policy::GetOutlookVersion();
    ui::SetWindowTextUtf8(Control(kLabel3), policy::kVersionLabelPrefix + version);
    policy_.emplace(*this, policy::SecurityKeyPathFor(version));
    policy_->RefreshList();
}

void FrmMain::Show() {
    Load();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

void FrmMain::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    font_ = ui::CreateDialogFont(dpi);
    ui::PlaceControls(hwnd(), kControls, dpi, font_.get());
    ApplyDpiToWindow();
}

void FrmMain::ApplyDpiToWindow() {
    const UINT dpi = dpi_;
    if (dpi != iconDpi_) {
        ui::UniqueIcon icon = ui::LoadIconAt(IDI_SARVELL, ui::SystemMetric(SM_CXICON, dpi));
        ui::UniqueIcon smallIcon = ui::LoadIconAt(IDI_SARVELL, ui::SystemMetric(SM_CXSMICON, dpi));
        SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
        SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
        icon_ = std::move(icon);
        smallIcon_ = std::move(smallIcon);
        iconDpi_ = dpi;
    }

    picture_ = ui::SetControlIcon(Control(kImage1), IDI_PICTURE, ui::TwipsToPixels(480, dpi));

    ui::SetClientSize(hwnd(), ui::TwipsToPixels(kClientWidth, dpi), ui::TwipsToPixels(kClientHeight, dpi), dpi);
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            // As in a dialog: the focus leaves with the window and comes
            // back to the control that had it, at first the first tab stop.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd(), focus)) focus_ = focus;
            } else {
                SetFocus(focus_ != nullptr && IsChild(hwnd(), focus_) ? focus_ : Control(kOptType0));
            }
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DPICHANGED: {
            ApplyDpi(LOWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            if (suggested != nullptr) {
                SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        }
        default:
            return Window::HandleMessage(message, wParam, lParam);
    }
}

void FrmMain::OnCommand(int id, int code) {
    // Any process can send WM_COMMAND: only our own controls' clicks count,
    // and a disabled button takes none.
    if (id < kImage1 || id > kCmdExit || code != BN_CLICKED || !policy_ || !IsWindowEnabled(Control(id))) return;
    switch (id) {
        case kOptType0:
        case kOptType1:
            policy_->ViewSwitch(static_cast<std::int16_t>(id - kOptType0));
            break;
        case kCmdDelete:
            policy_->MarkClick();
            break;
        case kCmdAdd:
            policy_->AddClick();
            break;
        case kCmdAbout:
            // Modal: returns once the About window has closed.
            if (!infowin::frmAbout) infowin::frmAbout = std::make_unique<infowin::FrmAbout>();
            infowin::frmAbout->ShowModal(hwnd());
            break;
        case kCmdExit:
            DestroyWindow(hwnd());
            break;
        default:
            break;
    }
}

void FrmMain::OnFinalMessage() {
    // The unload empties the global reference, which owns this window.
    if (frmMain.get() == this) frmMain.reset();
}

int FrmMain::RowCount() const {
    const LRESULT n = SendMessageW(Control(kLbExtensions), LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

std::string FrmMain::RowText(int index) const {
    HWND list = Control(kLbExtensions);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == LB_ERR) return {};
    return ui::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void FrmMain::ClearRows() { SendMessageW(Control(kLbExtensions), LB_RESETCONTENT, 0, 0); }

bool FrmMain::AppendRow(const std::string& text) {
    const std::wstring wide = ui::Widen(text);
    const LRESULT r = SendMessageW(Control(kLbExtensions), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    return r != LB_ERR && r != LB_ERRSPACE;
}

void FrmMain::RemoveRow(int index) {
    SendMessageW(Control(kLbExtensions), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int FrmMain::SelectedIndex() const {
    const LRESULT i = SendMessageW(Control(kLbExtensions), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void FrmMain::BeginRowUpdate() {
    if (rowUpdates_++ == 0) SendMessageW(Control(kLbExtensions), WM_SETREDRAW, FALSE, 0);
}

void FrmMain::EndRowUpdate() {
    if (rowUpdates_ == 0 || --rowUpdates_ != 0) return;
    HWND list = Control(kLbExtensions);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

bool FrmMain::SafeViewSelected() const { return IsDlgButtonChecked(hwnd(), kOptType0) == BST_CHECKED; }

std::string FrmMain::ExtensionText() const { return ui::WindowText(Control(kTxtExtension)); }

void FrmMain::SetExtensionText(const std::string& text) { ui::SetWindowTextUtf8(Control(kTxtExtension), text); }

void FrmMain::SetMarkCaption(const std::string& caption) { ui::SetWindowTextUtf8(Control(kCmdDelete), caption); }

void FrmMain::SetAddEnabled(bool enabled) { EnableWindow(Control(kCmdAdd), enabled ? TRUE : FALSE); }

}  // namespace sarvell::app
