// Widget trees as JSON (the form quirel-inspect and the driver's tree command print), and the quirel-inspect program itself.
#include "LayoutTestKit.h"

#include <sys/wait.h>

#include <cstdio>

using namespace engine;
using namespace ui;
using namespace layouttest;

namespace {

class WidgetJson : public LayoutTest {
protected:
    void SetUp() override {
        LayoutTest::SetUp();
        png("layout/img/a.png", 20, 10);
        sheet("layout/sheet/s.plist", {{"fa.png", CCSize(6, 6)}});
    }

    Json::Value parse(const std::string& text) {
        Json::Value v;
        Json::CharReaderBuilder b;
        std::string errors;
        std::unique_ptr<Json::CharReader> r(b.newCharReader());
        EXPECT_TRUE(r->parse(text.data(), text.data() + text.size(), &v, &errors)) << errors << "\n" << text;
        return v;
    }

    // The child of root named name, as JSON.
    static const Json::Value* find(const Json::Value& w, const std::string& name) {
        if (w["name"].asString() == name) return &w;
        for (const Json::Value& c : w["children"])
            if (const Json::Value* f = find(c, name)) return f;
        return nullptr;
    }
};

const char* kTree = R"({"classname": "Panel", "options": {"name": "root", "width": 640, "height": 960, "colorType": 1,
  "bgColorR": 9, "bgColorOpacity": 200, "anchorPointX": 0, "anchorPointY": 0},
 "children": [
  {"classname": "Button", "options": {"name": "b", "x": 10.25, "y": 20, "tag": 7, "actiontag": 8, "ZOrder": 3,
    "touchAble": true, "scaleX": 1.5, "rotation": 30, "opacity": 128, "colorG": 0,
    "normalData": {"resourceType": 0, "path": "img/a.png"}, "pressedData": {"resourceType": 1, "path": "fa.png"}}},
  {"classname": "CheckBox", "options": {"name": "cb", "x": 100, "y": 100, "touchAble": true,
    "backGroundBoxData": {"resourceType": 0, "path": "img/a.png"}, "frontCrossData": {"resourceType": 1, "path": "fa.png"}}},
  {"classname": "ScrollView", "options": {"name": "sv", "width": 100, "height": 50, "innerWidth": 100, "innerHeight": 200},
   "children": [{"classname": "Label", "options": {"name": "inner", "text": "Hi"}}]},
  {"classname": "PageView", "options": {"name": "pv", "width": 100, "height": 50}},
  {"classname": "TextField", "options": {"name": "tf", "text": "abc", "maxLengthEnable": true, "maxLength": 4}},
  {"classname": "Slider", "options": {"name": "s", "percent": 25}}]})";

}  // namespace

