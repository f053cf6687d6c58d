// frmAbout: the build, the maker's credits scrolling by, a mail link, and
// the way to the donation window.
#pragma once

#include <windows.h>

#include <memory>

#include "infowin/credits.h"
#include "ui/form.h"

namespace sarvell::infowin {

class FrmAbout final : public ui::Form {
public:
    FrmAbout();
    const CreditsScroller& Credits() const { return credits_; }

protected:
    void Load(HWND opener) override;
    void OnCommand(int id, int code) override;
    void OnDpi() override { PlaceCredits(); }
    void Paint(HDC dc) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    void PlaceCredits();

    CreditsScroller credits_;
};

// The window's one global reference; its unload empties it.
extern std::unique_ptr<FrmAbout> frmAbout;

}  // namespace sarvell::infowin
