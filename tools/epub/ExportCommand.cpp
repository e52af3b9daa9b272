// quirel-epub export: a book folder written as an EPUB 3 publication.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <SDL.h>

#include "tools/bookkit/Interrupts.h"
#include "tools/bookkit/MediaLibraries.h"
#include "tools/epub/BookReader.h"
#include "tools/epub/Commands.h"
#include "tools/epub/PagePicture.h"
#include "tools/epub/Publication.h"
#include "tools/epub/ScratchFolder.h"
#include "tools/epub/ZipWriter.h"

namespace fs = std::filesystem;

namespace epub {

const char* const kExportUsage = "  quirel-epub export [--quiet] BOOK_DIR OUT.epub\n";

namespace {

const char* const kExportHelp =
    "usage: quirel-epub export [--quiet] BOOK_DIR OUT.epub\n"
    "Writes the book folder BOOK_DIR (made by quirel-make, or the course book) as a fixed-layout\n"
    "EPUB 3 with Media Overlays, which reading systems read aloud sentence by sentence:\n"
    "\n"
    "  - one 640 x 960 page a page: the page's picture, and each sentence placed over the area a\n"
    "    child touches, carrying its text (transparent) and lit while it is read;\n"
    "  - one overlay a page: its sentences in reading order, each with its recording (MP3, as the\n"
    "    book has it);\n"
    "  - the contents from the book's units, title, author and language from quirel-book.json.\n"
    "\n"
    "The book is checked first, as quirel-check does; a book with problems is refused with every\n"
    "problem named. OUT.epub is written whole or not at all.\n"
    "\n"
    "  --quiet   no progress and no summary\n"
    "  --help    show this text\n"
    "\n"
    "Exit status: 0 written, 1 a problem with BOOK_DIR or OUT.epub (named; nothing written), 2 bad\n"
    "usage, 130 interrupted (nothing written).\n";

int refuse(const std::vector<std::string>& problems) {
    for (const std::string& p : problems) std::fprintf(stderr, "%s\n", p.c_str());
    std::fprintf(stderr, "quirel-epub: %zu problem%s; nothing written\n", problems.size(),
                 problems.size() == 1 ? "" : "s");
    return 1;
}

int interrupted() {
    std::fprintf(stderr, "quirel-epub: interrupted; nothing written\n");
    return 130;
}

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// A folder of its own for the pictures drawn during the run, removed with it.
// OUT.epub.tmp-XXXXXX beside the output, removed unless renamed into place.
class StagedFile {
public:
    bool make(const std::string& target, std::string& error) {
        std::string pattern = target + ".tmp-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            error = target + ": cannot write beside it (" + std::strerror(errno) + ")";
            return false;
        }
        ::close(fd);
        path_ = pattern;
        return true;
    }
    bool commit(const std::string& target, std::string& error) {
        // mkstemp makes the file private; the publication gets the usual mode.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(path_.c_str(), 0666 & ~mask);
        if (std::rename(path_.c_str(), target.c_str()) != 0) {
            error = target + ": cannot put it in place (" + std::strerror(errno) + ")";
            return false;
        }
        path_.clear();
        return true;
    }
    ~StagedFile() {
        if (!path_.empty()) std::remove(path_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

int runExport(const std::vector<std::string>& args) {
    bool quiet = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kExportHelp, stdout);
            return 0;
        } else if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "quirel-epub: unknown option %s\n%s", arg.c_str(), kExportHelp);
            return 2;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "quirel-epub: export takes a BOOK_DIR and an OUT.epub\n%s", kExportHelp);
        return 2;
    }
    const std::string bookDir = positional[0];
    const std::string out = positional[1];
    std::error_code ec;
    const fs::path outFolder = fs::path(out).has_parent_path() ? fs::path(out).parent_path() : fs::path(".");
    if (!fs::is_directory(outFolder, ec)) return refuse({out + ": its folder " + outFolder.string() + " does not exist"});
    if (fs::is_directory(out, ec)) return refuse({out + ": is a folder"});

    bookkit::catchInterrupts();
    bookkit::MediaLibraries media;
    if (!media.ok) return refuse({std::string("quirel-epub: cannot start SDL: ") + SDL_GetError()});

    Book book;
    std::vector<std::string> problems;
    if (!openBook(bookDir, book, problems)) return refuse(problems);

    ScratchFolder scratch;
    std::string error;
    if (scratch.path().empty()) return refuse({"quirel-epub: cannot make a folder under the system's temporary folder for the pictures"});
    const bool progress = !quiet && ::isatty(STDOUT_FILENO);
    Publication publication(book, utcNow());
    PagePainter painter(book, scratch.path());
    const int pages = book.description.pageCount;
    for (int number = 1; number <= pages; ++number) {
        if (bookkit::interrupted()) return interrupted();
        readPage(book, number);
        PagePicture picture;
        if (!painter.picture(book.pages.back(), picture, error)) return refuse({error});
        publication.addPage(book.pages.back(), picture);
        if (progress) {
            std::printf("quirel-epub: page %d/%d\n", number, pages);
            std::fflush(stdout);
        }
    }

    StagedFile staged;
    if (!staged.make(out, error)) return refuse({error});
    const std::vector<EpubEntry> entries = publication.finish();
    if (!writeEpubZip(staged.path(), entries, error)) return refuse({error});
    if (bookkit::interrupted()) return interrupted();
    if (!staged.commit(out, error)) return refuse({error});

    if (!quiet) {
        std::printf("quirel-epub: wrote %s: %d pages, %d sentences, %s read aloud\n", out.c_str(), pages,
                    publication.sentences(), Publication::clock(publication.totalMs()).c_str());
    }
    return 0;
}

}  // namespace epub
