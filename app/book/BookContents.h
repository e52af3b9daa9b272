// The open book's contents: the entries of the contents screen, the pages each opens, the word
// list's sections, the book's last page, and the entry the child chose last (the contents screen
// sets it, the unit menu reads it).
//
// The course book's contents are fixed: seven parts and the word list over 90 pages. A book folder
// that carries a description file (BookDescription) brings its own units, word list and page count.
#pragma once

#include <string>
#include <vector>

#include "app/book/BookDescription.h"

namespace app {

// The seven parts of the course book, in contents order.
extern const char* const unitNames[7];
// The chosen contents entry, an index into contentsEntries().
extern int selectedUnit;

// The course book's title; its language is English.
extern const char* const kCourseBookTitle;  // "Sunny Lane English"

struct UnitPageRange {
    int firstPage;
    int lastPage;
};
// The course book: first and last page of each contents entry, and the first page of each of the
// four word-list sections.
extern const UnitPageRange unitPageRanges[8];
extern const int wordListPages[4];

struct ContentsEntry {
    std::string title;  // empty: the string tables' word-list caption
    int firstPage = 1;
    int lastPage = 1;
    bool wordList = false;
    // For the word list: each section's first page, and its title (empty: caption and number).
    std::vector<int> sectionPages;
    std::vector<std::string> sectionTitles;
};

// The contents entries of the course book, and of a described book: a unit an entry, then its
// word list if any. Pure: the book check works them out beside the reader.
std::vector<ContentsEntry> courseBookEntries();
std::vector<ContentsEntry> describedEntries(const BookDescription& description);
// The course book's facts in the form a description file gives them (title, language, 90 pages,
// the seven parts as units, the word list's sections), for tools that treat every book alike.
BookDescription courseBookDescription();

// Makes the course book's contents the open book's (the state at start).
void useCourseBookContents();
// Makes a described book's contents the open book's: a unit an entry, then its word list if any.
void useDescribedContents(const BookDescription& description);

const std::vector<ContentsEntry>& contentsEntries();
// The open book's last page (90 for the course book); its first is kFirstPage.
int lastPage();

}  // namespace app
