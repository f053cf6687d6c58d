// Sarvell.exe: takes no command line.
#include <windows.h>

#include "app/mod_main.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        sarvell::app::Main();
        return sarvell::app::RunMessageLoop();
    } catch (...) {
        sarvell::app::ReportFatalError();
    }
}
