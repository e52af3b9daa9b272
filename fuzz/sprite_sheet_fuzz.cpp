// libFuzzer entry for the sprite-sheet reader: each input is a sheet's plist, read from a file over a real texture.
//
// The sheet sits next to sheet.png (256 x 64), the name a format 2 seed's metadata uses and the
// name the reader falls back to, so mutated frame rectangles meet a real texture's bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/engine.h"
#include "fuzz_scratch.h"

using namespace engine;

namespace {
std::string g_sheet;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setLogQuiet(true);
    const std::string& dir = fuzzscratch::folder("sheet");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 256, 64, 32, SDL_PIXELFORMAT_RGBA32);
    if (s) {
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 90, 160, 220, 255));
        IMG_SavePNG(s, (dir + "/sheet.png").c_str());
        SDL_FreeSurface(s);
    }
    CCFileUtils::sharedFileUtils()->setResourceRoot(dir);
    g_sheet = dir + "/sheet.plist";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzscratch::write(g_sheet, data, size);
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    cache->addSpriteFramesWithFile(g_sheet.c_str());
    // Every frame the sheet names must stand being looked up and put on a sprite.
    if (CCObject* root = parsePropertyList(reinterpret_cast<const char*>(data), size)) {
        if (auto* sheet = dynamic_cast<CCDictionary*>(root))
            if (auto* frames = dynamic_cast<CCDictionary*>(sheet->objectForKey("frames")))
                if (CCArray* names = frames->allKeys())
                    for (CCObject* k : *names) {
                        auto* name = dynamic_cast<CCString*>(k);
                        if (!name || !cache->hasSpriteFrame(name->getCString())) continue;
                        if (CCSprite* sprite = CCSprite::createWithSpriteFrameName(name->getCString())) {
                            sprite->setFlipX(true);
                            (void)sprite->getContentSize();
                        }
                    }
        root->release();
    }
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}
