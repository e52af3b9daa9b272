// Atomic, change-aware file output for the generated book, and removal of files it no longer has.
#include "tools/bookkit/OutputTree.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "tools/bookkit/Canvas.h"

namespace fs = std::filesystem;

namespace bookkit {

bool sameFileContents(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (!fs::is_regular_file(a, ec) || !fs::is_regular_file(b, ec)) {
        return false;
    }
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) {
        return false;
    }
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    char ba[65536], bb[65536];
    while (fa && fb) {
        fa.read(ba, sizeof ba);
        fb.read(bb, sizeof bb);
        if (fa.gcount() != fb.gcount() || std::char_traits<char>::compare(ba, bb, fa.gcount()) != 0) {
            return false;
        }
    }
    return fa.eof() && fb.eof();
}

OutputTree::OutputTree(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/') {
        root_.pop_back();
    }
}

std::string OutputTree::path(const std::string& relative) const {
    return root_ + "/" + relative;
}

bool OutputTree::prepare(const std::string& relative, std::string& error) {
    std::error_code ec;
    fs::create_directories(fs::path(path(relative)).parent_path(), ec);
    if (ec) {
        error = "cannot create the folder of " + path(relative) + ": " + ec.message();
        return false;
    }
    return true;
}

bool OutputTree::commit(const std::string& temporary, const std::string& relative, std::string& error) {
    const std::string final = path(relative);
    written_.insert(relative);
    std::error_code ec;
    if (sameFileContents(temporary, final)) {
        fs::remove(temporary, ec);
        return true;
    }
    fs::rename(temporary, final, ec);
    if (ec) {
        fs::remove(temporary, ec);
        error = "cannot write " + final;
        return false;
    }
    ++changed_;
    return true;
}

bool OutputTree::writeText(const std::string& relative, const std::string& bytes, std::string& error) {
    if (!prepare(relative, error)) {
        return false;
    }
    const std::string temporary = path(relative) + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot write " + temporary;
            return false;
        }
    }
    return commit(temporary, relative, error);
}

bool OutputTree::savePng(Canvas& canvas, const std::string& relative, std::string& error) {
    if (!prepare(relative, error)) {
        return false;
    }
    const std::string temporary = path(relative) + ".part";
    if (!canvas.savePng(temporary, error)) {
        return false;
    }
    return commit(temporary, relative, error);
}

bool OutputTree::saveJpg(Canvas& canvas, int quality, const std::string& relative, std::string& error) {
    if (!prepare(relative, error)) {
        return false;
    }
    const std::string temporary = path(relative) + ".part";
    if (!canvas.saveJpg(temporary, quality, error)) {
        return false;
    }
    return commit(temporary, relative, error);
}

bool OutputTree::copyFrom(const std::string& source, const std::string& relative, std::string& error) {
    if (!prepare(relative, error)) {
        return false;
    }
    if (sameFileContents(source, path(relative))) {
        written_.insert(relative);
        return true;
    }
    const std::string temporary = path(relative) + ".part";
    std::error_code ec;
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy " + source + " to " + temporary + ": " + ec.message();
        return false;
    }
    return commit(temporary, relative, error);
}

int OutputTree::prune(const std::vector<std::string>& folders) {
    int removed = 0;
    for (const std::string& folder : folders) {
        std::error_code ec;
        const fs::path base = path(folder);
        if (!fs::is_directory(base, ec)) {
            continue;
        }
        std::vector<fs::path> stale;
        for (auto it = fs::recursive_directory_iterator(base, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            if (!it->is_regular_file(ec)) {
                continue;
            }
            const std::string relative = fs::relative(it->path(), root_, ec).generic_string();
            if (!written_.count(relative)) {
                stale.push_back(it->path());
            }
        }
        for (const fs::path& p : stale) {
            if (fs::remove(p, ec)) {
                ++removed;
            }
        }
    }
    return removed;
}

}  // namespace bookkit
