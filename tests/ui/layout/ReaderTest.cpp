// The layout reader through real files: messages, format selection, design size, sheets, the class table and the shared properties.
#include "LayoutTestKit.h"

using namespace engine;
using namespace ui;
using namespace layouttest;

namespace {

class Reader : public LayoutTest {};

// A button with an image of the file's folder, in whichever form the file is read.
std::string buttonBothForms() {
    return entry("Button", R"({"name": "b", "normal": "red.png", "normalData": {"resourceType": 0, "path": "green.png"}})");
}

}  // namespace

// --- file-level steps --------------------------------------------------------------------------

TEST_F(Reader, AnUnreadableOrEmptyFilePrintsItsNameAndGivesNoWidget) {
    UIWidget* root = reinterpret_cast<UIWidget*>(1);
    EXPECT_EQ(stdoutOf([&] { root = read("nothing/here.json"); }), "read json file[nothing/here.json] error!\n");
    EXPECT_EQ(root, nullptr);
    write("empty.json", "");
    EXPECT_EQ(stdoutOf([&] { root = read("empty.json"); }), "read json file[empty.json] error!\n");
    EXPECT_EQ(root, nullptr);
    // Nothing else happened: no animations were registered for either.
    EXPECT_EQ(ActionManager::sharedManager()->getAnimations("empty.json"), nullptr);
}

TEST_F(Reader, TheVersionTextChoosesTheLegacyOrTheCurrentKeys) {
    png("layout/red.png", 10, 10);
    png("layout/green.png", 30, 20);
    struct Case {
        std::string versionKey;
        bool legacy;
    } cases[] = {
        {"", true},                               // no version
        {"\"version\": \"1.0.0.0\", ", false},     // 1000
        {"\"version\": \"0.2.4.0\", ", true},      // 240
        {"\"version\": \"0.2.5.0\", ", false},     // 250
        {"\"version\": \"1.0\", ", true},          // shorter than 7 characters
        {"\"version\": 1000, ", true},             // not a string
    };
    for (const Case& c : cases) {
        std::string text = "{" + c.versionKey +
                           "\"designWidth\": 640, \"designHeight\": 960, \"widgetTree\": " +
                           entry("Panel", "{\"width\": 640, \"height\": 960}", "[" + buttonBothForms() + "]") + "}";
        UIWidget* root = load(text);
        ASSERT_NE(root, nullptr) << c.versionKey;
        EXPECT_EQ(reader()->isLegacy(), c.legacy) << c.versionKey;
        auto* b = dynamic_cast<UIButton*>(named(root, "b"));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->getNormalFileName(), path(c.legacy ? "layout/red.png" : "layout/green.png")) << c.versionKey;
        EXPECT_EQ(b->getContentSize(), c.legacy ? CCSize(10, 10) : CCSize(30, 20)) << c.versionKey;
    }
}

TEST_F(Reader, ABadDesignSizeIsReportedTheWindowSizeStoredAndTheTreeStillBuilt) {
    const char* bad[] = {"\"designWidth\": 0, \"designHeight\": 960",
                         "\"designWidth\": 640, \"designHeight\": -1",
                         "\"designHeight\": 960",
                         "\"designWidth\": \"640\", \"designHeight\": 960"};
    for (const char* sizes : bad) {
        GUIHelper::sharedHelper()->setFileDesignWidth(1);
        GUIHelper::sharedHelper()->setFileDesignHeight(1);
        std::string text = std::string("{\"version\": \"1.0.0.0\", ") + sizes + ", \"widgetTree\": " +
                           entry("Panel", R"({"width": 100, "height": 50, "name": "root"})",
                                 "[" + entry("Button", R"({"name": "kid"})") + "]") +
                           "}";
        UIWidget* root = nullptr;
        EXPECT_EQ(stdoutOf([&] { root = load(text); }), "Read design size error!\n") << sizes;
        ASSERT_NE(root, nullptr) << sizes;
        EXPECT_NE(named(root, "kid"), nullptr);
        EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignWidth(), kWinW) << sizes;
        EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignHeight(), kWinH) << sizes;
    }
    // A good size is stored as it stands and prints nothing.
    UIWidget* root = nullptr;
    EXPECT_EQ(stdoutOf([&] { root = load(current(entry("Panel"))); }), "");
    EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignWidth(), 640);
    EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignHeight(), 960);
}

