// Preloaded into the game by the start-up fault test: when the loader asks
// the driver for glGetString, it gets a function that answers no version, as a
// broken GL installation would, so the entry points cannot be loaded. GLFW
// looks the driver's functions up through its own handle and is not affected.
#include <cstring>
#include <dlfcn.h>

namespace {
const unsigned char* noString(unsigned int) { return nullptr; }
} // namespace

extern "C" void* glXGetProcAddressARB(const unsigned char* name) {
    if (std::strcmp(reinterpret_cast<const char*>(name), "glGetString") == 0)
        return reinterpret_cast<void*>(&noString);
    using Lookup = void* (*)(const unsigned char*);
    static const Lookup real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "glXGetProcAddressARB"));
    return real ? real(name) : nullptr;
}
