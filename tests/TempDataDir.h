#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Runs a test inside a fresh directory holding its own data/ folder, restoring
// the working directory afterwards. Copies the real data files when asked.
class TempDataDir {
public:
    explicit TempDataDir(bool withRealData = false) {
        char pattern[] = "/tmp/coilrun-test-XXXXXX";
        root = mkdtemp(pattern);
        previous = std::filesystem::current_path();
        std::filesystem::create_directory(root / "data");
        if (withRealData)
            std::filesystem::copy(std::filesystem::path(COILRUN_SOURCE_DIR) / "data", root / "data",
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
        std::filesystem::current_path(root);
    }
    ~TempDataDir() {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;

    void write(const std::string& name, const std::string& bytes) const {
        std::FILE* f = std::fopen((root / "data" / name).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    void remove(const std::string& name) const { std::filesystem::remove(root / "data" / name); }

    std::filesystem::path root;

private:
    std::filesystem::path previous;
};
