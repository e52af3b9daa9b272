// Frames that would show the picture already on the output are left out: a still scene draws
// once, and every kind of change to what nodes draw shows on the very next frame.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include <SDL.h>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

constexpr int kSide = 200;
const ccColor4B kRed = {255, 0, 0, 255}, kGreen = {0, 255, 0, 255}, kBlue = {0, 0, 255, 255},
                kWhite = {255, 255, 255, 255}, kYellow = {255, 255, 0, 255}, kCyan = {0, 255, 255, 255},
                kBlack = {0, 0, 0, 255};

class StillFrame : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setLogQuiet(true);
        host = std::make_unique<CCHeadlessHost>(kSide, kSide, false);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(kSide, kSide, kResolutionExactFit);
        ASSERT_TRUE(host->isReady());
        scene = CCScene::create();
        CCDirector::sharedDirector()->runWithScene(scene);
    }

    void TearDown() override {
        host.reset();
        CCTextureCache::purgeSharedTextureCache();
        CCEGLView::purgeSharedOpenGLView();
        setLogQuiet(false);
        EngineTest::TearDown();
    }

    unsigned long drawn() const { return host->renderer()->framesDrawn(); }

    static CCTexture2D* solid(int w, int h, ccColor4B c) {
        std::vector<ccColor4B> pixels(size_t(w) * size_t(h), c);
        auto* t = new CCTexture2D();
        t->initWithRGBA(pixels.data(), w, h);
        t->autorelease();
        return t;
    }

    CCLayerColor* box(ccColor4B c, float x, float y, float side = 20) {
        CCLayerColor* l = CCLayerColor::create(c, side, side);
        l->setPosition(CCPoint(x, y));
        scene->addChild(l);
        return l;
    }

    CCSprite* sprite(CCTexture2D* t, float x, float y) {
        CCSprite* s = CCSprite::createWithTexture(t);
        s->setPosition(CCPoint(x, y));
        scene->addChild(s);
        return s;
    }

    static bool same(ccColor4B a, ccColor4B b) {
        return std::abs(a.r - b.r) <= 3 && std::abs(a.g - b.g) <= 3 && std::abs(a.b - b.b) <= 3;
    }

    // Applies the change, steps one frame and expects it drawn, the probe showing colour, and
    // the frames after it left out again.
    void expectShown(const char* what, const std::function<void()>& change, float x, float y, ccColor4B colour) {
        SCOPED_TRACE(what);
        const unsigned long before = drawn();
        change();
        host->step(1);
        EXPECT_EQ(drawn(), before + 1) << "the change was not drawn on the next frame";
        const ccColor4B got = host->pixelAt(x, y);
        EXPECT_TRUE(same(got, colour)) << "probe shows (" << int(got.r) << ", " << int(got.g) << ", "
                                       << int(got.b) << ")";
        host->step(3);
        EXPECT_EQ(drawn(), before + 1) << "a still picture was drawn again";
    }

    // Lit pixels in a design rectangle of the last drawn frame.
    int litPixels(float x0, float y0, float x1, float y1) {
        int n = 0;
        for (float y = y0; y < y1; y += 1)
            for (float x = x0; x < x1; x += 1) {
                const ccColor4B c = host->pixelAt(x + 0.5f, y + 0.5f);
                n += c.r + c.g + c.b > 384;
            }
        return n;
    }

    std::unique_ptr<CCHeadlessHost> host;
    CCScene* scene = nullptr;
};

}  // namespace

TEST_F(StillFrame, AStillSceneIsDrawnOnceAndItsPixelsStay) {
    box(kRed, 10, 10);
    host->step(1);
    EXPECT_EQ(drawn(), 1u);
    host->step(60);
    EXPECT_EQ(drawn(), 1u) << "frames showing the same picture were drawn";
    EXPECT_EQ(CCDirector::sharedDirector()->getTotalFrames(), 61u) << "the director stopped stepping";
    EXPECT_TRUE(same(host->pixelAt(15, 15), kRed));
    EXPECT_TRUE(same(host->pixelAt(50, 50), kBlack));

    // A running action changes the picture every frame; once it ends the frames stop again.
    CCNode* moving = box(kGreen, 100, 100);
    moving->runAction(CCMoveBy::create(10 * CCHeadlessHost::kFrame, CCPoint(50, 0)));
    host->step(10);
    EXPECT_EQ(drawn(), 11u);
    host->step(10);
    EXPECT_LE(drawn(), 12u);
    EXPECT_TRUE(same(host->pixelAt(155, 105), kGreen));
}

