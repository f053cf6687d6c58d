// Times the main window's list work under Wine with real controls and the
// real registry: switching to the blocked view, and filling the safe view,
// with list values of 10, 1,000 and 10,000 entries.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "ui/text.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Entries(int count) {
    std::string text;
    char entry[16];
    for (int i = 0; i < count; ++i) {
        std::snprintf(entry, sizeof entry, "%s.b%05d", i ? ";" : "", i);
        text += entry;
    }
    return text;
}

void SetList(const std::string& keyPath, const wchar_t* name, const std::string& text) {
    const std::wstring value = sarvell::text::Widen(text);
    RegSetKeyValueW(HKEY_CURRENT_USER, sarvell::text::Widen(keyPath).c_str(), name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

double MedianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Time(HWND button, HWND main) {
    const auto start = Clock::now();
    SendMessageW(button, BM_CLICK, 0, 0);
    UpdateWindow(main);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
    using namespace sarvell::app;
    frmMain->Show();
    HWND main = frmMain->hwnd();
    const std::string key = frmMain->SecurityKeyPath();
    std::printf("%-34s %10s %10s %10s\n", "list entries", "10", "1,000", "10,000");

    std::vector<double> blocked, safe;
    for (int n : {10, 1000, 10000}) {
        SetList(key, L"Level1Remove", Entries(n));
        SetList(key, L"Level1Add", Entries(n));
        std::vector<double> b, s;
        for (int run = 0; run < 11; ++run) {
            b.push_back(Time(GetDlgItem(main, kOptType1), main));
            s.push_back(Time(GetDlgItem(main, kOptType0), main));
        }
        blocked.push_back(MedianMs(b));
        safe.push_back(MedianMs(s));
    }
    std::printf("%-34s %8.2f ms %8.2f ms %8.2f ms\n", "switch to the blocked view", blocked[0], blocked[1],
                blocked[2]);
    std::printf("%-34s %8.2f ms %8.2f ms %8.2f ms\n", "switch to and fill the safe view", safe[0], safe[1], safe[2]);

    RegDeleteTreeW(HKEY_CURRENT_USER, sarvell::text::Widen(key).c_str());
    frmMain.reset();
    return 0;
}
