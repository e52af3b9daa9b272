// Writes an EPUB container with libzip: the "mimetype" entry first, stored and without extra
// fields, then every other entry in the order given, compressed or stored as each asks.
#pragma once

#include <string>
#include <vector>

#include "tools/epub/Publication.h"

namespace epub {

// Writes the zip at `path` (replacing what is there). False with a message naming the file that
// failed, the zip or an entry's source. Entries' texts must stay alive until it returns.
bool writeEpubZip(const std::string& path, const std::vector<EpubEntry>& entries, std::string& error);

// What the container's first entry holds.
extern const char* const kEpubMimetype;  // "application/epub+zip"

}  // namespace epub
