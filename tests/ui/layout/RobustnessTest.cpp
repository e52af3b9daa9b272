// Bad layout files: deterministic random mutations of good ones, deep nesting, absurd numbers and counts, paths leaving the book.
//
// Every case must read without crashing or hanging; where a value is unusable the reader's
// defaults must apply. The mutation run is seeded, so a failure repeats.
#include "LayoutTestKit.h"

#include <chrono>
#include <climits>
#include <fstream>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

using namespace engine;
using namespace ui;
using namespace layouttest;

namespace {

// The fuzz target's seeds: every class of the table with most of its keys, in the current and
// in the legacy form, over the images, sheet and font made in SetUp.
std::string seed(const char* name) {
    std::ifstream in(std::string(QUIREL_SOURCE_DIR "/fuzz/corpus/layout/") + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

class Robustness : public LayoutTest {
protected:
    void SetUp() override {
        LayoutTest::SetUp();
        png("layout/img/a.png", 16, 16);
        png("layout/img/digits.png", 40, 8);
        sheet("layout/sheet/s.plist", {{"fa.png", CCSize(6, 6)}});
        font("layout/fonts/leaf.fnt");
    }

    // Reads text as a layout file; the tree, if any, is also turned to JSON, played and
    // sometimes drawn, so that whatever the reader let through is exercised.
    UIWidget* survive(const std::string& text, bool draw) {
        UIWidget* root = load(text);
        if (root) {
            EXPECT_TRUE(widgetToJson(root).isObject());
            if (draw) {
                UILayer* layer = UILayer::create();
                layer->addWidget(root);
                CCScene* scene = CCScene::create();
                scene->addChild(layer);
                CCDirector::sharedDirector()->replaceScene(scene);
            }
        }
        if (CCArray* list = ActionManager::sharedManager()->getAnimations("page.json")) {
            for (CCObject* o : *list) {
                auto* a = static_cast<ActionObject*>(o);
                a->seekToTime(0.35f);
                a->play();
            }
        }
        if (draw) host->step(2);
        return root;
    }

    // Releases the trees read so far, so long runs do not pile them up.
    void dropTrees() {
        ActionManager::purgeManager();
        for (CCObject* o : kept) o->release();
        kept.clear();
        CCDirector::sharedDirector()->replaceScene(CCScene::create());
        host->step(1);
    }
};

// --- structural mutations -----------------------------------------------------------------------

Json::Value randomValue(std::mt19937& rng, int depth);

Json::Value randomScalar(std::mt19937& rng) {
    static const char* strings[] = {"", "../../../../../../etc/passwd", "..", "img/a.png", "fa.png", "1.0.0.0",
                                    "0.2.4.0", "Panel", "Button", "\xff\xfe", "\xc3\xa9t\xc3\xa9", "default"};
    switch (rng() % 12) {
        case 0: return Json::Value();
        case 1: return Json::Value(rng() % 2 == 0);
        case 2: return Json::Value(static_cast<int>(rng() % 2001) - 1000);
        case 3: return Json::Value(std::numeric_limits<Json::Int64>::max());
        case 4: return Json::Value(std::numeric_limits<Json::Int64>::min());
        case 5: return Json::Value(std::numeric_limits<Json::UInt64>::max());
        case 6: return Json::Value(1e308);
        case 7: return Json::Value(-1e308);
        case 8: return Json::Value(3.0e38);
        case 9: return Json::Value(std::numeric_limits<double>::denorm_min());
        case 10: return Json::Value((static_cast<double>(rng() % 200000) - 100000) / 7.0);
        default: return Json::Value(strings[rng() % (sizeof(strings) / sizeof(strings[0]))]);
    }
}

Json::Value randomValue(std::mt19937& rng, int depth) {
    const unsigned kind = rng() % 10;
    if (depth > 3 || kind < 7) return randomScalar(rng);
    if (kind == 7) {
        Json::Value a(Json::arrayValue);
        for (unsigned i = rng() % 4; i > 0; --i) a.append(randomValue(rng, depth + 1));
        return a;
    }
    Json::Value o(Json::objectValue);
    static const char* keys[] = {"classname", "options", "children", "resourceType", "path", "width", "name", "x"};
    for (unsigned i = rng() % 4; i > 0; --i) o[keys[rng() % 8]] = randomValue(rng, depth + 1);
    return o;
}

// Replaces some values anywhere in the document by values of random kinds.
void mutateValues(Json::Value& v, std::mt19937& rng, int& budget) {
    if (budget <= 0) return;
    if (v.isObject()) {
        for (const std::string& key : v.getMemberNames()) {
            if (rng() % 12 == 0 && budget-- > 0)
                v[key] = randomValue(rng, 0);
            else
                mutateValues(v[key], rng, budget);
        }
    } else if (v.isArray()) {
        for (Json::ArrayIndex i = 0; i < v.size(); ++i) {
            if (rng() % 12 == 0 && budget-- > 0)
                v[i] = randomValue(rng, 0);
            else
                mutateValues(v[i], rng, budget);
        }
    }
}

std::string mutateText(std::string text, std::mt19937& rng) {
    static const char* tokens[] = {"1e308", "-1e308", "1e400", "NaN", "Infinity", "-Infinity", "9223372036854775807",
                                   "18446744073709551616", "\"../../../../x\"", "[[[[", "]]}}", "{}", "null", ",", ":",
                                   "\"", "\\u0000", "/*", "true", "-0"};
    const unsigned edits = 1 + rng() % 4;
    for (unsigned e = 0; e < edits && !text.empty(); ++e) {
        const size_t at = rng() % text.size();
        switch (rng() % 4) {
            case 0: text.resize(at); break;  // truncated
            case 1: text[at] = static_cast<char>(rng() % 256); break;
            case 2: text.erase(at, 1 + rng() % 8); break;
            default: text.insert(at, tokens[rng() % (sizeof(tokens) / sizeof(tokens[0]))]); break;
        }
    }
    return text;
}

int depthOf(UIWidget* w) {
    int depth = 0;
    while (w && w->getChildren() && w->getChildren()->count() > 0) {
        w = childAt(w, 0);
        ++depth;
    }
    return depth;
}

}  // namespace

TEST_F(Robustness, SeededMutationsOfGoodFilesNeverCrashOrHang) {
    // The seeds themselves read fully.
    const std::string seeds[] = {seed("all_classes_current.json"), seed("all_classes_legacy.json")};
    UIWidget* good = survive(seeds[0], true);
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->getChildren()->count(), 14u);
    ASSERT_NE(survive(seeds[1], true), nullptr);
    dropTrees();

    std::mt19937 rng(20240611);
    Json::CharReaderBuilder builder;
    const auto start = std::chrono::steady_clock::now();
    int roots = 0;
    for (int i = 0; i < 400; ++i) {
        const std::string& seed = seeds[i % 2];
        std::string text;
        if (i % 3 == 0) {
            text = mutateText(seed, rng);
        } else {
            Json::Value doc;
            std::string errors;
            std::unique_ptr<Json::CharReader> r(builder.newCharReader());
            ASSERT_TRUE(r->parse(seed.data(), seed.data() + seed.size(), &doc, &errors)) << errors;
            int budget = 1 + int(rng() % 6);
            mutateValues(doc, rng, budget);
            text = jsonLine(doc);
            if (i % 3 == 2) text = mutateText(text, rng);
        }
        SCOPED_TRACE("mutation " + std::to_string(i));
        if (survive(text, i % 8 == 0)) ++roots;
        if (i % 50 == 49) dropTrees();
    }
    // Most mutations keep a usable tree: the run did reach the widgets.
    EXPECT_GT(roots, 100);
    // Not a timing assertion: a guard that reports a runaway loop instead of waiting forever.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::minutes(2));
}

TEST_F(Robustness, NestingAHundredThousandDeepIsCutShort) {
    const int n = 100000;
    // Widget entries nested in "children".
    std::string open, close;
    open.reserve(size_t(n) * 64);
    for (int i = 0; i < n; ++i) {
        open += "{\"classname\": \"Panel\", \"options\": {\"name\": \"n" + std::to_string(i) + "\"}, \"children\": [";
        close += "]}";
    }
    UIWidget* root = survive(current(open + close), true);
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->getName(), "n0");
    EXPECT_LT(depthOf(root), GUIReader::kMaxWidgetDepth);
    EXPECT_GT(depthOf(root), 100);

