// Arbitrary bytes as the font image, up to what the texture upload receives.
#include "render/FontImage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FontImage image;
    std::string reason;
    if (!decodeFontImage(data, size, image, reason)) {
        if (reason.empty()) std::abort(); // every failure says why
        return 0;
    }
    // The upload reads width * height * 3 bytes.
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        std::abort();
    return 0;
}
