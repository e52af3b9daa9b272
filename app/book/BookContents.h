// The book's contents: its seven parts and the word list, the pages each entry opens, and the
// entry the child chose last (the contents screen sets it, the unit menu reads it).
#pragma once

namespace app {

// The seven parts of the book, in contents order.
extern const char* const unitNames[7];
// The chosen contents entry: 0..6 the parts above, 7 the word list.
extern int selectedUnit;

struct UnitPageRange {
    int firstPage;
    int lastPage;
};
// First and last page of each contents entry, by selectedUnit.
extern const UnitPageRange unitPageRanges[8];
// First page of each of the four word-list sections.
extern const int wordListPages[4];

}  // namespace app
