// CCTexture2D: decoding, refusing bad images, and GPU copies that never outlive their renderer.
#include <fstream>

#include "RenderTestKit.h"
#include "engine/render/CCSDLRendererRegistry.h"
#include "engine/render/CCTexture2D.h"

using namespace engine;
using namespace rendertest;

namespace {

class TextureTest : public RenderTest {
protected:
    Rgba texel(CCTexture2D* t, int x, int y) {
        SDL_Surface* s = t->getSurface();
        const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch) + size_t(x) * 4;
        return Rgba{p[0], p[1], p[2], p[3]};
    }

    void writeBytes(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    std::string fileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

}  // namespace

TEST_F(TextureTest, APNGKeepsItsSizeAndPixelsRowsTopToBottom) {
    std::string path = writePNG("two.png", 3, 2, [](int x, int y) {
        return y == 0 ? Rgba{uint8_t(10 * x), 200, 0, 255} : Rgba{0, 0, 255, uint8_t(100 + x)};
    });
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initWithImageFile(path));
    EXPECT_EQ(t->getPixelsWide(), 3);
    EXPECT_EQ(t->getPixelsHigh(), 2);
    EXPECT_EQ(t->getContentSize(), CCSize(3, 2));
    EXPECT_EQ(t->bytesUsed(), 3u * 2u * 4u);
    EXPECT_EQ(t->getPath(), path);
    EXPECT_TRUE(near(texel(t, 2, 0), Rgba{20, 200, 0, 255}, 0));
    EXPECT_TRUE(near(texel(t, 1, 1), Rgba{0, 0, 255, 101}, 0));
    t->release();
}

TEST_F(TextureTest, SurfacesOfAnyFormatAreCopiedToRGBA) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 5, 4, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 1, 2, 3));
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initWithSurface(s));
    SDL_FreeSurface(s);  // the texture keeps its own copy
    EXPECT_EQ(t->getPixelsWide(), 5);
    EXPECT_TRUE(near(texel(t, 4, 3), Rgba{1, 2, 3, 255}, 0));
    t->release();
}

TEST_F(TextureTest, BadImagesAreRefusedWithALogLine) {
    std::string good = writeSolidPNG("good.png", 8, 8, kRed);
    std::string bytes = fileBytes(good);
    writeBytes(dir + "/truncated.png", bytes.substr(0, bytes.size() / 2));
    writeBytes(dir + "/header-only.png", bytes.substr(0, 12));
    writeBytes(dir + "/empty.png", "");
    writeBytes(dir + "/text.png", "this is not an image at all");
    // A PNG header claiming 100000 x 100000 pixels must be refused before decoding.
    std::string huge = bytes;
    huge[16] = 0; huge[17] = 1; huge[18] = char(0x86); huge[19] = char(0xa0);
    huge[20] = 0; huge[21] = 1; huge[22] = char(0x86); huge[23] = char(0xa0);
    writeBytes(dir + "/huge.png", huge);
    for (const char* name : {"truncated.png", "header-only.png", "empty.png", "text.png", "huge.png", "missing.png"}) {
        logs.clear();
        auto* t = new CCTexture2D();
        EXPECT_FALSE(t->initWithImageFile(dir + "/" + name)) << name;
        EXPECT_EQ(t->getPixelsWide(), 0) << name;
        EXPECT_EQ(t->getSurface(), nullptr) << name;
        EXPECT_EQ(t->textureFor(canvas->renderer()), nullptr) << name;
        EXPECT_FALSE(logs.empty()) << name;
        if (std::string(name) == "huge.png") {
            EXPECT_TRUE(logged("100000 x 100000"));
        }
        t->release();
    }
}

