// Draws one page picture and reports where each sentence's text landed, for its button.
#pragma once

#include <string>
#include <vector>

#include "tools/bookgen/BookSource.h"
#include "tools/bookgen/Canvas.h"

namespace bookgen {

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 960;

// Picture coordinates: pixels of the 640 x 960 picture, origin top left. The picture is shown
// 1:1 over the design area, so a design point is (x, 960 - y).
struct SentencePlace {
    RectF box;  // the area the sentence's button covers
};

struct PageArt {
    std::vector<SentencePlace> sentences;
    float numberX = 0, numberY = 0;    // centre of the page-number disc
    float stickerX = 0, stickerY = 0;  // centre of the sticker's place
    float badgeX = 0, badgeY = 0;      // centre of the badge's place
};

// Word cards on the word-list pages: drawn as separate images the buttons show.
constexpr int kCardWidth = 260;
constexpr int kCardHeight = 196;

class PagePainter {
public:
    explicit PagePainter(Fonts& fonts) : fonts_(fonts) {}

    // Paints page `page` of `book` onto a new 640 x 960 canvas and lays out its sentences.
    bool paint(const BookSource& book, const PageSource& page, Canvas& canvas, PageArt& art);
    // One word card, normal or highlighted (shown while its word is read).
    void paintCard(Canvas& canvas, const std::string& word, const std::string& shape, Rgba accent, bool lit);

private:
    void header(Canvas& c, const PageSource& page, PageArt& art);
    void pictureBand(Canvas& c, const PageSource& page, RectF band);
    void sentenceRows(Canvas& c, const PageSource& page, RectF area, PageArt& art);
    void cover(Canvas& c, const BookSource& book, const PageSource& page, PageArt& art);
    void wordGrid(Canvas& c, const PageSource& page, PageArt& art);
    // Shrinks the font until the wrapped text fits the height; returns the text and its size.
    TextImage fitText(Canvas& c, const std::string& text, bool bold, int size, int minSize, int wrap,
                      float maxHeight, Rgba color, Align align);

    Fonts& fonts_;
};

}  // namespace bookgen