    // Arrays and objects nested in options and in the animation section.
    const std::string arrays = std::string(n, '[') + std::string(n, ']');
    const std::string objects = [&] {
        std::string s;
        for (int i = 0; i < n; ++i) s += "{\"a\": ";
        s += "1";
        s += std::string(n, '}');
        return s;
    }();
    UIWidget* options = survive(current(entry("Panel", "{\"name\": \"kept\", \"width\": 30, \"deep\": " + arrays + "}")), true);
    ASSERT_NE(options, nullptr);
    EXPECT_STREQ(options->getName(), "kept");
    EXPECT_EQ(options->getSize(), CCSize(30, 0));
    survive("{\"animation\": " + objects + ", \"widgetTree\": " + entry("Panel") + "}", false);
    survive(arrays, false);
    survive(objects, false);
}

TEST_F(Robustness, AbsurdNumbersTakeDefaultsOrSaturate) {
    UIWidget* root = survive(current(entry("Panel", R"({"name": "root", "width": 1e308, "height": -1e308, "x": 1e39,
        "y": -5e40, "tag": 1e300, "actiontag": -1e300, "ZOrder": 18446744073709551615, "opacity": 9223372036854775807,
        "colorR": -1, "scaleX": 1e200, "rotation": 1e100, "anchorPointX": 1e50, "bgColorOpacity": -9e18})",
                                           "[" + entry("Slider", R"({"percent": 1e19, "length": 1e45})") + ", " +
                                               entry("LoadingBar", R"({"percent": -1e19, "direction": 9e18})") + ", " +
                                               entry("ScrollView", R"({"direction": 1e30, "innerWidth": 1e300})") +
                                               ", " + entry("TextField", R"({"maxLengthEnable": true, "maxLength": 1e12,
        "fontSize": 1e10, "text": "abc"})") + ", " +
                                               entry("LabelAtlas", R"({"stringValue": "12", "charMapFile": "img/digits.png",
        "charMapFileData": {"resourceType": 0, "path": "img/digits.png"}, "itemWidth": 1e12, "itemHeight": -1e12,
        "startCharMap": "0"})") + "]")),
                             true);
    ASSERT_NE(root, nullptr);
    // Floats beyond the float range read as 0; integers saturate.
    EXPECT_EQ(root->getSize(), CCSize(640, 960));  // 0 x 0 from the file, then the design size
    EXPECT_EQ(root->getPosition(), CCPoint(0, 0));
    EXPECT_EQ(root->getTag(), INT_MAX);
    EXPECT_EQ(root->getActionTag(), INT_MIN);
    EXPECT_EQ(root->getZOrder(), INT_MAX);
    EXPECT_FLOAT_EQ(root->getScaleX(), 0);  // present, but no float: the read's 0
    auto* slider = dynamic_cast<UISlider*>(named(root, "default"));
    ASSERT_NE(slider, nullptr);
    EXPECT_LE(slider->getPercent(), 100);
    auto* scroll = dynamic_cast<UIScrollView*>(childAt(root, 2));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->getDirection(), INT_MAX);
}

