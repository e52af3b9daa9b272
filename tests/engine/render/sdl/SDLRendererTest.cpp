// CCSDLRenderer on the software renderer: placement, batching, clipping, blending, targets, read-back.
#include <cmath>

#include "../RenderTestKit.h"
#include "engine/render/CCTexture2D.h"

using namespace engine;
using namespace rendertest;

namespace {

ccColor4B bytes(Rgba c) { return ccColor4B{c.r, c.g, c.b, c.a}; }

// Two triangles covering the design rectangle (x, y, w, h), mapping the whole texture.
std::vector<CCVertex> quad(float x, float y, float w, float h, Rgba c) {
    ccColor4B col = bytes(c);
    CCVertex bl{x, y, col, 0, 1}, br{x + w, y, col, 1, 1}, tl{x, y + h, col, 0, 0}, tr{x + w, y + h, col, 1, 0};
    return {bl, br, tl, tl, br, tr};
}

void drawQuad(CCRenderer* r, CCTexture2D* t, float x, float y, float w, float h, Rgba c,
              BlendMode blend = BlendMode::Alpha) {
    auto v = quad(x, y, w, h, c);
    r->drawTriangles(t, v.data(), int(v.size()), blend);
}

CCTexture2D* solidTexture(Rgba c, int w = 4, int h = 4) {
    std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
    for (size_t i = 0; i < px.size(); i += 4) {
        px[i] = c.r;
        px[i + 1] = c.g;
        px[i + 2] = c.b;
        px[i + 3] = c.a;
    }
    auto* t = new CCTexture2D();
    EXPECT_TRUE(t->initWithRGBA(px.data(), w, h));
    t->autorelease();
    return t;
}

class SDLRendererTest : public RenderTest {};

// Design 160 x 240 stretched onto 320 x 480 pixels.
class StretchedRendererTest : public RenderTest {
protected:
    StretchedRendererTest() : RenderTest(160, 240, 320, 480) {}
};

}  // namespace

TEST_F(SDLRendererTest, ClearsToBlackByDefaultAndToTheClearColourWhenSet) {
    render(nullptr);
    EXPECT_TRUE(near(pixel(0, 0), kBlack, 0));
    EXPECT_TRUE(near(pixel(319, 479), kBlack, 0));
    renderer->setClearColor(ccc4(10, 20, 30, 255));
    render(nullptr);
    EXPECT_TRUE(near(pixel(160, 240), Rgba{10, 20, 30, 255}, 0));
}

TEST_F(StretchedRendererTest, DesignPointsAreStretchedAndYFlipped) {
    renderer->beginFrame();
    // Design (10, 20)-(50, 60) is pixels x 20..100, rows 480-120=360 .. 480-40=440.
    drawQuad(renderer.get(), nullptr, 10, 20, 40, 40, kRed);
    renderer->endFrame();
    int w = 0, h = 0;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(pixel(22, 362), kRed, 0));
    EXPECT_TRUE(near(pixel(97, 437), kRed, 0));
    EXPECT_TRUE(near(pixel(17, 400), kBlack, 0));
    EXPECT_TRUE(near(pixel(103, 400), kBlack, 0));
    EXPECT_TRUE(near(pixel(60, 357), kBlack, 0));
    EXPECT_TRUE(near(pixel(60, 443), kBlack, 0));
    CCPoint p = renderer->designToPixel(CCPoint(160, 0));
    EXPECT_FLOAT_EQ(p.x, 320.f);
    EXPECT_FLOAT_EQ(p.y, 480.f);
}

TEST_F(SDLRendererTest, TexturesAreTintedByVertexColour) {
    CCTexture2D* white = solidTexture(kWhite);
    renderer->beginFrame();
    drawQuad(renderer.get(), white, 0, 0, 100, 100, Rgba{255, 128, 0, 255});
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(50, 50), Rgba{255, 128, 0, 255}));
}

TEST_F(SDLRendererTest, BlendModesMapToTheirSDLCounterparts) {
    renderer->beginFrame();
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kBlue, BlendMode::None);
    drawQuad(renderer.get(), nullptr, 0, 0, 100, 100, Rgba{255, 0, 0, 128}, BlendMode::Alpha);
    drawQuad(renderer.get(), nullptr, 200, 0, 100, 100, kRed, BlendMode::Additive);
    drawQuad(renderer.get(), nullptr, 0, 200, 100, 100, Rgba{255, 0, 0, 128}, BlendMode::None);
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    Rgba half = at(50, 50);
    EXPECT_NEAR(half.r, 128, 3);
    EXPECT_NEAR(half.b, 127, 3);
    EXPECT_TRUE(near(at(250, 50), kMagenta));
    Rgba replaced = at(50, 250);
    EXPECT_EQ(replaced.r, 255);
    EXPECT_EQ(replaced.b, 0);
}

