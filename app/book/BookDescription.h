// A book folder's description file, "quirel-book.json": title, author, language, page count,
// the units of the contents screen and the optional word-list sections. A folder without one is
// the course book, whose pages and units are fixed (BookContents).
//
// The reader, the book maker and the book checker all read it through readBookDescription, so a
// file one of them accepts the others accept too. It needs no engine: the tools link it (quirel_bookfacts).
//
// The file, every key but "pages" optional:
//   { "format": 1, "title": "At the Zoo", "author": "Class 2B", "language": "en", "pages": 3,
//     "units": [ { "title": "Animals", "first": 1, "last": 2 }, ... ],
//     "wordList": [ { "title": "A-F", "first": 3 }, ... ] }
// Pages are numbered from 1. Units are 1 to 20 ranges inside the book, in page order, that do not
// overlap; a book without units gets one unit of every page, titled by the book's title.
// Word-list sections name the first page of each section, inside the book and in order.
#pragma once

#include <string>
#include <vector>

namespace app {

struct BookUnit {
    std::string title;
    int firstPage = 1;
    int lastPage = 1;
};

struct WordListSection {
    std::string title;
    int firstPage = 1;
};

struct BookDescription {
    static constexpr const char* kFileName = "quirel-book.json";
    static constexpr int kFormat = 1;
    static constexpr int kMaxPages = 999;
    static constexpr int kMaxUnits = 20;
    static constexpr int kMaxTitleBytes = 200;

    std::string title;
    std::string author;
    std::string language = "en";
    int pageCount = 0;
    std::vector<BookUnit> units;
    std::vector<WordListSection> wordList;
};

// Reads and checks a description from text; `name` is the file name used in messages. On any
// problem returns false and appends one message per problem ("NAME:LINE:COLUMN: what"), as many
// as it finds, to errors.
bool parseBookDescription(const std::string& text, const std::string& name, BookDescription* out,
                          std::vector<std::string>* errors);

// Reads BOOK_DIR/quirel-book.json. False with errors when it is there but unreadable or invalid;
// *present tells whether the file exists at all (a folder without one is the course book).
bool readBookDescription(const std::string& bookDir, BookDescription* out, bool* present,
                         std::vector<std::string>* errors);

// The description as the file's JSON text (what the book maker writes).
std::string writeBookDescription(const BookDescription& description);

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing past
// U+10FFFF. Text that is not would not survive being written back unchanged, so the description
// and the book maker refuse it.
bool isWellFormedUtf8(const std::string& text);

}  // namespace app
