// What a generated book is made of, whichever tool writes it: pages with their sentences and
// where each sentence's touch area lies, the settings screen, the voice and the chrome captions.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/book/BookFiles.h"
#include "tools/bookkit/Canvas.h"

namespace bookkit {

constexpr int kPageWidth = app::kPageWidth;
constexpr int kPageHeight = app::kPageHeight;

// Picture coordinates: pixels of the 640 x 960 picture, origin top left. The picture is shown
// 1:1 over the design area, so a design point is (x, 960 - y).
struct SentencePlace {
    RectF box;  // the area the sentence's button covers
    // A sentence that wraps: its further lines, each touchable by a button of its own.
    std::vector<RectF> moreLines;
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

enum class PageKind { Ordinary, Cover, Words };

// Which dialect of the layout file a page is written in.
enum class LayoutFormat { Current, Legacy, LegacyMerged };

struct PageSource {
    int number = 0;
    PageKind kind = PageKind::Ordinary;
    std::string heading;
    Rgba paper;
    Rgba accent;
    LayoutFormat format = LayoutFormat::Current;
    std::string legacyVersion;          // written as "version" by a legacy page when set
    std::vector<std::string> picture;   // shapes drawn on the page
    std::vector<std::string> cards;     // one shape per word card (word-list pages)
    std::vector<std::string> sentences;
    std::string sticker;                // sprite-sheet frame shown on the page, or empty
    std::string badge;                  // title of a decorative text button, or empty
    std::string animate;                // "sway", "bounce", "glow" or empty
};

struct SettingsButton {
    std::string name;
    std::string title;
};

struct SettingsSource {
    std::string heading;
    Rgba paper;
    Rgba accent;
    std::vector<SettingsButton> buttons;
};

struct VoiceSource {
    std::string name = "en-us";
    int speed = 140;
    int pitch = 50;
};

struct BookSource {
    std::string title;
    VoiceSource voice;
    std::vector<std::pair<std::string, std::string>> captions;  // in file order
    SettingsSource settings;
    std::vector<PageSource> pages;  // pages[i].number == i + 1
};

// Frames of the decoration sprite sheet a "sticker" may name.
const std::vector<std::string>& stickerNames();

}  // namespace bookkit
