// Paints the book's fixed images; all drawn here, so the book carries no borrowed artwork.
#include "tools/bookkit/Artwork.h"

#include <cmath>

#include "tools/bookkit/Shapes.h"

namespace bookkit {

namespace {

const Rgba kOrange = rgba(240, 128, 40);
const Rgba kWhite = rgba(255, 255, 255);
const Rgba kInk = rgba(45, 40, 40);
// Transparent white, so averaged edges fade to white rather than to a dark fringe.
const Rgba kClear = rgba(255, 255, 255, 0);

}  // namespace

std::string stickerFrameName(const std::string& sticker) {
    return "deco_" + sticker + ".png";
}

bool Artwork::arrowButton(const std::string& file, bool pointsLeft, bool selected, std::string& error) {
    Canvas c(kArrowButtonSize, kArrowButtonSize, kClear);
    const float m = kArrowButtonSize / 2.0f, k = kArrowButtonSize / 80.0f;
    const Rgba face = selected ? kOrange : kWhite;
    const Rgba mark = selected ? kWhite : kOrange;
    c.fillCircle(m, m, 37 * k, kOrange);
    c.fillCircle(m, m, 32 * k, face);
    const float d = pointsLeft ? -1.0f : 1.0f;
    c.fillTriangle(m + d * 22 * k, m, m + d * 2 * k, m - 18 * k, m + d * 2 * k, m + 18 * k, mark);
    c.fillRect(m + (pointsLeft ? 2 : -18) * k, m - 6 * k, 16 * k, 12 * k, mark);
    return out_.savePng(c, file, error);
}

bool Artwork::roundButton(const std::string& file, bool pause, std::string& error) {
    // The disc sits in the middle of a wider clear band: the reader sets the turn arrows half
    // this width either side of the page's middle, which leaves the hint between them free.
    Canvas c(kPlayButtonWidth, kPlayButtonHeight, kClear);
    const float x = kPlayButtonWidth / 2.0f, y = kPlayButtonHeight / 2.0f;
    const Rgba face = pause ? kOrange : rgba(70, 170, 90);
    c.fillCircle(x, y, 37, kWhite);
    c.fillCircle(x, y, 33, face);
    if (pause) {
        c.fillRoundRect(x - 13, y - 16, 10, 32, 3, kWhite);
        c.fillRoundRect(x + 3, y - 16, 10, 32, 3, kWhite);
    } else {
        c.fillTriangle(x - 8, y - 18, x - 8, y + 18, x + 19, y, kWhite);
    }
    return out_.savePng(c, file, error);
}

bool Artwork::walker(const std::string& file, std::string& error) {
    // Pip: a child in a striped jumper walking to the right, mid-stride.
    Canvas c(64, 96, kClear, 3);
    const Rgba skin = rgba(250, 210, 170);
    const Rgba jumper = rgba(60, 130, 220);
    const Rgba stripe = rgba(250, 220, 70);
    const Rgba trousers = rgba(90, 70, 60);
    const Rgba shoe = rgba(200, 50, 50);
    // Back arm and back leg first, so the body covers their tops.
    c.line(30, 44, 20, 60, 6, shade(jumper, -0.25f));
    c.fillCircle(19, 61, 3.5f, skin);
    c.line(30, 66, 22, 84, 8, shade(trousers, -0.2f));
    c.fillEllipse(21, 87, 7, 4, shade(shoe, -0.2f));
    c.fillRoundRect(21, 38, 22, 30, 8, jumper);
    c.fillRect(21, 47, 22, 4, stripe);
    c.fillRect(21, 56, 22, 4, stripe);
    c.line(34, 66, 42, 84, 8, trousers);
    c.fillEllipse(45, 87, 7, 4, shoe);
    c.line(34, 44, 44, 58, 6, jumper);
    c.fillCircle(45, 59, 3.5f, skin);
    // Head with a tuft of hair and a cap brim.
    c.fillCircle(33, 22, 15, skin);
    c.fillArc(33, 22, 15, 7, 20, 200, rgba(150, 80, 30));
    c.fillTriangle(30, 8, 36, 2, 38, 10, rgba(150, 80, 30));
    c.fillCircle(39, 21, 2, kInk);
    c.fillArc(38, 26, 5, 1.6f, 200, 330, kInk);
    c.fillCircle(43, 27, 2.5f, rgba(245, 150, 140, 180));
    // Drawn on a 64 x 96 grid, shown at 52 x 78: the contents screen walks it along the bottom,
    // and at this height its head passes under the lowest entry without touching it.
    Canvas shown(52, 78, kClear, 3);
    shown.drawImage(c.resolve(), 0, 0, 52, 78);
    return out_.savePng(shown, file, error);
}

bool Artwork::dragHint(const std::string& file, std::string& error) {
    Canvas c(220, 120, rgba(255, 250, 232));
    c.roundRectOutline(4, 4, 212, 112, 20, 5, kOrange);
    c.fillTriangle(40, 22, 24, 46, 56, 46, kOrange);
    c.fillRect(35, 46, 10, 28, kOrange);
    c.fillTriangle(40, 98, 24, 74, 56, 74, kOrange);
    TextImage t = c.makeText(fonts_, true, 40, "Drag", kInk);
    c.drawText(t, 140 - c.textWidth(t) / 2, 60 - c.textHeight(t) / 2);
    return out_.saveJpg(c, 90, file, error);
}

bool Artwork::writeReaderImages(std::string& error) {
    if (!arrowButton("Images/up1.png", true, false, error) || !arrowButton("Images/up2.png", true, true, error) ||
        !arrowButton("Images/next1.png", false, false, error) ||
        !arrowButton("Images/next2.png", false, true, error) || !roundButton("Images/play_btn.png", false, error) ||
        !roundButton("Images/pause_btn.png", true, error)) {
        return false;
    }
    {
        // Subtitle backing: stretched as a nine-slice behind blue subtitle text.
        Canvas c(48, 48, kClear);
        c.fillRoundRect(0, 0, 48, 48, 14, rgba(150, 190, 240));
        c.fillRoundRect(3, 3, 42, 42, 11, rgba(255, 255, 255, 235));
        if (!out_.savePng(c, "Images/bnchback1.png", error)) {
            return false;
        }
    }
    if (!writeSentenceMarks("Images", error)) {
        return false;
    }
    return walker("Images/grossini.png", error) && dragHint("Images/drag.jpg", error);
}

bool Artwork::writeSentenceMarks(const std::string& folder, std::string& error) {
    // Normal: almost invisible, so the sentence printed in the picture shows through but the
    // button still has a texture to be hit-tested by. Pressed: a yellow marker-pen highlight.
    Canvas idle(kSentenceMarkSize, kSentenceMarkSize, rgba(255, 255, 255, 6), 1);
    if (!out_.savePng(idle, folder + "/bnren1.png", error)) {
        return false;
    }
    Canvas lit(kSentenceMarkSize, kSentenceMarkSize, rgba(255, 214, 64, 110), 1);
    return out_.savePng(lit, folder + "/bnren2.png", error);
}

bool Artwork::writeBadge(const std::string& file, std::string& error) {
    Canvas c(kBadgeWidth, kBadgeHeight, kClear);
    c.fillRoundRect(0, 0, kBadgeWidth, kBadgeHeight, kBadgeHeight / 2.0f, rgba(255, 255, 255, 230));
    c.fillRoundRect(4, 4, kBadgeWidth - 8, kBadgeHeight - 8, kBadgeHeight / 2.0f - 4, rgba(240, 110, 60));
    return out_.savePng(c, file, error);
}

bool Artwork::writeStickerSheet(const std::string& file, std::vector<SheetFrame>& frames, int& width, int& height,
                                std::string& error) {
    const int cell = 64, columns = 4;
    const auto& names = stickerNames();
    const int rows = static_cast<int>((names.size() + columns - 1) / columns);
    width = cell * columns;
    height = cell * rows;
    Canvas c(width, height, kClear);
    frames.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int x = static_cast<int>(i % columns) * cell, y = static_cast<int>(i / columns) * cell;
        // A white disc behind each sticker keeps it readable on the coloured heading band.
        c.fillCircle(x + cell / 2.0f, y + cell / 2.0f, cell / 2.0f - 1, rgba(255, 255, 255, 235));
        drawShape(c, names[i], x + cell / 2.0f, y + cell / 2.0f, cell * 0.78f);
        frames.push_back({stickerFrameName(names[i]), x, y, cell, cell});
    }
    return out_.savePng(c, file, error);
}

