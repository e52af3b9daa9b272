// Reading a YAML manifest with yaml-cpp: every problem the text shows, each at its line and column.
#include "tools/make/Manifest.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include "app/book/SentenceNames.h"

namespace make {

namespace {

// A manifest is text someone typed; one much larger than this is not one.
constexpr std::streamoff kMaxManifestBytes = 16 << 20;

Place placeOf(const YAML::Mark& mark) {
    Place p;
    if (!mark.is_null()) {
        p.line = mark.line + 1;
        p.column = mark.column + 1;
    }
    return p;
}

bool isNameCharacter(char c, const char* extra) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string(extra).find(c) != std::string::npos;
}

// Collects the problems of one manifest text, all of them rather than the first.
class Reader {
public:
    Reader(const std::string& name, std::vector<std::string>& errors) : name_(name), errors_(errors) {}

    void fail(const YAML::Node& at, const std::string& what) { fail(placeOfValue(at), what); }
    void fail(const Place& at, const std::string& what) {
        ok_ = false;
        errors_.push_back(message(name_, at, what));
    }
    bool ok() const { return ok_; }

    // A mapping whose keys are all among `known` and none repeated: a misspelt key would otherwise
    // be ignored in silence, and of a repeated one only one would count.
    bool mapping(const YAML::Node& node, const std::set<std::string>& known, const std::string& what) {
        if (!node.IsMap()) {
            fail(node, what + " must be a mapping of keys (" + list(known) + ")");
            return false;
        }
        std::set<std::string> seen;
        for (auto it = node.begin(); it != node.end(); ++it) {
            if (!it->first.IsScalar()) {
                fail(it->first, "a key of " + what + " must be a plain name");
                continue;
            }
            const std::string key = it->first.Scalar();
            if (it->second.IsNull()) {
                Place after = placeOf(it->first.Mark());
                after.column += static_cast<int>(key.size()) + 1;
                emptyValues_.emplace_back(it->second, after);
            }
            if (!known.count(key)) {
                fail(it->first, "unknown key '" + key + "' in " + what + " (known: " + list(known) + ")");
            } else if (!seen.insert(key).second) {
                fail(it->first, "'" + key + "' is given twice in " + what);
            }
        }
        return true;
    }

    // Text of at most `maxBytes` bytes, well-formed UTF-8, no control characters but tab and line
    // feed (the string tables are XML, which cannot carry them).
    bool text(const YAML::Node& node, const std::string& key, std::size_t maxBytes, bool mayBeEmpty, std::string& out) {
        if (node.IsNull()) {
            if (!mayBeEmpty) fail(node, "'" + key + "' is empty");
            out.clear();
            return mayBeEmpty;
        }
        if (!node.IsScalar()) {
            fail(node, "'" + key + "' must be text, not a " + kind(node));
            return false;
        }
        const std::string& s = node.Scalar();
        if (s.empty() && !mayBeEmpty) {
            fail(node, "'" + key + "' is empty");
            return false;
        }
        if (s.size() > maxBytes) {
            fail(node, "'" + key + "' is " + std::to_string(s.size()) + " bytes long, at most " +
                           std::to_string(maxBytes) + " are allowed");
            return false;
        }
        if (!app::isWellFormedUtf8(s)) {
            fail(node, "'" + key + "' is not UTF-8 text");
            return false;
        }
        for (char c : s) {
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') || c == 0x7f) {
                fail(node, "'" + key + "' holds a control character");
                return false;
            }
        }
        out = s;
        return true;
    }

    bool name(const YAML::Node& node, const std::string& key, const char* extra, const std::string& like,
              std::string& out) {
        std::string s;
        if (!text(node, key, 64, false, s)) return false;
        for (char c : s) {
            if (!isNameCharacter(c, extra)) {
                fail(node, "'" + key + "' must be a name like " + like + ", not '" + s + "'");
                return false;
            }
        }
        out = s;
        return true;
    }

    bool number(const YAML::Node& node, const std::string& what, double& out) {
        if (!node.IsScalar() || !YAML::convert<double>::decode(node, out) || !std::isfinite(out)) {
            fail(node, what + " must be a number");
            return false;
        }
        return true;
    }

    bool wholeNumber(const YAML::Node& node, const std::string& what, int& out) {
        if (!node.IsScalar() || !YAML::convert<int>::decode(node, out)) {
            fail(node, what + " must be a whole number");
            return false;
        }
        return true;
    }