TEST_F(SDLRendererTest, PremultipliedBlendingDrawsEvenWhereTheBackendLacksIt) {
    renderer->beginFrame();
    drawQuad(renderer.get(), nullptr, 0, 0, 100, 100, kGreen, BlendMode::PremultipliedAlpha);
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(50, 50), kGreen));
}

TEST_F(SDLRendererTest, ConsecutiveDrawsSharingTextureAndBlendAreOneCall) {
    CCTexture2D* a = solidTexture(kRed);
    CCTexture2D* b = solidTexture(kGreen);
    renderer->beginFrame();
    for (int i = 0; i < 5; ++i) drawQuad(renderer.get(), a, float(i * 20), 0, 10, 10, kWhite);
    renderer->endFrame();
    EXPECT_EQ(renderer->drawCallCount(), 1);
    EXPECT_EQ(renderer->triangleCount(), 10);

    renderer->beginFrame();
    for (int i = 0; i < 4; ++i) drawQuad(renderer.get(), i % 2 ? a : b, float(i * 20), 0, 10, 10, kWhite);
    renderer->endFrame();
    EXPECT_EQ(renderer->drawCallCount(), 4);

    renderer->beginFrame();
    drawQuad(renderer.get(), a, 0, 0, 10, 10, kWhite);
    drawQuad(renderer.get(), a, 20, 0, 10, 10, kWhite, BlendMode::Additive);
    drawQuad(renderer.get(), a, 40, 0, 10, 10, kWhite, BlendMode::Additive);
    renderer->pushClipRect(CCRect(0, 0, 320, 480));
    drawQuad(renderer.get(), a, 60, 0, 10, 10, kWhite, BlendMode::Additive);
    renderer->popClipRect();
    renderer->endFrame();
    EXPECT_EQ(renderer->drawCallCount(), 3);

    // The batched pixels are all there.
    int w, h;
    renderer->beginFrame();
    for (int i = 0; i < 5; ++i) drawQuad(renderer.get(), a, float(i * 20), 0, 10, 10, kWhite);
    renderer->endFrame();
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(near(at(float(i * 20) + 5, 5), kRed)) << "quad " << i;
    EXPECT_TRUE(near(at(15, 5), kBlack));
}

TEST_F(SDLRendererTest, ClipRectanglesIntersectAndRestoreOnPop) {
    renderer->beginFrame();
    renderer->pushClipRect(CCRect(50, 50, 100, 100));
    renderer->pushClipRect(CCRect(100, 100, 100, 100));
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kRed);  // shows in (100..150, 100..150) only
    renderer->popClipRect();
    drawQuad(renderer.get(), nullptr, 0, 0, 60, 60, kGreen);  // shows in (50..60, 50..60) only
    renderer->popClipRect();
    drawQuad(renderer.get(), nullptr, 300, 400, 20, 80, kBlue);  // unclipped again
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(102, 102), kRed));
    EXPECT_TRUE(near(at(148, 148), kRed));
    EXPECT_TRUE(near(at(152, 125), kBlack));
    EXPECT_TRUE(near(at(125, 152), kBlack));
    EXPECT_TRUE(near(at(98, 125), kBlack));
    EXPECT_TRUE(near(at(55, 55), kGreen));
    EXPECT_TRUE(near(at(45, 55), kBlack));
    EXPECT_TRUE(near(at(310, 470), kBlue));
}

TEST_F(SDLRendererTest, DisjointClipsDrawNothingAndStrayPopsAreHarmless) {
    renderer->beginFrame();
    renderer->pushClipRect(CCRect(0, 0, 50, 50));
    renderer->pushClipRect(CCRect(100, 100, 50, 50));
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kRed);
    renderer->popClipRect();
    renderer->popClipRect();
    renderer->popClipRect();
    renderer->endFrame();
    EXPECT_TRUE(logged("popClipRect without"));
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(25, 25), kBlack));
    EXPECT_TRUE(near(at(125, 125), kBlack));
}

TEST_F(SDLRendererTest, AFrameLeftUnbalancedIsRepairedAtItsEnd) {
    renderer->beginFrame();
    renderer->pushClipRect(CCRect(0, 0, 10, 10));
    renderer->endFrame();
    EXPECT_TRUE(logged("clip rectangle"));
    renderer->beginFrame();
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kRed);
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(200, 300), kRed));
}