TEST_F(WidgetJson, EveryWidgetCarriesTheCommonFieldsAndItsClassState) {
    UIWidget* root = load(current(kTree, R"("textures": ["sheet/s.plist"])"));
    ASSERT_NE(root, nullptr);
    Json::Value tree = parse(jsonLine(widgetToJson(root)));
    EXPECT_EQ(tree["type"].asString(), "Layout");
    EXPECT_EQ(tree["bgColor"], parse("[9, 0, 0]"));
    EXPECT_EQ(tree["bgColorOpacity"].asInt(), 200);
    EXPECT_EQ(tree["colorType"].asInt(), 1);
    EXPECT_EQ(tree["anchor"], parse("[0, 0]"));
    ASSERT_EQ(tree["children"].size(), 6u);

    const Json::Value* b = find(tree, "b");
    ASSERT_NE(b, nullptr);
    for (const char* key : {"type", "name", "tag", "actionTag", "position", "size", "anchor", "zOrder", "visible",
                            "touchEnabled", "enabled", "bright", "ignoreSize", "color", "opacity", "scaleX", "scaleY",
                            "rotation", "flipX", "flipY", "children"})
        EXPECT_TRUE(b->isMember(key)) << key;
    EXPECT_EQ((*b)["type"].asString(), "Button");
    EXPECT_EQ((*b)["tag"].asInt(), 7);
    EXPECT_EQ((*b)["actionTag"].asInt(), 8);
    EXPECT_EQ((*b)["position"], parse("[10.25, 20]"));
    EXPECT_EQ((*b)["size"], parse("[20, 10]"));
    EXPECT_EQ((*b)["zOrder"].asInt(), 3);
    EXPECT_TRUE((*b)["touchEnabled"].asBool());
    EXPECT_EQ((*b)["color"], parse("[255, 0, 255]"));
    EXPECT_EQ((*b)["opacity"].asInt(), 128);
    EXPECT_EQ((*b)["scaleX"], parse("1.5"));
    EXPECT_EQ((*b)["rotation"].asInt(), 30);
    // Local files relative to the book folder; frames by name.
    EXPECT_EQ((*b)["textures"]["normal"], parse(R"({"name": "layout/img/a.png", "type": 0})"));
    EXPECT_EQ((*b)["textures"]["pressed"], parse(R"({"name": "fa.png", "type": 1})"));
    EXPECT_EQ((*b)["textures"]["disabled"]["name"].asString(), "");

    const Json::Value* sv = find(tree, "sv");
    ASSERT_NE(sv, nullptr);
    EXPECT_EQ((*sv)["innerSize"], parse("[100, 200]"));
    EXPECT_TRUE((*sv).isMember("innerPosition"));
    EXPECT_EQ((*sv)["direction"].asInt(), 0);  // no "direction" in the file: the read gives 0
    ASSERT_EQ((*sv)["children"].size(), 1u);  // the inner container's children
    EXPECT_EQ((*sv)["children"][0]["text"].asString(), "Hi");

    const Json::Value* pv = find(tree, "pv");
    EXPECT_EQ((*pv)["pageCount"].asInt(), 0);
    EXPECT_EQ((*pv)["currentPage"].asInt(), 0);
    const Json::Value* tf = find(tree, "tf");
    EXPECT_EQ((*tf)["text"].asString(), "abc");
    EXPECT_EQ((*tf)["maxLength"].asInt(), 4);
    EXPECT_TRUE((*tf)["maxLengthEnabled"].asBool());
    EXPECT_EQ((*find(tree, "s"))["percent"].asInt(), 25);
    const Json::Value* cb = find(tree, "cb");
    EXPECT_EQ((*cb)["textures"]["backGroundBox"], parse(R"({"texture": "layout/img/a.png", "type": 0})"));
    EXPECT_EQ((*cb)["textures"]["frontCross"]["type"].asInt(), 1);
}

TEST_F(WidgetJson, TheLiveStateFollowsTouches) {
    UIWidget* root = load(current(kTree));
    UILayer* layer = UILayer::create();
    layer->addWidget(root);
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    CCDirector::sharedDirector()->runWithScene(scene);
    host->step(1);
    const bool before = parse(jsonLine(widgetToJson(named(root, "cb"))))["selected"].asBool();
    host->touchDown(100, 100);
    host->touchUp(100, 100);
    host->step(1);
    EXPECT_NE(parse(jsonLine(widgetToJson(named(root, "cb"))))["selected"].asBool(), before);
}

TEST_F(WidgetJson, NumbersAreRoundedAndTheOutputIsOneLine) {
    EXPECT_EQ(jsonLine(jsonNumber(0.1f)), "0.1");
    EXPECT_EQ(jsonLine(jsonNumber(640.0)), "640");
    EXPECT_EQ(jsonLine(jsonNumber(-0.00001)), "0");
    EXPECT_EQ(jsonLine(jsonNumber(12.34567)), "12.3457");
    EXPECT_TRUE(jsonNumber(std::nan("")).isNull());
    EXPECT_TRUE(jsonNumber(HUGE_VAL).isNull());
    EXPECT_TRUE(widgetToJson(nullptr).isNull());
    Json::Value v;
    v["text"] = "line\nbreak \xc3\xa9";
    const std::string line = jsonLine(v);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find("\xc3\xa9"), std::string::npos);  // UTF-8 kept
}