    bool colour(const YAML::Node& node, bookkit::Rgba& out, std::string& normalised) {
        if (node.IsNull()) {
            fail(node, "'background' is empty; write the colour in quotes, \"#ffffff\": a bare # starts a comment");
            return false;
        }
        std::string s;
        if (!text(node, "background", 16, false, s)) return false;
        std::string hex = s.size() > 1 && s[0] == '#' ? s.substr(1) : std::string();
        if (hex.size() == 3) hex = {hex[0], hex[0], hex[1], hex[1], hex[2], hex[2]};
        if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            fail(node, "'background' must be a colour written #rrggbb or #rgb, not '" + s + "'");
            return false;
        }
        unsigned long v = std::stoul(hex, nullptr, 16);
        out = bookkit::rgba(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                            static_cast<std::uint8_t>(v));
        normalised = "#";
        for (char c : hex) normalised += static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
        return true;
    }

    static std::string kind(const YAML::Node& node) {
        if (node.IsSequence()) return "list";
        if (node.IsMap()) return "mapping";
        if (node.IsNull()) return "empty value";
        return "single value";
    }

private:
    // An empty value has no text of its own, and yaml-cpp marks it where the next token starts,
    // often on the next line: it is reported just after its key instead.
    Place placeOfValue(const YAML::Node& node) const {
        if (node.IsNull()) {
            for (const auto& [value, place] : emptyValues_)
                if (value.is(node)) return place;
        }
        return placeOf(node.Mark());
    }

    static std::string list(const std::set<std::string>& keys) {
        std::string s;
        for (const std::string& k : keys) s += (s.empty() ? "" : ", ") + k;
        return s;
    }

    const std::string& name_;
    std::vector<std::string>& errors_;
    std::vector<std::pair<YAML::Node, Place>> emptyValues_;
    bool ok_ = true;
};

// A zone, [x, y, width, height]; false when it has a problem, reported.
bool readZone(Reader& r, const YAML::Node& zone, bookkit::RectF& out) {
    if (!zone.IsSequence() || zone.size() != 4) {
        r.fail(zone, "'zone' must be a list of four numbers: x, y, width, height, or a list of such lists");
        return false;
    }
    double v[4];
    bool good = true;
    const char* names[4] = {"the zone's x", "the zone's y", "the zone's width", "the zone's height"};
    for (std::size_t i = 0; i < 4; ++i) good = r.number(zone[i], names[i], v[i]) && good;
    if (!good) return false;
    out = bookkit::RectF{float(v[0]), float(v[1]), float(v[2]), float(v[3])};
    if (!(v[2] > 0) || !(v[3] > 0)) {
        r.fail(zone, "the zone has no area (width and height must be more than 0)");
        return false;
    }
    return true;
}

void readSentence(Reader& r, const YAML::Node& node, ManifestSentence& s) {
    s.textAt = s.zoneAt = s.audioAt = s.clipAt = placeOf(node.Mark());
    if (!r.mapping(node, {"text", "zone", "audio", "clip"}, "a sentence")) return;

    if (const YAML::Node text = node["text"]) {
        s.textAt = placeOf(text.Mark());
        r.text(text, "text", Manifest::kMaxTextBytes, false, s.text);
    } else {
        r.fail(node, "the sentence has no 'text'");
    }

    if (const YAML::Node zone = node["zone"]) {
        s.zoneAt = placeOf(zone.Mark());
        // One zone, or one a line: [[x, y, w, h], [x, y, w, h]].
        if (zone.IsSequence() && zone.size() > 0 && zone[0].IsSequence()) {
            if (zone.size() > static_cast<std::size_t>(app::kMaxSentenceParts)) {
                r.fail(zone, "a sentence has at most " + std::to_string(app::kMaxSentenceParts) + " zones");
            } else {
                for (std::size_t i = 0; i < zone.size(); ++i) {
                    bookkit::RectF box;
                    if (readZone(r, zone[i], box)) s.zones.push_back(box);
                }
            }
        } else {
            bookkit::RectF box;
            if (readZone(r, zone, box)) s.zones.push_back(box);
        }
    } else {
        r.fail(node, "the sentence has no 'zone' (x, y, width, height in the picture's pixels)");
    }

    if (const YAML::Node audio = node["audio"]) {
        s.audioAt = placeOf(audio.Mark());
        if (!audio.IsNull()) r.text(audio, "audio", 4096, false, s.audio);
    }

    if (const YAML::Node clip = node["clip"]) {
        s.clipAt = placeOf(clip.Mark());
        double v[2] = {0, -1};
        bool good = clip.IsSequence() && (clip.size() == 1 || clip.size() == 2);
        if (!good) {
            r.fail(clip, "'clip' must be a list of one or two numbers: the seconds the sentence begins and ends at");
        } else {
            good = r.number(clip[0], "the clip's beginning", v[0]);
            if (clip.size() == 2) good = r.number(clip[1], "the clip's end", v[1]) && good;
        }
        if (good && (v[0] < 0 || (clip.size() == 2 && !(v[1] > v[0])))) {
            r.fail(clip, "the clip must begin at 0 seconds or later and end after it begins");
            good = false;
        }
        if (good && !node["audio"]) r.fail(clip, "a clip needs the 'audio' it is cut from");
        s.clipBegin = v[0];
        s.clipEnd = v[1];
    }
}

