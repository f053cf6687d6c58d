// frmDonation: asks for a donation and opens the payment service's checkout
// page on a click of any Label4 element.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/handle.h"
#include "ui/modal.h"

namespace sarvell::infowin {

class FrmDonation final : public ui::ModalForm {
public:
    FrmDonation();

protected:
    void Load(HWND opener) override;
    void OnCommand(int id, int code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    void ApplyDpi(UINT dpi);

    UINT dpi_ = 96;
    ui::UniqueFont font_, bold_, link_;
    ui::UniqueIcon banner_;
    ui::UniqueBrush white_;
};

// The window's one global reference; its unload empties it.
extern std::unique_ptr<FrmDonation> frmDonation;

}  // namespace sarvell::infowin
