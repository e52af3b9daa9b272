// quirel-epub import: a fixed-layout EPUB 3 with Media Overlays read into a book folder.
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "tools/epub/Commands.h"
#include "tools/epub/Importer.h"

namespace epub {

const char* const kImportUsage = "  quirel-epub import [--quiet] IN.epub OUT_DIR\n";

namespace {

const char* const kImportHelp =
    "usage: quirel-epub import [--quiet] IN.epub OUT_DIR\n"
    "Reads a fixed-layout EPUB 3 publication with Media Overlays (read-aloud narration) into the\n"
    "book folder OUT_DIR, as quirel-make makes one.\n"
    "\n"
    "Each page is drawn at its viewport size and fitted into the 640 x 960 page. Each piece of\n"
    "narration becomes a sentence: its text is the element it reads, its touch areas are that\n"
    "element's lines, its recording the clip of the audio (MP3 or AAC) that speaks it; word-by-word\n"
    "narration is joined into sentences. The table of contents gives the units. What a book cannot\n"
    "carry (scripts, video, reflowable pages, spreads) is listed as a warning.\n"
    "\n"
    "OUT_DIR is written whole or not at all: a book made before is replaced once the new one is\n"
    "complete; any other folder with files in it is left alone.\n"
    "\n"
    "  --quiet   no progress, no warnings and no summary\n"
    "  --help    show this text\n"
    "\n"
    "Exit status: 0 made, 1 a problem with the publication or OUT_DIR (named; nothing written),\n"
    "2 bad usage, 130 interrupted (nothing written).\n";

}  // namespace

int runImport(const std::vector<std::string>& args) {
    bool quiet = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kImportHelp, stdout);
            return 0;
        } else if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<std::ptrdiff_t>(i + 1), args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "quirel-epub: unknown option %s\n%s", arg.c_str(), kImportHelp);
            return 2;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "quirel-epub: give IN.epub and OUT_DIR\n%s", kImportHelp);
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const ImportResult r = importPublication(positional[0], positional[1], !quiet && ::isatty(STDOUT_FILENO));
    if (!quiet || r.exitCode != 0) {
        for (const std::string& w : r.warnings) std::fprintf(stderr, "quirel-epub: warning: %s\n", w.c_str());
    }
    for (const std::string& e : r.errors) std::fprintf(stderr, "%s\n", e.c_str());
    if (r.exitCode != 0) {
        std::fprintf(stderr, "quirel-epub: nothing written\n");
        return r.exitCode;
    }
    if (!quiet) {
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("quirel-epub: imported %s into %s: %d pages, %d sentences, %zu warnings; %.2f s\n",
                    positional[0].c_str(), positional[1].c_str(), r.pages, r.sentences, r.warnings.size(), s);
    }
    return 0;
}

}  // namespace epub
