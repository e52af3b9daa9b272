// The texture cache's memory budget: unused textures go oldest first, used ones never.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

// Writes a w x h PNG (4 bytes a pixel in the cache).
std::string writePng(const std::string& dir, const std::string& name, int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    EXPECT_NE(s, nullptr);
    std::string path = dir + "/" + name;
    EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0);
    SDL_FreeSurface(s);
    return path;
}

}  // namespace

TEST(TextureBudget, UnusedTexturesAreEvictedOldestFirstAndUsedOnesKept) {
    const std::string dir = testsupport::makeTempDir();
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    cache->removeAllTextures();
    const size_t one = 100 * 100 * 4;
    cache->setMemoryBudget(3 * one);
    std::string a = writePng(dir, "a.png", 100, 100), b = writePng(dir, "b.png", 100, 100),
                c = writePng(dir, "c.png", 100, 100), d = writePng(dir, "d.png", 100, 100),
                e = writePng(dir, "e.png", 100, 100);
    CCTexture2D* held = cache->addImage(a.c_str());
    held->retain();
    cache->addImage(b.c_str());
    cache->addImage(c.c_str());
    cache->addImage(b.c_str());  // b is now more recent than c
    cache->addImage(d.c_str());  // over budget: c (the oldest unused) goes
    EXPECT_EQ(cache->textureCount(), 3u);
    EXPECT_NE(cache->textureForKey(a.c_str()), nullptr);
    EXPECT_NE(cache->textureForKey(b.c_str()), nullptr);
    EXPECT_EQ(cache->textureForKey(c.c_str()), nullptr);
    EXPECT_LE(cache->bytesInUse(), 3 * one);
    // A budget smaller than what is in use keeps the used texture.
    cache->setMemoryBudget(one / 2);
    EXPECT_EQ(cache->textureCount(), 1u);
    EXPECT_EQ(cache->textureForKey(a.c_str()), held);
    // A new image larger than the whole budget is still handed to its caller, alive.
    std::string big = writePng(dir, "big.png", 300, 300);
    CCTexture2D* loaded = cache->addImage(big.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->getPixelsWide(), 300);
    EXPECT_EQ(cache->textureForKey(big.c_str()), loaded);
    cache->setMemoryBudget(0);  // no limit
    cache->addImage(e.c_str());
    cache->addImage(c.c_str());
    EXPECT_EQ(cache->textureCount(), 4u);
    held->release();
    cache->setMemoryBudget(CCTextureCache::kDefaultMemoryBudget);
    CCTextureCache::purgeSharedTextureCache();
}