void readPage(Reader& r, const YAML::Node& node, ManifestPage& page) {
    page.at = page.pictureAt = placeOf(node.Mark());
    if (!r.mapping(node, {"picture", "sentences"}, "a page")) return;

    if (const YAML::Node picture = node["picture"]) {
        page.pictureAt = placeOf(picture.Mark());
        r.text(picture, "picture", 4096, false, page.picture);
    } else {
        r.fail(node, "the page has no 'picture'");
    }

    const YAML::Node sentences = node["sentences"];
    if (!sentences || sentences.IsNull()) return;
    if (!sentences.IsSequence()) {
        r.fail(sentences, "'sentences' must be a list, not a " + Reader::kind(sentences));
        return;
    }
    std::size_t count = sentences.size();
    if (count > static_cast<std::size_t>(Manifest::kMaxSentences)) {
        r.fail(sentences, std::to_string(count) + " sentences on one page, the reader reads at most " +
                              std::to_string(Manifest::kMaxSentences));
        // The rest are still read for their own problems, as far as a page can hold.
        count = Manifest::kMaxSentences;
    }
    for (std::size_t i = 0; i < count; ++i) {
        ManifestSentence s;
        readSentence(r, sentences[i], s);
        page.sentences.push_back(std::move(s));
    }
}

void readUnits(Reader& r, const YAML::Node& units, Manifest& m) {
    if (!units.IsSequence()) {
        r.fail(units, "'units' must be a list, not a " + Reader::kind(units));
        return;
    }
    if (units.size() == 0) {
        r.fail(units, "'units' is an empty list: give at least one unit, or leave 'units' out");
        return;
    }
    std::size_t count = units.size();
    if (count > static_cast<std::size_t>(app::BookDescription::kMaxUnits)) {
        r.fail(units, std::to_string(count) + " units, a book has at most " +
                          std::to_string(app::BookDescription::kMaxUnits));
        count = app::BookDescription::kMaxUnits;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const YAML::Node node = units[i];
        ManifestUnit unit;
        unit.at = placeOf(node.Mark());
        if (!r.mapping(node, {"title", "pages"}, "a unit")) continue;
        bool good = true;
        if (const YAML::Node title = node["title"]) {
            good = r.text(title, "title", app::BookDescription::kMaxTitleBytes, false, unit.title) && good;
        } else {
            r.fail(node, "the unit has no 'title'");
            good = false;
        }
        if (const YAML::Node pages = node["pages"]) {
            unit.at = placeOf(pages.Mark());
            if (!pages.IsSequence() || pages.size() != 2) {
                r.fail(pages, "a unit's 'pages' must be its first and last page, like [1, 4]");
                good = false;
            } else {
                good = r.wholeNumber(pages[0], "a unit's first page", unit.firstPage) && good;
                good = r.wholeNumber(pages[1], "a unit's last page", unit.lastPage) && good;
            }
        } else {
            r.fail(node, "the unit has no 'pages' (its first and last page, like [1, 4])");
            good = false;
        }
        // A unit with a problem of its own is left out, so its neighbours are not blamed for it.
        if (good) m.units.push_back(unit);
    }
}

// Unit ranges against the page count and each other, once both are known.
void checkUnits(Reader& r, const Manifest& m) {
    const int pageCount = static_cast<int>(m.pages.size());
    const ManifestUnit* previous = nullptr;
    for (const ManifestUnit& u : m.units) {
        const std::string range = "[" + std::to_string(u.firstPage) + ", " + std::to_string(u.lastPage) + "]";
        if (u.firstPage < 1 || u.lastPage > pageCount) {
            r.fail(u.at, "unit '" + u.title + "' pages " + range + " lie outside the book's pages 1 to " +
                             std::to_string(pageCount));
            continue;
        }
        if (u.lastPage < u.firstPage) {
            r.fail(u.at, "unit '" + u.title + "' pages " + range + " end before they begin");
            continue;
        }
        if (previous && u.firstPage <= previous->lastPage) {
            if (u.firstPage >= previous->firstPage) {
                r.fail(u.at, "unit '" + u.title + "' pages " + range + " overlap unit '" + previous->title +
                                 "', which ends on page " + std::to_string(previous->lastPage));
            } else {
                r.fail(u.at, "unit '" + u.title + "' pages " + range + " come before unit '" + previous->title +
                                 "': units go in page order");
            }
        }
        previous = &u;
    }
}

