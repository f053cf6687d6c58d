// frmMain, the main window: the add row, the view selector, the list of
// extensions and the commands, over the policy of the security lists.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "app/frm_main_ids.h"
#include "policy/policy_view.h"
#include "policy/security_policy.h"
#include "ui/form.h"

namespace sarvell::app {

class FrmMain final : public ui::Form, public policy::PolicyView {
public:
    FrmMain();

    const std::string& SecurityKeyPath() const { return policy_->SecurityKeyPath(); }

    // policy::PolicyView over the window's controls.
    int RowCount() const override;
    std::string RowText(int index) const override;
    void ClearRows() override;
    bool AppendRow(const std::string& text) override;
    void RemoveRow(int index) override;
    int SelectedIndex() const override;
    void BeginRowUpdate() override;
    void EndRowUpdate() override;
    bool SafeViewSelected() const override;
    bool NewerTypesShown() const override { return newerTypes_; }
    std::string ExtensionText() const override;
    void SetExtensionText(const std::string& text) override;
    void SetMarkCaption(const std::string& caption) override;
    void SetAddEnabled(bool enabled) override;
    void SetPolicyNote(const std::string& note) override;

protected:
    void OnLoad() override;
    void OnCommand(int id, int code) override;
    bool OnContextMenu(HWND control, LPARAM at) override;
    void OnTimer(UINT_PTR id) override;
    void OnDpi() override;

private:
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    // Selects the row whose extension starts with what was typed quickly
    // one key after another.
    void FindTyped(wchar_t typed);
    // Runs Mark (or Add), the list kept scrolled where it was through the
    // refill; after an Add, its new row scrolled into view.
    void KeepPlace(bool add);
    // The list's hint that the newer types are one right-click away: in the
    // blocked view while they are hidden.
    void ShowHint();
    // Hides the hint that typing found nothing, shown for a while under the list.
    void EndTypedHint();

    int rowUpdates_ = 0;
    bool newerTypes_ = false;  // asked for through the list's context menu; never kept
    HWND hint_ = nullptr;      // made at the first blocked view
    std::wstring typed_;
    ULONGLONG typedAt_ = 0;
    std::string policyNote_;  // what the title shows after "Sarvell"
    std::optional<policy::SecurityPolicy> policy_;
};

extern ui::FormSlot<FrmMain> frmMain;

// The window's controls, for the start-up yardstick that has them alone.
std::span<const ui::Control> MainControls();

}  // namespace sarvell::app
