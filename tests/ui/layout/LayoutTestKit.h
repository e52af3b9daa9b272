// Shared set-up of the layout tests: a headless host per test, layout files and images written into a temporary book folder.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/PixelHostTest.h"
#include "ui/ui.h"

namespace layouttest {

// The window is smaller than the 640 x 960 the files are made for, so that a design size taken
// from the window can be told apart from one taken from a file.
constexpr int kWinW = 320, kWinH = 480;

// A widget entry: {"classname", "options", "children"} from JSON texts.
inline std::string entry(const std::string& classname, const std::string& options = "{}",
                         const std::string& children = "[]") {
    return "{\"classname\": \"" + classname + "\", \"options\": " + options + ", \"children\": " + children + "}";
}

// A picture reference of the current form: {"resourceType": type, "path": name}.
inline std::string ref(int type, const std::string& name) {
    return "{\"resourceType\": " + std::to_string(type) + ", \"path\": \"" + name + "\"}";
}

// A whole layout document around a widget tree; version empty leaves the key out.
inline std::string document(const std::string& tree, const std::string& version = "1.0.0.0",
                            const std::string& extra = "") {
    std::string d = "{";
    if (!version.empty()) d += "\"version\": \"" + version + "\", ";
    d += "\"designWidth\": 640, \"designHeight\": 960, ";
    if (!extra.empty()) d += extra + ", ";
    d += "\"widgetTree\": " + tree + "}";
    return d;
}

inline std::string current(const std::string& tree, const std::string& extra = "") {
    return document(tree, "1.0.0.0", extra);
}
inline std::string legacy(const std::string& tree, const std::string& extra = "") {
    return document(tree, "", extra);
}

class LayoutTest : public testsupport::PixelHostTest {
protected:
    LayoutTest() : PixelHostTest("quirel-layout", kWinW, kWinH) {}

    void TearDown() override {
        ui::ActionManager::purgeManager();
        for (engine::CCObject* o : kept) o->release();
        kept.clear();
        PixelHostTest::TearDown();
    }

    ui::GUIReader* reader() { return ui::GUIReader::sharedReader(); }

    // Writes text to dir/name (folders made as needed) and returns name.
    std::string write(const std::string& name, const std::string& text) {
        testsupport::writeFile(dir + "/" + name, text);
        return name;
    }

    // Reads a layout file by its name relative to the book folder; the root is kept alive
    // until the end of the test.
    ui::UIWidget* read(const std::string& name) {
        ui::UIWidget* root = reader()->widgetFromLayoutFile(name.c_str());
        if (root) {
            root->retain();
            kept.push_back(root);
        }
        return root;
    }

    // Writes the document as name and reads it.
    ui::UIWidget* load(const std::string& text, const std::string& name = "layout/page.json") {
        return read(write(name, text));
    }

    // The one child widget of a root built from a single entry under a panel.
    ui::UIWidget* loadOne(const std::string& childEntry, bool legacyForm = false) {
        std::string tree = entry("Panel", "{\"width\": 640, \"height\": 960}", "[" + childEntry + "]");
        ui::UIWidget* root = load(legacyForm ? legacy(tree) : current(tree));
        if (!root || root->getChildren()->count() == 0) return nullptr;
        return static_cast<ui::UIWidget*>(root->getChildren()->objectAtIndex(0));
    }

    // The full path of a file written into the book folder.
    std::string path(const std::string& name) const { return dir + "/" + name; }

    // What fn printed to standard output.
    std::string stdoutOf(const std::function<void()>& fn) {
        ::testing::internal::CaptureStdout();
        fn();
        return ::testing::internal::GetCapturedStdout();
    }

    // A w x h PNG of one colour at dir/name.
    void png(const std::string& name, int w, int h, engine::ccColor4B c = {255, 0, 0, 255}) {
        std::filesystem::create_directories(std::filesystem::path(path(name)).parent_path());
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
        ASSERT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a));
        EXPECT_EQ(IMG_SavePNG(s, path(name).c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(s);
    }

    // A sheet folder/name.plist over folder/name.png (64 x 64) with frames of the given sizes
    // laid side by side.
    void sheet(const std::string& plist, const std::vector<std::pair<std::string, engine::CCSize>>& frames) {
        std::string image = plist.substr(0, plist.size() - 6) + ".png";
        png(image, 64, 64, {0, 0, 255, 255});
        std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>frames</key><dict>";
        int left = 0;
        for (const auto& f : frames) {
            const int w = int(f.second.width), h = int(f.second.height);
            x += "<key>" + f.first + "</key><dict><key>frame</key><string>{{" + std::to_string(left) + ",0},{" +
                 std::to_string(w) + "," + std::to_string(h) +
                 "}}</string><key>offset</key><string>{0,0}</string><key>rotated</key><false/>"
                 "<key>sourceSize</key><string>{" +
                 std::to_string(w) + "," + std::to_string(h) + "}</string></dict>";
            left += w;
        }
        std::string imageName = std::filesystem::path(image).filename().string();
        x += "</dict><key>metadata</key><dict><key>format</key><integer>2</integer><key>textureFileName</key><string>" +
             imageName + "</string></dict></dict></plist>\n";
        write(plist, x);
    }

    // A bitmap font folder/name.fnt with glyphs 'A' and 'B' over a 32 x 16 image.
    void font(const std::string& fnt) {
        std::string image = fnt.substr(0, fnt.size() - 4) + ".png";
        png(image, 32, 16, {255, 255, 255, 255});
        std::string imageName = std::filesystem::path(image).filename().string();
        std::string t = "info face=\"Leaf\" size=16\ncommon lineHeight=16 base=14 scaleW=32 scaleH=16 pages=1\n";
        t += "page id=0 file=\"" + imageName + "\"\nchars count=2\n";
        t += "char id=65 x=0 y=0 width=10 height=12 xoffset=0 yoffset=2 xadvance=12 page=0\n";
        t += "char id=66 x=10 y=0 width=8 height=12 xoffset=0 yoffset=2 xadvance=10 page=0\n";
        write(fnt, t);
    }

    std::vector<engine::CCObject*> kept;
};

inline ui::UIWidget* childAt(ui::UIWidget* w, unsigned int i) {
    return w && w->getChildren() ? static_cast<ui::UIWidget*>(w->getChildren()->objectAtIndex(i)) : nullptr;
}

inline ui::UIWidget* named(ui::UIWidget* root, const char* name) {
    return ui::GUIHelper::sharedHelper()->findWidgetByName(root, name);
}

}  // namespace layouttest
