// The one picture a page becomes in a publication: what the reader shows of the page beneath its
// sentence buttons. A page that shows nothing but a single picture over the whole page has that
// file copied as it is; a page made of several parts (a made book's picture and page number, the
// course book's stickers, badges and word cards) is drawn into one 640 x 960 picture, JPEG when
// the page's picture is one, else PNG. Left out: the reader's chrome (turn, play and contents
// buttons are not in the page's layout) and the near-invisible sentence marks.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "tools/bookkit/Canvas.h"
#include "tools/epub/BookReader.h"

namespace epub {

struct PagePicture {
    std::string file;       // full path of the file to store
    std::string extension;  // ".png" or ".jpg"
    std::string mediaType;  // "image/png" or "image/jpeg"
    bool composed = false;  // drawn now (into the scratch folder), not the book's own file
};

class PagePainter {
public:
    // Composed pictures are written into scratchDir, which must exist.
    PagePainter(const Book& book, std::string scratchDir);
    ~PagePainter();

    // False with a message naming the file when a part of the page cannot be had or drawn.
    bool picture(const BookPage& page, PagePicture& out, std::string& error);

private:
    SDL_Surface* image(const std::string& path, std::string& error);
    bool spriteFrame(const BookPage& page, const std::string& frame, SDL_Surface** surface, SDL_Rect* rect,
                     std::string& error);

    const Book& book_;
    std::string scratch_;
    std::unique_ptr<bookkit::Fonts> fonts_;
    std::map<std::string, SDL_Surface*> images_;
    std::map<std::string, std::map<std::string, SDL_Rect>> sheetFrames_;  // sheet path -> frames
    std::map<std::string, std::string> sheetImages_;                       // sheet path -> its image
};

}  // namespace epub
