// Walks the sample book the build generated and checks every name the reader will ask for.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "BookFiles.h"
#include "app/book/SentenceNames.h"
#include "support/BookFixture.h"

using namespace booktest;

namespace {

constexpr int kPages = 90;
constexpr int kMaxSentence = 29;

struct Widget {
    const Json::Value* entry = nullptr;
    const Json::Value* parent = nullptr;
    std::string className;
    std::string name;
    const Json::Value& options() const { return (*entry)["options"]; }
};

void collect(const Json::Value& entry, const Json::Value* parent, std::vector<Widget>& out) {
    Widget w;
    w.entry = &entry;
    w.parent = parent;
    w.className = entry["classname"].asString();
    w.name = entry["options"]["name"].isString() ? entry["options"]["name"].asString() : "default";
    out.push_back(w);
    for (const Json::Value& child : entry["children"]) {
        collect(child, &entry, out);
    }
}

// The reader's rule: a "version" of four numbers below 250, or none at all, is the legacy dialect.
bool isLegacy(const Json::Value& layout) {
    if (!layout["version"].isString()) {
        return true;
    }
    const std::string v = layout["version"].asString();
    if (v.size() < 7) {
        return true;
    }
    int a = 0, b = 0, c = 0, d = 0;
    std::sscanf(v.c_str(), "%d.%d.%d.%d", &a, &b, &c, &d);
    return 1000 * a + 100 * b + 10 * c + d < 250;
}

struct Page {
    int number = 0;
    std::string error;
    Json::Value layout;
    std::vector<Widget> widgets;
    std::map<std::string, SheetFrame> frames;  // of every sheet the layout lists
    std::map<int, const Widget*> sentences;    // sentence number -> its button
    const Widget* picture = nullptr;
    bool legacy = false;
};

const char* const kLegacyTextureKeys[] = {"normal", "pressed", "disabled", "fileName", "backGroundImage", "texture"};

class SampleBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = testsupport::sampleBookDir();
        pages_.assign(kPages + 1, Page());
        for (int p = 1; p <= kPages; ++p) {
            load(p, pages_[p]);
        }
        std::string error;
        readStringTable(dir_ + "/Stringstr.xml", sentenceTexts_, error);
        readStringTable(dir_ + "/String.xml", captions_, error);
    }

    void SetUp() override {
        ASSERT_TRUE(fileExists(dir_ + "/String.xml"))
            << "no generated book in " << dir_ << ": build the sample_book target first";
    }

    static void load(int p, Page& page) {
        page.number = p;
        const std::string path = dir_ + "/tomeset/tomeset_" + std::to_string(p) + ".json";
        if (!parseJson(readFile(path), page.layout, page.error)) {
            page.error = path + ": " + page.error;
            return;
        }
        page.legacy = isLegacy(page.layout);
        collect(page.layout["widgetTree"], nullptr, page.widgets);
        for (const Json::Value& sheetName : page.layout["textures"]) {
            Sheet sheet;
            std::string error;
            if (readSheet(dir_ + "/tomeset/" + sheetName.asString(), sheet, error)) {
                page.frames.insert(sheet.frames.begin(), sheet.frames.end());
            }
        }
        for (const Widget& w : page.widgets) {
            if (w.className == "ImageView" && w.parent == &page.layout["widgetTree"] && w.options()["x"] == 320 &&
                w.options()["y"] == 480) {
                page.picture = &w;
            }
        }
        // Looked up the way the reader does: by the name of every possible sentence number.
        for (int n = 1; n <= kMaxSentence; ++n) {
            for (const Widget& w : page.widgets) {
                if (w.name == app::sentenceButtonName(p, n)) {
                    page.sentences[n] = &w;
                    break;
                }
            }
        }
    }

    static std::string texturePath(const std::string& name) { return dir_ + "/tomeset/" + name; }

    // Every image a widget names, as (texture key, path or frame, is a sprite frame).
    static std::vector<std::tuple<std::string, std::string, bool>> texturesOf(const Widget& w, bool legacy) {
        std::vector<std::tuple<std::string, std::string, bool>> out;
        const Json::Value& o = w.options();
        if (legacy) {
            const bool merged = o["useMergedTexture"].isBool() && o["useMergedTexture"].asBool();
            for (const char* key : kLegacyTextureKeys) {
                if (o[key].isString() && !o[key].asString().empty()) {
                    out.emplace_back(key, o[key].asString(), merged);
                }
            }
        } else {
            for (const std::string& key : o.getMemberNames()) {
                const Json::Value& ref = o[key];
                if (key.size() > 4 && key.compare(key.size() - 4, 4, "Data") == 0 && ref.isObject() &&
                    !ref["path"].asString().empty()) {
                    out.emplace_back(key, ref["path"].asString(), ref["resourceType"].asInt() == 1);
                }
            }
        }
        return out;
    }

    static std::string dir_;
    static std::vector<Page> pages_;
    static std::map<std::string, std::string> sentenceTexts_;
    static std::map<std::string, std::string> captions_;
};

