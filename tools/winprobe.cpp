// winprobe: drives a window of another program from the command line, for
// the screenshot script and the start-up benchmark. Runs under Wine.
//   winprobe rect CLASS                 waits for the window; prints x y w h
//   winprobe click CLASS ID             clicks the button ID of that window
//   winprobe close CLASS                closes it as its close box does
//   winprobe menu CLASS ID              asks for the context menu of control
//                                       ID as the keyboard does
//   winprobe keys CLASS ID VK...        presses keys in control ID (0: the
//                                       window itself)
//   winprobe type CLASS ID TEXT         types TEXT into control ID
//   winprobe hover CLASS ID             rests the mouse on control ID
//   winprobe startup RUNS EXE CLASS ... starts each EXE RUNS times, in turn,
//                                       and prints the median time until its
//                                       window of CLASS is shown, and the
//                                       first EXE's ratio to each other one
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    const wchar_t* cls;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    wchar_t cls[128] = {};
    GetClassNameW(hwnd, cls, 128);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (wcscmp(cls, s->cls) == 0 && IsWindowVisible(hwnd) && (s->pid == 0 || s->pid == pid)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND Find(const wchar_t* cls, DWORD pid = 0) {
    Search s{cls, pid, nullptr};
    EnumWindows(&Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitFor(const wchar_t* cls, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        if (HWND h = Find(cls)) return h;
        if (GetTickCount64() > end) return nullptr;
        Sleep(20);
    }
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One start: milliseconds from CreateProcess to the window shown; then the
// window is closed and the process waited for. Negative on failure.
double TimeStart(const std::wstring& exe, const wchar_t* cls) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return -1;
    }
    HWND shown = nullptr;
    while (shown == nullptr && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT && Now() - start < 20000) {
        shown = Find(cls, pi.dwProcessId);
        if (shown == nullptr) Sleep(1);
    }
    const double elapsed = Now() - start;
    if (shown != nullptr) PostMessageW(shown, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return shown != nullptr ? elapsed : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int Usage() {
    std::fputs("usage: winprobe rect CLASS | click CLASS ID | close CLASS | menu CLASS ID | keys CLASS ID VK... | type CLASS ID TEXT\n"
               "     | hover CLASS ID | startup RUNS EXE CLASS [EXE CLASS...]\n",
               stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    const std::wstring verb = argv[1];
    if (verb == L"startup") {
        const int runs = _wtoi(argv[2]);
        const int programs = (argc - 3) / 2;
        if (runs < 1 || programs < 1 || (argc - 3) % 2 != 0) return Usage();
        std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
        for (int r = 0; r < runs; ++r) {
            for (int p = 0; p < programs; ++p) {
                const double t = TimeStart(argv[3 + 2 * p], argv[4 + 2 * p]);
                if (t < 0) {
                    std::fprintf(stderr, "winprobe: %ls showed no window\n", argv[3 + 2 * p]);
                    return 1;
                }
                times[static_cast<std::size_t>(p)].push_back(t);
            }
        }
        for (int p = 0; p < programs; ++p) {
            std::printf("%ls median %.1f ms over %d starts\n", argv[3 + 2 * p],
                        Median(times[static_cast<std::size_t>(p)]), runs);
        }
        // The first program against each other one, round by round: the
        // machine's pace drifts between rounds, and a round's starts share it.
        for (int p = 1; p < programs; ++p) {
            std::vector<double> ratios;
            for (std::size_t r = 0; r < static_cast<std::size_t>(runs); ++r) {
                ratios.push_back(times[0][r] / times[static_cast<std::size_t>(p)][r]);
            }
            std::printf("ratio to %ls: median of the rounds' %.3f\n", argv[3 + 2 * p], Median(ratios));
        }
        return 0;
    }

    HWND window = WaitFor(argv[2], 20000);
    if (window == nullptr) {
        std::fprintf(stderr, "winprobe: no window of class %ls\n", argv[2]);
        return 1;
    }
    if (verb == L"rect") {
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (verb == L"click" && argc >= 4) {
        HWND button = GetDlgItem(window, _wtoi(argv[3]));
        if (button == nullptr) return 1;
        // Posted: a button that opens a modal window returns only when it closes.
        PostMessageW(button, BM_CLICK, 0, 0);
    } else if (verb == L"close") {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (argc >= 4) {
        const int id = _wtoi(argv[3]);
        HWND control = id == 0 ? window : GetDlgItem(window, id);
        if (control == nullptr) return 1;
        if (verb == L"menu") {
            PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(-1, -1));
        } else if (verb == L"keys") {
            for (int i = 4; i < argc; ++i) PostMessageW(control, WM_KEYDOWN, std::wcstoul(argv[i], nullptr, 0), 1);
        } else if (verb == L"type" && argc >= 5) {
            for (const wchar_t* c = argv[4]; *c; ++c) PostMessageW(control, WM_CHAR, *c, 1);
        } else if (verb == L"hover") {
            RECT r{};
            GetWindowRect(control, &r);
            SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else {
            return Usage();
        }
    } else {
        return Usage();
    }
    return 0;
}