TEST_F(Reader, APanelRootWithoutASizeTakesTheDesignSizeButOtherRootsDoNot) {
    UIWidget* root = load(current(entry("Panel", R"({"name": "root"})")));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getSize(), CCSize(640, 960));
    EXPECT_EQ(root->getContentSize(), CCSize(640, 960));

    UIWidget* sized = load(current(entry("Panel", R"({"width": 200, "height": 100})")));
    EXPECT_EQ(sized->getSize(), CCSize(200, 100));

    // A scroll view is a panel too.
    UIWidget* scroll = load(current(entry("ScrollView")));
    EXPECT_EQ(scroll->getSize(), CCSize(640, 960));

    // A label root keeps its own (text) size.
    UIWidget* label = load(current(entry("Label", R"({"text": ""})")));
    ASSERT_NE(label, nullptr);
    EXPECT_NE(label->getSize(), CCSize(640, 960));
}

TEST_F(Reader, ADocumentWithoutAUsableTreeGivesNoWidgetButRegistersItsAnimations) {
    for (const char* tree : {"", ", \"widgetTree\": 5", ", \"widgetTree\": []", ", \"widgetTree\": {\"options\": {}}"}) {
        std::string text = std::string("{\"version\": \"1.0.0.0\", \"designWidth\": 640, \"designHeight\": 960") + tree +
                           ", \"animation\": {\"actionlist\": [{\"name\": \"a\"}]}}";
        EXPECT_EQ(load(text, "t/none.json"), nullptr) << tree;
        CCArray* list = ActionManager::sharedManager()->getAnimations("none.json");
        ASSERT_NE(list, nullptr) << tree;
        EXPECT_EQ(list->count(), 1u);
    }
    // Text that is no JSON object at all: defaults everywhere.
    UIWidget* root = nullptr;
    std::string printed = stdoutOf([&] { root = load("[1, 2, 3]", "t/array.json"); });
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(printed, "Read design size error!\n");
    EXPECT_TRUE(reader()->isLegacy());
}

TEST_F(Reader, SheetsAreLoadedOnceFromTheLayoutFolderAndBadEntriesSkipped) {
    sheet("book/sheet/s.plist", {{"dot.png", CCSize(8, 8)}});
    const std::string textures = R"("textures": ["sheet/s.plist", 7, "", null, "sheet/s.plist", "../../../outside.plist"])";
    ASSERT_NE(load(current(entry("Panel"), textures), "book/first.json"), nullptr);
    GUIHelper* helper = GUIHelper::sharedHelper();
    ASSERT_EQ(helper->getLoadedSpriteFrameFiles()->count(), 1u);
    EXPECT_EQ(static_cast<CCString*>(helper->getLoadedSpriteFrameFiles()->objectAtIndex(0))->str(),
              path("book/sheet/s.plist"));
    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    ASSERT_TRUE(frames->hasSpriteFrame("dot.png"));

    // A second file naming the same sheet does not load it again: frames dropped from the
    // cache stay dropped.
    frames->removeSpriteFrames();
    ASSERT_NE(load(current(entry("Panel"), R"("textures": ["sheet/s.plist"])"), "book/second.json"), nullptr);
    EXPECT_FALSE(frames->hasSpriteFrame("dot.png"));
    EXPECT_EQ(helper->getLoadedSpriteFrameFiles()->count(), 1u);
}

// --- the class table ---------------------------------------------------------------------------

TEST_F(Reader, TheClassTableMakesEachClassAndSkipsUnknownEntriesWithTheirSubtrees) {
    struct Kind {
        const char* classname;
        const char* type;
    } kinds[] = {{"Button", "Button"},         {"CheckBox", "CheckBox"},       {"Label", "Label"},
                 {"LabelAtlas", "LabelAtlas"}, {"LoadingBar", "LoadingBar"},   {"ScrollView", "ScrollView"},
                 {"TextArea", "Label"},        {"TextButton", "Button"},       {"TextField", "TextField"},
                 {"ImageView", "ImageView"},   {"Panel", "Layout"},            {"Slider", "Slider"},
                 {"PageView", "PageView"},     {"LabelBMFont", "LabelBMFont"}, {"DragPanel", "DragPanel"}};
    std::string children;
    for (const Kind& k : kinds) {
        if (!children.empty()) children += ", ";
        children += entry(k.classname, std::string("{\"name\": \"") + k.classname + "\"}");
    }
    // Entries that yield nothing, each with a child that must not appear anywhere.
    const std::string orphan = "[" + entry("Button", R"({"name": "orphan"})") + "]";
    children += ", " + entry("ListView", "{}", orphan) + ", " + entry("button", "{}", orphan) + ", " +
                entry("Unknown", "{}", orphan) + ", {\"options\": {}, \"children\": " + orphan + "}" +
                ", {\"classname\": 3, \"children\": " + orphan + "}, 42";
    UIWidget* root = load(current(entry("Panel", R"({"name": "root"})", "[" + children + "]")));
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->getChildren()->count(), sizeof(kinds) / sizeof(kinds[0]));
    for (unsigned int i = 0; i < root->getChildren()->count(); ++i) {
        UIWidget* w = childAt(root, i);
        EXPECT_STREQ(w->getName(), kinds[i].classname);
        EXPECT_STREQ(w->getTypeName(), kinds[i].type) << kinds[i].classname;
    }
    EXPECT_EQ(named(root, "orphan"), nullptr);
}

