#pragma once

#include <optional>
#include <string>

// Every run-time file lives in data/ under the current directory; this is the
// one place that knows it.
std::string dataDirectory();
std::string dataPath(const std::string& name);

// The whole file as text, with CR LF line ends turned into LF; nullopt when the
// file cannot be opened. The text ends at its first NUL for anything that reads
// it as a C string, as the shader compiler does.
std::optional<std::string> readDataFile(const std::string& name);
