// Sarvell.exe: takes no command line.
#include <windows.h>

#include "app/mod_main.h"
#include "ui/window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        sarvell::app::Main();
        return sarvell::app::RunMessageLoop();
    } catch (...) {
        sarvell::ui::ReportFatalError();
    }
}
