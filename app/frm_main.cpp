#include "app/frm_main.h"

#include <vector>

#include "infowin/frm_about.h"
#include "policy/outlook_version.h"
#include "ui/text.h"

namespace sarvell::app {

ui::FormSlot<FrmMain> frmMain;

namespace {

constexpr int kFrameLeft = -120;
constexpr int kFrameTop = 4920;

// The focusable controls in tab order; each label just before the control it
// names. The image, the labels and the frame take no focus.
constexpr ui::Control kControls[] = {
    {.id = kOptType0, .kind = ui::kOptionButton, .text = "Display Safe Extensions", .left = 1320, .top = 1890, .width = 2055,
     .height = 255, .style = WS_TABSTOP | WS_GROUP},
    {.id = kOptType1, .kind = ui::kOptionButton, .text = "Display Blocked Extensions", .left = 3480, .top = 1890, .width = 2295,
     .height = 255},
    {.id = kCmdDelete, .kind = ui::kPushButton, .text = "Mark as blocked", .left = 2040, .top = 4470, .width = 1815, .height = 315},
    {.id = kCmdAbout, .kind = ui::kPushButton, .text = "About", .left = 3120, .top = 5160, .width = 1455, .height = 315},
    {.id = kCmdExit, .kind = ui::kPushButton, .text = "Close", .left = 4680, .top = 5160, .width = 1095, .height = 315},
    {.id = kCmdAdd, .kind = ui::kPushButton, .text = "Add", .left = 4560, .top = 1320, .width = 495, .height = 255,
     .style = WS_DISABLED},
    {.id = kLabel4, .kind = ui::kWrappedLabel, .text = "Add an extension to the blocked extension list (example: .asp)",
     .left = 960, .top = 1260, .width = 2415, .height = 375},
    {.id = kTxtExtension, .kind = ui::kTextBox, .left = 3480, .top = 1305, .width = 975, .height = 285},
    {.id = kLabel2, .kind = ui::kLineLabel, .text = "Extensions:", .left = 120, .top = 1920, .width = 1335, .height = 255},
    {.id = kLbExtensions, .kind = ui::kListBox, .left = 120, .top = 2160, .width = 5655, .height = 2265},
    {.id = kLabel1, .kind = ui::kWrappedLabel,
     .text = "Controls the file types of attachments that Outlook has determined to be unsafe for opening.  "
             "To enable a blocked extension, select the 'Display Blocked Extensions',  choose an extension from "
             "the list, and then press Mark as safe. This will now allow you access to these file types attached "
             "to an Outlook email.",
     .left = 720, .top = 120, .width = 4935, .height = 975},
    {.id = kLabel3, .kind = ui::kLineLabel, .left = kFrameLeft + 240, .top = kFrameTop + 360, .width = 1455, .height = 255},
    {.id = kImage1, .kind = ui::kIcon, .left = 120, .top = 120, .width = 480, .height = 480, .picture = {IDI_PICTURE, 480}},
    // A separator: only its top edge lies inside the window. Last, it lies
    // beneath Label3 and the buttons in its area, and clipped by them.
    {.id = kFrame1, .kind = ui::kSeparator, .text = "  Dunmere ", .left = kFrameLeft, .top = kFrameTop, .width = 6015, .height = 735},
};

constexpr ui::FormLayout kForm{.className = kMainWindowClass, .title = "Sarvell", .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                               .clientWidth = 5880, .clientHeight = 5580, .icon = IDI_SARVELL, .controls = kControls};

}  // namespace

std::span<const ui::Control> MainControls() { return kControls; }

FrmMain::FrmMain() : Form(kForm) {}

void FrmMain::OnLoad() {
    SendMessageW(Item(kTxtExtension), EM_SETLIMITTEXT, 0, 0);  // no limit
    SendMessageW(Item(kOptType0), BM_SETCHECK, BST_CHECKED, 0);
    const std::string version = policy::GetOutlookVersion();
    ui::SetWindowTextUtf8(Item(kLabel3), policy::kVersionLabelPrefix + version);
    policy_.emplace(*this, policy::SecurityKeyPathFor(version), version);
    policy_->RefreshList();
}

void FrmMain::OnCommand(int id, int code) {
    // Only clicks of enabled controls count.
    if (code != BN_CLICKED || !policy_ || !IsWindowEnabled(Item(id))) return;
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
            infowin::frmAbout->ShowModal(hwnd());  // returns once the About window has closed
            break;
        case kCmdExit:
            Unload();
            break;
        default:
            break;
    }
}

int FrmMain::RowCount() const {
    const LRESULT n = SendMessageW(Item(kLbExtensions), LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

std::string FrmMain::RowText(int index) const {
    HWND list = Item(kLbExtensions);
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == LB_ERR) return {};
    return text::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void FrmMain::ClearRows() { SendMessageW(Item(kLbExtensions), LB_RESETCONTENT, 0, 0); }

bool FrmMain::AppendRow(const std::string& row) {
    const std::wstring wide = text::Widen(row);
    const LRESULT r = SendMessageW(Item(kLbExtensions), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    return r != LB_ERR && r != LB_ERRSPACE;
}

void FrmMain::RemoveRow(int index) {
    SendMessageW(Item(kLbExtensions), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int FrmMain::SelectedIndex() const {
    const LRESULT i = SendMessageW(Item(kLbExtensions), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void FrmMain::BeginRowUpdate() {
    if (rowUpdates_++ == 0) SendMessageW(Item(kLbExtensions), WM_SETREDRAW, FALSE, 0);
}

void FrmMain::EndRowUpdate() {
    if (rowUpdates_ == 0 || --rowUpdates_ != 0) return;
    HWND list = Item(kLbExtensions);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

bool FrmMain::SafeViewSelected() const { return SendMessageW(Item(kOptType0), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::string FrmMain::ExtensionText() const { return ui::WindowText(Item(kTxtExtension)); }

void FrmMain::SetExtensionText(const std::string& utf8) { ui::SetWindowTextUtf8(Item(kTxtExtension), utf8); }

void FrmMain::SetMarkCaption(const std::string& caption) { ui::SetWindowTextUtf8(Item(kCmdDelete), caption); }

void FrmMain::SetAddEnabled(bool enabled) { EnableWindow(Item(kCmdAdd), enabled ? TRUE : FALSE); }

void FrmMain::SetPolicyNote(const std::string& note) {
    // Without a policy the title stays the table's own, untouched.
    if (note == policyNote_) return;
    policyNote_ = note;
    ui::SetWindowTextUtf8(hwnd(), Layout().title + note);
}

}  // namespace sarvell::app
