// quirel-check BOOK_DIR [--json]: checks a book folder the way the reader will use it and lists
// every problem by page and file.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <json/json.h>

#include "app/check/BookCheck.h"

namespace {

const char* kUsage =
    "usage: quirel-check [--json] BOOK_DIR\n"
    "Checks the book folder BOOK_DIR before the reader opens it: its description file (if any),\n"
    "every page's layout, the pictures and fonts the pages name, each sentence's text, recording\n"
    "and touch area, the string tables, the chrome images and the settings screen.\n"
    "\n"
    "Prints one line a problem, book-wide ones first and then page by page, each naming the file\n"
    "it concerns; then a count.\n"
    "\n"
    "  --json   print one JSON document instead:\n"
    "           {\"book\": DIR, \"pages\": N, \"problems\": [{\"page\": n or null, \"file\": F,\n"
    "            \"problem\": TEXT}, ...], \"ok\": true or false}\n"
    "  --help   show this text\n"
    "\n"
    "Exit status: 0 when the book has no problem, 1 when it has, 2 on a bad command line or when\n"
    "BOOK_DIR is not a folder that can be read (nothing is checked then).\n";

void showProgress(int done, int total) {
    std::fprintf(stderr, "\rquirel-check: page %d of %d", done, total);
    if (done == total) std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::string book;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "quirel-check: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else if (book.empty()) {
            book = arg;
        } else {
            std::fprintf(stderr, "quirel-check: more than one book folder given (%s)\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (book.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(book, ec) || access(book.c_str(), R_OK | X_OK) != 0) {
        std::fprintf(stderr, "quirel-check: %s is not a book folder that can be read\n", book.c_str());
        return 2;
    }

    app::CheckControl control;
    if (isatty(STDERR_FILENO)) control.progress = showProgress;
    const app::CheckReport report = app::checkBook(book, control);

    // Written in one piece, so a reader of the output never sees half a report.
    std::string out;
    if (json) {
        Json::StreamWriterBuilder writer;
        writer["indentation"] = "  ";
        writer["emitUTF8"] = true;
        out = Json::writeString(writer, app::reportJson(report)) + "\n";
    } else {
        out = app::reportText(report);
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "quirel-check: cannot write the report\n");
        return 2;
    }
    return report.ok() ? 0 : 1;
}
