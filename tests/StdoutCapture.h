#pragma once

#include <cstdio>
#include <string>
#include <unistd.h>

// Collects everything written to standard output, at the descriptor level, so
// output from printf and fputs alike is caught.
class StdoutCapture {
public:
    StdoutCapture() {
        std::fflush(stdout);
        file = std::tmpfile();
        saved = dup(1);
        dup2(fileno(file), 1);
    }
    ~StdoutCapture() {
        if (saved >= 0) text();
        std::fclose(file);
    }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Stops capturing and returns what was written.
    std::string text() {
        if (saved >= 0) {
            std::fflush(stdout);
            dup2(saved, 1);
            close(saved);
            saved = -1;
        }
        std::string out;
        std::rewind(file);
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) out.append(chunk, n);
        return out;
    }

private:
    std::FILE* file = nullptr;
    int saved = -1;
};
