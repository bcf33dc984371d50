#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A decoded font image, always three 8-bit channels per pixel, top row first.
struct FontImage {
    int width = 0;                     // pixels
    int height = 0;                    // pixels
    std::vector<unsigned char> pixels; // width * height * 3 bytes
};

// Decodes a PNG file, converting grey, grey+alpha, RGBA and 16-bit images to
// 8-bit RGB. Returns false and says why in `reason` when the file cannot be
// opened or decoded; the decoder's allocations are capped, so a hostile header
// cannot make it ask for gigabytes.
bool loadFontImage(const std::string& path, FontImage& image, std::string& reason);

// The same from bytes already in memory.
bool decodeFontImage(const unsigned char* bytes, std::size_t size, FontImage& image, std::string& reason);
