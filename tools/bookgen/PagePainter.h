// Draws one page picture and reports where each sentence's text landed, for its button.
#pragma once

#include <string>
#include <vector>

#include "tools/bookgen/BookSource.h"

namespace bookgen {

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
