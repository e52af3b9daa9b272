// quirel-epub: shares books as EPUB 3 publications and reads the talking books others made.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/epub/Commands.h"

namespace {

void usage(FILE* to) {
    std::fprintf(to,
                 "usage:\n%s%s"
                 "Writes a quirel book folder as a fixed-layout EPUB 3 with Media Overlays, or reads such a\n"
                 "publication into a book folder. `quirel-epub COMMAND --help` tells more of each.\n"
                 "\n"
                 "Exit status: 0 done, 1 a problem with the input or the output (named; nothing written),\n"
                 "2 bad usage, 130 interrupted (nothing written).\n",
                 epub::kExportUsage, epub::kImportUsage);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "quirel-epub: give a command, export or import\n");
        usage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        usage(stdout);
        return 0;
    }
    if (command == "export") return epub::runExport(args);
    if (command == "import") return epub::runImport(args);
    std::fprintf(stderr, "quirel-epub: unknown command %s\n", command.c_str());
    usage(stderr);
    return 2;
}
