#include "app/frm_main.h"

#include <vector>

#include "infowin/frm_about.h"
#include "infowin/resource_ids.h"
#include "policy/group_policy.h"
#include "policy/outlook_version.h"
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

constexpr int kFrameLeft = -120;
constexpr int kFrameTop = 4920;

// The focusable controls in tab order; each label just before the control it
// names. The image, the labels and the frame take no focus.
constexpr ui::Control kControls[] = {
    {kOptType0, L"Button", L"Display Safe Extensions", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, 1320, 1890, 2055, 255},
    {kOptType1, L"Button", L"Display Blocked Extensions", BS_AUTORADIOBUTTON, 0, 3480, 1890, 2295, 255},
    {kCmdDelete, L"Button", L"Mark as blocked", ui::kPushButton, 0, 2040, 4470, 1815, 315},
    {kCmdAbout, L"Button", L"About", ui::kPushButton, 0, 3120, 5160, 1455, 315},
    {kCmdExit, L"Button", L"Close", ui::kPushButton, 0, 4680, 5160, 1095, 315},
    {kCmdAdd, L"Button", L"Add", ui::kPushButton | WS_DISABLED, 0, 4560, 1320, 495, 255},
    {kLabel4, L"Static", L"Add an extension to the blocked extension list (example: .asp)", ui::kWrappedLabel, 0, 960,
     1260, 2415, 375, ui::Look::Label},
    {kTxtExtension, L"Edit", L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 3480, 1305, 975, 285},
    {kLabel2, L"Static", L"Extensions:", ui::kLineLabel, 0, 120, 1920, 1335, 255, ui::Look::Label},
    {kLbExtensions, L"ListBox", L"", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 120,
     2160, 5655, 2265},
    {kLabel1, L"Static", L"", ui::kWrappedLabel, 0, 720, 120, 4935, 975, ui::Look::Label},
    {kLabel3, L"Static", L"", ui::kLineLabel, 0, kFrameLeft + 240, kFrameTop + 360, 1455, 255, ui::Look::Label},
    {kImage1, L"Static", L"", SS_ICON | SS_CENTERIMAGE, 0, 120, 120, 480, 480, ui::Look::Label},
    // A separator: only its top edge lies inside the window. Last, it lies
    // beneath Label3 and the buttons in its area, and clipped by them.
    {kFrame1, L"Button", L"  Dunmere ", BS_GROUPBOX | WS_DISABLED | WS_CLIPSIBLINGS, 0, kFrameLeft, kFrameTop, 6015, 735},
};

constexpr ui::FormLayout kForm{kMainWindowClass, kMainWindowTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 5880, 5580,
                             IDI_SARVELL, kImage1, IDI_PICTURE, 480, kControls, 0};

}  // namespace

std::span<const ui::Control> MainControls() { return kControls; }

FrmMain::FrmMain() : Form(kForm) {}

FrmMain::~FrmMain() {
    // The policy refers to this view: it goes first.
    policy_.reset();
}

void FrmMain::Load(HWND) {
    if (Loaded()) return;
    Create(nullptr);
    for (int id = kImage1; id <= kCmdExit; ++id) controls_[static_cast<std::size_t>(id - kImage1)] = GetDlgItem(hwnd(), id);
    ui::PaintAsSeparator(Control(kFrame1));
    SendMessageW(Control(kTxtExtension), EM_SETLIMITTEXT, 0, 0);  // no limit
    CheckRadioButton(hwnd(), kOptType0, kOptType1, kOptType0);

    ui::SetWindowTextUtf8(Control(kLabel1), kExplanatoryText);
    const std::string version = policy::GetOutlookVersion();
    ui::SetWindowTextUtf8(Control(kLabel3), policy::kVersionLabelPrefix + version);
    policy_.emplace(*this, policy::SecurityKeyPathFor(version), policy::PolicyKeyPathFor(version));
    policy_->RefreshList();
}

void FrmMain::Show() {
    Load();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

void FrmMain::OnCommand(int id, int code) {
    // Only clicks of enabled controls in the table count.
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

void FrmMain::SetPolicyNote(const std::string& note) {
    // Without a policy the title stays the table's own, untouched.
    if (note == policyNote_) return;
    policyNote_ = note;
    SetWindowTextW(hwnd(), (std::wstring(kMainWindowTitle) + ui::Widen(note)).c_str());
}

}  // namespace sarvell::app
