// What a book check found, and its three forms: lines for people, one JSON document for scripts,
// and the one-line summary the reader logs at start-up.
#pragma once

#include <string>
#include <vector>

#include <json/json.h>

namespace app {

struct BookProblem {
    int page = 0;      // the page it belongs to; 0 for the book as a whole
    std::string file;  // the file it concerns, relative to the book folder
    std::string problem;
};

struct CheckReport {
    std::string book;  // the folder as it was given
    int pages = 0;     // pages the book has (that were looked at when stopped early)
    bool finished = false;  // false when the check was stopped before its end
    // The book as a whole first, then page by page; in the order found within each.
    std::vector<BookProblem> problems;

    bool ok() const { return problems.empty(); }
    // Sorts the problems into the order above, keeping the finding order within a page.
    void sortByPage();
};

// "page 12: tomeset/tomeset_12.json: sentence 3 has no recording (...)", or "book: FILE: ..."
// for the book as a whole.
std::string problemLine(const BookProblem& problem);
// Every problem line, then a last line counting them ("3 problems on 2 pages", "no problems").
std::string reportText(const CheckReport& report);
// {"book": ..., "pages": N, "problems": [{"page": n or null, "file": ..., "problem": ...}], "ok": bool}
Json::Value reportJson(const CheckReport& report);
// "book check: 90 pages, no problems", or "book check: 3 problems (page 12: sentence 3 has no
// recording; ...) - run quirel-check for details": at most kSummaryProblems problems named.
std::string summaryLine(const CheckReport& report);
constexpr int kSummaryProblems = 2;
// Every summary line starts with this.
extern const char* const kSummaryPrefix;  // "book check: "

}  // namespace app
