// Staging beside OUT_DIR (same file system, so the final moves are renames) and swapping it in.
#include "tools/make/StagedFolder.h"

#include "tools/bookkit/Interrupts.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace make {

namespace {

// A fresh hidden folder "<parent>/.<name>.<what>-XXXXXX".
std::string hiddenFolder(const fs::path& target, const std::string& what) {
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + "." + what + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) return std::string();
    return std::string(buffer.data());
}

}  // namespace

void StagedFolder::catchInterrupts() {
    bookkit::catchInterrupts();
}

bool StagedFolder::interrupted() {
    return bookkit::interrupted();
}

StagedFolder::~StagedFolder() {
    if (!committed_) discard();
}

bool StagedFolder::open(const std::string& outDir, std::string& error) {
    fs::path target = fs::path(outDir).lexically_normal();
    if (target.has_filename() == false) target = target.parent_path();  // "book/" names "book"
    if (target.empty() || target.filename() == "." || target.filename() == "..") {
        error = outDir + ": name the book's own folder, not . or ..";
        return false;
    }
    if (target.is_relative()) target = fs::current_path() / target;
    target_ = target.string();

    std::error_code ec;
    const fs::path parent = target.parent_path();
    if (!fs::is_directory(parent, ec)) {
        error = "the folder " + parent.string() + " that is to hold " + outDir + " does not exist";
        return false;
    }
    const fs::file_status status = fs::symlink_status(target, ec);
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) {
            error = outDir + " exists and is not a folder; not replacing it";
            return false;
        }
        const bool empty = fs::is_empty(target, ec);
        if (ec) {
            error = outDir + ": cannot look inside: " + ec.message();
            return false;
        }
        if (!empty) {
            if (!fs::is_regular_file(target / kMarkFile, ec)) {
                error = outDir + " is a folder with files in it but not a book made before (it has no " +
                        std::string(kMarkFile) + "); not replacing it. Give a new or empty folder";
                return false;
            }
            previous_ = target_;
        }
    }
    staging_ = hiddenFolder(target, "making");
    if (staging_.empty()) {
        error = "cannot make a folder beside " + outDir + " to build in";
        return false;
    }
    return true;
}

bool StagedFolder::commit(std::string& error) {
    std::error_code ec;
    std::string old;
    if (fs::exists(fs::symlink_status(target_, ec))) {
        // rename() moves a folder onto an empty one, so the old book goes to a fresh hidden name.
        old = hiddenFolder(target_, "old");
        if (old.empty()) {
            error = "cannot make a folder beside " + target_ + " to move the old book to";
            return false;
        }
        fs::rename(target_, old, ec);
        if (ec) {
            fs::remove(old, ec);
            error = "cannot move the old " + target_ + " aside: " + ec.message();
            return false;
        }
    }
    fs::rename(staging_, target_, ec);
    if (ec) {
        error = "cannot move the new book to " + target_ + ": " + ec.message();
        std::error_code back;
        if (!old.empty()) fs::rename(old, target_, back);
        return false;
    }
    committed_ = true;
    if (!old.empty()) fs::remove_all(old, ec);
    return true;
}

void StagedFolder::discard() {
    if (staging_.empty()) return;
    std::error_code ec;
    fs::remove_all(staging_, ec);
    staging_.clear();
}

}  // namespace make