// Notes whether a document holds anything at all, and where it starts.
class DocumentProbe : public YAML::EventHandler {
public:
    void OnDocumentStart(const YAML::Mark& mark) override {
        start = mark;
        content = false;
    }
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override { content = true; }
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t, const std::string&) override { content = true; }
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override {
        content = true;
    }
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override {
        content = true;
    }
    void OnMapEnd() override {}

    YAML::Mark start;
    bool content = false;
};

// Whether the text goes on past its first document with a second one that holds something.
// Only two documents are asked for: on some stray characters (a lone ",") yaml-cpp's parser
// reports empty documents without end, so reading them all would never finish.
bool secondDocument(const std::string& text, Place& at) {
    std::istringstream in(text);
    YAML::Parser parser(in);
    DocumentProbe probe;
    if (!parser.HandleNextDocument(probe) || !parser.HandleNextDocument(probe) || !probe.content) return false;
    at = placeOf(probe.start);
    return true;
}

}  // namespace

std::string message(const std::string& name, const Place& at, const std::string& what) {
    return name + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " + what;
}

std::string defaultVoice(const std::string& language) {
    return language == "en" ? "en-us" : language;
}

app::BookDescription Manifest::description() const {
    app::BookDescription d;
    d.title = title;
    d.author = author;
    d.language = language;
    d.pageCount = static_cast<int>(pages.size());
    for (const ManifestUnit& u : units) d.units.push_back({u.title, u.firstPage, u.lastPage});
    if (d.units.empty()) d.units.push_back({title, 1, d.pageCount});
    return d;
}

bool parseManifest(const std::string& text, const std::string& name, Manifest& out, std::vector<std::string>& errors) {
    Reader r(name, errors);
    YAML::Node root;
    try {
        root = YAML::Load(text);
        Place second;
        if (secondDocument(text, second)) r.fail(second, "a manifest is one YAML document, this is a second one");
    } catch (const YAML::Exception& e) {
        r.fail(placeOf(e.mark), "not YAML: " + e.msg);
        return false;
    }
    if (!root || root.IsNull()) {
        r.fail(Place{}, "the manifest is empty: it needs at least a 'title' and 'pages'");
        return false;
    }
    if (!r.mapping(root, {"title", "author", "language", "voice", "background", "units", "pages"}, "the manifest")) {
        return false;
    }

    Manifest m;
    const std::size_t titleBytes = app::BookDescription::kMaxTitleBytes;
    if (const YAML::Node title = root["title"]) {
        r.text(title, "title", titleBytes, false, m.title);
    } else {
        r.fail(root, "the manifest has no 'title'");
    }
    if (const YAML::Node author = root["author"]) r.text(author, "author", titleBytes, true, m.author);
    if (const YAML::Node language = root["language"]) {
        m.voiceAt = placeOf(language.Mark());
        r.name(language, "language", "-_", "en or pt-br", m.language);
    }
    if (const YAML::Node voice = root["voice"]) {
        m.voiceAt = placeOf(voice.Mark());
        r.name(voice, "voice", "-_+/", "en-us or de", m.voice);
    }
    if (m.voice.empty()) m.voice = defaultVoice(m.language);
    if (const YAML::Node background = root["background"]) r.colour(background, m.background, m.backgroundText);

    const YAML::Node pages = root["pages"];
    if (!pages) {
        r.fail(root, "the manifest has no 'pages'");
    } else if (!pages.IsSequence()) {
        r.fail(pages, "'pages' must be a list of pages, not a " + Reader::kind(pages));
    } else if (pages.size() == 0) {
        r.fail(pages, "the book has no pages");
    } else {
        std::size_t count = pages.size();
        if (count > static_cast<std::size_t>(app::BookDescription::kMaxPages)) {
            r.fail(pages, std::to_string(count) + " pages, a book has at most " +
                              std::to_string(app::BookDescription::kMaxPages));
            count = app::BookDescription::kMaxPages;
        }
        for (std::size_t i = 0; i < count; ++i) {
            ManifestPage page;
            readPage(r, pages[i], page);
            m.pages.push_back(std::move(page));
        }
    }

    if (const YAML::Node units = root["units"]) {
        readUnits(r, units, m);
        if (!m.pages.empty()) checkUnits(r, m);
    }

    if (!r.ok()) return false;
    out = std::move(m);
    return true;
}

bool readManifest(const std::string& path, Manifest& out, std::vector<std::string>& errors) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        errors.push_back(path + ": no such manifest");
        return false;
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        errors.push_back(path + ": not a file");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(path + ": cannot read the manifest");
        return false;
    }
    in.seekg(0, std::ios::end);
    if (in.tellg() > kMaxManifestBytes) {
        errors.push_back(path + ": too large for a manifest (more than 16 MB)");
        return false;
    }
    in.seekg(0);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) {
        errors.push_back(path + ": cannot read the manifest");
        return false;
    }
    return parseManifest(text.str(), path, out, errors);
}

}  // namespace make
