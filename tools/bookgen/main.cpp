// quirel-bookgen: turns the book's sources into the directory of files the reader opens.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <SDL.h>

#include "tools/bookkit/Artwork.h"
#include "tools/bookgen/AudioRecorder.h"
#include "tools/bookgen/BookSource.h"
#include "tools/bookkit/LayoutWriter.h"
#include "tools/bookkit/MediaLibraries.h"
#include "tools/bookkit/OutputTree.h"
#include "tools/bookgen/PagePainter.h"
#include "tools/bookkit/PlistWriter.h"
#include "app/book/BookFiles.h"
#include "app/book/SentenceNames.h"

using namespace bookgen;

namespace {

const char* kUsage =
    "usage: quirel-bookgen [options] SOURCE_DIR OUT_DIR\n"
    "       quirel-bookgen --icon SIZE FILE.png\n"
    "Generates the picture book described by SOURCE_DIR/book.json into OUT_DIR, or draws the\n"
    "reader's application icon at SIZE x SIZE pixels (16 to 1024).\n"
    "\n"
    "  --cache DIR   keep recorded sentences here and reuse them while their text is unchanged\n"
    "                (default: OUT_DIR/.audio-cache)\n"
    "  --jobs N      encode at most N sentences at once (default 2)\n"
    "  --no-audio    write everything except the recordings (no espeak-ng or lame needed)\n"
    "  --quiet       no progress lines\n"
    "  --help        show this text\n";

struct Options {
    std::string source;
    std::string out;
    std::string cache;
    int jobs = 2;
    bool audio = true;
    bool quiet = false;
};

int parseArguments(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--cache" && i + 1 < argc) {
            options.cache = argv[++i];
        } else if (arg == "--jobs" && i + 1 < argc) {
            options.jobs = std::atoi(argv[++i]);
            if (options.jobs < 1 || options.jobs > 16) {
                std::fprintf(stderr, "bookgen: --jobs takes a number from 1 to 16\n");
                return 2;
            }
        } else if (arg == "--no-audio") {
            options.audio = false;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "bookgen: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    options.source = positional[0];
    options.out = positional[1];
    if (options.cache.empty()) {
        options.cache = options.out + "/.audio-cache";
    }
    return -1;
}

class Generator {
public:
    Generator(const Options& options, const BookSource& book)
        : options_(options),
          book_(book),
          out_(options.out),
          painter_(fonts_),
          artwork_(fonts_, out_),
          audio_(book.voice, options.cache, options.jobs, !options.quiet) {}

    bool run(std::string& error) {
        if (!fonts_.open(error)) {
            return false;
        }
        if (options_.audio) {
            if (!audio_.begin(error)) {
                return false;
            }
            for (const PageSource& page : book_.pages) {
                for (std::size_t n = 1; n <= page.sentences.size(); ++n) {
                    audio_.request(page.sentences[n - 1], app::storedAudioPath(page.number, static_cast<int>(n)));
                }
            }
            // Encoding runs in child processes while the pictures are drawn here.
            if (!audio_.pump(error)) {
                return false;
            }
        }
        if (!artwork_.writeReaderImages(error) || !writeShared(error) || !writePages(error) ||
            !writeSettings(error) || !writeStringTables(error)) {
            return false;
        }
        if (options_.audio && !audio_.finish(out_, error)) {
            return false;
        }
        std::vector<std::string> managed = {"tomeset", "Images", "3age"};
        if (options_.audio) {
            managed.push_back("epc");
        }
        removed_ = out_.prune(managed);
        return true;
    }

    void summary(double seconds) const {
        std::printf("bookgen: %zu pages, %zu files (%zu changed, %d removed), %zu recordings (%zu encoded, %zu "
                    "from cache) in %.1f s\n",
                    book_.pages.size(), out_.writtenCount(), out_.changedCount(), removed_, audio_.total(),
                    audio_.encoded(), audio_.fromCache(), seconds);
    }

private:
    bool writeShared(std::string& error) {
        if (!artwork_.writeSentenceMarks("tomeset/res", error) ||
            !artwork_.writeBadge("tomeset/" + files_.badge, error)) {
            return false;
        }
        std::vector<SheetFrame> frames;
        int width = 0, height = 0;
        if (!artwork_.writeStickerSheet("tomeset/sheet/deco.png", frames, width, height, error)) {
            return false;
        }
        // The frame list names its image relative to itself, as the sprite-frame cache expects.
        return out_.writeText("tomeset/" + files_.stickerSheet, spriteSheetPlist(frames, "deco.png", width, height),
                              error);
    }