std::string SampleBook::dir_;
std::vector<Page> SampleBook::pages_;
std::map<std::string, std::string> SampleBook::sentenceTexts_;
std::map<std::string, std::string> SampleBook::captions_;

// ---------------------------------------------------------------------------------------------
// Layout files

TEST_F(SampleBook, EveryPageHasALayoutWithThePageDesignSize) {
    EXPECT_FALSE(fileExists(dir_ + "/tomeset/tomeset_0.json"));
    EXPECT_FALSE(fileExists(dir_ + "/tomeset/tomeset_91.json"));
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        ASSERT_TRUE(page.error.empty()) << page.error;
        EXPECT_EQ(page.layout["designWidth"].asInt(), 640) << "page " << p;
        EXPECT_EQ(page.layout["designHeight"].asInt(), 960) << "page " << p;
        const Json::Value& root = page.layout["widgetTree"];
        EXPECT_EQ(root["classname"].asString(), "Panel") << "page " << p;
        EXPECT_EQ(root["options"]["width"].asInt(), 640) << "page " << p;
        EXPECT_EQ(root["options"]["height"].asInt(), 960) << "page " << p;
        // A touchable root would claim every swipe before the page could turn.
        EXPECT_FALSE(root["options"]["touchAble"].asBool()) << "page " << p;
    }
}

TEST_F(SampleBook, PagePictureIsCentredAndCoversThePage) {
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        ASSERT_NE(page.picture, nullptr) << "page " << p << " has no ImageView at (320, 480)";
        EXPECT_FALSE(page.picture->options()["touchAble"].asBool()) << "page " << p;
        auto textures = texturesOf(*page.picture, page.legacy);
        ASSERT_EQ(textures.size(), 1u) << "page " << p;
        int w = 0, h = 0;
        ASSERT_TRUE(pngSize(texturePath(std::get<1>(textures[0])), w, h)) << std::get<1>(textures[0]);
        EXPECT_EQ(w, 640) << "page " << p;
        EXPECT_EQ(h, 960) << "page " << p;
    }
}

TEST_F(SampleBook, EveryImageALayoutNamesExists) {
    int files = 0, frames = 0;
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        for (const Widget& w : page.widgets) {
            for (const auto& [key, name, isFrame] : texturesOf(w, page.legacy)) {
                if (isFrame) {
                    EXPECT_TRUE(page.frames.count(name)) << "page " << p << ", " << w.name << "." << key
                                                         << ": no frame " << name << " in the listed sheets";
                    ++frames;
                } else {
                    EXPECT_TRUE(fileExists(texturePath(name)))
                        << "page " << p << ", " << w.name << "." << key << ": missing " << name;
                    ++files;
                }
            }
        }
    }
    EXPECT_GT(files, 400);
    EXPECT_GT(frames, 1);
}

