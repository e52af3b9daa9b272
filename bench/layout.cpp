// Layout files read and built per second: a typical book page and a synthetic file of 1,000 widgets, split into JSON parsing and widget building.
//
// Textures are cached before timing starts (a page is read once untimed), as they are when the
// reader turns pages. Releasing the trees is not timed. With QUIREL_BOOK_DIR set to a generated
// sample book, its page 3 is measured as well.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "engine/engine.h"
#include "ui/ui.h"

using namespace engine;
using namespace ui;

namespace {

// A book folder of its own holding the two layout files and their images.
class BenchBook {
public:
    BenchBook() {
        m_dir = (std::filesystem::temp_directory_path() / ("quirel-bench-layout-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(m_dir + "/tomeset/res");
        png("tomeset/images/page.png", 640, 960);
        png("tomeset/res/mark1.png", 20, 20);
        png("tomeset/res/mark2.png", 20, 20);
        png("tomeset/res/badge.png", 120, 48);
        png("tomeset/sheet/deco.png", 64, 64);
        write("tomeset/sheet/deco.plist",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>frames</key><dict>"
              "<key>star.png</key><dict><key>frame</key><string>{{0,0},{64,64}}</string><key>offset</key>"
              "<string>{0,0}</string><key>rotated</key><false/><key>sourceSize</key><string>{64,64}</string></dict>"
              "</dict><key>metadata</key><dict><key>format</key><integer>2</integer><key>textureFileName</key>"
              "<string>deco.png</string></dict></dict></plist>\n");
        write("tomeset/page.json", typicalPage());
        write("tomeset/thousand.json", thousandWidgets());
    }
    ~BenchBook() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    const std::string& dir() const { return m_dir; }

private:
    void png(const std::string& name, int w, int h) {
        std::filesystem::create_directories(std::filesystem::path(m_dir + "/" + name).parent_path());
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 0xee, 0xdd, 0xbb, 255));
        if (IMG_SavePNG(s, (m_dir + "/" + name).c_str()) != 0) std::fprintf(stderr, "cannot write %s\n", name.c_str());
        SDL_FreeSurface(s);
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(m_dir + "/" + name) << text; }

