// A publication's zip file, read lazily: the entry list is checked when it opens, an entry's bytes
// are inflated only when asked for. Every name must stay inside the folder the zip would unpack
// into, and inflated sizes are bounded, so a hostile file cannot write outside it or fill memory.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

struct zip;

namespace epub {

struct ZipLimits {
    std::uint64_t entryBytes = 256ull << 20;  // one entry, inflated
    std::uint64_t totalBytes = 512ull << 20;  // every entry together, inflated
    // Inflated size over compressed size, for entries of at least ratioFloorBytes: ordinary
    // content compresses to a few tenths; ratios this large come only from made-up runs.
    std::uint64_t maxRatio = 200;
    std::uint64_t ratioFloorBytes = 1ull << 20;
};

class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // `name` is how the file is named in messages. False with `error` when the bytes are not a
    // zip, an entry's name leaves the folder, or the sizes it declares pass the limits.
    bool openFile(const std::string& path, std::string& error, const ZipLimits& limits = ZipLimits());
    bool openMemory(const std::string& bytes, const std::string& name, std::string& error,
                    const ZipLimits& limits = ZipLimits());

    bool has(const std::string& path) const { return entries_.count(path) != 0; }
    const std::string& name() const { return name_; }
    // The entry's bytes, inflated now; false with `error` when it is missing, damaged or inflates
    // past what it declared or the limits allow.
    bool read(const std::string& path, std::string& bytes, std::string& error);

private:
    bool index(std::string& error);

    struct Entry {
        std::uint64_t index = 0;
        std::uint64_t size = 0;
    };
    zip* archive_ = nullptr;
    std::string name_;
    std::string memory_;  // the bytes of an archive opened from memory, kept while it is open
    ZipLimits limits_;
    std::map<std::string, Entry> entries_;
    std::uint64_t inflated_ = 0;  // bytes of the entries handed out so far, each counted once
    std::set<std::string> counted_;
};

// True when `name` stays inside the folder it is unpacked into: relative, '/'-separated, no '..'
// segment, no drive letter, no backslash and no control character.
bool staysInside(const std::string& name);

}  // namespace epub