TEST_F(SampleBook, LayoutsUseBothDialectsAndTheStickerSheet) {
    int legacy = 0, merged = 0, withFrames = 0;
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        if (page.legacy) {
            ++legacy;
        } else {
            EXPECT_EQ(page.layout["version"].asString(), "1.0.0.0") << "page " << p;
        }
        bool drawsFromSheet = false;
        for (const Widget& w : page.widgets) {
            if (page.legacy && w.options()["useMergedTexture"].asBool()) {
                ++merged;
            }
            for (const auto& texture : texturesOf(w, page.legacy)) {
                drawsFromSheet = drawsFromSheet || std::get<2>(texture);
            }
        }
        if (drawsFromSheet) {
            EXPECT_FALSE(page.layout["textures"].empty()) << "page " << p << " uses frames without a sheet";
            ++withFrames;
        }
    }
    EXPECT_GE(legacy, 5);
    EXPECT_GE(merged, 1);
    EXPECT_GE(withFrames, 2);
}

TEST_F(SampleBook, StickerSheetFramesLieInsideItsImage) {
    std::set<std::string> sheets;
    for (int p = 1; p <= kPages; ++p) {
        for (const Json::Value& s : pages_[p].layout["textures"]) {
            sheets.insert(s.asString());
        }
    }
    ASSERT_FALSE(sheets.empty());
    for (const std::string& name : sheets) {
        Sheet sheet;
        std::string error;
        ASSERT_TRUE(readSheet(texturePath(name), sheet, error)) << error;
        EXPECT_EQ(sheet.format, 2) << name;
        const std::string folder = name.substr(0, name.rfind('/') + 1);
        int w = 0, h = 0;
        ASSERT_TRUE(pngSize(texturePath(folder + sheet.textureFileName), w, h)) << sheet.textureFileName;
        ASSERT_FALSE(sheet.frames.empty());
        for (const auto& [frameName, f] : sheet.frames) {
            EXPECT_TRUE(f.x >= 0 && f.y >= 0 && f.w > 0 && f.h > 0 && f.x + f.w <= w && f.y + f.h <= h)
                << frameName << " lies outside the " << w << " x " << h << " sheet";
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Sentences

TEST_F(SampleBook, SentenceButtonsAreNumberedFromOneWithoutGaps) {
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        int expected = 1;
        for (const auto& [n, button] : page.sentences) {
            EXPECT_EQ(n, expected) << "page " << p << ": sentence " << expected << " is missing";
            expected = n + 1;
            EXPECT_EQ(button->className, "Button") << button->name;
            EXPECT_TRUE(button->options()["touchAble"].asBool()) << button->name;
            // Children of the centred picture: their positions are measured from the page centre.
            EXPECT_EQ(button->parent, page.picture ? page.picture->entry : nullptr) << button->name;
        }
        // Nothing else on the page may look like a sentence name the reader would not reach.
        for (const Widget& w : page.widgets) {
            if (w.name.rfind("bn", 0) == 0) {
                bool known = false;
                for (const auto& entry : page.sentences) {
                    known = known || entry.second == &w;
                }
                EXPECT_TRUE(known) << "page " << p << ": stray widget " << w.name;
            }
        }
    }
}

TEST_F(SampleBook, EverySentenceHasItsTextAndItsRecording) {
    std::size_t sentences = 0;
    for (int p = 1; p <= kPages; ++p) {
        for (const auto& entry : pages_[p].sentences) {
            const int n = entry.first;
            ++sentences;
            auto text = sentenceTexts_.find(app::sentenceTextKey(p, n));
            ASSERT_NE(text, sentenceTexts_.end()) << "Stringstr.xml has no " << app::sentenceTextKey(p, n);
            EXPECT_FALSE(text->second.empty()) << app::sentenceTextKey(p, n);
            EXPECT_LT(text->second.size(), 1600u) << app::sentenceTextKey(p, n);
            const std::string mp3 = dir_ + "/" + app::storedAudioPath(p, n);
            const std::string head = readFile(mp3).substr(0, 3);
            ASSERT_GE(head.size(), 2u) << "missing or empty recording " << mp3 << " for " << app::sentenceAudioName(p, n);
            const bool id3 = head == "ID3";
            const bool frameSync = static_cast<unsigned char>(head[0]) == 0xff &&
                                   (static_cast<unsigned char>(head[1]) & 0xe0) == 0xe0;
            EXPECT_TRUE(id3 || frameSync) << mp3 << " is not an MP3 file";
        }
    }
    // No text and no recording without a button: the book holds exactly what the pages read.
    EXPECT_EQ(sentenceTexts_.size(), sentences);
    std::size_t recordings = 0;
    for (const std::string& f : listFiles(dir_ + "/epc")) {
        recordings += f.size() == 36 && f.compare(32, 4, ".mp3") == 0;
    }
    EXPECT_EQ(recordings, sentences);
}

TEST_F(SampleBook, SentenceTextsAreTheSourceBooksText) {
    Json::Value source;
    std::string error;
    ASSERT_TRUE(parseJson(readFile(std::string(QUIREL_SOURCE_DIR) + "/book/book.json"), source, error)) << error;
    ASSERT_EQ(source["pages"].size(), static_cast<Json::ArrayIndex>(kPages));
    for (const Json::Value& page : source["pages"]) {
        const int p = page["page"].asInt();
        ASSERT_EQ(pages_[p].sentences.size(), page["sentences"].size()) << "page " << p;
        for (Json::ArrayIndex i = 0; i < page["sentences"].size(); ++i) {
            EXPECT_EQ(sentenceTexts_[app::sentenceTextKey(p, static_cast<int>(i + 1))], page["sentences"][i].asString());
        }
    }
}

TEST_F(SampleBook, SentenceCountsFollowTheBookPlan) {
    int usual = 0, ordinary = 0, longest = 0, emptyOrdinary = 0;
    for (int p = 2; p <= kPages - 1; ++p) {
        const int n = static_cast<int>(pages_[p].sentences.size());
        ++ordinary;
        usual += n >= 3 && n <= 8;
        emptyOrdinary += n == 0;
        longest = std::max(longest, n);
    }
    EXPECT_GE(usual * 10, ordinary * 8) << "most pages should have 3 to 8 sentences";
    EXPECT_GE(longest, 10) << "some page needs two-digit sentence numbers";
    EXPECT_GE(emptyOrdinary, 1) << "some ordinary page should have no sentence buttons";
    EXPECT_FALSE(pages_[1].sentences.empty());
    EXPECT_FALSE(pages_[kPages].sentences.empty());
}

TEST_F(SampleBook, ButtonsSitOverTheirPrintedText) {
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        if (page.sentences.empty()) {
            continue;
        }
        SDL_Surface* loaded = IMG_Load(texturePath(std::get<1>(texturesOf(*page.picture, page.legacy)[0])).c_str());
        ASSERT_NE(loaded, nullptr) << IMG_GetError();
        SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        std::vector<SDL_Rect> boxes;
        for (const auto& [n, button] : page.sentences) {
            const Json::Value& o = button->options();
            int tw = 0, th = 0;
            ASSERT_TRUE(pngSize(texturePath(std::get<1>(texturesOf(*button, page.legacy)[0])), tw, th));
            const double sx = o.isMember("scaleX") ? o["scaleX"].asDouble() : 1.0;
            const double sy = o.isMember("scaleY") ? o["scaleY"].asDouble() : 1.0;
            const double w = tw * sx, h = th * sy;
            // Picture pixels: the button's design point (320 + x, 480 + y) with y flipped.
            const double cx = 320 + o["x"].asDouble(), cy = 960 - (480 + o["y"].asDouble());
            SDL_Rect box{static_cast<int>(cx - w / 2), static_cast<int>(cy - h / 2), static_cast<int>(w),
                         static_cast<int>(h)};
            EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.x + box.w <= 640 && box.y + box.h <= 960)
                << button->name << " leaves the page";
            EXPECT_LE(box.y + box.h, 870) << button->name << " reaches under the page buttons";
            for (const SDL_Rect& other : boxes) {
                EXPECT_FALSE(SDL_HasIntersection(&box, &other)) << button->name << " overlaps another sentence";
            }
            boxes.push_back(box);
            int ink = 0;
            for (int y = std::max(0, box.y); y < std::min(960, box.y + box.h); ++y) {
                const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(picture->pixels) +
                                                                    y * picture->pitch);
                for (int x = std::max(0, box.x); x < std::min(640, box.x + box.w); ++x) {
                    const Uint32 px = row[x];
                    const int r = (px >> 16) & 0xff, g = (px >> 8) & 0xff, b = px & 0xff;
                    ink += (r * 3 + g * 6 + b) / 10 < 130;
                }
            }
            EXPECT_GT(ink, 40) << button->name << " covers no printed text";
        }
        SDL_FreeSurface(picture);
    }
}

