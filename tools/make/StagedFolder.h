// A book folder made whole or not at all: built in a hidden folder beside OUT_DIR and renamed into
// place when complete. An OUT_DIR made before is replaced only then; anything else is refused, so
// a mistyped OUT_DIR cannot cost someone their folder. On failure, and on an interrupt that the
// maker notices through interrupted(), the hidden folder goes away.
#pragma once

#include <string>

namespace make {

class StagedFolder {
public:
    // The file that marks a folder as a book made before.
    static constexpr const char* kMarkFile = "quirel-book.json";

    StagedFolder() = default;
    ~StagedFolder();
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    // Checks OUT_DIR (missing, empty, or a book) and makes the hidden folder beside it.
    bool open(const std::string& outDir, std::string& error);
    const std::string& path() const { return staging_; }
    const std::string& target() const { return target_; }
    // OUT_DIR's folder when it is a book that this run replaces; empty otherwise.
    const std::string& previous() const { return previous_; }

    // Puts the finished folder in OUT_DIR's place (the old one is removed only after).
    bool commit(std::string& error);
    // Removes the hidden folder (also done by the destructor unless committed).
    void discard();

    // SIGINT, SIGTERM and SIGHUP set a flag that the maker checks between steps (bookkit's).
    static void catchInterrupts();
    static bool interrupted();

private:
    std::string target_;
    std::string staging_;
    std::string previous_;
    bool committed_ = false;
};

}  // namespace make
