// System libraries the main window does not need at start-up, loaded when
// first asked for, and COM, which only some of them need.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace sarvell::ui {

// A function of a system library; null when it cannot be had.
template <typename F>
F* SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), name)));
}

// COM, apartment-threaded, on this, the user-interface thread, from the
// first call on.
inline bool ComReady() {
    static const bool ready = [] {
        const auto initialize = SystemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        return initialize != nullptr && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    return ready;
}

}  // namespace sarvell::ui
