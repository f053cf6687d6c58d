// The exception barrier: no C++ exception crosses back into Windows. One
// that reaches a callback Windows made is fatal, handed to the program's
// report of every untrapped error.
#pragma once

namespace sarvell::ui {

// The program's report of an error nothing trapped, called inside the
// catch block; it ends the process. Without one the process just ends.
using FatalErrorReport = void (*)() noexcept;
void SetFatalErrorReport(FatalErrorReport report);
[[noreturn]] void ReportUntrapped() noexcept;

// Runs the work of a callback that Windows calls.
template <typename Work>
auto Guarded(Work&& work) noexcept -> decltype(work()) {
    try {
        return work();
    } catch (...) {
        ReportUntrapped();
    }
}

}  // namespace sarvell::ui
