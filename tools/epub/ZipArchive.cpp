// Reading zip entries with libzip, inside the limits and the folder.
#include "tools/epub/ZipArchive.h"

#include <zip.h>

#include <vector>

namespace epub {

namespace {

std::string zipMessage(zip_error_t* e) {
    const std::string text = zip_error_strerror(e);
    return text;
}

std::string mib(std::uint64_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

bool staysInside(const std::string& name) {
    if (name.empty() || name[0] == '/') return false;
    if (name.size() >= 2 && name[1] == ':') return false;  // a drive letter
    for (unsigned char c : name) {
        if (c == '\\' || c < 0x20 || c == 0x7f) return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find('/', start);
        const std::string segment = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (segment == "..") return false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return true;
}

ZipArchive::~ZipArchive() {
    if (archive_) zip_discard(archive_);
}

bool ZipArchive::openFile(const std::string& path, std::string& error, const ZipLimits& limits) {
    name_ = path;
    limits_ = limits;
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive_) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS) {
            error = path + ": not a zip file, so not an EPUB publication (" + zipMessage(&e) + ")";
        } else {
            error = path + ": cannot open: " + zipMessage(&e);
        }
        zip_error_fini(&e);
        return false;
    }
    return index(error);
}

bool ZipArchive::openMemory(const std::string& bytes, const std::string& name, std::string& error,
                            const ZipLimits& limits) {
    name_ = name;
    limits_ = limits;
    memory_ = bytes;
    zip_error_t e;
    zip_error_init(&e);
    zip_source_t* source = zip_source_buffer_create(memory_.data(), memory_.size(), 0, &e);
    if (source) archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &e);
    if (!archive_) {
        if (source) zip_source_free(source);
        error = name + ": not a zip file, so not an EPUB publication (" + zipMessage(&e) + ")";
        zip_error_fini(&e);
        return false;
    }
    zip_error_fini(&e);
    return index(error);
}

bool ZipArchive::index(std::string& error) {
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            error = name_ + ": entry " + std::to_string(i) + " is damaged";
            return false;
        }
        const std::string entryName = st.name;
        if (!staysInside(entryName)) {
            error = name_ + ": the entry '" + entryName +
                    "' would land outside the publication's folder (names must be relative, with '/' and no '..')";
            return false;
        }
        if (!entryName.empty() && entryName.back() == '/') continue;  // a folder
        const std::uint64_t size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        const std::uint64_t packed = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
        if (size > limits_.entryBytes) {
            error = name_ + ": the entry '" + entryName + "' inflates to " + mib(size) + ", more than the " +
                    mib(limits_.entryBytes) + " an entry may hold";
            return false;
        }
        if (size >= limits_.ratioFloorBytes && size / (packed ? packed : 1) > limits_.maxRatio) {
            error = name_ + ": the entry '" + entryName + "' inflates " + std::to_string(size / (packed ? packed : 1)) +
                    " times its packed size, which only a zip bomb does";
            return false;
        }
        total += size;
        if (total > limits_.totalBytes) {
            error = name_ + ": the entries inflate to more than " + mib(limits_.totalBytes) +
                    " together, more than a publication may hold";
            return false;
        }
        if (entries_.count(entryName)) {
            error = name_ + ": the entry '" + entryName + "' is there twice";
            return false;
        }
        entries_[entryName] = Entry{static_cast<std::uint64_t>(i), size};
    }
    return true;
}

bool ZipArchive::read(const std::string& path, std::string& bytes, std::string& error) {
    const auto it = entries_.find(path);
    if (it == entries_.end()) {
        error = name_ + ": " + path + " is not in the publication";
        return false;
    }
    const Entry& entry = it->second;
    zip_file_t* file = zip_fopen_index(archive_, entry.index, 0);
    if (!file) {
        error = name_ + ": " + path + " cannot be read: " + zip_strerror(archive_);
        return false;
    }
    // The declared size is only a claim: reading stops one byte past it, and past the limits.
    bytes.clear();
    std::vector<char> chunk(64 * 1024);
    bool ok = true;
    for (;;) {
        const zip_int64_t got = zip_fread(file, chunk.data(), chunk.size());
        if (got < 0) {
            error = name_ + ": " + path + " is damaged: " + zip_file_strerror(file);
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
        if (bytes.size() > entry.size || (!counted_.count(path) && inflated_ + bytes.size() > limits_.totalBytes)) {
            error = name_ + ": " + path + " inflates past the size it declares or the publication's limit";
            ok = false;
            break;
        }
    }
    zip_fclose(file);
    if (!ok) {
        bytes.clear();
        return false;
    }
    if (counted_.insert(path).second) inflated_ += bytes.size();
    return true;
}

}  // namespace epub
