// frmDonation: asks for a donation and opens the payment service's checkout
// page on a click of any Label4 element.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/form.h"

namespace sarvell::infowin {

class FrmDonation final : public ui::Form {
public:
    FrmDonation();

protected:
    void Load(HWND opener) override;
    void OnCommand(int id, int code) override;
    void Paint(HDC dc) override;
    void OnFinalMessage() override;
};

// The window's one global reference; its unload empties it.
extern std::unique_ptr<FrmDonation> frmDonation;

}  // namespace sarvell::infowin