    static std::string button(const std::string& name, int x, int y, int tag) {
        return R"({"classname": "Button", "children": [], "options": {"name": ")" + name + R"(", "x": )" +
               std::to_string(x) + R"(, "y": )" + std::to_string(y) + R"(, "ZOrder": 1, "touchAble": true, "tag": )" +
               std::to_string(tag) + R"(, "actiontag": 0, "visible": true, "scale9Enable": false, "width": 20,
               "height": 20, "scaleX": 14.5, "scaleY": 2.15, "opacity": 255, "colorR": 255, "colorG": 255, "colorB": 255,
               "normalData": {"resourceType": 0, "path": "res/mark1.png"},
               "pressedData": {"resourceType": 0, "path": "res/mark2.png"},
               "disabledData": {"resourceType": 0, "path": ""}}})";
    }

    // The shape of a sample-book page: a coloured panel, the page picture with its sentence
    // buttons, the page number, a sticker from a sheet, a badge and one looping animation.
    static std::string typicalPage() {
        std::string buttons;
        for (int n = 1; n <= 6; ++n) buttons += (n > 1 ? ", " : "") + button("bn03" + std::to_string(n), -80, 300 - 100 * n, 100 + n);
        return R"({"version": "1.0.0.0", "designWidth": 640, "designHeight": 960, "textures": ["sheet/deco.plist"],
  "widgetTree": {"classname": "Panel", "options": {"name": "page3", "x": 0, "y": 0, "width": 640, "height": 960,
    "anchorPointX": 0, "anchorPointY": 0, "colorType": 1, "bgColorR": 255, "bgColorG": 232, "bgColorB": 194,
    "bgColorOpacity": 255, "clipAble": false, "backGroundScale9Enable": false, "ZOrder": 0, "tag": 1, "actiontag": 0,
    "touchAble": false, "visible": true, "opacity": 255, "colorR": 255, "colorG": 255, "colorB": 255},
   "children": [
    {"classname": "ImageView", "options": {"name": "picture", "x": 320, "y": 480, "ZOrder": 0, "tag": 2, "actiontag": 0,
      "touchAble": false, "visible": true, "scale9Enable": false,
      "fileNameData": {"resourceType": 0, "path": "images/page.png"}}, "children": [)" +
               buttons + R"(]},
    {"classname": "Label", "children": [], "options": {"name": "page_number", "x": 590, "y": 40, "ZOrder": 2, "tag": 3,
      "actiontag": 30003, "touchAble": false, "visible": true, "text": "3", "fontSize": 30, "fontName": "Arial",
      "touchScaleEnable": false, "colorR": 180, "colorG": 80, "colorB": 40}},
    {"classname": "ImageView", "children": [], "options": {"name": "sticker", "x": 574, "y": 898, "ZOrder": 2, "tag": 4,
      "actiontag": 30001, "touchAble": false, "visible": true, "scale9Enable": false,
      "fileNameData": {"resourceType": 1, "path": "star.png"}}},
    {"classname": "TextButton", "children": [], "options": {"name": "badge", "x": 90, "y": 900, "ZOrder": 2, "tag": 5,
      "actiontag": 30002, "touchAble": false, "visible": true, "scale9Enable": false, "width": 120, "height": 48,
      "normalData": {"resourceType": 0, "path": "res/badge.png"}, "pressedData": {"resourceType": 0, "path": "res/badge.png"},
      "disabledData": {"resourceType": 0, "path": ""}, "text": "Listen!", "textColorR": 255, "textColorG": 255,
      "textColorB": 255, "fontSize": 26, "fontName": "Arial"}}]},
  "animation": {"actionlist": [{"name": "sway", "loop": true, "unittime": 0.1, "actionnodelist": [{"ActionTag": 30001,
    "actionframelist": [{"frameid": 0, "rotation": -12}, {"frameid": 10, "rotation": 12}, {"frameid": 20, "rotation": -12}]}]}]}
})";
    }

    // Ten panels of 99 widgets each (buttons, images and labels), under one root: 1,000 widgets.
    static std::string thousandWidgets() {
        std::ostringstream o;
        o << R"({"version": "1.0.0.0", "designWidth": 640, "designHeight": 960, "widgetTree": {"classname": "Panel",
  "options": {"name": "root", "width": 640, "height": 960}, "children": [)";
        for (int p = 0; p < 10; ++p) {
            o << (p ? ", " : "") << R"({"classname": "Panel", "options": {"name": "panel)" << p
              << R"(", "width": 640, "height": 96, "y": )" << p * 96 << R"(, "colorType": 1, "bgColorOpacity": 128},
  "children": [)";
            for (int i = 0; i < 99; ++i) {
                if (i) o << ", ";
                const std::string name = "w" + std::to_string(p) + "_" + std::to_string(i);
                if (i % 3 == 0)
                    o << button(name, 6 * i, 40, i);
                else if (i % 3 == 1)
                    o << R"({"classname": "ImageView", "children": [], "options": {"name": ")" << name << R"(", "x": )"
                      << 6 * i << R"(, "y": 48, "fileNameData": {"resourceType": 0, "path": "res/mark1.png"}}})";
                else
                    o << R"({"classname": "Label", "children": [], "options": {"name": ")" << name << R"(", "x": )"
                      << 6 * i << R"(, "y": 60, "text": ")" << i << R"(", "fontSize": 14, "fontName": "Arial"}})";
            }
            o << "]}";
        }
        o << "]}}";
        return o.str();
    }

    std::string m_dir;
};

BenchBook* g_book = nullptr;

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream o;
    o << in.rdbuf();
    return o.str();
}

// Releases a tree and everything autoreleased while it was read, outside the timed part.
void drop(benchmark::State& state, UIWidget* root) {
    state.PauseTiming();
    if (root) root->release();
    CCPoolManager::sharedPoolManager()->pop();
    state.ResumeTiming();
}

