#include "ui/shell.h"

#include <shellapi.h>

#include <utility>

#include "ui/text.h"

namespace sarvell::ui {

namespace {

void Execute(HWND owner, const std::string& target) {
    ShellExecuteW(owner, nullptr, text::Widen(target).c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
}

ShellHandler& Current() {
    static ShellHandler handler = &Execute;
    return handler;
}

}  // namespace

void ShellOpen(HWND owner, const std::string& target) { Current()(owner, target); }

ShellScope::ShellScope(ShellHandler handler) : previous_(std::exchange(Current(), std::move(handler))) {}

ShellScope::~ShellScope() { Current() = std::move(previous_); }

}  // namespace sarvell::ui
