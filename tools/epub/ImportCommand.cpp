// quirel-epub import: a fixed-layout EPUB 3 with Media Overlays read into a book folder.
#include <cstdio>

#include "tools/epub/Commands.h"

namespace epub {

const char* const kImportUsage = "  quirel-epub import [--quiet] IN.epub OUT_DIR\n";

int runImport(const std::vector<std::string>&) {
    std::fprintf(stderr, "quirel-epub: import is not built yet\n");
    return 1;
}

}  // namespace epub