TEST_F(SDLRendererTest, BadVerticesAreDroppedWithoutLosingTheirNeighbours) {
    CCTexture2D* t = solidTexture(kGreen);
    std::vector<CCVertex> v = quad(0, 0, 100, 100, kWhite);
    // u and v far outside 0..1 would make SDL refuse the whole call.
    for (CCVertex& x : v) x.u *= 3.f;
    std::vector<CCVertex> bad = quad(200, 0, 50, 50, kWhite);
    bad[0].x = std::nanf("");
    bad[4].y = 1e30f;
    v.insert(v.end(), bad.begin(), bad.end());
    renderer->beginFrame();
    renderer->drawTriangles(t, v.data(), int(v.size()), BlendMode::Alpha);
    renderer->drawTriangles(t, v.data(), 2, BlendMode::Alpha);        // not even one triangle
    renderer->drawTriangles(t, nullptr, 6, BlendMode::Alpha);         // no vertices
    renderer->endFrame();
    EXPECT_EQ(renderer->triangleCount(), 2);
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(50, 50), kGreen));
    EXPECT_TRUE(near(at(225, 25), kBlack));
}

TEST_F(SDLRendererTest, ASceneDrawnIntoATargetCanBeDrawnAgainAsATexture) {
    auto* target = new CCTexture2D();
    ASSERT_TRUE(target->initAsRenderTarget(320, 480));
    renderer->beginFrame();
    ASSERT_TRUE(renderer->pushRenderTarget(target));
    EXPECT_EQ(renderer->renderTargetDepth(), 1);
    drawQuad(renderer.get(), nullptr, 0, 0, 160, 480, kRed);   // left half of the target
    drawQuad(renderer.get(), nullptr, 160, 0, 160, 480, kBlue);
    int w = 0, h = 0;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_EQ(w, 320);
    EXPECT_TRUE(near(at(80, 240), kRed));
    renderer->popRenderTarget();
    EXPECT_EQ(renderer->renderTargetDepth(), 0);
    // The target drawn into the right half of the screen, squeezed to half its width.
    drawQuad(renderer.get(), target, 160, 0, 160, 480, kWhite);
    renderer->endFrame();
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(80, 240), kBlack));
    EXPECT_TRUE(near(at(200, 240), kRed));
    EXPECT_TRUE(near(at(280, 240), kBlue));
    target->release();
}

TEST_F(SDLRendererTest, ClipsInsideATargetAreItsOwn) {
    auto* target = new CCTexture2D();
    ASSERT_TRUE(target->initAsRenderTarget(320, 480));
    renderer->beginFrame();
    renderer->pushClipRect(CCRect(0, 0, 10, 10));
    ASSERT_TRUE(renderer->pushRenderTarget(target));
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kGreen);  // the outer clip must not apply
    renderer->popRenderTarget();
    renderer->popClipRect();
    drawQuad(renderer.get(), target, 0, 0, 320, 480, kWhite);
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(200, 300), kGreen));
    target->release();
}

TEST_F(SDLRendererTest, UnusableTargetsAreRefused) {
    CCTexture2D* plain = solidTexture(kRed);
    renderer->beginFrame();
    EXPECT_FALSE(renderer->pushRenderTarget(plain));
    EXPECT_FALSE(renderer->pushRenderTarget(static_cast<CCTexture2D*>(nullptr)));
    EXPECT_FALSE(renderer->pushRenderTarget(static_cast<SDL_Texture*>(nullptr)));
    EXPECT_EQ(renderer->renderTargetDepth(), 0);
    auto* target = new CCTexture2D();
    ASSERT_TRUE(target->initAsRenderTarget(64, 64));
    ASSERT_TRUE(renderer->pushRenderTarget(target));
    EXPECT_FALSE(renderer->pushRenderTarget(target));
    drawQuad(renderer.get(), target, 0, 0, 10, 10, kWhite);  // into itself: refused
    EXPECT_TRUE(logged("into itself"));
    renderer->popRenderTarget();
    renderer->popRenderTarget();
    EXPECT_TRUE(logged("popRenderTarget without"));
    renderer->endFrame();
    target->release();
}

TEST_F(SDLRendererTest, ABareSDLTargetTextureCanBeDrawnInto) {
    SDL_Texture* bare = SDL_CreateTexture(canvas->renderer(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 32, 48);
    ASSERT_NE(bare, nullptr);
    renderer->beginFrame();
    ASSERT_TRUE(renderer->pushRenderTarget(bare));
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kYellow);
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 48);
    EXPECT_TRUE(near(Rgba{pixels[0], pixels[1], pixels[2], pixels[3]}, kYellow));
    renderer->popRenderTarget();
    renderer->endFrame();
    SDL_DestroyTexture(bare);
}

