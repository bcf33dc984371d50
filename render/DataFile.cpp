#include "render/DataFile.h"

#include <cstdio>

std::string dataDirectory() { return "data/"; }

std::string dataPath(const std::string& name) { return dataDirectory() + name; }

std::optional<std::string> readDataFile(const std::string& name) {
    std::FILE* file = std::fopen(dataPath(name).c_str(), "rb");
    if (!file) return std::nullopt;
    std::string text;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
    std::fclose(file);

    // Shader files edited on Windows arrive with CR LF; the compiler gets plain
    // LF whatever the editor, so every driver sees the same source. (The font's
    // width list is not read through here: its own line reader copes with CR.)
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        text[out++] = text[i];
    }
    text.resize(out);
    return text;
}