TEST_F(Reader, ChildrenKeepFileOrderWithinAZOrderAndGetTheirZOrderBeforeJoining) {
    std::string kids;
    const int z[] = {2, 0, 2, 1, 0};
    for (int i = 0; i < 5; ++i) {
        if (i) kids += ", ";
        kids += entry("Button", "{\"name\": \"c" + std::to_string(i) + "\", \"ZOrder\": " + std::to_string(z[i]) + "}");
    }
    UIWidget* root = load(current(entry("Panel", "{}", "[" + kids + "]")));
    const char* order[] = {"c1", "c4", "c3", "c0", "c2"};
    ASSERT_EQ(root->getChildren()->count(), 5u);
    for (unsigned int i = 0; i < 5; ++i) EXPECT_STREQ(childAt(root, i)->getName(), order[i]);
    EXPECT_EQ(childAt(root, 3)->getRenderer()->getZOrder(), 2);
}

// --- shared properties -------------------------------------------------------------------------

TEST_F(Reader, TheWidgetSetAppliesEveryKeyAndItsDefaults) {
    UIWidget* w = loadOne(entry("Button", R"({"ignoreSize": false, "width": 30, "height": 40, "tag": 12,
        "actiontag": 77, "touchAble": true, "name": "full", "x": 5.5, "y": -7, "scaleX": 2, "scaleY": 3,
        "rotation": 45, "visible": false, "ZOrder": 4})"));
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isIgnoreSize());
    EXPECT_EQ(w->getSize(), CCSize(30, 40));
    EXPECT_EQ(w->getTag(), 12);
    EXPECT_EQ(w->getActionTag(), 77);
    EXPECT_TRUE(w->isTouchEnabled());
    EXPECT_STREQ(w->getName(), "full");
    EXPECT_EQ(w->getPosition(), CCPoint(5.5f, -7));
    EXPECT_FLOAT_EQ(w->getScaleX(), 2);
    EXPECT_FLOAT_EQ(w->getScaleY(), 3);
    EXPECT_FLOAT_EQ(w->getRotation(), 45);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->getRenderer()->isVisible());
    EXPECT_EQ(w->getZOrder(), 4);

    // Nothing given: tag and action tag 0 (not the widget's own -1), untouchable, "default",
    // at (0, 0), unscaled, visible.
    UIWidget* bare = loadOne(entry("Button"));
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->getTag(), 0);
    EXPECT_EQ(bare->getActionTag(), 0);
    EXPECT_FALSE(bare->isTouchEnabled());
    EXPECT_STREQ(bare->getName(), "default");
    EXPECT_EQ(bare->getPosition(), CCPoint(0, 0));
    EXPECT_FLOAT_EQ(bare->getScaleX(), 1);
    EXPECT_TRUE(bare->isVisible());
    EXPECT_TRUE(bare->isIgnoreSize());
}

TEST_F(Reader, ANumberForVisibleHidesAndMistypedValuesTakeTheReadDefaults) {
    UIWidget* zero = loadOne(entry("Button", R"({"visible": 0})"));
    EXPECT_FALSE(zero->isVisible());
    // A number is not a boolean even when it is 1: the key is present, so the read's false applies.
    UIWidget* one = loadOne(entry("Button", R"({"visible": 1, "touchAble": 1, "tag": "12", "x": "5", "name": 9})"));
    EXPECT_FALSE(one->isVisible());
    EXPECT_FALSE(one->isTouchEnabled());
    EXPECT_EQ(one->getTag(), 0);
    EXPECT_EQ(one->getPosition().x, 0);
    EXPECT_STREQ(one->getName(), "default");
    // Booleans count as integers and floats.
    UIWidget* b = loadOne(entry("Button", R"({"tag": true, "x": true, "ZOrder": 2.9})"));
    EXPECT_EQ(b->getTag(), 1);
    EXPECT_EQ(b->getPosition().x, 1);
    EXPECT_EQ(b->getZOrder(), 2);
}