TEST_F(SDLRendererTest, ScreenshotsAreWrittenAsPNG) {
    renderer->beginFrame();
    drawQuad(renderer.get(), nullptr, 0, 0, 40, 40, kCyan);
    renderer->endFrame();
    std::string path = dir + "/shot.png";
    ASSERT_TRUE(renderer->savePNG(path));
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->w, 320);
    EXPECT_EQ(rgba->h, 480);
    auto* px = static_cast<uint8_t*>(rgba->pixels);
    const uint8_t* bottomLeft = px + size_t(470) * size_t(rgba->pitch) + 10 * 4;
    EXPECT_TRUE(near(Rgba{bottomLeft[0], bottomLeft[1], bottomLeft[2], bottomLeft[3]}, kCyan));
    const uint8_t* topLeft = px + 10 * 4;
    EXPECT_TRUE(near(Rgba{topLeft[0], topLeft[1], topLeft[2], topLeft[3]}, kBlack));
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(loaded);
    EXPECT_FALSE(renderer->savePNG(dir + "/no/such/folder/shot.png"));
}

TEST_F(SDLRendererTest, ChangingTheOutputSizeRescalesTheDesignArea) {
    renderer->setOutputSize(160, 240);  // the canvas stays 320 x 480: the frame fills its top-left quarter
    renderer->beginFrame();
    drawQuad(renderer.get(), nullptr, 0, 0, 320, 480, kRed);
    renderer->endFrame();
    renderer->setOutputSize(320, 480);
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(pixel(100, 100), kRed));
    EXPECT_TRUE(near(pixel(200, 100), kBlack));
    EXPECT_TRUE(near(pixel(100, 300), kBlack));
    renderer->setOutputSize(0, -5);
    EXPECT_TRUE(logged("ignored"));
    EXPECT_EQ(renderer->getOutputWidth(), 320);
}

// The software backend blits axis-aligned quads; what it cannot blit must still come out right.
TEST_F(SDLRendererTest, AQuarterTurnedMappingDrawsTurned) {
    // 64 x 64: red top left, green top right, blue bottom left, yellow bottom right.
    std::vector<uint8_t> px(64 * 64 * 4);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            Rgba c = y < 32 ? (x < 32 ? kRed : kGreen) : (x < 32 ? kBlue : kYellow);
            uint8_t* p = &px[size_t(y * 64 + x) * 4];
            p[0] = c.r; p[1] = c.g; p[2] = c.b; p[3] = c.a;
        }
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initWithRGBA(px.data(), 64, 64));
    // Screen corners take the texture turned a quarter clockwise: the texture's bottom-left
    // corner shows at the top left.
    ccColor4B w = bytes(kWhite);
    CCVertex bl{100, 100, w, 1, 1}, br{164, 100, w, 1, 0}, tl{100, 164, w, 0, 1}, tr{164, 164, w, 0, 0};
    CCVertex v[6] = {bl, br, tl, tl, br, tr};
    renderer->beginFrame();
    renderer->drawTriangles(t, v, 6, BlendMode::Alpha);
    renderer->endFrame();
    int pw, ph;
    ASSERT_TRUE(renderer->readPixels(pixels, pw, ph));
    EXPECT_TRUE(near(at(116, 148), kBlue));
    EXPECT_TRUE(near(at(148, 148), kRed));
    EXPECT_TRUE(near(at(116, 116), kYellow));
    EXPECT_TRUE(near(at(148, 116), kGreen));
    t->release();
}

TEST_F(SDLRendererTest, AHugelyStretchedTextureCutByAClipStillShows) {
    CCTexture2D* red = solidTexture(kRed, 1, 1);
    renderer->beginFrame();
    renderer->pushClipRect(CCRect(100, 100, 50, 50));
    drawQuad(renderer.get(), red, 0, 0, 320, 480, kWhite);
    renderer->popClipRect();
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    EXPECT_TRUE(near(at(125, 125), kRed));
    EXPECT_TRUE(near(at(95, 125), kBlack));
    EXPECT_TRUE(near(at(125, 155), kBlack));
}

TEST_F(SDLRendererTest, AnImageAtItsOwnSizeIsCutExactlyByAClip) {
    std::vector<uint8_t> px(8 * 1 * 4);
    for (int x = 0; x < 8; ++x) {
        px[size_t(x) * 4] = uint8_t(x * 30);
        px[size_t(x) * 4 + 3] = 255;
    }
    auto* t = new CCTexture2D();
    ASSERT_TRUE(t->initWithRGBA(px.data(), 8, 1));
    renderer->beginFrame();
    renderer->pushClipRect(CCRect(103, 0, 10, 480));
    drawQuad(renderer.get(), t, 100, 10, 8, 1, kWhite);
    renderer->popClipRect();
    renderer->endFrame();
    int w, h;
    ASSERT_TRUE(renderer->readPixels(pixels, w, h));
    int row = 480 - 11;
    EXPECT_EQ(pixel(102, row).r, 0);
    EXPECT_EQ(pixel(102, row).g, 0);
    for (int x = 3; x < 8; ++x) EXPECT_EQ(pixel(100 + x, row).r, x * 30) << "texel " << x;
    t->release();
}
