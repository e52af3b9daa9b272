// The generated book directory: writes files atomically, leaves unchanged files alone, prunes stale ones.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace bookkit {

class Canvas;

class OutputTree {
public:
    explicit OutputTree(std::string root);

    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const;

    // Each writer creates missing parent folders and records the file as part of this book.
    bool writeText(const std::string& relative, const std::string& bytes, std::string& error);
    bool savePng(Canvas& canvas, const std::string& relative, std::string& error);
    bool saveJpg(Canvas& canvas, int quality, const std::string& relative, std::string& error);
    bool copyFrom(const std::string& source, const std::string& relative, std::string& error);

    // Removes files under the given folders that this run did not write (left from older sources).
    int prune(const std::vector<std::string>& folders);
    std::size_t writtenCount() const { return written_.size(); }
    std::size_t changedCount() const { return changed_; }

private:
    // Moves a finished temporary file into place unless the same bytes are there already, so
    // an unchanged book keeps its timestamps and a crash never leaves half a file.
    bool commit(const std::string& temporary, const std::string& relative, std::string& error);
    bool prepare(const std::string& relative, std::string& error);

    std::string root_;
    std::set<std::string> written_;
    std::size_t changed_ = 0;
};

bool sameFileContents(const std::string& a, const std::string& b);

}  // namespace bookkit