    bool writePages(std::string& error) {
        const std::size_t count = book_.pages.size();
        for (const PageSource& page : book_.pages) {
            Canvas canvas(kPageWidth, kPageHeight, page.paper);
            PageArt art;
            if (!painter_.paint(book_, page, canvas, art)) {
                error = "page " + std::to_string(page.number) + ": drawing failed: " + SDL_GetError();
                return false;
            }
            PageFiles files = files_;
            files.picture = "images/page_" + std::to_string(page.number) + ".png";
            if (!out_.savePng(canvas, "tomeset/" + files.picture, error)) {
                return false;
            }
            if (page.kind == PageKind::Words) {
                for (std::size_t n = 1; n <= page.sentences.size(); ++n) {
                    for (bool lit : {false, true}) {
                        Canvas card(kCardWidth, kCardHeight, rgba(255, 255, 255, 0));
                        painter_.paintCard(card, page.sentences[n - 1], page.cards[n - 1], page.accent, lit);
                        if (!out_.savePng(card, "tomeset/" + files.card(page.number, static_cast<int>(n), lit),
                                          error)) {
                            return false;
                        }
                    }
                }
            }
            const std::string layout = layoutText(pageLayout(page, art, files));
            if (!out_.writeText(app::pageLayoutFile(page.number), layout, error)) {
                return false;
            }
            if (options_.audio && !audio_.pump(error)) {
                return false;
            }
            if (!options_.quiet && (page.number % 10 == 0 || static_cast<std::size_t>(page.number) == count)) {
                std::printf("bookgen: pages %d/%zu\n", page.number, count);
                std::fflush(stdout);
            }
        }
        return true;
    }

    bool writeSettings(std::string& error) {
        return artwork_.writeSettingsImages(book_.settings, "3age/res", error) &&
               out_.writeText("3age/pageset.json", layoutText(settingsLayout(book_.settings, "res")), error);
    }

    bool writeStringTables(std::string& error) {
        std::vector<std::pair<std::string, std::string>> captions;
        for (const std::string& key : app::requiredCaptionKeys()) {
            for (const auto& entry : book_.captions) {
                if (entry.first == key) {
                    captions.push_back(entry);
                }
            }
        }
        for (const auto& entry : book_.captions) {
            bool required = false;
            for (const std::string& key : app::requiredCaptionKeys()) {
                required = required || key == entry.first;
            }
            if (!required) {
                captions.push_back(entry);
            }
        }
        std::vector<std::pair<std::string, std::string>> sentences;
        for (const PageSource& page : book_.pages) {
            for (std::size_t n = 1; n <= page.sentences.size(); ++n) {
                sentences.emplace_back(app::sentenceTextKey(page.number, static_cast<int>(n)), page.sentences[n - 1]);
            }
        }
        return out_.writeText("String.xml", stringTablePlist(captions), error) &&
               out_.writeText("Stringstr.xml", stringTablePlist(sentences), error);
    }

    const Options& options_;
    const BookSource& book_;
    OutputTree out_;
    Fonts fonts_;
    PagePainter painter_;
    Artwork artwork_;
    AudioRecorder audio_;
    PageFiles files_{"", "res/bnren1.png", "res/bnren2.png", "res/badge.png", "sheet/deco.plist"};
    int removed_ = 0;
};

}  // namespace

// --icon SIZE FILE: the desktop icon, drawn by the same painter as the book's images.
int drawIcon(const char* sizeText, const std::string& file) {
    char* end = nullptr;
    const long size = std::strtol(sizeText, &end, 10);
    if (!end || *end != '\0' || size < 16 || size > 1024) {
        std::fprintf(stderr, "bookgen: --icon takes a size from 16 to 1024, not '%s'\n", sizeText);
        return 2;
    }
    const std::size_t slash = file.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash);
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    MediaLibraries media;
    if (!media.ok) {
        std::fprintf(stderr, "bookgen: cannot initialise SDL: %s\n", SDL_GetError());
        return 1;
    }
    bookkit::Fonts fonts;
    bookkit::OutputTree out(folder);
    bookkit::Artwork artwork(fonts, out);
    std::string error;
    if (!artwork.writeAppIcon(static_cast<int>(size), name, error)) {
        std::fprintf(stderr, "bookgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--icon") {
        if (argc != 4) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        return drawIcon(argv[2], argv[3]);
    }
    Options options;
    const int parsed = parseArguments(argc, argv, options);
    if (parsed >= 0) {
        return parsed;
    }
    // An encoder that dies early must surface as a failed clip, not kill the generator.
    std::signal(SIGPIPE, SIG_IGN);
    const auto started = std::chrono::steady_clock::now();

    BookSource book;
    std::string error;
    if (!loadBookSource(options.source + "/book.json", book, error)) {
        std::fprintf(stderr, "bookgen: %s\n", error.c_str());
        return 1;
    }
    MediaLibraries media;
    if (!media.ok) {
        std::fprintf(stderr, "bookgen: cannot initialise SDL: %s\n", SDL_GetError());
        return 1;
    }
    Generator generator(options, book);
    if (!generator.run(error)) {
        std::fprintf(stderr, "bookgen: %s\n", error.c_str());
        return 1;
    }
    if (!options.quiet) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        generator.summary(seconds);
    }
    return 0;
}