TEST_F(SampleBook, WordListButtonsCarryTheirOwnCards) {
    std::set<std::string> cards;
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        for (const auto& [n, button] : page.sentences) {
            auto textures = texturesOf(*button, page.legacy);
            ASSERT_GE(textures.size(), 2u) << button->name;
            std::map<std::string, std::string> byKey;
            for (const auto& t : textures) {
                byKey[std::get<0>(t)] = std::get<1>(t);
            }
            const std::string face = byKey[page.legacy ? "normal" : "normalData"];
            const std::string lit = byKey[page.legacy ? "pressed" : "pressedData"];
            if (p >= 74 && p <= 81) {
                EXPECT_TRUE(face.find("bnren") == std::string::npos) << button->name << " shows no card";
                EXPECT_NE(face, lit) << button->name << " has no highlighted card";
                EXPECT_TRUE(cards.insert(face).second) << button->name << " reuses the card " << face;
            } else {
                // The reader replaces these faces; the file's faces must still match them in size.
                int w1 = 0, h1 = 0, w2 = 0, h2 = 0;
                ASSERT_TRUE(pngSize(texturePath(face), w1, h1));
                ASSERT_TRUE(pngSize(dir_ + "/Images/bnren1.png", w2, h2));
                EXPECT_EQ(w1, w2) << button->name;
                EXPECT_EQ(h1, h2) << button->name;
            }
        }
    }
    EXPECT_GE(cards.size(), 8u * 3u);
}

