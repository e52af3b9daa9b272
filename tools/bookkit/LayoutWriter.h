// Writes the JSON layout files: one per page (current or legacy dialect) and the settings screen.
#pragma once

#include <string>

#include <json/json.h>

#include "tools/bookkit/BookModel.h"

namespace bookkit {

// Files a page layout refers to, relative to the layout's own folder (tomeset/).
struct PageFiles {
    std::string picture;       // "images/page_12.png"
    std::string markNormal;    // "res/bnren1.png"
    std::string markPressed;   // "res/bnren2.png"
    std::string badge;         // "res/badge.png"
    std::string stickerSheet;  // "sheet/deco.plist"
    // Word-list cards: normal and lit face of sentence n (1-based).
    std::string card(int page, int sentence, bool lit) const;
};

// Action tags of the decorations that animations drive; above every sentence code (at most 9029).
constexpr int kStickerActionTag = 30001;
constexpr int kBadgeActionTag = 30002;
constexpr int kNumberActionTag = 30003;

Json::Value pageLayout(const PageSource& page, const PageArt& art, const PageFiles& files);
// `folder` names the settings images relative to the layout file (e.g. "res").
Json::Value settingsLayout(const SettingsSource& settings, const std::string& folder);

// Stable text: sorted keys, two-space indent, no float noise.
std::string layoutText(const Json::Value& layout);

}  // namespace bookkit
