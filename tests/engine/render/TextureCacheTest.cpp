// CCTextureCache: one texture per resolved path, failures as null, and what removal keeps.
#include "RenderTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

using namespace engine;
using namespace rendertest;

namespace {
class TextureCacheTest : public RenderTest {
protected:
    CCTextureCache* cache() { return CCTextureCache::sharedTextureCache(); }
};
}  // namespace

TEST_F(TextureCacheTest, OnePathGivesOneTextureHoweverItIsWritten) {
    writeSolidPNG("images/a.png", 4, 2, kRed);
    CCTexture2D* t = cache()->addImage("images/a.png");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(cache()->addImage("images/a.png"), t);
    EXPECT_EQ(cache()->addImage("images/./a.png"), t);
    EXPECT_EQ(cache()->addImage((dir + "/images/a.png").c_str()), t);
    EXPECT_EQ(cache()->textureCount(), 1u);
    EXPECT_EQ(cache()->textureForKey("images/a.png"), t);
    EXPECT_EQ(cache()->textureForKey((dir + "/images/a.png").c_str()), t);
    EXPECT_EQ(cache()->textureForKey("images/b.png"), nullptr);
}

TEST_F(TextureCacheTest, DistinctFilesGiveDistinctTexturesAndTheirBytesAddUp) {
    writeSolidPNG("a.png", 4, 2, kRed);
    writeSolidPNG("b.png", 3, 5, kGreen);
    CCTexture2D* a = cache()->addImage("a.png");
    CCTexture2D* b = cache()->addImage("b.png");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(cache()->bytesInUse(), size_t(4 * 2 * 4 + 3 * 5 * 4));
    cache()->dumpCachedTextureInfo();
    EXPECT_TRUE(logged("2 textures"));
}

TEST_F(TextureCacheTest, MissingOrUndecodableFilesGiveNullAndALogLine) {
    testsupport::writeFile(dir + "/broken.png", "\x89PNG\r\n\x1a\n garbage");
    EXPECT_EQ(cache()->addImage("nowhere.png"), nullptr);
    EXPECT_TRUE(logged("nowhere.png"));
    EXPECT_EQ(cache()->addImage("broken.png"), nullptr);
    EXPECT_TRUE(logged("broken.png"));
    EXPECT_EQ(cache()->addImage(""), nullptr);
    EXPECT_EQ(cache()->addImage(nullptr), nullptr);
    EXPECT_EQ(cache()->textureCount(), 0u);
    EXPECT_EQ(cache()->bytesInUse(), 0u);
}

TEST_F(TextureCacheTest, RemovingUnusedTexturesKeepsThoseHeldElsewhere) {
    writeSolidPNG("kept.png", 2, 2, kRed);
    writeSolidPNG("dropped.png", 2, 2, kBlue);
    CCTexture2D* kept = cache()->addImage("kept.png");
    ASSERT_NE(cache()->addImage("dropped.png"), nullptr);
    kept->retain();
    cache()->removeUnusedTextures();
    EXPECT_EQ(cache()->textureForKey("kept.png"), kept);
    EXPECT_EQ(cache()->textureForKey("dropped.png"), nullptr);
    EXPECT_EQ(cache()->textureCount(), 1u);
    // Loading the dropped file again makes a fresh texture.
    EXPECT_NE(cache()->addImage("dropped.png"), nullptr);
    EXPECT_EQ(cache()->textureCount(), 2u);
    kept->release();
}

TEST_F(TextureCacheTest, RemovalByTextureKeyOrAll) {
    writeSolidPNG("a.png", 2, 2, kRed);
    writeSolidPNG("b.png", 2, 2, kGreen);
    writeSolidPNG("c.png", 2, 2, kBlue);
    CCTexture2D* a = cache()->addImage("a.png");
    cache()->addImage("b.png");
    cache()->addImage("c.png");
    cache()->removeTexture(a);
    EXPECT_EQ(cache()->textureForKey("a.png"), nullptr);
    cache()->removeTextureForKey((dir + "/b.png").c_str());
    EXPECT_EQ(cache()->textureForKey("b.png"), nullptr);
    EXPECT_NE(cache()->textureForKey("c.png"), nullptr);
    cache()->removeTexture(nullptr);
    cache()->removeTextureForKey("never-loaded.png");
    cache()->removeAllTextures();
    EXPECT_EQ(cache()->textureCount(), 0u);
}

TEST_F(TextureCacheTest, TexturesHeldElsewhereSurviveAPurge) {
    writeSolidPNG("a.png", 2, 2, kRed);
    CCTexture2D* t = CCTextureCache::sharedTextureCache()->addImage("a.png");
    ASSERT_NE(t, nullptr);
    t->retain();
    CCTextureCache::purgeSharedTextureCache();
    EXPECT_EQ(t->getPixelsWide(), 2);
    EXPECT_NE(CCTextureCache::sharedTextureCache()->addImage("a.png"), t);
    t->release();
}
