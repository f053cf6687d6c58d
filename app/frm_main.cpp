#include "app/frm_main.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "infowin/frm_about.h"
#include "policy/list_value.h"
#include "policy/outlook_version.h"
#include "ui/handle.h"
#include "ui/text.h"
#include "ui/tooltip.h"

namespace sarvell::app {

ui::FormSlot<FrmMain> frmMain;

namespace {

constexpr int kFrameLeft = -120;
constexpr int kListWidth = 5655;
constexpr UINT kShowNewerTypes = 1;  // the list's context menu item
constexpr UINT_PTR kHintTimer = 1;   // ends the hint that typing found nothing
constexpr UINT kHintShown = 8000;    // ms
constexpr const wchar_t* kHint = L"Looking for .py, .ps1 or another type that newer Outlooks block? Right-click the list, "
                                 L"or press Shift+F10, and choose \"Show types newer Outlooks block\".";
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
    {.id = kLbExtensions, .kind = ui::kListBox, .left = 120, .top = 2160, .width = kListWidth, .height = 2265},
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
    SetWindowSubclass(Item(kLbExtensions), &FrmMain::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void FrmMain::OnCommand(int id, int code) {
    // Only clicks of enabled controls count.
    if (code != BN_CLICKED || !policy_ || !IsWindowEnabled(Item(id))) return;
    switch (id) {
        case kOptType0:
        case kOptType1:
            policy_->ViewSwitch(static_cast<std::int16_t>(id - kOptType0));
            ShowHint();
            break;
        case kCmdDelete:
        case kCmdAdd:
            KeepPlace(id == kCmdAdd);
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

bool FrmMain::OnContextMenu(HWND control, LPARAM at) {
    HWND list = Item(kLbExtensions);
    if (control != list || !policy_ || SafeViewSelected()) return false;
    EndTypedHint();  // it has been heard
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (p.x == -1 && p.y == -1) {  // from the keyboard: under the selected row, kept inside the list
        RECT client{}, row{};
        GetClientRect(list, &client);
        const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (selected == LB_ERR || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&row)) == LB_ERR) {
            row = RECT{};
        }
        p = POINT{client.left, std::clamp(row.bottom, client.top, client.bottom)};
        ClientToScreen(list, &p);
    }
    const ui::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return true;
    const std::wstring item = text::Widen(policy::kShowNewerTypesCaption);
    AppendMenuW(menu.get(), MF_STRING | (newerTypes_ ? MF_CHECKED : MF_UNCHECKED), kShowNewerTypes, item.c_str());
    if (static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y, 0, hwnd(), nullptr)) ==
        kShowNewerTypes && Loaded()) {  // the window may have been closed meanwhile
        newerTypes_ = !newerTypes_;
        ShowHint();
        policy_->RefreshList();
    }
    return true;
}

LRESULT CALLBACK FrmMain::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    return ui::Guarded([&]() -> LRESULT {
        // Every row starts with ".": the list's own search by first letter would find nothing.
        if (message == WM_CHAR && wParam >= L' ' && wParam != 0x7F) {
            reinterpret_cast<FrmMain*>(self)->FindTyped(static_cast<wchar_t>(wParam));
            return 0;
        }
        if (message == WM_KILLFOCUS) reinterpret_cast<FrmMain*>(self)->EndTypedHint();
        if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &FrmMain::ListProc, 0);
        return DefSubclassProc(list, message, wParam, lParam);
    });
}

void FrmMain::FindTyped(wchar_t typed) {
    // As Explorer: keys a moment apart start a new search.
    const ULONGLONG now = GetTickCount64();
    if (now - typedAt_ > 2ULL * GetDoubleClickTime()) typed_.clear();
    typedAt_ = now;
    typed_ += typed;
    HWND list = Item(kLbExtensions);
    const int row = policy::FindTypedRow(*this, text::Narrow(typed_));
    EndTypedHint();
    if (row >= 0) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    } else if (hint_ != nullptr && !SafeViewSelected() && !newerTypes_) {
        // Nothing found: the type may be a newer one. Said under the list,
        // for a keyboard user too, who sees no tool tip of the mouse's.
        RECT r{};
        GetWindowRect(list, &r);
        ui::TrackToolTip(hint_, hwnd(), kHint, POINT{r.left, r.bottom});
        SetTimer(hwnd(), kHintTimer, kHintShown, nullptr);
    }
}

void FrmMain::OnTimer(UINT_PTR id) {
    if (id == kHintTimer) EndTypedHint();
}

void FrmMain::EndTypedHint() {
    KillTimer(hwnd(), kHintTimer);
    ui::TrackToolTip(hint_, hwnd(), nullptr);
}

void FrmMain::KeepPlace(bool add) {
    HWND list = Item(kLbExtensions);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    const int before = RowCount();
    add ? policy_->AddClick() : policy_->MarkClick();
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);  // as far as the rows allow
    if (!add || RowCount() <= before) return;
    // The new user row is the first: scrolled into view when it is not.
    const std::string user = policy::UserRow("");
    int row = 0;
    while (row < RowCount() && !RowText(row).ends_with(user)) ++row;
    RECT client{}, item{};
    GetClientRect(list, &client);
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    if (item.top < 0 || item.bottom > client.bottom) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
}

void FrmMain::ShowHint() {
    const bool wanted = !SafeViewSelected() && !newerTypes_;
    typed_.clear();  // other rows: a search starts afresh
    if (hint_ == nullptr) {
        if (!wanted || (hint_ = MakeToolTip()) == nullptr) return;
        SendMessageW(hint_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);  // long enough to read it
        OnDpi();
    }
    ui::SetToolTip(hint_, hwnd(), Item(kLbExtensions), wanted ? kHint : nullptr);
    if (!wanted) EndTypedHint();
}

// The hint wraps at the list's width.
void FrmMain::OnDpi() {
    if (hint_ != nullptr) SendMessageW(hint_, TTM_SETMAXTIPWIDTH, 0, Px(kListWidth));
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
