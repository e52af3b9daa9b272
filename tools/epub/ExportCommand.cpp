// quirel-epub export: a book folder written as an EPUB 3 publication.
#include <cstdio>

#include "tools/epub/Commands.h"

namespace epub {

const char* const kExportUsage = "  quirel-epub export [--quiet] BOOK_DIR OUT.epub\n";

int runExport(const std::vector<std::string>&) {
    std::fprintf(stderr, "quirel-epub: export is not built yet\n");
    return 1;
}

}  // namespace epub
