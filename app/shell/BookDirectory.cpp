// Book directory selection and checks.
#include "app/shell/BookDirectory.h"

#include <unistd.h>

#include <filesystem>

#include "engine/io/CCFileUtils.h"

#ifndef QUIREL_DEFAULT_BOOK_DIR
#define QUIREL_DEFAULT_BOOK_DIR "book"
#endif

namespace app {

std::string defaultBookDirectory() { return QUIREL_DEFAULT_BOOK_DIR; }

std::string checkBookDirectory(const std::string& dir) {
    std::error_code ec;
    if (dir.empty()) return "no book directory given";
    if (!std::filesystem::exists(dir, ec)) return "book directory " + dir + " does not exist";
    if (!std::filesystem::is_directory(dir, ec)) return dir + " is not a directory";
    if (access(dir.c_str(), R_OK | X_OK) != 0) return "book directory " + dir + " cannot be read";
    return std::string();
}

void useBookDirectory(const std::string& dir) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(dir, ec);
    engine::CCFileUtils::sharedFileUtils()->setResourceRoot(ec ? dir : abs.lexically_normal().string());
}

}  // namespace app
