#include "app/mod_main.h"

#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "app/frm_main.h"
#include "registry/host.h"
#include "registry/registry_error.h"
#include "ui/handle.h"
#include "ui/form.h"
#include "ui/text.h"

namespace sarvell::app {

namespace {
// Local\: one copy per logon session, so users of one machine do not stop
// each other; each edits only their own values.
constexpr const wchar_t* kInstanceMutex = L"Local\\Dunmere.Sarvell.Sarvell";
ui::UniqueKernelHandle instanceMutex;
}  // namespace

bool PrevInstance() {
    if (instanceMutex) return false;
    instanceMutex.reset(CreateMutexW(nullptr, FALSE, kInstanceMutex));
    const DWORD error = GetLastError();
    if (!instanceMutex) {
        // Denied: the name is held by a copy running with other rights.
        return error == ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        instanceMutex.reset();
        return true;
    }
    return false;
}

void Main() {
    if (PrevInstance()) return;
    ui::SetFatalErrorReport(&ReportFatalError);
    InitCommonControls();
    frmMain->Show();
}

int RunMessageLoop() {
    MSG msg{};
    while (ui::LiveWindowCount() > 0) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) return 1;
        // Tab, arrow keys and Enter in the main window work as in a dialog.
        if (frmMain && frmMain->Loaded() && IsDialogMessageW(frmMain->hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

void ReportFatalError() noexcept {
    std::string text = "Run-time error";
    // Called from a catch block; outside one there is nothing to describe.
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const registry::RegistryError& e) {
            text += " '" + std::to_string(e.Number()) + "':\n\n" + e.Description();
        } catch (const std::exception& e) {
            text += std::string(":\n\n") + e.what();
        } catch (...) {
        }
    }
    MessageBoxW(nullptr, text::Widen(text).c_str(), text::Widen(registry::host::ProgramName()).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}

}  // namespace sarvell::app
