// The documents of a fixed-layout EPUB 3 with Media Overlays for a book: one XHTML page and one
// SMIL overlay a page (its sentences in reading order, each over its touch boxes), the style
// sheet, the navigation document from the book's contents, the package document and container.
//
// Every page document has a 640 x 960 viewport: the page picture covers it and each sentence is an
// element with the button's name as id, placed over its touch area, carrying its whole text
// (transparent, so search and assistive technology find it). A sentence with several touch
// rectangles is one element over their bounding box holding one absolutely placed box a
// rectangle. A reading system puts kActiveClass on the sentence being read, which lights its boxes.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "tools/epub/BookReader.h"
#include "tools/epub/PagePicture.h"

namespace epub {

// One file of the publication: text made here, or a file copied in.
struct EpubEntry {
    std::string name;  // path inside the zip
    std::string text;  // the content, when file is empty
    std::string file;  // full path of the file to copy
    bool compress = true;
};

extern const char* const kActiveClass;  // "reading-now"

class Publication {
public:
    // `modified` is the export time, "CCYY-MM-DDThh:mm:ssZ".
    Publication(const Book& book, std::string modified) : book_(book), modified_(std::move(modified)) {}

    // The page's document, overlay (when it has sentences), picture and recordings, in that order.
    void addPage(const BookPage& page, const PagePicture& picture);
    // Everything else, with the package document naming every file added; then the entries in
    // zip order (the container first).
    std::vector<EpubEntry> finish();

    // The publication's identifier: a name-based UUID of the book's title and page count, so a
    // book exported again keeps it.
    static std::string identifier(const app::BookDescription& description);
    // "0:01:02.345".
    static std::string clock(long long milliseconds);

    int sentences() const { return sentences_; }
    long long totalMs() const { return totalMs_; }

private:
    struct Item {
        std::string id, href, mediaType, properties, overlay;
    };

    const Book& book_;
    std::string modified_;
    std::vector<EpubEntry> entries_;
    std::vector<Item> items_;
    std::vector<std::string> spine_;  // item ids
    std::vector<std::pair<std::string, long long>> overlays_;  // SMIL item id, its duration
    std::set<std::string> audioNames_;
    int sentences_ = 0;
    long long totalMs_ = 0;
};

}  // namespace epub
