// frmMain, the main window: the add row, the view selector, the list of
// extensions and the commands, over the policy of the security lists.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/frm_main_ids.h"
#include "policy/policy_view.h"
#include "policy/security_policy.h"
#include "ui/handle.h"
#include "ui/window.h"

namespace sarvell::app {

class FrmMain final : public ui::Window, public policy::PolicyView {
public:
    FrmMain() = default;
    ~FrmMain() override;

    // Creates the window, hidden, and runs the load sequence; once.
    void Load();
    // Shows the window modelessly, loading it first when needed.
    void Show();
    bool Loaded() const { return hwnd() != nullptr; }

    const std::string& SecurityKeyPath() const { return policy_->SecurityKeyPath(); }
    UINT Dpi() const { return dpi_; }

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
    std::string ExtensionText() const override;
    void SetExtensionText(const std::string& text) override;
    void SetMarkCaption(const std::string& caption) override;
    void SetAddEnabled(bool enabled) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    // The controls' handles, looked up once: GetDlgItem asks the window
    // server under Wine, which costs more than adding a list row.
    HWND Control(int id) const { return controls_[static_cast<std::size_t>(id - kImage1)]; }
    // A new DPI: font, control positions, then what ApplyDpiToWindow does.
    void ApplyDpi(UINT dpi);
    // The icons and the client size for dpi_.
    void ApplyDpiToWindow();
    void OnCommand(int id, int code);

    std::array<HWND, kCmdExit - kImage1 + 1> controls_{};
    HWND focus_ = nullptr;  // the control that had the focus when the window was last active
    UINT dpi_ = 96;
    UINT iconDpi_ = 0;  // the DPI the title-bar icons were made for
    int rowUpdates_ = 0;
    ui::UniqueFont font_;
    ui::UniqueIcon icon_, smallIcon_, picture_;
    std::optional<policy::SecurityPolicy> policy_;
};

// The window's one global reference; its unload empties it.
extern std::unique_ptr<FrmMain> frmMain;

// The explanatory text of Label1.
extern const char* const kExplanatoryText;

}  // namespace sarvell::app
