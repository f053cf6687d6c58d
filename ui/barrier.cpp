#include "ui/barrier.h"

#include <exception>

namespace sarvell::ui {

namespace {
FatalErrorReport fatalErrorReport = nullptr;
}  // namespace

void SetFatalErrorReport(FatalErrorReport report) { fatalErrorReport = report; }

void ReportUntrapped() noexcept {
    if (fatalErrorReport != nullptr) fatalErrorReport();
    std::terminate();
}

}  // namespace sarvell::ui
