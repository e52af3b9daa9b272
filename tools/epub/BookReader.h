// Gathers what a publication needs from a book folder, read the way the reader reads it: the
// book's facts and contents, and for every page its layout's sentences (text, touch boxes,
// recording and how long it plays). The folder is checked whole first (app/check), so a book
// the reader would show broken is refused with every problem named instead of exported.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/book/BookContents.h"
#include "app/check/LayoutSurvey.h"

namespace epub {

// A rectangle of the page in CSS pixels: origin top left, y down, 640 x 960 in all.
struct PageRect {
    double x = 0, y = 0, w = 0, h = 0;
};

struct BookSentence {
    int number = 0;
    std::string id;    // the button's name ("bn031"), unique on its page
    std::string text;  // from "Stringstr.xml"
    // One box per touch rectangle: the button's own, then its extra buttons ("bn031_2", ...).
    std::vector<PageRect> boxes;
    std::string recording;   // relative to the book folder ("epc/<md5>.mp3")
    std::string audioName;   // the name the reader knows it by ("mc031.mp3")
    long long durationMs = 0;  // what a gapless decoder plays, whole milliseconds
};

struct BookPage {
    int number = 0;
    app::LayoutSurvey survey;
    std::vector<BookSentence> sentences;  // in reading order (sentence numbers)
};

struct Book {
    std::string dir;  // absolute, normalised
    bool described = false;  // carries quirel-book.json (else it is the course book)
    app::BookDescription description;
    std::vector<app::ContentsEntry> contents;
    std::string contentsCaption;  // what the reader calls its contents screen
    std::string wordListCaption;  // and the word list
    std::map<std::string, std::string> sentenceTexts;  // "Stringstr.xml"
    std::vector<BookPage> pages;  // pages[i].number == i + 1
};

// Reads the folder's facts, then checks it whole. False with one line per problem, each naming
// its file ("BOOK/tomeset/tomeset_3.json: page 3: ..."), when it is not a book or not a sound one.
bool openBook(const std::string& dir, Book& book, std::vector<std::string>& problems);

// Reads one page's sentences into book.pages (pages must be read in order, 1 first).
void readPage(Book& book, int number);

}  // namespace epub