// --- the program -------------------------------------------------------------------------------

namespace {

const std::string kInspect = QUIREL_BINARY_DIR "/tools/inspect/quirel-inspect";

struct ToolRun {
    int status = -1;
    std::string out;
};

ToolRun run(const std::string& args) {
    ToolRun r;
    FILE* p = ::popen((kInspect + " " + args + " 2>/dev/null").c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace

TEST_F(WidgetJson, InspectPrintsTheReadersMessagesThenOneLineOfJson) {
    if (!std::filesystem::exists(kInspect)) GTEST_SKIP() << "quirel-inspect is not built: " << kInspect;
    write("layout/anim.json",
          R"({"version": "0.2.4.0", "designWidth": 0, "designHeight": 960, "textures": ["sheet/s.plist"],
  "widgetTree": {"classname": "Panel", "options": {"name": "root"}, "children": [
    {"classname": "ImageView", "options": {"name": "star", "actiontag": 4, "fileName": "fa.png", "useMergedTexture": true}}]},
  "animation": {"actionlist": [{"name": "spin", "loop": true, "unittime": 0.1, "actionnodelist": [
    {"ActionTag": 4, "actionframelist": [{"frameid": 0, "rotation": 0, "opacity": 255}, {"frameid": 5, "rotation": 90}]},
    {"ActionTag": 99, "actionframelist": []}]}]}})");
    ToolRun r = run("--resources " + dir + " layout/anim.json");
    EXPECT_EQ(r.status, 0);
    const std::string message = "Read design size error!\n";
    ASSERT_EQ(r.out.compare(0, message.size(), message), 0) << r.out;
    const std::string line = r.out.substr(message.size());
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.find('\n'), line.size() - 1);  // exactly one line
    Json::Value report = parse(line);
    EXPECT_EQ(report["root"]["name"].asString(), "root");
    EXPECT_EQ(report["root"]["children"][0]["texture"], parse(R"({"name": "fa.png", "type": 1})"));
    EXPECT_EQ(report["designSize"], parse("[640, 960]"));  // the window size of the tool
    EXPECT_TRUE(report["legacy"].asBool());
    EXPECT_EQ(report["spriteSheets"], parse(R"(["layout/sheet/s.plist"])"));
    ASSERT_EQ(report["animations"].size(), 1u);
    const Json::Value& a = report["animations"][0];
    EXPECT_EQ(a["name"].asString(), "spin");
    EXPECT_TRUE(a["loop"].asBool());
    EXPECT_EQ(a["unitTime"], parse("0.1"));
    ASSERT_EQ(a["tracks"].size(), 2u);
    EXPECT_EQ(a["tracks"][0]["actionTag"].asInt(), 4);
    EXPECT_EQ(a["tracks"][0]["target"].asString(), "star");
    EXPECT_EQ(a["tracks"][0]["frames"], parse(R"([{"kind": 2, "frame": 0, "value": [0]}, {"kind": 2, "frame": 5, "value": [90]},
                                                 {"kind": 4, "frame": 0, "value": [255]}])"));
    EXPECT_TRUE(a["tracks"][1]["target"].isNull());
}

TEST_F(WidgetJson, InspectExitCodes) {
    if (!std::filesystem::exists(kInspect)) GTEST_SKIP() << "quirel-inspect is not built: " << kInspect;
    // A file that cannot be read still ran: the reader's message, then a report without a root.
    ToolRun missing = run("--resources " + dir + " nothing.json");
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out.rfind("read json file[nothing.json] error!\n{", 0), 0u) << missing.out;
    EXPECT_NE(missing.out.find("\"root\":null"), std::string::npos);
    EXPECT_EQ(run("--resources " + dir + "/no-such-folder x.json").status, 2);
    EXPECT_EQ(run("--resources " + dir).status, 2);
    EXPECT_EQ(run("").status, 2);
}
