// Sample book access for tests.
#include "support/BookFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace testsupport {

std::string sampleBookDir() {
#ifdef QUIREL_BINARY_DIR
    std::string dir = std::string(QUIREL_BINARY_DIR) + "/book";
#else
    std::string dir = "book";
#endif
    return dir;
}

std::string copyOfSampleBook() {
    std::string src = sampleBookDir();
    std::string dst = makeTempDir("quirel-book");
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(src, ec)) {
        fs::path rel = fs::relative(entry.path(), src, ec);
        fs::path target = fs::path(dst) / rel;
        if (entry.is_directory()) {
            fs::create_directories(target, ec);
        } else if (entry.path().extension() == ".mp3" || entry.path().extension() == ".png" ||
                   entry.path().extension() == ".jpg") {
            fs::create_symlink(fs::absolute(entry.path()), target, ec);
        } else {
            fs::copy_file(entry.path(), target, ec);
        }
    }
    // The first-run marker belongs to whoever ran the reader on the original.
    fs::remove(fs::path(dst) / "ft.xml", ec);
    return dst;
}

}  // namespace testsupport
