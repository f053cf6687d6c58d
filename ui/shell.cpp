#include "ui/shell.h"

#include <objbase.h>
#include <shellapi.h>

#include <utility>

#include "ui/text.h"

namespace sarvell::ui {

namespace {

// shell32 is loaded at the first link followed, not at start-up: under Wine
// it brings two more libraries and their start-up with it. COM comes first,
// apartment-threaded on this, the user-interface thread: the program for a
// mailto: or https: address may be a shell extension that COM activates.
void Execute(HWND owner, const std::string& target) {
    [[maybe_unused]] static const bool com = [] {
        const auto initialize = reinterpret_cast<decltype(&CoInitializeEx)>(reinterpret_cast<void*>(
            GetProcAddress(LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "CoInitializeEx")));
        return initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    static const auto execute = reinterpret_cast<decltype(&ShellExecuteW)>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "ShellExecuteW")));
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
