// Reads book.json and rejects anything the reader could not use, naming the page at fault.
#include "tools/bookgen/BookSource.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include <json/json.h>

#include "app/book/BookFiles.h"
#include "tools/bookkit/Shapes.h"

namespace bookgen {

namespace {

// The reader looks up at most 29 sentences per page, and shows no subtitle from 1600 bytes on.
constexpr int kMaxSentences = 29;
constexpr std::size_t kMaxSentenceBytes = 1599;

bool parseColor(const Json::Value& value, Rgba& out) {
    if (!value.isString()) {
        return false;
    }
    const std::string text = value.asString();
    if (text.size() != 7 || text[0] != '#') {
        return false;
    }
    unsigned parts[3];
    for (int i = 0; i < 3; ++i) {
        const std::string hex = text.substr(1 + i * 2, 2);
        if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            return false;
        }
        parts[i] = static_cast<unsigned>(std::stoul(hex, nullptr, 16));
    }
    out = rgba(static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
               static_cast<std::uint8_t>(parts[2]));
    return true;
}

bool readStrings(const Json::Value& value, std::vector<std::string>& out) {
    if (value.isNull()) {
        return true;
    }
    if (!value.isArray()) {
        return false;
    }
    for (const Json::Value& item : value) {
        if (!item.isString()) {
            return false;
        }
        out.push_back(item.asString());
    }
    return true;
}

std::string optionalString(const Json::Value& obj, const char* key) {
    const Json::Value& v = obj[key];
    return v.isString() ? v.asString() : std::string();
}

bool readPage(const Json::Value& entry, std::size_t index, PageSource& page, std::string& error) {
    const std::string where = "page entry " + std::to_string(index + 1);
    if (!entry.isObject()) {
        error = where + " is not an object";
        return false;
    }
    if (!entry["page"].isInt() || entry["page"].asInt() != static_cast<int>(index + 1)) {
        error = where + ": \"page\" must be " + std::to_string(index + 1) + " (pages are listed in order from 1)";
        return false;
    }
    page.number = entry["page"].asInt();
    const std::string at = "page " + std::to_string(page.number);

    const std::string kind = optionalString(entry, "kind");
    if (kind.empty() || kind == "ordinary") {
        page.kind = PageKind::Ordinary;
    } else if (kind == "cover") {
        page.kind = PageKind::Cover;
    } else if (kind == "words") {
        page.kind = PageKind::Words;
    } else {
        error = at + ": unknown \"kind\" \"" + kind + "\"";
        return false;
    }

    page.heading = optionalString(entry, "heading");
    if (page.heading.empty()) {
        error = at + ": missing \"heading\"";
        return false;
    }
    if (!parseColor(entry["paper"], page.paper) || !parseColor(entry["accent"], page.accent)) {
        error = at + ": \"paper\" and \"accent\" must be colours written #rrggbb";
        return false;
    }

    const std::string format = optionalString(entry, "format");
    if (format.empty() || format == "current") {
        page.format = LayoutFormat::Current;
    } else if (format == "legacy") {
        page.format = LayoutFormat::Legacy;
    } else if (format == "legacy-merged") {
        page.format = LayoutFormat::LegacyMerged;
    } else {
        error = at + ": unknown \"format\" \"" + format + "\"";
        return false;
    }
    page.legacyVersion = optionalString(entry, "version");
    if (!page.legacyVersion.empty() && page.format == LayoutFormat::Current) {
        error = at + ": only a legacy page may name an old \"version\"";
        return false;
    }

    if (!readStrings(entry["picture"], page.picture) || !readStrings(entry["cards"], page.cards) ||
        !readStrings(entry["sentences"], page.sentences)) {
        error = at + ": \"picture\", \"cards\" and \"sentences\" must be lists of strings";
        return false;
    }
    for (const std::string& shape : page.picture) {
        if (!isKnownShape(shape)) {
            error = at + ": unknown picture \"" + shape + "\"";
            return false;
        }
    }
    for (const std::string& shape : page.cards) {
        if (!isKnownShape(shape)) {
            error = at + ": unknown card picture \"" + shape + "\"";
            return false;
        }
    }
    if (page.sentences.size() > static_cast<std::size_t>(kMaxSentences)) {
        error = at + ": " + std::to_string(page.sentences.size()) + " sentences, the reader reads at most " +
                std::to_string(kMaxSentences);
        return false;
    }
    for (std::size_t i = 0; i < page.sentences.size(); ++i) {
        const std::string& s = page.sentences[i];
        if (s.empty() || s.size() > kMaxSentenceBytes) {
            error = at + ", sentence " + std::to_string(i + 1) + ": must have 1 to " +
                    std::to_string(kMaxSentenceBytes) + " bytes";
            return false;
        }
    }
    if (page.kind == PageKind::Words && page.cards.size() != page.sentences.size()) {
        error = at + ": a word-list page needs one card picture per word";
        return false;
    }
    if (page.kind == PageKind::Words && page.sentences.size() > 6) {
        error = at + ": a word-list page holds at most 6 words";
        return false;
    }

    page.sticker = optionalString(entry, "sticker");
    if (!page.sticker.empty() &&
        std::find(stickerNames().begin(), stickerNames().end(), page.sticker) == stickerNames().end()) {
        error = at + ": unknown sticker \"" + page.sticker + "\"";
        return false;
    }
    if (page.format == LayoutFormat::Legacy && !page.sticker.empty()) {
        error = at + ": a legacy page draws its sticker from the merged texture: use \"legacy-merged\"";
        return false;
    }
    if (page.format == LayoutFormat::LegacyMerged && page.sticker.empty()) {
        error = at + ": a \"legacy-merged\" page needs a sticker to draw from the sprite sheet";
        return false;
    }
    page.badge = optionalString(entry, "badge");
    page.animate = optionalString(entry, "animate");
    if (!page.animate.empty() && page.animate != "sway" && page.animate != "bounce" && page.animate != "glow") {
        error = at + ": unknown animation \"" + page.animate + "\"";
        return false;
    }
    return true;
}

}  // namespace

