// Arbitrary bytes as the font's width list, against an arbitrary image width.
#include "render/TextLayout.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int width = 1 + data[0] * 8; // 1 to 2041 pixels
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "r");
    if (!file) return 0;
    const FontTables tables = buildFontTables(file, width, 512);
    std::fclose(file);
    if (tables.entries < 0 || tables.entries > kFontEntries) std::abort();
    for (int k = tables.entries; k < kFontEntries; ++k)
        if (tables.charWidths[k] != 0) std::abort();
    return 0;
}
