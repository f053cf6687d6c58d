// The program's entry and exit: one copy at a time, the common controls,
// the main window, and the message loop that runs until no window is left.
#pragma once

namespace sarvell::app {

// Whether another copy of Sarvell runs in this logon session. The first call
// claims the name for this process, for its whole life.
bool PrevInstance();

// Shows the main window, or returns at once when another copy runs.
void Main();

// Runs the window events until the last window has been unloaded; returns
// the process's exit code.
int RunMessageLoop();

// The report of an error nothing trapped, called inside the catch block:
// its number and description in a message box; then the process ends.
[[noreturn]] void ReportFatalError() noexcept;

}  // namespace sarvell::app
