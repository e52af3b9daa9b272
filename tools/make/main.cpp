// quirel-make: makes a book folder the reader opens from a YAML manifest, pictures and recordings.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <SDL.h>

#include "tools/bookkit/MediaLibraries.h"
#include "tools/make/BookMaker.h"
#include "tools/make/BuildCache.h"
#include "tools/make/Manifest.h"
#include "tools/make/SourceFiles.h"
#include "tools/make/StagedFolder.h"

namespace {

const char* kUsage =
    "usage: quirel-make [--quiet] MANIFEST OUT_DIR\n"
    "Makes the read-along book that the YAML file MANIFEST describes into the folder OUT_DIR.\n"
    "\n"
    "Each page is a picture (PNG or JPEG) fitted into the 640 x 960 page; each sentence is a zone of\n"
    "the picture (x, y, width, height in its own pixels) that plays the sentence's recording (WAV,\n"
    "M4A, OGG, FLAC or MP3) or, without one, speaks it with espeak-ng. For example:\n"
    "\n"
    "  title: At the Zoo\n"
    "  author: Class 2B            # optional\n"
    "  language: en                # default en\n"
    "  voice: en-us                # espeak-ng voice; default from the language\n"
    "  background: \"#ffffff\"       # around a picture that does not fill the page\n"
    "  units:                      # optional; default one unit of every page\n"
    "    - title: Animals\n"
    "      pages: [1, 2]\n"
    "  pages:\n"
    "    - picture: pictures/zoo.jpg\n"
    "      sentences:\n"
    "        - text: Let's go to the zoo!\n"
    "          zone: [40, 700, 560, 80]\n"
    "          audio: voice/zoo1.m4a\n"
    "        - text: A long sentence wraps on to the next line.\n"
    "          zone: [[40, 780, 560, 60], [40, 840, 300, 60]]   # one zone a line\n"
    "          audio: voice/zoo.m4a\n"
    "          clip: [2.5, 4.75]         # seconds of the recording; the end optional\n"
    "    - picture: pictures/monkey.png\n"
    "\n"
    "Paths are relative to the manifest. OUT_DIR is written whole or not at all: a folder made by an\n"
    "earlier run is replaced once the new book is complete, and its cache spares re-encoding\n"
    "recordings that did not change. Any other folder with files in it is left alone.\n"
    "\n"
    "  --quiet   no progress and no summary\n"
    "  --help    show this text\n"
    "\n"
    "Exit status: 0 made, 1 a problem with the manifest, its files or OUT_DIR (each named with its\n"
    "line and column; nothing written), 2 bad usage, 130 interrupted (nothing written).\n";

// Problems, however they were found, sorted by their line and column in the manifest.
std::vector<std::string> inManifestOrder(std::vector<std::string> errors, const std::string& name) {
    auto place = [&](const std::string& e) {
        int line = 0, column = 0;
        if (e.compare(0, name.size() + 1, name + ":") == 0) {
            std::sscanf(e.c_str() + name.size() + 1, "%d:%d", &line, &column);
        }
        return std::make_pair(line, column);
    };
    std::stable_sort(errors.begin(), errors.end(),
                     [&](const std::string& a, const std::string& b) { return place(a) < place(b); });
    return errors;
}

void report(const std::vector<std::string>& errors) {
    for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
}

int refuse(const std::vector<std::string>& errors, const std::string& manifest = std::string()) {
    report(manifest.empty() ? errors : inManifestOrder(errors, manifest));
    std::fprintf(stderr, "quirel-make: %zu problem%s; nothing written\n", errors.size(), errors.size() == 1 ? "" : "s");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if (arg == "--") {
            for (++i; i < argc; ++i) positional.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "quirel-make: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "quirel-make: give a MANIFEST and an OUT_DIR\n%s", kUsage);
        return 2;
    }
    const std::string manifestPath = positional[0];
    const std::string outDir = positional[1];
    const auto started = std::chrono::steady_clock::now();
    make::StagedFolder::catchInterrupts();

    std::vector<std::string> errors;
    make::Manifest manifest;
    if (!make::readManifest(manifestPath, manifest, errors)) return refuse(errors, manifestPath);

    make::StagedFolder staged;
    std::string error;
    if (!staged.open(outDir, error)) return refuse({"quirel-make: " + error});
    bookkit::MediaLibraries media;
    if (!media.ok) return refuse({std::string("quirel-make: cannot start SDL: ") + SDL_GetError()});

    // Files with problems are marked and skipped, and the book is made anyway, so that problems
    // only decoding shows (a damaged recording) are reported in the same run.
    make::SourceFiles files;
    const std::string manifestDir = std::filesystem::path(manifestPath).parent_path().string();
    make::checkManifestFiles(manifest, manifestDir, manifestPath, files, errors);
    const std::string cacheName = make::BuildCache::kFolderName;
    make::BuildCache cache(staged.previous().empty() ? std::string() : staged.previous() + "/" + cacheName,
                           staged.path() + "/" + cacheName);
    make::BookMaker maker(manifest, files, manifestPath, staged.path(), cache);
    maker.showProgress(!quiet && ::isatty(STDOUT_FILENO));
    maker.make(errors);
    if (make::StagedFolder::interrupted()) {
        staged.discard();
        std::fprintf(stderr, "quirel-make: interrupted; nothing written\n");
        return 130;
    }
    if (!errors.empty()) return refuse(errors, manifestPath);
    if (!staged.commit(error)) return refuse({"quirel-make: " + error});

    if (!quiet) {
        const make::MakeCounts& c = maker.counts();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("quirel-make: made %s: %d pages, %d sentences; recordings %d encoded, %d spoken, %d from the "
                    "cache; pictures %d fitted, %d from the cache; %.2f s\n",
                    outDir.c_str(), c.pages, c.sentences, c.recordingsEncoded, c.sentencesSpoken, c.audioFromCache,
                    c.picturesFitted, c.picturesFromCache, seconds);
    }
    return 0;
}
