// Sarvell as a high-contrast scheme shows it, for the screenshot script:
// Wine answers "off" to every question about the scheme, whatever colours
// the prefix has.
#include <windows.h>

#include "app/mod_main.h"
#include "ui/colours.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const sarvell::ui::ContrastScope scheme(true);
    sarvell::app::Main();
    return sarvell::app::RunMessageLoop();
}
