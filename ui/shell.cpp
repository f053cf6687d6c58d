#include "ui/shell.h"

#include <shellapi.h>

#include <utility>

#include "ui/system.h"
#include "ui/text.h"

namespace sarvell::ui {

namespace {

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
