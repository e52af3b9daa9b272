// Page pictures: heading band, a strip of little pictures, and the sentences laid out as cards.
#include "tools/bookgen/PagePainter.h"

#include <algorithm>
#include <cmath>

#include "tools/bookkit/Shapes.h"

namespace bookgen {

namespace {

const Rgba kInk = rgba(45, 40, 40);
const Rgba kWhite = rgba(255, 255, 255);

// The reader's chrome (page buttons, contents item, hint label) covers the bottom of the design
// area, so no sentence goes below this line of the picture.
constexpr float kBodyTop = 126.0f;
constexpr float kBodyBottom = 852.0f;

}  // namespace

TextImage PagePainter::fitText(Canvas& c, const std::string& text, bool bold, int size, int minSize, int wrap,
                               float maxHeight, Rgba color, Align align) {
    for (int s = size; s > minSize; s -= 2) {
        TextImage t = c.makeText(fonts_, bold, s, text, color, wrap, align);
        if (c.textHeight(t) <= maxHeight && c.textWidth(t) <= wrap) {
            return t;
        }
    }
    return c.makeText(fonts_, bold, minSize, text, color, wrap, align);
}

void PagePainter::header(Canvas& c, const PageSource& page, PageArt& art) {
    c.fillRoundRect(20, 18, 600, 92, 28, page.accent);
    c.fillRoundRect(20, 88, 600, 22, 10, shade(page.accent, -0.12f));
    c.fillRoundRect(20, 18, 600, 80, 28, page.accent);
    art.numberX = 68;
    art.numberY = 62;
    c.fillCircle(art.numberX, art.numberY, 30, kWhite);
    c.fillRing(art.numberX, art.numberY, 30, 4, shade(page.accent, -0.2f));
    art.stickerX = 574;
    art.stickerY = 62;
    // The heading keeps clear of the number disc on the left and the sticker on the right.
    TextImage title = fitText(c, page.heading, true, 40, 24, 420, 70, kWhite, Align::Center);
    c.drawText(title, 320 - c.textWidth(title) / 2, 62 - c.textHeight(title) / 2);
}

void PagePainter::pictureBand(Canvas& c, const PageSource& page, RectF band) {
    c.fillRoundRect(band.x, band.y, band.w, band.h, 26, withAlpha(kWhite, 110));
    const float ground = std::min(40.0f, band.h * 0.16f);
    c.fillRoundRect(band.x + 8, band.y + band.h - ground - 8, band.w - 16, ground, ground / 2,
                    shade(page.accent, 0.55f));
    const std::size_t n = page.picture.size();
    if (n == 0) {
        return;
    }
    const float slot = band.w / static_cast<float>(n);
    const float size = std::min(band.h * 0.78f, slot * 0.92f);
    for (std::size_t i = 0; i < n; ++i) {
        float cx = band.x + slot * (static_cast<float>(i) + 0.5f);
        // Alternate heights a little, so a row of pictures does not look like a ruler.
        float lift = (i % 2 == 0) ? 0.0f : -band.h * 0.06f;
        drawShape(c, page.picture[i], cx, band.y + band.h * 0.47f + lift, size);
    }
}

void PagePainter::sentenceRows(Canvas& c, const PageSource& page, RectF area, PageArt& art) {
    const int n = static_cast<int>(page.sentences.size());
    if (n == 0) {
        return;
    }
    const bool twoColumns = n > 8;
    const int rows = twoColumns ? (n + 1) / 2 : n;
    const float pitch = area.h / static_cast<float>(rows);
    int fontSize = n <= 4 ? 32 : (n <= 6 ? 30 : 28);
    if (twoColumns) {
        fontSize = 25;
    }
    const float colWidth = twoColumns ? area.w / 2 : area.w;
    for (int i = 0; i < n; ++i) {
        const int col = twoColumns ? i / rows : 0;
        const int row = twoColumns ? i % rows : i;
        const float x = area.x + col * colWidth;
        const float y = area.y + row * pitch;
        const float cardH = pitch - 10;
        c.fillRoundRect(x + 4, y + 5, colWidth - 8, cardH, std::min(18.0f, cardH / 2), withAlpha(kWhite, 170));

        const float bubbleR = std::min(19.0f, cardH / 2 - 3);
        const float bubbleX = x + 8 + bubbleR + 6;
        const float midY = y + 5 + cardH / 2;
        c.fillCircle(bubbleX, midY, bubbleR, page.accent);
        TextImage number = c.makeText(fonts_, true, static_cast<int>(bubbleR * 1.1f), std::to_string(i + 1), kWhite);
        c.drawText(number, bubbleX - c.textWidth(number) / 2, midY - c.textHeight(number) / 2);

        const float textX = bubbleX + bubbleR + 12;
        const int wrap = static_cast<int>(x + colWidth - 14 - textX);
        TextImage text = fitText(c, page.sentences[i], false, fontSize, 16, wrap, cardH - 8, kInk, Align::Left);
        const float tw = c.textWidth(text), th = c.textHeight(text);
        const float ty = midY - th / 2;
        c.drawText(text, textX, ty);
        SentencePlace place;
        place.box = RectF{textX - 6, ty - 3, tw + 12, th + 6};
        art.sentences.push_back(place);
    }
}

void PagePainter::cover(Canvas& c, const BookSource& book, const PageSource& page, PageArt& art) {
    // Sunburst behind the title: alternating wedges from the picture's centre.
    for (int k = 0; k < 16; k += 2) {
        float a0 = k * 22.5f * 3.14159265f / 180.0f, a1 = (k + 1) * 22.5f * 3.14159265f / 180.0f;
        c.fillTriangle(320, 470, 320 + 900 * std::cos(a0), 470 + 900 * std::sin(a0), 320 + 900 * std::cos(a1),
                       470 + 900 * std::sin(a1), withAlpha(kWhite, 60));
    }
    header(c, page, art);
    if (!book.title.empty() && book.title != page.heading) {
        TextImage t = fitText(c, book.title, true, 30, 20, 560, 44, shade(page.accent, -0.3f), Align::Center);
        c.drawText(t, 320 - c.textWidth(t) / 2, 130);
    }
    pictureBand(c, page, RectF{40, 190, 560, 380});
    const int n = static_cast<int>(page.sentences.size());
    if (n == 0) {
        return;
    }
    const float top = 600, bottom = kBodyBottom;
    const float pitch = (bottom - top) / static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        const float midY = top + pitch * (static_cast<float>(i) + 0.5f);
        TextImage text = fitText(c, page.sentences[i], true, 48, 24, 540, pitch - 20, shade(page.accent, -0.35f),
                                 Align::Center);
        const float tw = c.textWidth(text), th = c.textHeight(text);
        c.fillRoundRect(320 - tw / 2 - 24, midY - th / 2 - 10, tw + 48, th + 20, 22, withAlpha(kWhite, 190));
        c.drawText(text, 320 - tw / 2, midY - th / 2);
        SentencePlace place;
        place.box = RectF{320 - tw / 2 - 8, midY - th / 2 - 4, tw + 16, th + 8};
        art.sentences.push_back(place);
    }
}