// The whole reader: file, parse, sheets, design size, widgets, animations.
void readFile(benchmark::State& state, const std::string& root, const char* name) {
    CCFileUtils::sharedFileUtils()->setResourceRoot(root);
    UIWidget* warm = GUIReader::sharedReader()->widgetFromLayoutFile(name);
    if (!warm) {
        state.SkipWithError("the layout file gave no widget");
        return;
    }
    CCPoolManager::sharedPoolManager()->pop();
    for (auto _ : state) {
        UIWidget* w = GUIReader::sharedReader()->widgetFromLayoutFile(name);
        w->retain();
        benchmark::DoNotOptimize(w);
        drop(state, w);
    }
    state.SetItemsProcessed(state.iterations());
    ActionManager::purgeManager();
    CCPoolManager::sharedPoolManager()->pop();
}

// JSON parsing alone.
void parseOnly(benchmark::State& state, const std::string& path) {
    const std::string text = readText(path);
    for (auto _ : state) {
        JsonDictionary d = GUIReader::parseLayoutText(text.data(), text.size());
        benchmark::DoNotOptimize(d.value());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// Widget building alone, from a document parsed once.
void buildOnly(benchmark::State& state, const std::string& root, const char* name) {
    CCFileUtils::sharedFileUtils()->setResourceRoot(root);
    const std::string text = readText(root + "/" + name);
    // Reading the file once untimed loads its sheets and textures and sets the layout folder.
    UIWidget* warm = GUIReader::sharedReader()->widgetFromLayoutFile(name);
    if (!warm) {
        state.SkipWithError("the layout file gave no widget");
        return;
    }
    CCPoolManager::sharedPoolManager()->pop();
    JsonDictionary tree = GUIReader::parseLayoutText(text.data(), text.size()).subDictionary("widgetTree");
    for (auto _ : state) {
        UIWidget* w = GUIReader::sharedReader()->widgetFromDictionary(tree);
        w->retain();
        benchmark::DoNotOptimize(w);
        drop(state, w);
    }
    state.SetItemsProcessed(state.iterations());
    ActionManager::purgeManager();
    CCPoolManager::sharedPoolManager()->pop();
}

void BM_ReadTypicalPage(benchmark::State& state) { readFile(state, g_book->dir(), "tomeset/page.json"); }
void BM_ParseTypicalPage(benchmark::State& state) { parseOnly(state, g_book->dir() + "/tomeset/page.json"); }
void BM_BuildTypicalPage(benchmark::State& state) { buildOnly(state, g_book->dir(), "tomeset/page.json"); }
void BM_Read1000Widgets(benchmark::State& state) { readFile(state, g_book->dir(), "tomeset/thousand.json"); }
void BM_Parse1000Widgets(benchmark::State& state) { parseOnly(state, g_book->dir() + "/tomeset/thousand.json"); }
void BM_Build1000Widgets(benchmark::State& state) { buildOnly(state, g_book->dir(), "tomeset/thousand.json"); }

std::string sampleBook() {
    const char* dir = std::getenv("QUIREL_BOOK_DIR");
    if (!dir || !std::filesystem::exists(std::string(dir) + "/tomeset/tomeset_3.json")) return std::string();
    return dir;
}
void BM_ReadSamplePage3(benchmark::State& state) { readFile(state, sampleBook(), "tomeset/tomeset_3.json"); }
void BM_ParseSamplePage3(benchmark::State& state) { parseOnly(state, sampleBook() + "/tomeset/tomeset_3.json"); }
void BM_BuildSamplePage3(benchmark::State& state) { buildOnly(state, sampleBook(), "tomeset/tomeset_3.json"); }

}  // namespace

BENCHMARK(BM_ReadTypicalPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseTypicalPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildTypicalPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Read1000Widgets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Parse1000Widgets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build1000Widgets)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setLogQuiet(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    int status = 0;
    {
        CCHeadlessHost host(640, 960, false);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
        BenchBook book;
        g_book = &book;
        if (!sampleBook().empty()) {
            benchmark::RegisterBenchmark("BM_ReadSamplePage3", BM_ReadSamplePage3)->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark("BM_ParseSamplePage3", BM_ParseSamplePage3)->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark("BM_BuildSamplePage3", BM_BuildSamplePage3)->Unit(benchmark::kMicrosecond);
        }
        benchmark::RunSpecifiedBenchmarks();
        g_book = nullptr;
        ActionManager::purgeManager();
        GUIHelper::purgeHelper();
    }
    CCPoolManager::sharedPoolManager()->pop();
    benchmark::Shutdown();
    return status;
}
