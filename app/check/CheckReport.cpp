// Formatting a book check's findings.
#include "app/check/CheckReport.h"

#include <algorithm>
#include <set>

#include "app/book/BookFiles.h"

namespace app {

const char* const kSummaryPrefix = "book check: ";

namespace {

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

void CheckReport::sortByPage() {
    std::stable_sort(problems.begin(), problems.end(),
                     [](const BookProblem& a, const BookProblem& b) { return a.page < b.page; });
}

std::string problemLine(const BookProblem& p) {
    std::string line = p.page > 0 ? "page " + std::to_string(p.page) : std::string("book");
    line += ": ";
    if (!p.file.empty()) line += p.file + ": ";
    return line + p.problem;
}

std::string reportText(const CheckReport& report) {
    std::string text;
    std::set<int> pages;
    for (const BookProblem& p : report.problems) {
        text += problemLine(p) + "\n";
        if (p.page > 0) pages.insert(p.page);
    }
    if (report.ok()) {
        text += "no problems";
    } else {
        text += plural(report.problems.size(), "problem", "problems");
        if (!pages.empty()) text += " on " + plural(pages.size(), "page", "pages");
    }
    text += " in " + plural(static_cast<size_t>(report.pages), "page", "pages");
    if (!report.finished) text += " (stopped before the end)";
    return text + "\n";
}

Json::Value reportJson(const CheckReport& report) {
    Json::Value out(Json::objectValue);
    out["book"] = report.book;
    out["pages"] = report.pages;
    Json::Value problems(Json::arrayValue);
    for (const BookProblem& p : report.problems) {
        Json::Value entry(Json::objectValue);
        entry["page"] = p.page > 0 ? Json::Value(p.page) : Json::Value();
        entry["file"] = p.file;
        entry["problem"] = p.problem;
        problems.append(entry);
    }
    out["problems"] = problems;
    out["ok"] = report.ok();
    return out;
}

std::string summaryLine(const CheckReport& report) {
    std::string line = kSummaryPrefix;
    if (report.ok()) {
        line += plural(static_cast<size_t>(report.pages), "page", "pages") + ", no problems";
        return line;
    }
    line += plural(report.problems.size(), "problem", "problems") + " (";
    const size_t named = std::min(report.problems.size(), static_cast<size_t>(kSummaryProblems));
    for (size_t i = 0; i < named; ++i) {
        const BookProblem& p = report.problems[i];
        if (i > 0) line += "; ";
        line += (p.page > 0 ? "page " + std::to_string(p.page) : std::string("book")) + ": ";
        // A page's own layout file goes without saying; other files are named.
        if (!p.file.empty() && p.file != pageLayoutFile(p.page)) line += p.file + ": ";
        line += p.problem;
    }
    if (named < report.problems.size()) line += "; ...";
    return line + ") - run quirel-check for details";
}

}  // namespace app
