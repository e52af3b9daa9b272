// The sample book's sources as read from book.json: captions, settings, voice and the pages.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/bookgen/Canvas.h"

namespace bookgen {

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

// The caption keys every screen of the reader looks up.
const std::vector<std::string>& requiredCaptionKeys();
// The six settings buttons the settings screen finds by name.
const std::vector<std::string>& requiredSettingsButtons();
// Frames of the decoration sprite sheet a "sticker" may name.
const std::vector<std::string>& stickerNames();

// Reads and checks SOURCE/book.json. On failure returns false with a message naming the problem.
bool loadBookSource(const std::string& path, BookSource& book, std::string& error);
// Same, from text already in memory; `origin` names it in messages.
bool parseBookSource(const std::string& text, const std::string& origin, BookSource& book, std::string& error);

}  // namespace bookgen
