// The open book's contents entries and their pages.
#include "app/book/BookContents.h"

#include "app/book/ReaderState.h"

namespace app {

const char* const unitNames[7] = {"Unit 1", "Unit 2", "Unit 3", "Unit 4", "Recycle 1", "Recycle 2", "Appendix"};
int selectedUnit = 0;
const char* const kCourseBookTitle = "Sunny Lane English";

const UnitPageRange unitPageRanges[8] = {{2, 13},  {14, 25}, {26, 37}, {38, 49},
                                          {50, 61}, {62, 81}, {82, 89}, {74, 81}};
const int wordListPages[4] = {74, 76, 78, 80};

std::vector<ContentsEntry> courseBookEntries() {
    std::vector<ContentsEntry> entries;
    for (int i = 0; i < 7; ++i) {
        ContentsEntry e;
        e.title = unitNames[i];
        e.firstPage = unitPageRanges[i].firstPage;
        e.lastPage = unitPageRanges[i].lastPage;
        entries.push_back(e);
    }
    ContentsEntry words;
    words.firstPage = unitPageRanges[7].firstPage;
    words.lastPage = unitPageRanges[7].lastPage;
    words.wordList = true;
    words.sectionPages.assign(std::begin(wordListPages), std::end(wordListPages));
    words.sectionTitles.assign(words.sectionPages.size(), std::string());
    entries.push_back(words);
    return entries;
}

std::vector<ContentsEntry> describedEntries(const BookDescription& description) {
    std::vector<ContentsEntry> entries;
    for (const BookUnit& u : description.units) {
        ContentsEntry e;
        e.title = u.title;
        e.firstPage = u.firstPage;
        e.lastPage = u.lastPage;
        entries.push_back(e);
    }
    if (!description.wordList.empty()) {
        ContentsEntry words;
        words.wordList = true;
        words.firstPage = description.wordList.front().firstPage;
        words.lastPage = description.pageCount;
        for (const WordListSection& s : description.wordList) {
            words.sectionPages.push_back(s.firstPage);
            words.sectionTitles.push_back(s.title);
        }
        entries.push_back(words);
    }
    return entries;
}

BookDescription courseBookDescription() {
    BookDescription d;
    d.title = kCourseBookTitle;
    d.language = "en";
    d.pageCount = kLastPage;
    for (int i = 0; i < 7; ++i) d.units.push_back({unitNames[i], unitPageRanges[i].firstPage, unitPageRanges[i].lastPage});
    for (int first : wordListPages) d.wordList.push_back({std::string(), first});
    return d;
}

namespace {

struct OpenBook {
    std::vector<ContentsEntry> entries;
    int lastPage = kLastPage;
};

OpenBook& openBook() {
    static OpenBook book{courseBookEntries(), kLastPage};
    return book;
}

}  // namespace

void useCourseBookContents() {
    OpenBook& book = openBook();
    book.entries = courseBookEntries();
    book.lastPage = kLastPage;
    selectedUnit = 0;
}

void useDescribedContents(const BookDescription& description) {
    OpenBook& book = openBook();
    book.entries = describedEntries(description);
    book.lastPage = description.pageCount;
    selectedUnit = 0;
}

const std::vector<ContentsEntry>& contentsEntries() { return openBook().entries; }

int lastPage() { return openBook().lastPage; }

}  // namespace app