// ---------------------------------------------------------------------------------------------
// Decorations

TEST_F(SampleBook, DecorationsAreUntouchableLabelsImagesAndTextButtons) {
    std::map<std::string, int> seen;
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        for (const Widget& w : page.widgets) {
            const bool sentence = w.name.rfind("bn", 0) == 0;
            if (&w == page.picture || sentence || w.parent == nullptr) {
                continue;
            }
            ++seen[w.className];
            EXPECT_FALSE(w.options()["touchAble"].asBool()) << "page " << p << ": " << w.name << " takes touches";
            if (w.className == "Label" || w.className == "TextButton") {
                EXPECT_FALSE(w.options()["text"].asString().empty()) << "page " << p << ": " << w.name;
            }
        }
    }
    EXPECT_GT(seen["Label"], 0);
    EXPECT_GT(seen["ImageView"], 0);
    EXPECT_GT(seen["TextButton"], 0);
}

TEST_F(SampleBook, AnimationsDriveWidgetsOfTheirPage) {
    int animated = 0;
    for (int p = 1; p <= kPages; ++p) {
        const Page& page = pages_[p];
        const Json::Value& section = page.layout["animation"];
        if (section.isNull()) {
            continue;
        }
        ++animated;
        ASSERT_TRUE(section["actionlist"].isArray()) << "page " << p;
        for (const Json::Value& action : section["actionlist"]) {
            EXPECT_GT(action["unittime"].asDouble(), 0.0) << "page " << p;
            for (const Json::Value& track : action["actionnodelist"]) {
                const int tag = track["ActionTag"].asInt();
                bool bound = false;
                for (const Widget& w : page.widgets) {
                    bound = bound || w.options()["actiontag"].asInt() == tag;
                }
                EXPECT_TRUE(bound) << "page " << p << ": no widget has action tag " << tag;
                // The first key frame of a kind only sets a start: a track needs two to move.
                EXPECT_GE(track["actionframelist"].size(), 2u) << "page " << p;
                int previous = -1;
                for (const Json::Value& frame : track["actionframelist"]) {
                    EXPECT_GT(frame["frameid"].asInt(), previous) << "page " << p << ": frames out of order";
                    previous = frame["frameid"].asInt();
                }
            }
        }
    }
    EXPECT_GE(animated, 3);
}

// ---------------------------------------------------------------------------------------------
// Files the application names

