// The texture loader given a folder instead of an image: a refusal, never an exception.
#include <filesystem>

#include "RenderTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "support/TestSupport.h"

using namespace engine;
using namespace rendertest;

TEST_F(RenderTest, AFolderIsRefusedAsAnImage) {
    std::filesystem::create_directories(dir + "/pictures.png");
    auto* t = new CCTexture2D();
    bool ok = true;
    ASSERT_NO_THROW(ok = t->initWithImageFile(dir + "/pictures.png"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(t->getPixelsWide(), 0);
    t->release();
    ASSERT_NO_THROW(EXPECT_EQ(CCTextureCache::sharedTextureCache()->addImage((dir + "/").c_str()), nullptr));
}

// The image fuzz target found SDL_image's SVG decoder leaking on a damaged file that starts
// like an SVG; books hold PNG and JPEG only, so nothing else reaches a decoder.
TEST_F(RenderTest, OnlyPngAndJpegReachADecoder) {
    const unsigned char svgLike[] = {0x3c, 0x73, 0x76, 0x67, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x08, 0x00, 0x0d, 0x49,
                                     0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x14, 0x08, 0x06,
                                     0x00, 0x00, 0xba, 0x87, 0x00, 0x00, 0xc0, 0x60, 0x00, 0x00, 0x00, 0x8d, 0x89,
                                     0x1d, 0x0d, 0x00, 0x43, 0x43, 0x43, 0x43, 0x43, 0x43, 0x43, 0x00, 0x00, 0x89,
                                     0x22, 0x89, 0x50, 0x50, 0x4e};
    testsupport::writeFile(dir + "/damaged.png", std::string(reinterpret_cast<const char*>(svgLike), sizeof svgLike));
    testsupport::writeFile(dir + "/drawing.svg",
                           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"><rect width=\"4\" "
                           "height=\"4\" fill=\"red\"/></svg>");
    for (const char* name : {"/damaged.png", "/drawing.svg"}) {
        auto* t = new CCTexture2D();
        EXPECT_FALSE(t->initWithImageFile(dir + name)) << name;
        t->release();
    }
    // A real PNG still decodes.
    std::string png = testsupport::writePng(dir + "/ok.png", 2, 2, [](int, int) { return ccc4(1, 2, 3, 255); });
    auto* t = new CCTexture2D();
    EXPECT_TRUE(t->initWithImageFile(png));
    EXPECT_EQ(t->getPixelsWide(), 2);
    t->release();
}
