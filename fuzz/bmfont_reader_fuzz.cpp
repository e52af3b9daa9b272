// libFuzzer entry for the bitmap-font reader: each input is a .fnt text, parsed and then set on a label.
//
// The label step reads the same text as a file next to a real page image (page.png, 64 x 64),
// so mutated glyph rectangles, offsets and kerning reach the layout of a line of text.
#include <cstddef>
#include <cstdint>
#include <string>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/engine.h"
#include "engine/text/CCBMFontConfiguration.h"
#include "fuzz_scratch.h"

using namespace engine;

namespace {
std::string g_fnt;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setLogQuiet(true);
    const std::string& dir = fuzzscratch::folder("bmfont");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_RGBA32);
    if (s) {
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 255, 255, 255, 255));
        IMG_SavePNG(s, (dir + "/page.png").c_str());
        SDL_FreeSurface(s);
    }
    CCFileUtils::sharedFileUtils()->setResourceRoot(dir);
    g_fnt = dir + "/font.fnt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CCBMFontConfiguration config;
    if (config.parse(text, "", "fuzz.fnt")) {
        volatile int sum = config.lineHeight() + config.base() + config.kerning('A', 'V');
        for (const auto& g : config.glyphs()) sum = sum + g.second.xAdvance;
        (void)sum;
    }
    fuzzscratch::write(g_fnt, data, size);
    if (CCLabelBMFont* label = CCLabelBMFont::create("AV Ta\nWo xyz 0123", g_fnt.c_str())) {
        label->setWidth(40.f);
        label->setAlignment(kCCTextAlignmentCenter);
        label->setString("Hello, world! A long line wraps.");
        (void)label->getContentSize();
    }
    CCTextureCache::purgeSharedTextureCache();
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}
