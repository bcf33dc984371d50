// Test entry for tests that need a real OpenGL context: the game's own window
// and context, current for the whole run.
#include "app/Platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace {

// Mesa's driver is unloaded at exit, and LeakSanitizer then reports the
// driver's own allocations against an unknown module that no suppression can
// name. Pinning every loaded *_dri.so keeps it mapped, so the leak check sees
// only our code and still names file and line for a leak of ours.
void keepDriverLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            const char* name = info->dlpi_name;
            const std::size_t n = name ? std::strlen(name) : 0;
            if (n > 7 && std::strcmp(name + n - 7, "_dri.so") == 0)
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    Platform platform;
    if (!platform.load()) return 1;
    keepDriverLoaded();
    const int result = RUN_ALL_TESTS();
    platform.unload();
    return result;
}
