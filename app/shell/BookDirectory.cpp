// Book directory selection and checks.
#include "app/shell/BookDirectory.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/book/BookContents.h"
#include "app/access/FocusRing.h"
#include "app/book/BookDescription.h"
#include "app/book/BookFiles.h"
#include "app/book/NarrationSettings.h"
#include "app/book/ReaderState.h"
#include "app/book/RememberedState.h"
#include "app/book/StringTables.h"
#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"

#ifndef QUIREL_DEFAULT_BOOK_DIR
#define QUIREL_DEFAULT_BOOK_DIR "book"
#endif

namespace app {

std::string defaultBookDirectory() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path installed = program.parent_path().parent_path() / "share" / "quirel" / "book";
        if (std::filesystem::is_regular_file(installed / kCaptionTable, ec)) return installed.string();
    }
    return QUIREL_DEFAULT_BOOK_DIR;
}

std::string checkBookDirectory(const std::string& dir) {
    std::error_code ec;
    if (dir.empty()) return "no book directory given";
    if (!std::filesystem::exists(dir, ec)) return "book directory " + dir + " does not exist";
    if (!std::filesystem::is_directory(dir, ec)) return dir + " is not a directory";
    if (access(dir.c_str(), R_OK | X_OK) != 0) return "book directory " + dir + " cannot be read";
    // A description that is there must be sound: its page count and units decide what the reader shows.
    BookDescription description;
    bool present = false;
    std::vector<std::string> errors;
    if (!readBookDescription(dir, &description, &present, &errors) && present) {
        std::string why = "the book's description is not valid:";
        for (const std::string& e : errors) why += "\n  " + e;
        return why;
    }
    return std::string();
}

std::string missingBookParts(const std::string& dir) {
    std::error_code ec;
    namespace fs = std::filesystem;
    // Any page layout will do: the book check (quirel-check) looks at which pages there are.
    bool pages = false;
    const fs::path pageDir = fs::path(dir) / fs::path(pageLayoutFile(1)).parent_path();
    for (fs::directory_iterator it(pageDir, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".json") {
            pages = true;
            break;
        }
    }
    std::vector<std::string> tables;
    for (const char* table : {kCaptionTable, kSentenceTable})
        if (!fs::is_regular_file(fs::path(dir) / table, ec)) tables.push_back(table);
    if (pages && tables.empty()) return std::string();
    std::string missing;
    if (!pages) missing = "no page files (" + pageDir.filename().string() + "/*.json)";
    if (!tables.empty()) {
        if (!missing.empty()) missing += " and ";
        missing += tables.size() == 1 ? "no string table " + tables[0] : "no string tables (" + tables[0] + ", " + tables[1] + ")";
    }
    return dir + " is not a book: it has " + missing + "; quirel-check " + dir + " tells more";
}

void useBookDirectory(const std::string& dir) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(dir, ec);
    engine::CCFileUtils::sharedFileUtils()->setResourceRoot(ec ? dir : abs.lexically_normal().string());
    BookDescription description;
    bool present = false;
    std::vector<std::string> errors;
    if (readBookDescription(dir, &description, &present, &errors)) {
        useDescribedContents(description);
        const int units = static_cast<int>(description.units.size());
        engine::CCLog("book: \"%s\", %d page%s, %d unit%s", description.title.c_str(), description.pageCount,
                      description.pageCount == 1 ? "" : "s", units, units == 1 ? "" : "s");
        return;
    }
    // A folder without a description is the course book; a broken one was refused by the check,
    // and is logged here for callers that skipped it.
    for (const std::string& e : errors) engine::CCLog("book: %s", e.c_str());
    useCourseBookContents();
}

bool parseScanSeconds(const char* text, float* seconds) {
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(v) || v <= 0 || v > 60) return false;
    *seconds = static_cast<float>(v);
    return true;
}

void rememberBook(const std::string& stateFolder, const std::string& dir, float scanSeconds) {
    RememberedState::open(stateFolder, dir);
    readingMode = RememberedState::getInt(remembered::kReadingMode, READ_ON_TOUCH, READ_TURN_PAGES, readingMode);
    const Json::Value scan = RememberedState::get(remembered::kScanSeconds);
    if (scanSeconds > 0)
        FocusRing::setScanSeconds(scanSeconds);
    else if (scan.isNumeric() && scan.asDouble() > 0 && scan.asDouble() <= 60)
        FocusRing::setScanSeconds(scan.asFloat());
    // The speed and echo reading come back as the grown-ups last chose them; the caller then
    // applies what its command line gave explicitly, which wins for that run.
    const Json::Value rate = RememberedState::get(remembered::kNarrationRate);
    if (rate.isNumeric() && rate.asDouble() >= 0.5 && rate.asDouble() <= 1.5) setNarrationRate(rate.asDouble());
    const Json::Value echo = RememberedState::get(remembered::kEchoReading);
    if (echo.isBool()) setEchoReading(echo.asBool());
}

}  // namespace app
