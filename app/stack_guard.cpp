// The stack protector's guard and its failure, in place of libssp's: libssp
// draws its guard through CryptAcquireContext, which loads three crypto
// libraries before the first window can show; RtlGenRandom draws it from the
// same system generator without them. Linked into Sarvell.exe alone.
#include <windows.h>
#include <ntsecapi.h>

#include <cstdint>

// The names are the compiler's: the protector's code refers to them.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" {

// A terminator canary until the random one is drawn, and should drawing fail.
std::uintptr_t __stack_chk_guard = static_cast<std::uintptr_t>(0xff0a0000u);

[[noreturn]] void __stack_chk_fail() {
    // Nothing of the smashed frame is trusted: no unwinding, no handler.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    __builtin_unreachable();
}

// A fortified call found its buffer too small.
void __chk_fail() { __stack_chk_fail(); }

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

namespace {

// Before every other constructor, while only the C runtime's start-up, which
// is not protected, is on the stack.
__attribute__((constructor(101), no_stack_protector)) void DrawGuard() {
    std::uintptr_t guard = 0;
    if (RtlGenRandom(&guard, sizeof guard) && guard != 0) __stack_chk_guard = guard;
}

}  // namespace
