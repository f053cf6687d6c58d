#include "ui/link.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>

#include "ui/barrier.h"
#include "ui/handle.h"
#include "ui/system.h"

namespace sarvell::ui {

namespace {

constexpr UINT_PTR kSubclassId = 0x4C4B;  // any number unique on the control

// A screen reader takes a static control for text. The system's own
// accessible object for the label is told it is a link and keeps all else
// (name, place, focus); where the system cannot be told, as under Wine, it
// stays text. Told again with `link` false, it forgets, as it must before the
// label is gone. Whether it took it.
bool AnnounceAsLink(HWND label, bool link) {
    static const auto create = SystemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    IAccPropServices* services = nullptr;
    if (!ComReady() || create == nullptr ||
        FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return false;
    }
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_LINK;
    const auto object = static_cast<DWORD>(OBJID_CLIENT);
    const HRESULT told = link ? services->SetHwndProp(label, object, CHILDID_SELF, PROPID_ACC_ROLE, role)
                              : services->ClearHwndProps(label, object, CHILDID_SELF, &PROPID_ACC_ROLE, 1);
    services->Release();
    return SUCCEEDED(told);
}

// Around the text, not the whole control, as Windows draws a link's focus.
void DrawFocus(HWND link) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(link)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(link, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(link);
    if (dc == nullptr) return;
    RECT r{};
    {
        const ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(link, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    DrawFocusRect(dc, &r);
    ReleaseDC(link, dc);
}

// A transparent label's old focus rectangle goes only with what lies beneath it.
void Repaint(HWND link) {
    HWND parent = GetParent(link);
    RECT r{};
    GetWindowRect(link, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR announced) {
    return Guarded([&]() -> LRESULT {
        switch (message) {
            case WM_GETDLGCODE: {
                // Enter is the link's own, not a push button's.
                const auto* msg = reinterpret_cast<const MSG*>(lParam);
                const bool enter = msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
                return DefSubclassProc(link, message, wParam, lParam) | (enter ? DLGC_WANTMESSAGE : 0);
            }
            case WM_KEYDOWN:
                if (wParam != VK_RETURN && wParam != VK_SPACE) break;
                SendMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED), reinterpret_cast<LPARAM>(link));
                return 0;
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
            case WM_UPDATEUISTATE:
                Repaint(link);
                break;
            case WM_PAINT: {
                const LRESULT painted = DefSubclassProc(link, message, wParam, lParam);
                if (GetFocus() == link && (SendMessageW(link, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) DrawFocus(link);
                return painted;
            }
            case WM_NCDESTROY:
                if (announced != 0) AnnounceAsLink(link, false);
                RemoveWindowSubclass(link, &LinkProc, kSubclassId);
                break;
            default:
                break;
        }
        return DefSubclassProc(link, message, wParam, lParam);
    });
}

}  // namespace

void MakeKeyboardLink(HWND label) { SetWindowSubclass(label, &LinkProc, kSubclassId, AnnounceAsLink(label, true)); }

}  // namespace sarvell::ui