TEST_F(TextureTest, EmptyAndAbsurdPixelSourcesAreRefused) {
    auto* t = new CCTexture2D();
    SDL_Surface* zero = SDL_CreateRGBSurfaceWithFormat(0, 0, 0, 32, SDL_PIXELFORMAT_RGBA32);
    EXPECT_FALSE(t->initWithSurface(zero));
    if (zero) SDL_FreeSurface(zero);
    EXPECT_FALSE(t->initWithSurface(nullptr));
    uint8_t px[4] = {1, 2, 3, 4};
    EXPECT_FALSE(t->initWithRGBA(nullptr, 1, 1));
    EXPECT_FALSE(t->initWithRGBA(px, 0, 1));
    EXPECT_FALSE(t->initWithRGBA(px, -3, 1));
    EXPECT_FALSE(t->initWithRGBA(px, 1, CCTexture2D::kMaxTextureSide + 1));
    EXPECT_FALSE(t->initAsRenderTarget(0, 10));
    EXPECT_EQ(t->getPixelsWide(), 0);
    EXPECT_TRUE(t->initWithRGBA(px, 1, 1));
    EXPECT_TRUE(near(texel(t, 0, 0), Rgba{1, 2, 3, 4}, 0));
    t->release();
}

TEST_F(TextureTest, TheGPUCopyIsMadeOncePerRendererAndFollowsNewPixels) {
    auto* t = new CCTexture2D();
    uint8_t red[4] = {255, 0, 0, 255};
    ASSERT_TRUE(t->initWithRGBA(red, 1, 1));
    SDL_Texture* first = t->textureFor(canvas->renderer());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(t->textureFor(canvas->renderer()), first);
    EXPECT_EQ(t->textureFor(nullptr), nullptr);

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

TEST_F(TextureTest, ARendererReportedGoneIsNeverServedItsOldCopy) {
    auto* t = new CCTexture2D();
    uint8_t px[4] = {9, 9, 9, 255};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    SDL_Renderer* r = canvas->renderer();
    uint64_t before = CCSDLRendererRegistry::generationOf(r);
    SDL_Texture* old = t->textureFor(r);
    ASSERT_NE(old, nullptr);
    // As if the renderer had been destroyed and a new one made at the same address.
    CCSDLRendererRegistry::rendererDestroyed(r);
    EXPECT_EQ(CCSDLRendererRegistry::liveGeneration(r), 0u);
    SDL_Texture* fresh = t->textureFor(r);
    EXPECT_NE(CCSDLRendererRegistry::generationOf(r), before);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old);
    t->release();
}

TEST_F(TextureTest, TexturesOutliveTheirRendererSafely) {
    auto* t = new CCTexture2D();
    uint8_t px[4] = {9, 9, 9, 255};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    {
        CCSoftwareCanvas shortLived(4, 4);
        ASSERT_NE(t->textureFor(shortLived.renderer()), nullptr);
    }
    // Its copy died with the renderer: switching sampling and releasing must not touch it.
    t->setAliasTexParameters();
    EXPECT_FALSE(t->isAntiAlias());
    CCSoftwareCanvas next(4, 4);
    EXPECT_NE(t->textureFor(next.renderer()), nullptr);
    t->setAntiAliasTexParameters();
    EXPECT_TRUE(t->isAntiAlias());
    t->release();
}

TEST_F(TextureTest, RenderTargetsHaveASizeButNoCPUPixels) {
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initAsRenderTarget(64, 32));
    EXPECT_TRUE(t->isRenderTarget());
    EXPECT_EQ(t->getPixelsWide(), 64);
    EXPECT_EQ(t->getPixelsHigh(), 32);
    EXPECT_EQ(t->getSurface(), nullptr);
    EXPECT_EQ(t->bytesUsed(), 64u * 32u * 4u);
    SDL_Texture* gpu = t->textureFor(canvas->renderer());
    ASSERT_NE(gpu, nullptr);
    int access = 0;
    SDL_QueryTexture(gpu, nullptr, &access, nullptr, nullptr);
    EXPECT_EQ(access, SDL_TEXTUREACCESS_TARGET);
    uint8_t px[4] = {0, 0, 0, 0};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    EXPECT_FALSE(t->isRenderTarget());
    t->release();
}
