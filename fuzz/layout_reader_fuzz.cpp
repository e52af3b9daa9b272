// libFuzzer entry for the layout reader: each input is the text of a layout file, read, inspected, animated and released.
//
// The inputs are read as <book>/tomeset/page.json of a small book made at start-up, whose
// images, sheet and font carry the names the seed corpus (pages of the sample book) uses, so
// that mutations reach the texture loaders too. The reader's own messages go to /dev/null.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include "engine/engine.h"
#include "ui/ui.h"

using namespace engine;
using namespace ui;

namespace {

std::string g_book;
std::string g_layout;

void png(const std::string& name, int w, int h) {
    std::filesystem::create_directories(std::filesystem::path(g_book + "/" + name).parent_path());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) return;
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 200, 100, 50, 255));
    IMG_SavePNG(s, (g_book + "/" + name).c_str());
    SDL_FreeSurface(s);
}

void text(const std::string& name, const std::string& contents) {
    std::filesystem::create_directories(std::filesystem::path(g_book + "/" + name).parent_path());
    std::ofstream(g_book + "/" + name) << contents;
}

// A sheet of square frames side by side over the image of the same name.
void sheet(const std::string& plist, const std::string& image, const std::vector<std::pair<std::string, int>>& frames) {
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>frames</key><dict>";
    int left = 0;
    for (const auto& f : frames) {
        const std::string w = std::to_string(f.second);
        x += "<key>" + f.first + "</key><dict><key>frame</key><string>{{" + std::to_string(left) + ",0},{" + w + "," + w +
             "}}</string><key>offset</key><string>{0,0}</string><key>rotated</key><false/><key>sourceSize</key><string>{" +
             w + "," + w + "}</string></dict>";
        left += f.second;
    }
    x += "</dict><key>metadata</key><dict><key>format</key><integer>2</integer><key>textureFileName</key><string>" +
         image + "</string></dict></dict></plist>\n";
    text(plist, x);
}

void removeBook() {
    std::error_code ec;
    std::filesystem::remove_all(g_book, ec);
}

void makeBook() {
    g_book = (std::filesystem::temp_directory_path() / ("quirel-fuzz-layout-" + std::to_string(getpid()))).string();
    for (const char* name : {"res/bnren1.png", "res/bnren2.png", "res/badge.png", "res/button.png", "res/button_down.png",
                             "res/button_on.png", "res/setbg.png", "img/a.png", "img/digits.png", "images/page_3.png"})
        png(std::string("tomeset/") + name, 20, 12);
    png("tomeset/sheet/deco.png", 64, 16);
    sheet("tomeset/sheet/deco.plist", "deco.png", {{"deco_cloud.png", 16}, {"deco_heart.png", 16}, {"deco_star.png", 16}});
    png("tomeset/sheet/s.png", 16, 16);
    sheet("tomeset/sheet/s.plist", "s.png", {{"fa.png", 6}});
    png("tomeset/fonts/leaf.png", 32, 16);
    text("tomeset/fonts/leaf.fnt",
         "info face=\"Leaf\" size=16\ncommon lineHeight=16 base=14 scaleW=32 scaleH=16 pages=1\n"
         "page id=0 file=\"leaf.png\"\nchars count=1\n"
         "char id=65 x=0 y=0 width=10 height=12 xoffset=0 yoffset=2 xadvance=12 page=0\n");
    g_layout = g_book + "/tomeset/page.json";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    makeBook();
    std::atexit(removeBook);
    CCFileUtils::sharedFileUtils()->setResourceRoot(g_book);
    setLogQuiet(true);
    // The reader prints its messages for nearly every mutated input.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    static CCHeadlessHost* host = new CCHeadlessHost(320, 480, false);
    (void)host;
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(320, 480, kResolutionExactFit);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UIWidget* root = GUIReader::sharedReader()->widgetFromLayoutText(
        "tomeset/page.json", g_layout, reinterpret_cast<const char*>(data), size);
    if (root) {
        root->retain();
        (void)jsonLine(widgetToJson(root));
    }
    if (CCArray* list = ActionManager::sharedManager()->getAnimations("page.json")) {
        for (CCObject* o : *list) {
            auto* animation = static_cast<ActionObject*>(o);
            animation->seekToTime(0.25f);
            animation->play();
            animation->stop();
        }
    }
    ActionManager::purgeManager();
    if (root) root->release();
    GUIHelper::purgeHelper();
    CCPoolManager::sharedPoolManager()->pop();
    // The same text as a file listed for decoding ahead: every picture named stays in the book.
    {
        std::ofstream out(g_layout, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (const std::string& picture : layoutImageFiles(g_layout, g_book + "/"))
        if (picture.compare(0, g_book.size() + 1, g_book + "/") != 0) std::abort();
    return 0;
}
