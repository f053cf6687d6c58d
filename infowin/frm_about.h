// frmAbout: the build, the maker's credits scrolling by, a mail link, and
// the way to the donation window.
#pragma once

#include <windows.h>

#include "infowin/credits.h"
#include "ui/form.h"

namespace sarvell::infowin {

class FrmAbout final : public ui::Form {
public:
    FrmAbout();
    const CreditsScroller& Credits() const { return credits_; }

protected:
    void OnLoad() override;
    void OnCommand(int id, int code) override;
    void OnTimer(UINT_PTR id) override;
    void OnDpi() override { PlaceCredits(); }
    void Paint(HDC dc) override;

private:
    void PlaceCredits();

    CreditsScroller credits_;
};

extern ui::FormSlot<FrmAbout> frmAbout;

}  // namespace sarvell::infowin
