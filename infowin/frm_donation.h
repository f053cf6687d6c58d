// frmDonation: asks for a donation and opens the payment service's checkout
// page on a click of any Label4 element.
#pragma once

#include <windows.h>

#include "ui/form.h"

namespace sarvell::infowin {

class FrmDonation final : public ui::Form {
public:
    FrmDonation();

protected:
    void OnCommand(int id, int code) override;
};

extern ui::FormSlot<FrmDonation> frmDonation;

}  // namespace sarvell::infowin
