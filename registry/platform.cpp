#include "registry/platform.h"

#ifdef _WIN32
#include "registry/win32_platform.h"
#else
#include "registry/memory_store.h"
#endif

namespace sarvell::registry {

namespace {

Platform& DefaultPlatform() {
#ifdef _WIN32
    static Win32Platform platform;
#else
    static MemoryStore platform;
#endif
    return platform;
}

Platform* g_current = nullptr;

}  // namespace

Platform& CurrentPlatform() { return g_current != nullptr ? *g_current : DefaultPlatform(); }

PlatformScope::PlatformScope(Platform& platform) : previous_(g_current) { g_current = &platform; }

PlatformScope::~PlatformScope() { g_current = previous_; }

}  // namespace sarvell::registry