TEST_F(SampleBook, StringTableHasEveryCaptionTheScreensRead) {
    for (const char* key : {"main_page", "setmenu_set", "bntext", "wordname", "page_front", "page_after"}) {
        auto it = captions_.find(key);
        ASSERT_NE(it, captions_.end()) << "String.xml lacks " << key;
        EXPECT_FALSE(it->second.empty()) << key;
    }
    // The unit menu formats "%s %d %s" into 64 bytes: the longest page entry must fit.
    EXPECT_LT(captions_["page_front"].size() + captions_["page_after"].size() + 4, 63u);
}

TEST_F(SampleBook, ReaderImagesExistWithTheLookTheyNeed) {
    SDL_Init(0);
    auto alphaRange = [](const std::string& path, int& lo, int& hi) {
        SDL_Surface* loaded = IMG_Load(path.c_str());
        if (!loaded) {
            return false;
        }
        SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        lo = 255;
        hi = 0;
        for (int y = 0; y < s->h; ++y) {
            const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
            for (int x = 0; x < s->w; ++x) {
                const int a = static_cast<int>(row[x] >> 24);
                lo = std::min(lo, a);
                hi = std::max(hi, a);
            }
        }
        SDL_FreeSurface(s);
        return true;
    };
    for (const char* name : {"up1.png", "up2.png", "next1.png", "next2.png", "play_btn.png", "pause_btn.png",
                             "bnchback1.png", "bnren1.png", "bnren2.png", "grossini.png", "drag.jpg"}) {
        const std::string path = dir_ + "/Images/" + name;
        SDL_Surface* s = IMG_Load(path.c_str());
        EXPECT_NE(s, nullptr) << path << ": " << IMG_GetError();
        if (s) {
            EXPECT_GT(s->w, 8) << name;
            EXPECT_GT(s->h, 8) << name;
            SDL_FreeSurface(s);
        }
    }
    int lo = 0, hi = 0;
    ASSERT_TRUE(alphaRange(dir_ + "/Images/bnren1.png", lo, hi));
    EXPECT_GT(lo, 0) << "bnren1 must still be hit by touches";
    EXPECT_LE(hi, 16) << "bnren1 must leave the printed sentence visible";
    ASSERT_TRUE(alphaRange(dir_ + "/Images/bnren2.png", lo, hi));
    EXPECT_GE(lo, 40) << "bnren2 is the highlight of the sentence being read";
    EXPECT_LE(hi, 200) << "bnren2 must let the sentence show through";
    ASSERT_TRUE(alphaRange(dir_ + "/Images/grossini.png", lo, hi));
    EXPECT_EQ(lo, 0) << "the walking figure needs a transparent background";
    EXPECT_EQ(hi, 255);
    int pw = 0, ph = 0, nw = 0, nh = 0;
    ASSERT_TRUE(pngSize(dir_ + "/Images/play_btn.png", pw, ph));
    ASSERT_TRUE(pngSize(dir_ + "/Images/pause_btn.png", nw, nh));
    EXPECT_EQ(pw, nw) << "play and pause swap in one menu item";
    EXPECT_EQ(ph, nh);
}

TEST_F(SampleBook, SettingsLayoutHasTheSixTitledButtons) {
    Json::Value layout;
    std::string error;
    ASSERT_TRUE(parseJson(readFile(dir_ + "/3age/pageset.json"), layout, error)) << error;
    std::vector<Widget> widgets;
    collect(layout["widgetTree"], nullptr, widgets);
    for (const char* name : {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"}) {
        auto it = std::find_if(widgets.begin(), widgets.end(), [&](const Widget& w) { return w.name == name; });
        ASSERT_NE(it, widgets.end()) << "pageset.json lacks " << name;
        EXPECT_EQ(it->className, "TextButton") << name;
        EXPECT_TRUE(it->options()["touchAble"].asBool()) << name;
        EXPECT_FALSE(it->options()["text"].asString().empty()) << name;
        for (const char* key : {"normalData", "pressedData", "disabledData"}) {
            const std::string path = it->options()[key]["path"].asString();
            EXPECT_TRUE(fileExists(dir_ + "/3age/" + path)) << name << "." << key << ": " << path;
        }
    }
}

}  // namespace
