// CCTexture2D: decoding, refusing bad images, render targets, and the backend slot's lifetime.
#include <fstream>

#include "RenderTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureSlot.h"
#include "engine/render/sdl/CCSDLTextureCopy.h"

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

// A backend slot that says when it goes.
class WatchedSlot : public CCTextureSlot {
public:
    explicit WatchedSlot(int* deleted) : m_deleted(deleted) {}
    ~WatchedSlot() override { ++*m_deleted; }

private:
    int* m_deleted;
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

TEST_F(TextureTest, AnOpaquePNGGainsOpaqueAlphaAndKeepsEveryColour) {
    // Saved from a surface without alpha: colour type 2 (RGB), as the book's page pictures are.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 7, 5, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            uint8_t* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 3;
            p[0] = uint8_t(37 * x + y);
            p[1] = uint8_t(255 - 29 * y);
            p[2] = uint8_t(x * y * 11);
        }
    const std::string path = dir + "/opaque.png";
    ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0);
    SDL_FreeSurface(s);
    ASSERT_EQ(fileBytes(path).at(25), 2) << "not saved as an RGB PNG";
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initWithImageFile(path));
    ASSERT_EQ(t->getPixelsWide(), 7);
    ASSERT_EQ(t->getPixelsHigh(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_TRUE(near(texel(t, x, y), Rgba{uint8_t(37 * x + y), uint8_t(255 - 29 * y), uint8_t(x * y * 11), 255}, 0))
                << x << ", " << y;
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
        EXPECT_EQ(CCSDLTextureCopy::textureFor(t, canvas->renderer()), nullptr) << name;
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

TEST_F(TextureTest, TheBackendSlotGoesWithNewPixelsAnotherSlotAndTheTexture) {
    auto* t = new CCTexture2D();
    uint8_t px[4] = {1, 2, 3, 4};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    EXPECT_EQ(t->backendSlot(), nullptr);
    int deleted = 0;
    auto* first = new WatchedSlot(&deleted);
    t->setBackendSlot(first);
    EXPECT_EQ(t->backendSlot(), first);
    t->setBackendSlot(first);  // the same again: kept
    EXPECT_EQ(deleted, 0);
    t->setAliasTexParameters();  // sampling is the backend's to follow: the slot stays
    EXPECT_EQ(deleted, 0);
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    EXPECT_EQ(deleted, 1) << "new pixels make the backend's copy stale";
    EXPECT_EQ(t->backendSlot(), nullptr);
    t->setBackendSlot(new WatchedSlot(&deleted));
    EXPECT_FALSE(t->initWithRGBA(nullptr, 1, 1));
    EXPECT_EQ(deleted, 1) << "a refused initialisation keeps the pixels and their copy";
    t->setBackendSlot(new WatchedSlot(&deleted));
    EXPECT_EQ(deleted, 2) << "a new slot replaces the old one";
    ASSERT_TRUE(t->initAsRenderTarget(8, 8));
    EXPECT_EQ(deleted, 3) << "a render target starts without a copy";
    t->setBackendSlot(new WatchedSlot(&deleted));
    t->release();
    EXPECT_EQ(deleted, 4) << "the slot goes with the texture";
}

TEST_F(TextureTest, RenderTargetsHaveASizeButNoCPUPixels) {
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initAsRenderTarget(64, 32));
    EXPECT_TRUE(t->isRenderTarget());
    EXPECT_EQ(t->getPixelsWide(), 64);
    EXPECT_EQ(t->getPixelsHigh(), 32);
    EXPECT_EQ(t->getSurface(), nullptr);
    EXPECT_EQ(t->bytesUsed(), 64u * 32u * 4u);
    SDL_Texture* gpu = CCSDLTextureCopy::textureFor(t, canvas->renderer());
    ASSERT_NE(gpu, nullptr);
    int access = 0;
    SDL_QueryTexture(gpu, nullptr, &access, nullptr, nullptr);
    EXPECT_EQ(access, SDL_TEXTUREACCESS_TARGET);
    uint8_t px[4] = {0, 0, 0, 0};
    ASSERT_TRUE(t->initWithRGBA(px, 1, 1));
    EXPECT_FALSE(t->isRenderTarget());
    t->release();
}
