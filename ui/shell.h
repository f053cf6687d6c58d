// Handing a link to the user's default program: the one road to the shell.
// Tests put a handler of their own in its place, so that no test opens a
// browser or a mail program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace sarvell::ui {

using ShellHandler = std::function<void(HWND owner, const std::string& target)>;

// Opens a "mailto:" link or a web address with the default verb. Whether it
// worked is not looked at: with no program for the link, nothing happens.
void ShellOpen(HWND owner, const std::string& target);

// Puts a handler in the shell's place for the life of the scope; an empty
// one puts the system's shell back.
class ShellScope {
public:
    explicit ShellScope(ShellHandler handler);
    ~ShellScope();
    ShellScope(const ShellScope&) = delete;
    ShellScope& operator=(const ShellScope&) = delete;

private:
    ShellHandler previous_;
};

}  // namespace sarvell::ui
