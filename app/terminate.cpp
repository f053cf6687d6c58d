// What ends the program when an exception escapes every handler (which the
// exception barrier and wWinMain's catch leave to a noexcept breach alone):
// abort, as libstdc++'s own handler does once it has written the exception's
// name to a console that a windowed program does not have. Its demangler
// alone is 46 KB of the 32-bit exe. Linked into Sarvell.exe as an object of
// its own, so that the runtime's handler is never pulled in.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {  // NOLINT(cert-dcl58-cpp): the runtime's own name, replaced

void __verbose_terminate_handler() { std::abort(); }  // NOLINT(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)

}  // namespace __gnu_cxx
