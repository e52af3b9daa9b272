// Remembers what the MP3 scanner found per file, so a file read many times is scanned once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "engine/audio/Mp3Scanner.h"

namespace engine {

class Mp3DurationCache {
public:
    // The scan of fullPath; rescanned when the file's size or modification time changed since,
    // so a recording replaced on disk is not timed by its predecessor. Files that cannot be
    // scanned are not remembered: they may appear later.
    const Mp3StreamInfo& lookup(const std::string& fullPath);
    void clear() { m_entries.clear(); }
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::uintmax_t bytes = 0;
        std::filesystem::file_time_type modified;
        Mp3StreamInfo info;
    };
    std::unordered_map<std::string, Entry> m_entries;
    Mp3StreamInfo m_lastFailure;
};

}  // namespace engine