bool Artwork::writeAppIcon(int size, const std::string& file, std::string& error) {
    const float u = size / 64.0f;
    Canvas c(size, size, kClear, size < 128 ? 4 : 2);
    // A sky tile with a white rim, so the icon reads on dark and light panels alike.
    c.fillRoundRect(2 * u, 2 * u, 60 * u, 60 * u, 13 * u, kWhite);
    c.fillRoundRect(4 * u, 4 * u, 56 * u, 56 * u, 11 * u, rgba(110, 190, 245));
    c.fillRoundRect(4 * u, 40 * u, 56 * u, 20 * u, 11 * u, rgba(120, 200, 110));
    c.fillRect(4 * u, 40 * u, 56 * u, 8 * u, rgba(120, 200, 110));
    drawShape(c, "sun", 47 * u, 16 * u, 20 * u);
    // The open book: two pages on an orange cover, a spine, a few lines of print.
    c.fillRoundRect(9 * u, 25 * u, 46 * u, 29 * u, 4 * u, kOrange);
    c.fillRoundRect(11 * u, 23 * u, 20.5f * u, 28 * u, 3 * u, kWhite);
    c.fillRoundRect(32.5f * u, 23 * u, 20.5f * u, 28 * u, 3 * u, kWhite);
    c.fillRect(31.5f * u, 24 * u, 1 * u, 28 * u, shade(kOrange, -0.3f));
    const Rgba print = rgba(150, 150, 165);
    for (int row = 0; row < 4; ++row) {
        const float y = (29 + row * 5) * u;
        c.fillRoundRect(14 * u, y, (row == 3 ? 9 : 14) * u, 1.6f * u, 0.8f * u, print);
        c.fillRoundRect(35.5f * u, y, (row == 1 ? 10 : 14) * u, 1.6f * u, 0.8f * u, print);
    }
    drawShape(c, "note", 15 * u, 14 * u, 16 * u);
    return out_.savePng(c, file, error);
}