void PagePainter::wordGrid(Canvas& c, const PageSource& page, PageArt& art) {
    const int n = static_cast<int>(page.sentences.size());
    const float cellH = (kBodyBottom - kBodyTop - 10) / 3.0f;
    for (int i = 0; i < n; ++i) {
        const float cx = (i % 2 == 0) ? 170.0f : 470.0f;
        const float cy = kBodyTop + 10 + cellH * (static_cast<float>(i / 2) + 0.5f);
        const float x = cx - kCardWidth / 2.0f, y = cy - kCardHeight / 2.0f;
        // What the card button covers: a shadowed slot with the word, visible if a card is missing.
        c.fillRoundRect(x + 6, y + 8, kCardWidth, kCardHeight, 22, withAlpha(shade(page.accent, -0.3f), 70));
        c.fillRoundRect(x, y, kCardWidth, kCardHeight, 22, withAlpha(kWhite, 200));
        TextImage word = fitText(c, page.sentences[i], true, 40, 20, kCardWidth - 20, 60, page.accent, Align::Center);
        c.drawText(word, cx - c.textWidth(word) / 2, y + kCardHeight - 20 - c.textHeight(word));
        SentencePlace place;
        place.box = RectF{x, y, static_cast<float>(kCardWidth), static_cast<float>(kCardHeight)};
        art.sentences.push_back(place);
    }
}

bool PagePainter::paint(const BookSource& book, const PageSource& page, Canvas& c, PageArt& art) {
    if (!c.ok()) {
        return false;
    }
    art = PageArt();
    // A soft frame in the accent colour, then the page content.
    c.roundRectOutline(8, 8, 624, 944, 30, 5, withAlpha(page.accent, 120));
    if (page.kind == PageKind::Cover) {
        cover(c, book, page, art);
        art.badgeX = 520;
        art.badgeY = 222;
        return true;
    }
    header(c, page, art);
    if (page.kind == PageKind::Words) {
        wordGrid(c, page, art);
        art.badgeX = 520;
        art.badgeY = 150;
        return true;
    }

    const std::size_t n = page.sentences.size();
    float bandH = 300;
    if (n == 0) {
        bandH = kBodyBottom - kBodyTop - 10;
    } else if (n > 8) {
        bandH = 170;
    } else if (n > 6) {
        bandH = 190;
    } else if (n > 4) {
        bandH = 250;
    }
    // Odd pages show the picture above the text, even pages below, as a printed spread would.
    const bool pictureFirst = (page.number % 2 == 1) || n == 0;
    RectF band{30, 0, 580, bandH};
    RectF text{30, 0, 580, kBodyBottom - kBodyTop - bandH - 20};
    if (pictureFirst) {
        band.y = kBodyTop + 6;
        text.y = band.y + bandH + 12;
    } else {
        text.y = kBodyTop + 4;
        band.y = text.y + text.h + 12;
    }
    pictureBand(c, page, band);
    sentenceRows(c, page, text, art);
    art.badgeX = band.x + band.w - 92;
    art.badgeY = band.y + 36;
    return true;
}

void PagePainter::paintCard(Canvas& c, const std::string& word, const std::string& shape, Rgba accent, bool lit) {
    const float w = kCardWidth, h = kCardHeight;
    const Rgba face = lit ? rgba(255, 243, 180) : kWhite;
    const Rgba edge = lit ? rgba(245, 150, 30) : accent;
    c.fillRoundRect(0, 0, w, h, 22, edge);
    c.fillRoundRect(6, 6, w - 12, h - 12, 17, face);
    drawShape(c, shape, w / 2, 70, 108);
    TextImage t = fitText(c, word, true, 40, 20, static_cast<int>(w) - 20, 60, shade(accent, -0.2f), Align::Center);
    c.drawText(t, w / 2 - c.textWidth(t) / 2, h - 20 - c.textHeight(t));
}

}  // namespace bookgen