TEST_F(Robustness, NotANumberAndInfinitiesGivenDirectlyReadAsZero) {
    // JSON text cannot carry them, but a document built in memory can.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    Json::Value e(Json::objectValue);
    e["classname"] = "Panel";
    Json::Value& o = e["options"];
    o["width"] = nan;
    o["height"] = inf;
    o["x"] = -inf;
    o["y"] = nan;
    o["tag"] = nan;
    o["ZOrder"] = -inf;
    o["innerWidth"] = inf;
    Json::Value child(Json::objectValue);
    child["classname"] = "ScrollView";
    child["options"] = o;
    child["options"]["direction"] = nan;
    e["children"].append(child);
    UIWidget* root = reader()->widgetFromDictionary(JsonDictionary(e));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getSize(), CCSize(0, 0));
    EXPECT_EQ(root->getPosition(), CCPoint(0, 0));
    EXPECT_EQ(root->getTag(), 0);
    EXPECT_EQ(root->getZOrder(), INT_MIN);
    auto* scroll = dynamic_cast<UIScrollView*>(childAt(root, 0));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->getDirection(), 0);
    EXPECT_TRUE(std::isfinite(scroll->getInnerContainerSize().width));
}

TEST_F(Robustness, AbsurdCountsAreBounded) {
    // More widgets than one file may make: the rest of the entries yield nothing.
    std::string many = "[";
    const int n = GUIReader::kMaxWidgetsPerFile + 500;
    many.reserve(size_t(n) * 40);
    for (int i = 0; i < n; ++i) many += std::string(i ? "," : "") + "{\"classname\": \"ImageView\"}";
    many += "]";
    UIWidget* root = survive(current(entry("Panel", "{}", many)), false);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getChildren()->count(), unsigned(GUIReader::kMaxWidgetsPerFile - 1));
    dropTrees();

    // The budget is per file: the next file builds in full.
    UIWidget* next = survive(current(entry("Panel", "{}", "[" + entry("Button") + "]")), false);
    EXPECT_EQ(next->getChildren()->count(), 1u);

    // Thousands of distinct sheet names: only so many are looked at.
    std::string sheets = "\"textures\": [";
    for (int i = 0; i < 3000; ++i) sheets += std::string(i ? "," : "") + "\"missing/s" + std::to_string(i) + ".plist\"";
    sheets += "]";
    survive(current(entry("Panel"), sheets), false);
    EXPECT_EQ(GUIHelper::sharedHelper()->getLoadedSpriteFrameFiles()->count(), unsigned(GUIReader::kMaxSheetsPerFile));

    // Key frames at the ends of the int range, and a unit time that overflows a float.
    survive(current(entry("Panel", R"({"actiontag": 3})"), R"("animation": {"actionlist": [
        {"name": "wide", "unittime": 0.1, "actionnodelist": [{"ActionTag": 3, "actionframelist": [
          {"frameid": 2147483647, "positionx": 1, "positiony": 1}, {"frameid": -2147483648, "positionx": 2, "positiony": 2},
          {"frameid": 2147483647, "positionx": 3, "positiony": 3}]}]},
        {"name": "inf", "unittime": 3e38, "actionnodelist": [{"ActionTag": 3, "actionframelist": [
          {"frameid": 0, "rotation": 1}, {"frameid": 100, "rotation": 2}]}]}]})"),
            true);
    auto* wide = ActionManager::sharedManager()->getAnimation("page.json", "wide");
    auto* node = static_cast<ActionNode*>(wide->getActionNodeList()->objectAtIndex(0));
    ASSERT_NE(node->getBuiltAction(), nullptr);
    EXPECT_NEAR(node->getBuiltAction()->getDuration(), 4294967295.0 * 0.1, 1e3);
    auto* inf = ActionManager::sharedManager()->getAnimation("page.json", "inf");
    auto* infNode = static_cast<ActionNode*>(inf->getActionNodeList()->objectAtIndex(0));
    ASSERT_NE(infNode->getBuiltAction(), nullptr);
    EXPECT_FLOAT_EQ(infNode->getBuiltAction()->getDuration(), 0);
}