bool Artwork::writeSettingsImages(const SettingsSource& settings, const std::string& folder, std::string& error) {
    {
        Canvas c(640, 960, withAlpha(settings.paper, 255));
        c.roundRectOutline(8, 8, 624, 944, 30, 5, withAlpha(settings.accent, 120));
        c.fillRoundRect(20, 18, 600, 120, 30, settings.accent);
        drawShape(c, "sun", 90, 240, 120);
        drawShape(c, "cloud", 540, 220, 130);
        drawShape(c, "book", 320, 230, 110);
        if (!out_.savePng(c, folder + "/setbg.png", error)) {
            return false;
        }
    }
    struct Face {
        const char* file;
        Rgba fill;
        Rgba edge;
        float edgeWidth;
    };
    // Normal, pressed, and the disabled face the screen uses to mark the chosen button.
    const Face faces[] = {
        {"/button.png", kWhite, settings.accent, 4},
        {"/button_down.png", shade(settings.accent, 0.7f), settings.accent, 4},
        {"/button_on.png", rgba(255, 240, 170), kOrange, 7},
    };
    for (const Face& f : faces) {
        Canvas c(kSettingsFaceWidth, kSettingsFaceHeight, kClear);
        c.fillRoundRect(0, 0, kSettingsFaceWidth, kSettingsFaceHeight, 22, f.edge);
        c.fillRoundRect(f.edgeWidth, f.edgeWidth, kSettingsFaceWidth - 2 * f.edgeWidth,
                        kSettingsFaceHeight - 2 * f.edgeWidth, 22 - f.edgeWidth, f.fill);
        if (!out_.savePng(c, folder + f.file, error)) {
            return false;
        }
    }
    return true;
}

}  // namespace bookkit