TEST_F(Reader, UnnamedWidgetsAreCalledDefaultAndTheFirstIsFoundByThatName) {
    UIWidget* root = load(current(entry("Panel", R"({"name": "root"})",
                                        "[" + entry("Button", R"({"name": "a"})") + ", " +
                                            entry("Button", R"({"tag": 5})") + ", " + entry("Button", R"({"tag": 6})") +
                                            "]")));
    UIWidget* found = named(root, "default");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->getTag(), 5);
}

TEST_F(Reader, TheColourSetFillsAbsentComponentsWith255AndAnchorsWithAHalf) {
    UIWidget* g = loadOne(entry("ImageView", R"({"colorG": 0})"));
    EXPECT_EQ(g->getColor(), ccc3(255, 0, 255));
    EXPECT_EQ(g->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    EXPECT_EQ(g->getOpacity(), 255);

    UIWidget* all = loadOne(entry("ImageView", R"({"colorR": 10, "colorG": 20, "colorB": 30, "opacity": 99,
        "anchorPointX": 0, "anchorPointY": 1, "flipX": true, "flipY": true})"));
    EXPECT_EQ(all->getColor(), ccc3(10, 20, 30));
    EXPECT_EQ(all->getOpacity(), 99);
    EXPECT_EQ(all->getAnchorPoint(), CCPoint(0, 1));
    EXPECT_EQ(all->getRenderer()->getAnchorPoint(), CCPoint(0, 1));
    EXPECT_TRUE(all->isFlipX());
    EXPECT_TRUE(all->isFlipY());

    // A present but mistyped component reads as 0, not as the absent 255; bytes wrap.
    UIWidget* odd = loadOne(entry("ImageView", R"({"colorR": "red", "colorG": 256, "colorB": 511})"));
    EXPECT_EQ(odd->getColor(), ccc3(0, 0, 255));
}

TEST_F(Reader, PanelsTakeClipAbleButScrollingContainersIgnoreIt) {
    UIWidget* root = load(current(entry("Panel", R"({"clipAble": true})",
                                        "[" + entry("Panel", R"({"name": "p"})") + ", " +
                                            entry("ScrollView", R"({"name": "s", "clipAble": false})") + ", " +
                                            entry("DragPanel", R"({"name": "d", "clipAble": false})") + ", " +
                                            entry("PageView", R"({"name": "v", "clipAble": true})") + "]")));
    EXPECT_TRUE(static_cast<Layout*>(root)->isClipAble());
    EXPECT_FALSE(static_cast<Layout*>(named(root, "p"))->isClipAble());
    EXPECT_TRUE(static_cast<Layout*>(named(root, "s"))->isClipAble());
    EXPECT_TRUE(static_cast<Layout*>(named(root, "d"))->isClipAble());
    EXPECT_TRUE(static_cast<Layout*>(named(root, "v"))->isClipAble());
}

TEST_F(Reader, NamesThatLeaveTheBookLoadNothing) {
    png("outside.png", 12, 12);  // in the book folder, one level above the layout's folder: allowed
    UIWidget* inside = loadOne(entry("ImageView", R"({"fileNameData": {"resourceType": 0, "path": "../outside.png"}})"));
    auto* image = dynamic_cast<UIImageView*>(inside);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getContentSize(), CCSize(12, 12));

    // Two levels up leaves the book, whatever exists there.
    std::filesystem::path above = std::filesystem::path(dir).parent_path() / "quirel-layout-escape.png";
    std::filesystem::copy_file(path("outside.png"), above, std::filesystem::copy_options::overwrite_existing);
    const std::string escaping = "../../" + above.filename().string();
    UIWidget* outside = loadOne(entry("ImageView", "{\"fileNameData\": {\"resourceType\": 0, \"path\": \"" + escaping + "\"}}"));
    auto* refused = dynamic_cast<UIImageView*>(outside);
    ASSERT_NE(refused, nullptr);
    EXPECT_STREQ(refused->getTextureFile(), "");
    EXPECT_EQ(refused->getContentSize(), CCSize(0, 0));
    UIWidget* legacyOutside = loadOne(entry("ImageView", "{\"fileName\": \"" + escaping + "\"}"), true);
    EXPECT_STREQ(static_cast<UIImageView*>(legacyOutside)->getTextureFile(), "");
    std::filesystem::remove(above);
}
