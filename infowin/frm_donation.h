// frmDonation: asks for a donation and opens the payment service's checkout
// page on a click of any Label4 element.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/handle.h"
#include "ui/window.h"

namespace sarvell::infowin {

class FrmDonation final : public ui::Window {
public:
    // Loads the window when needed and shows it modally over `opener`;
    // returns once it has closed, which may have destroyed this object.
    void ShowModal(HWND opener);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    void Load(HWND opener);
    void ApplyDpi(UINT dpi);
    void Unload();

    UINT dpi_ = 96;
    ui::UniqueFont font_, bold_, link_;
    ui::UniqueIcon banner_;
    ui::UniqueBrush white_;
};

// The window's one global reference; its unload empties it.
extern std::unique_ptr<FrmDonation> frmDonation;

}  // namespace sarvell::infowin
