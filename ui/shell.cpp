#include "ui/shell.h"

#include <objbase.h>
#include <shellapi.h>

#include <utility>

#include "ui/text.h"

namespace sarvell::ui {

namespace {

// A function of a system library, loaded when first asked for rather than
// at start-up; null when it cannot be had.
template <typename F>
F* SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), name)));
}

// COM, apartment-threaded, on this, the user-interface thread.
bool ComReady() {
    static const bool ready = [] {
        const auto initialize = SystemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        return initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    return ready;
}

// shell32 is loaded at the first link followed, not at start-up: under Wine
// it brings two more libraries and their start-up with it. COM comes first:
// the program for a mailto: or https: address may be a shell extension that
// COM activates.
void Execute(HWND owner, const std::string& target) {
    ComReady();
    static const auto execute = SystemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (execute != nullptr) execute(owner, nullptr, text::Widen(target).c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
}

ShellHandler& Current() {
    static ShellHandler handler;  // none: the system's shell
    return handler;
}

}  // namespace

void ShellOpen(HWND owner, const std::string& target) {
    if (const ShellHandler& handler = Current()) return handler(owner, target);
    Execute(owner, target);
}

ShellScope::ShellScope(ShellHandler handler) : previous_(std::exchange(Current(), std::move(handler))) {}

ShellScope::~ShellScope() { Current() = std::move(previous_); }

}  // namespace sarvell::ui
