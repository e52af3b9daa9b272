// Cache entries carried from the replaced book by hard link (a copy where links are not possible).
#include "tools/make/BuildCache.h"

#include <filesystem>
#include <fstream>

#include "app/book/Md5Digest.h"

namespace fs = std::filesystem;

namespace make {

std::string BuildCache::key(const std::string& recipe, const std::string& source) {
    Md5Digest md5;
    // The recipe's length first, so no recipe and source can run together into another's.
    md5.update(std::to_string(recipe.size()) + ":" + recipe + "\n");
    md5.update(source);
    return md5.hexDigest();
}

std::string BuildCache::entry(const std::string& folder, const std::string& key, const std::string& extension) const {
    return folder + "/" + key + extension;
}

std::string BuildCache::find(const std::string& key, const std::string& extension) {
    const std::string target = entry(next_, key, extension);
    std::error_code ec;
    if (fs::is_regular_file(target, ec)) return target;
    if (previous_.empty()) return std::string();
    const std::string source = entry(previous_, key, extension);
    if (!fs::is_regular_file(source, ec)) return std::string();
    fs::create_directories(next_, ec);
    fs::create_hard_link(source, target, ec);
    if (ec) {
        std::string error;
        if (!copyInto(source, target, error)) return std::string();
    }
    return target;
}

std::string BuildCache::scratchPath(const std::string& key, const std::string& extension) {
    std::error_code ec;
    fs::create_directories(next_, ec);
    return entry(next_, key, extension) + ".part";
}

std::string BuildCache::adopt(const std::string& key, const std::string& extension, std::string& error) {
    const std::string target = entry(next_, key, extension);
    std::error_code ec;
    fs::rename(entry(next_, key, extension) + ".part", target, ec);
    if (ec) {
        error = "cannot file " + target + ": " + ec.message();
        return std::string();
    }
    return target;
}

std::string BuildCache::store(const std::string& key, const std::string& extension, const std::string& bytes,
                              std::string& error) {
    const std::string scratch = scratchPath(key, extension);
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            error = "cannot write " + scratch;
            return std::string();
        }
    }
    return adopt(key, extension, error);
}

bool copyInto(const std::string& from, const std::string& to, std::string& error) {
    std::error_code ec;
    fs::create_directories(fs::path(to).parent_path(), ec);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy " + from + " to " + to + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace make
