// Remembers what the MP3 scanner found per file, so a file read many times is scanned once.
#include "engine/audio/Mp3DurationCache.h"

namespace engine {

const Mp3StreamInfo& Mp3DurationCache::lookup(const std::string& fullPath) {
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t bytes = std::filesystem::file_size(fullPath, sizeError);
    const auto modified = std::filesystem::last_write_time(fullPath, timeError);
    const bool statted = !sizeError && !timeError;

    auto it = m_entries.find(fullPath);
    if (it != m_entries.end()) {
        if (statted && it->second.bytes == bytes && it->second.modified == modified)
            return it->second.info;
        m_entries.erase(it);
    }
    Mp3StreamInfo info = Mp3Scanner::scanFile(fullPath);
    if (!info.playable || !statted) {
        m_lastFailure = std::move(info);
        return m_lastFailure;
    }
    Entry& entry = m_entries[fullPath];
    entry.bytes = bytes;
    entry.modified = modified;
    entry.info = std::move(info);
    return entry.info;
}

}  // namespace engine
