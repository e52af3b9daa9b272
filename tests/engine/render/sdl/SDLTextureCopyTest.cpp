// CCSDLTextureCopy: a texture's copy on an SDL_Renderer, made once per renderer, following new
// pixels and sampling, and never used once its renderer is gone.
#include "../RenderTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/sdl/CCSDLRendererRegistry.h"
#include "engine/render/sdl/CCSDLTextureCopy.h"

using namespace engine;
using namespace rendertest;

namespace {

class SDLTextureCopyTest : public RenderTest {};

}  // namespace

TEST_F(SDLTextureCopyTest, TheGPUCopyIsMadeOncePerRendererAndFollowsNewPixels) {
    auto* t = new CCTexture2D();
    uint8_t red[4] = {255, 0, 0, 255};
    ASSERT_TRUE(t->initWithRGBA(red, 1, 1));
    SDL_Texture* first = CCSDLTextureCopy::textureFor(t, canvas->renderer());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CCSDLTextureCopy::textureFor(t, canvas->renderer()), first);
    EXPECT_EQ(CCSDLTextureCopy::textureFor(t, nullptr), nullptr);

    // Drawn by one renderer, then another, then the first again: each shows the pixels.
    CCSoftwareCanvas otherCanvas(320, 480);
    CCSDLRenderer other(otherCanvas.renderer(), CCSize(320, 480), 320, 480);
    ccColor4B white = {255, 255, 255, 255};
    CCVertex v[6] = {{0, 0, white, 0, 1}, {320, 0, white, 1, 1}, {0, 480, white, 0, 0},
                     {0, 480, white, 0, 0}, {320, 0, white, 1, 1}, {320, 480, white, 1, 0}};
    auto drawOn = [&](CCSDLRenderer& r) {
        r.beginFrame();
        r.drawTriangles(t, v, 6, BlendMode::Alpha);
        r.endFrame();
        std::vector<uint8_t> px;
        int w = 0, h = 0;
        EXPECT_TRUE(r.readPixels(px, w, h));
        return px.empty() ? Rgba{0, 0, 0, 0} : Rgba{px[0], px[1], px[2], px[3]};
    };
    EXPECT_TRUE(near(drawOn(other), kRed, 0));
    EXPECT_TRUE(near(drawOn(*renderer), kRed, 0));
    uint8_t green[4] = {0, 255, 0, 255};
    ASSERT_TRUE(t->initWithRGBA(green, 1, 1));
    EXPECT_TRUE(near(drawOn(*renderer), kGreen, 0));
    EXPECT_TRUE(near(drawOn(other), kGreen, 0));
    t->release();
}

TEST_F(SDLTextureCopyTest, ARendererReportedGoneIsNeverServedItsOldCopy) {
    auto* t = new CCTexture2D();
    uint8_t px[4] = {9, 9, 9, 255};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    SDL_Renderer* r = canvas->renderer();
    uint64_t before = CCSDLRendererRegistry::generationOf(r);
    SDL_Texture* old = CCSDLTextureCopy::textureFor(t, r);
    ASSERT_NE(old, nullptr);
    // As if the renderer had been destroyed and a new one made at the same address.
    CCSDLRendererRegistry::rendererDestroyed(r);
    EXPECT_EQ(CCSDLRendererRegistry::liveGeneration(r), 0u);
    SDL_Texture* fresh = CCSDLTextureCopy::textureFor(t, r);
    EXPECT_NE(CCSDLRendererRegistry::generationOf(r), before);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old);
    t->release();
}

TEST_F(SDLTextureCopyTest, TexturesOutliveTheirRendererSafely) {
    auto* t = new CCTexture2D();
    uint8_t px[4] = {9, 9, 9, 255};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    {
        CCSoftwareCanvas shortLived(4, 4);
        ASSERT_NE(CCSDLTextureCopy::textureFor(t, shortLived.renderer()), nullptr);
    }
    // Its copy died with the renderer: switching sampling and releasing must not touch it.
    t->setAliasTexParameters();
    EXPECT_FALSE(t->isAntiAlias());
    CCSoftwareCanvas next(4, 4);
    EXPECT_NE(CCSDLTextureCopy::textureFor(t, next.renderer()), nullptr);
    t->setAntiAliasTexParameters();
    EXPECT_TRUE(t->isAntiAlias());
    t->release();
}

TEST_F(SDLTextureCopyTest, TheCopySamplesAsTheTextureSays) {
    auto* t = new CCTexture2D();
    uint8_t px[4] = {9, 9, 9, 255};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    SDL_Texture* copy = CCSDLTextureCopy::textureFor(t, canvas->renderer());
    ASSERT_NE(copy, nullptr);
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    ASSERT_EQ(SDL_GetTextureScaleMode(copy, &mode), 0);
    EXPECT_EQ(mode, SDL_ScaleModeLinear);
    t->setAliasTexParameters();
    EXPECT_EQ(CCSDLTextureCopy::textureFor(t, canvas->renderer()), copy) << "a change of sampling keeps the copy";
    ASSERT_EQ(SDL_GetTextureScaleMode(copy, &mode), 0);
    EXPECT_EQ(mode, SDL_ScaleModeNearest);
    t->setAntiAliasTexParameters();
    CCSDLTextureCopy::textureFor(t, canvas->renderer());
    ASSERT_EQ(SDL_GetTextureScaleMode(copy, &mode), 0);
    EXPECT_EQ(mode, SDL_ScaleModeLinear);
    t->release();
}