TEST_F(Robustness, PathsClimbingOutOfTheBookLoadNothing) {
    const std::string up = "../../../../../../../../../../etc/hostname";
    UIWidget* root = survive(current(entry("Panel", "{\"backGroundImageData\": {\"resourceType\": 0, \"path\": \"" + up + "\"}}",
                                           "[" + entry("ImageView", "{\"name\": \"i\", \"fileNameData\": {\"resourceType\": 0, \"path\": \"" + up + "\"}}") +
                                               ", " + entry("LabelBMFont", "{\"name\": \"f\", \"fileNameData\": {\"resourceType\": 0, \"path\": \"" + up + "\"}, \"text\": \"A\"}") +
                                               "]"),
                                     "\"textures\": [\"" + up + "\", \"../../x.plist\"]"),
                             false);
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(static_cast<Layout*>(root)->getBackGroundImageFileName(), "");
    EXPECT_STREQ(static_cast<UIImageView*>(named(root, "i"))->getTextureFile(), "");
    EXPECT_FALSE(static_cast<UILabelBMFont*>(named(root, "f"))->isFontFileSet());
    EXPECT_EQ(GUIHelper::sharedHelper()->getLoadedSpriteFrameFiles()->count(), 0u);

    UIWidget* legacyRoot = survive(legacy(entry("Panel", "{\"backGroundImage\": \"" + up + "\"}",
                                                "[" + entry("Button", "{\"name\": \"b\", \"normal\": \"" + up + "\"}") + "]")),
                                   false);
    ASSERT_NE(legacyRoot, nullptr);
    EXPECT_STREQ(static_cast<UIButton*>(named(legacyRoot, "b"))->getNormalFileName(), "");
    // A merged-texture name is a frame name, not a path: it is passed on and simply not found.
    UIWidget* merged = survive(legacy(entry("Panel", "{}", "[" + entry("Button", "{\"name\": \"m\", \"useMergedTexture\": true, \"normal\": \"" + up + "\"}") + "]")), false);
    EXPECT_EQ(static_cast<UIButton*>(named(merged, "m"))->getNormalTextureSize(), CCSize(0, 0));
}

