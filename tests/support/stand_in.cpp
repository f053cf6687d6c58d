// A program the window tests start in place of others. Given a file and an
// address, it is the mail or web program a link reaches: it writes the
// address to the file. Alone, it ends with the low bits of its stack
// protector's guard, drawn as Sarvell.exe draws it.
#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <fstream>

#ifdef __MINGW32__
extern "C" std::uintptr_t __stack_chk_guard;  // NOLINT: app/stack_guard.cpp's
#define SARVELL_GUARD __stack_chk_guard
#else
extern "C" std::uintptr_t __security_cookie;  // MSVC's, drawn by its runtime
#define SARVELL_GUARD __security_cookie
#endif

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return static_cast<int>(SARVELL_GUARD);
    std::ofstream out(std::filesystem::path(argv[1]), std::ios::binary);
    out.write(reinterpret_cast<const char*>(argv[2]), static_cast<std::streamsize>(std::wcslen(argv[2]) * sizeof(wchar_t)));
    return out.good() ? 0 : 1;
}
