#include "render/FontImage.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// Far above any real font sheet (4096 x 4096 RGBA), far below what a forged
// header can ask for.
constexpr std::size_t kMaxAllocation = std::size_t{64} << 20; // bytes

void* cappedMalloc(std::size_t size) { return size > kMaxAllocation ? nullptr : std::malloc(size); }
void* cappedRealloc(void* p, std::size_t size) {
    return size > kMaxAllocation ? nullptr : std::realloc(p, size);
}

} // namespace

#define STBI_MALLOC(size) cappedMalloc(size)
#define STBI_REALLOC(p, size) cappedRealloc(p, size)
#define STBI_FREE(p) std::free(p)
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

bool loadFontImage(const std::string& path, FontImage& image, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = "cannot open " + path;
        return false;
    }
    std::string bytes;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= kMaxAllocation;)
        bytes.append(chunk, n);
    const bool readError = std::ferror(file);
    std::fclose(file);
    if (readError) {
        reason = "cannot read " + path;
        return false;
    }
    if (bytes.size() > kMaxAllocation) {
        reason = path + " is too large for a font image";
        return false;
    }
    if (!decodeFontImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), image, reason)) {
        reason = path + ": " + reason;
        return false;
    }
    return true;
}

bool decodeFontImage(const unsigned char* bytes, std::size_t size, FontImage& image, std::string& reason) {
    if (size == 0) {
        reason = "empty file, not a PNG image";
        return false;
    }
    if (size > static_cast<std::size_t>(INT_MAX)) {
        reason = "too large for a font image";
        return false;
    }
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 3);
    if (!pixels) {
        const char* why = stbi_failure_reason();
        // A truncated file leaves the decoder without a reason of its own.
        reason =
            std::string("not a readable PNG image (") + (why && *why ? why : "truncated or corrupt") + ")";
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 3);
    stbi_image_free(pixels);
    return true;
}