bool parseBookSource(const std::string& text, const std::string& origin, BookSource& book, std::string& error) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["rejectDupKeys"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string parseErrors;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &parseErrors)) {
        error = origin + ": not valid JSON: " + parseErrors;
        return false;
    }
    if (!root.isObject()) {
        error = origin + ": the top level must be an object";
        return false;
    }

    book = BookSource();
    book.title = optionalString(root, "title");

    const Json::Value& voice = root["voice"];
    if (voice.isObject()) {
        if (voice["name"].isString()) {
            book.voice.name = voice["name"].asString();
        }
        if (voice["speed"].isInt()) {
            book.voice.speed = voice["speed"].asInt();
        }
        if (voice["pitch"].isInt()) {
            book.voice.pitch = voice["pitch"].asInt();
        }
    }
    if (book.voice.name.empty() || book.voice.name.find_first_of(" \t\n") != std::string::npos) {
        error = origin + ": \"voice\" \"name\" must be one espeak-ng voice name";
        return false;
    }

    const Json::Value& captions = root["captions"];
    if (!captions.isObject()) {
        error = origin + ": missing \"captions\"";
        return false;
    }
    for (const std::string& key : captions.getMemberNames()) {
        if (!captions[key].isString()) {
            error = origin + ": caption \"" + key + "\" is not a string";
            return false;
        }
        book.captions.emplace_back(key, captions[key].asString());
    }
    for (const std::string& key : app::requiredCaptionKeys()) {
        if (!captions[key].isString()) {
            error = origin + ": caption \"" + key + "\" is missing";
            return false;
        }
    }

    const Json::Value& settings = root["settings"];
    if (!settings.isObject() || !parseColor(settings["paper"], book.settings.paper) ||
        !parseColor(settings["accent"], book.settings.accent) || !settings["buttons"].isArray()) {
        error = origin + ": \"settings\" needs \"paper\", \"accent\" and \"buttons\"";
        return false;
    }
    book.settings.heading = optionalString(settings, "heading");
    for (const Json::Value& b : settings["buttons"]) {
        if (!b.isObject() || !b["name"].isString() || !b["title"].isString()) {
            error = origin + ": every settings button needs a \"name\" and a \"title\"";
            return false;
        }
        book.settings.buttons.push_back({b["name"].asString(), b["title"].asString()});
    }
    for (const std::string& name : app::requiredSettingsButtons()) {
        auto found = std::find_if(book.settings.buttons.begin(), book.settings.buttons.end(),
                                  [&](const SettingsButton& b) { return b.name == name; });
        if (found == book.settings.buttons.end()) {
            error = origin + ": settings button \"" + name + "\" is missing";
            return false;
        }
    }

    const Json::Value& pages = root["pages"];
    if (!pages.isArray() || pages.empty()) {
        error = origin + ": \"pages\" must be a non-empty list";
        return false;
    }
    for (Json::ArrayIndex i = 0; i < pages.size(); ++i) {
        PageSource page;
        if (!readPage(pages[i], i, page, error)) {
            error = origin + ": " + error;
            return false;
        }
        book.pages.push_back(std::move(page));
    }
    return true;
}

bool loadBookSource(const std::string& path, BookSource& book, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseBookSource(text.str(), path, book, error);
}

}  // namespace bookgen
