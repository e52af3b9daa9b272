// The book's fixed images: reader chrome, walking figure, drag hint, stickers, button faces.
#pragma once

#include <string>
#include <vector>

#include "tools/bookkit/BookModel.h"
#include "tools/bookkit/Canvas.h"
#include "tools/bookkit/OutputTree.h"

namespace bookkit {

struct SheetFrame {
    std::string name;  // sprite-frame name, e.g. "deco_star.png"
    int x = 0, y = 0, w = 0, h = 0;
};

// Size of the near-transparent sentence mark that the reader stretches over each sentence.
constexpr int kSentenceMarkSize = 20;
// The page-turn arrows (square), and the play and pause buttons: the reader places the arrows
// half the play button's width either side of the page's middle, so that width keeps the hint
// label (a quarter of the page wide, between them) clear of the arrows.
constexpr int kArrowButtonSize = 60;
constexpr int kPlayButtonWidth = 224;
constexpr int kPlayButtonHeight = 80;
// The badge face that decorative text buttons show.
constexpr int kBadgeWidth = 150;
constexpr int kBadgeHeight = 52;
// The settings buttons' nine-slice face and its caps.
constexpr int kSettingsFaceWidth = 120;
constexpr int kSettingsFaceHeight = 84;
constexpr int kSettingsFaceCap = 24;

std::string stickerFrameName(const std::string& sticker);

class Artwork {
public:
    Artwork(Fonts& fonts, OutputTree& out) : fonts_(fonts), out_(out) {}

    // Everything under Images/ that the reader and the contents screen load by name.
    bool writeReaderImages(std::string& error);
    // Sentence marks, badge face and the sticker sheet, under `folder` (e.g. "tomeset/res").
    bool writeSentenceMarks(const std::string& folder, std::string& error);
    bool writeBadge(const std::string& file, std::string& error);
    // The sticker sheet image; `frames` receives where each sticker lies in it.
    bool writeStickerSheet(const std::string& file, std::vector<SheetFrame>& frames, int& width, int& height,
                           std::string& error);
    // The reader's application icon, size x size pixels: an open picture book under a sun, with
    // a note for the reading aloud; drawn in a 64-unit grid so every size shows the same picture.
    bool writeAppIcon(int size, const std::string& file, std::string& error);
    // Settings screen: background picture and the three faces of its buttons.
    bool writeSettingsImages(const SettingsSource& settings, const std::string& folder, std::string& error);

private:
    bool arrowButton(const std::string& file, bool pointsLeft, bool selected, std::string& error);
    bool roundButton(const std::string& file, bool pause, std::string& error);
    bool walker(const std::string& file, std::string& error);
    bool dragHint(const std::string& file, std::string& error);

    Fonts& fonts_;
    OutputTree& out_;
};

}  // namespace bookkit
