// A per-process scratch folder for fuzz targets that must hand their input to a reader as a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fuzzscratch {

// Removed at exit so that long runs do not leave folders behind in /tmp.
inline const std::string& folder(const char* target) {
    static std::string dir;
    if (dir.empty()) {
        dir = (std::filesystem::temp_directory_path() /
               (std::string("quirel-fuzz-") + target + "-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(dir);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        });
    }
    return dir;
}

inline void write(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace fuzzscratch