TEST_F(Robustness, FolderNamesAreRefusedBeforeAnyLoaderSeesThem) {
    // Found by the fuzz target: an image name that is a folder made the texture loader throw.
    for (const char* name : {".", "img", "img/", "sheet/.", "fonts"}) {
        SCOPED_TRACE(name);
        const std::string n = name;
        UIWidget* root = survive(
            current(entry("Panel", "{\"backGroundImageData\": {\"resourceType\": 0, \"path\": \"" + n + "\"}}",
                          "[" + entry("Button", "{\"name\": \"b\", \"scale9Enable\": true, \"normalData\": {\"resourceType\": 0, \"path\": \"" + n + "\"}}") +
                              ", " + entry("ImageView", "{\"name\": \"i\", \"fileNameData\": {\"resourceType\": 0, \"path\": \"" + n + "\"}}") +
                              ", " + entry("LabelBMFont", "{\"name\": \"f\", \"fileNameData\": {\"resourceType\": 0, \"path\": \"" + n + "\"}, \"text\": \"A\"}") +
                              ", " + entry("LoadingBar", "{\"name\": \"l\", \"textureData\": {\"resourceType\": 0, \"path\": \"" + n + "\"}}") + "]"),
                    "\"textures\": [\"" + n + "\"]"),
            false);
        ASSERT_NE(root, nullptr);
        EXPECT_STREQ(static_cast<UIButton*>(named(root, "b"))->getNormalFileName(), "");
        EXPECT_STREQ(static_cast<UIImageView*>(named(root, "i"))->getTextureFile(), "");
        EXPECT_FALSE(static_cast<UILabelBMFont*>(named(root, "f"))->isFontFileSet());
        EXPECT_STREQ(static_cast<UILoadingBar*>(named(root, "l"))->getTextureFile(), "");
        EXPECT_EQ(GUIHelper::sharedHelper()->getLoadedSpriteFrameFiles()->count(), 0u);
    }
}