TEST_F(StillFrame, EveryKindOfChangeShowsOnTheNextFrame) {
    CCLayerColor* moved = box(kRed, 10, 10);
    CCSprite* turned = sprite(solid(40, 10, kGreen), 100, 170);
    CCSprite* scaled = sprite(solid(10, 10, kBlue), 170, 170);
    CCLayerColor* hidden = box(kWhite, 10, 60);
    CCLayerColor* tinted = box(kWhite, 40, 60);
    CCLayerColor* faded = box(kWhite, 70, 60);
    CCTexture2D* blue = solid(10, 10, kBlue);
    blue->retain();  // kept past the frames' autorelease pools until the sprite takes it
    CCSprite* retextured = sprite(solid(10, 10, kRed), 105, 65);
    CCLayerColor* below = box(kRed, 40, 110);
    CCLayerColor* above = box(kGreen, 40, 110);
    above->setZOrder(1);
    CCLabelTTF* label = CCLabelTTF::create("", "Arial", 20);
    label->setPosition(CCPoint(170, 115));
    scene->addChild(label);
    CCLayerColor* stencil = CCLayerColor::create(kWhite, 10, 10);
    stencil->setPosition(CCPoint(100, 100));
    CCClippingNode* clipper = CCClippingNode::create(stencil);
    scene->addChild(clipper);
    CCLayerColor* clipped = CCLayerColor::create(kYellow, 30, 30);
    clipped->setPosition(CCPoint(100, 100));
    clipper->addChild(clipped);
    host->step(1);
    ASSERT_EQ(drawn(), 1u);
    ASSERT_TRUE(same(host->pixelAt(15, 15), kRed));
    ASSERT_TRUE(same(host->pixelAt(115, 115), kBlack));

    expectShown("position", [&] { moved->setPosition(CCPoint(40, 10)); }, 45, 15, kRed);
    EXPECT_TRUE(same(host->pixelAt(15, 15), kBlack));
    expectShown("rotation", [&] { turned->setRotation(90); }, 100, 185, kGreen);
    expectShown("scale", [&] { scaled->setScale(3); }, 181, 181, kBlue);
    expectShown("visibility", [&] { hidden->setVisible(false); }, 15, 65, kBlack);
    expectShown("colour", [&] { tinted->setColor(ccc3(255, 0, 255)); }, 45, 65, ccColor4B{255, 0, 255, 255});
    expectShown("opacity", [&] { faded->setOpacity(0); }, 75, 65, kBlack);
    expectShown("texture", [&] { retextured->setTexture(blue); }, 105, 65, kBlue);
    const std::vector<ccColor4B> yellow(100, kYellow);
    expectShown("texture pixels", [&] { blue->initWithRGBA(yellow.data(), 10, 10); }, 105, 65, kYellow);
    blue->release();
    expectShown("child added", [&] { box(kCyan, 10, 110); }, 15, 115, kCyan);
    expectShown("order", [&] { scene->reorderChild(below, 2); }, 45, 115, kRed);
    expectShown("child removed", [&] { scene->removeChild(below, true); }, 45, 115, kGreen);
    expectShown("clip", [&] { stencil->setContentSize(CCSize(30, 30)); }, 115, 115, kYellow);

    const int blank = litPixels(140, 100, 200, 130);
    expectShown("label text", [&] { label->setString("WW"); }, 5, 195, kBlack);
    EXPECT_GT(litPixels(140, 100, 200, 130), blank + 20) << "the label's new text is not on screen";
}

TEST_F(StillFrame, AnInvalidatedOrRemappedOutputIsDrawnAgain) {
    box(kRed, 40, 10);
    host->step(1);
    ASSERT_EQ(drawn(), 1u);
    // The window system lost the window's contents (an expose): the same picture is drawn anew.
    SDL_Renderer* sdl = host->renderer()->sdlRenderer();
    SDL_SetRenderDrawColor(sdl, 0, 0, 255, 255);
    SDL_RenderClear(sdl);
    expectShown("expose", [&] { host->renderer()->invalidateOutput(); }, 45, 15, kRed);
    EXPECT_TRUE(same(host->pixelAt(150, 150), kBlack));
    // A new mapping of the design area onto the pixels (a resize) moves every pixel.
    expectShown("resize", [&] { CCEGLView::sharedOpenGLView()->setDesignResolutionSize(400, 400, kResolutionExactFit); },
                45, 15, kRed);
    EXPECT_TRUE(same(host->pixelAt(25, 15), kBlack));
}
