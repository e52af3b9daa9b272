// The page turn on screen: frames of forward and backward turns read back from the headless
// host, compared with each other and with the pages drawn on their own.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>

#include "TransitionTestKit.h"
#include "support/TestSupport.h"

using namespace engine;
using namespace transitiontest;

namespace {


// Page A (outgoing): red with a cream band on top. Page B (incoming): green with a blue band.
CCScene* pageA() { return bandedPage(kRed, kCream); }
CCScene* pageB() { return bandedPage(kGreen, kBlue); }

bool isPageA(const ccColor4B& c) { return sameColour(c, kRed) || sameColour(c, kCream); }
bool isPageB(const ccColor4B& c) { return sameColour(c, kGreen) || sameColour(c, kBlue); }

// Share of the pixels in columns [x0, x1) that satisfy test.
template <typename Test>
double shareIn(const Frame& f, int x0, int x1, Test test) {
    size_t n = 0, all = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = x0; x < x1; ++x, ++all) n += test(f.at(x, y));
    return all ? double(n) / double(all) : 0;
}

class PageTurnPixels : public HostTest {
protected:
    // Shows page A, then turns to page B and stops after the given number of frames.
    Frame turn(bool backwards, int frames, bool depthTest = true) {
        director()->runWithScene(pageA());
        host->step(1);
        director()->setDepthTest(depthTest);
        if (turning) turning->release();
        turning = CCTransitionPageTurn::create(0.5f, pageB(), backwards);
        EXPECT_NE(turning, nullptr);
        turning->retain();
        director()->replaceScene(turning);
        host->step(frames);
        return frame();
    }

    // Page B with nothing else: a new copy replaces whatever runs, without a transition.
    Frame pageBAlone() {
        director()->replaceScene(pageB());
        host->step(1);
        return frame();
    }

    void TearDown() override {
        if (turning) turning->release();
        HostTest::TearDown();
    }

    CCTransitionPageTurn* turning = nullptr;
};

}  // namespace

TEST_F(PageTurnPixels, MidTurnFrameDiffersFromStartEndAndTheBackwardTurn) {
    director()->runWithScene(pageA());
    host->step(1);
    const Frame start = frame();
    const Frame forwardMid = turn(false, 15);
    host->step(16);
    const Frame end = frame();
    ASSERT_FALSE(director()->getRunningScene()->isTransitionScene());
    const Frame backwardMid = turn(true, 15);

    EXPECT_GT(forwardMid.differenceFrom(start), 0.10);
    EXPECT_GT(forwardMid.differenceFrom(end), 0.10);
    EXPECT_GT(forwardMid.differenceFrom(backwardMid), 0.10);
    EXPECT_GT(backwardMid.differenceFrom(start), 0.10);
    EXPECT_GT(backwardMid.differenceFrom(end), 0.10);
}

TEST_F(PageTurnPixels, ForwardTurnLiftsTheRightEdgeAndShowsTheShadedUnderside) {
    const Frame early = turn(false, 6);
    const int w = early.width;
    // The spine side still lies flat; the incoming page shows only where the corner lifted.
    EXPECT_EQ(shareIn(early, 0, w / 4, isPageA), 1.0);
    EXPECT_EQ(shareIn(early, 0, w / 2, isPageB), 0.0);
    EXPECT_GT(shareIn(early, 3 * w / 4, w, isPageB), 0.01);
    // Bottom-right corner first: the bottom-right pixel is page B, the top-right still page A.
    EXPECT_TRUE(isPageB(early.at(w - 1, early.height - 1)));
    EXPECT_TRUE(isPageA(early.at(w - 1, 0)));

    host->step(9);  // half way
    const Frame mid = frame();
    EXPECT_GT(mid.share(kGreen) + mid.share(kBlue), 0.15);
    EXPECT_GT(mid.share(kRed) + mid.share(kCream), 0.10);
    // The part turned over lies flat, underside up: page A's colours in the underside's shade.
    const ccColor4B shade = CCPageCurlMesh::backShade(1.f);
    auto shaded = [&shade](const ccColor4B& c) {
        return ccc4(uint8_t(c.r * shade.r / 255), uint8_t(c.g * shade.g / 255), uint8_t(c.b * shade.b / 255), 255);
    };
    const ccColor4B redBack = shaded(kRed), creamBack = shaded(kCream);
    EXPECT_GT(mid.share(redBack, 3) + mid.share(creamBack, 3), 0.02);
    EXPECT_GT(turning->getMesh().backFacingCount(), 0);
}

TEST_F(PageTurnPixels, BackwardTurnBringsTheIncomingPageInFromTheSpine) {
    const Frame early = turn(true, 8);
    const int w = early.width;
    const double leftB = shareIn(early, 0, w / 2, isPageB);
    const double rightB = shareIn(early, w / 2, w, isPageB);
    // The incoming page, still mostly turned over, shows near the spine and nowhere near the edge.
    EXPECT_GT(leftB + shareIn(early, 0, w / 2, [](const ccColor4B& c) { return !isPageA(c) && !isPageB(c); }),
              0.05);
    EXPECT_EQ(shareIn(early, 3 * w / 4, w, [](const ccColor4B& c) { return !isPageA(c); }), 0.0);
    EXPECT_GE(leftB, rightB);
    EXPECT_FLOAT_EQ(turning->getCurlAmount(), 1.f - 8.f / 30.f);

    // The turn runs the other way: page B covers more and more of the screen.
    double covered = shareIn(early, 0, w, [](const ccColor4B& c) { return !isPageA(c); });
    for (int step = 0; step < 5; ++step) {
        host->step(4);
        const Frame later = frame();
        const double now = shareIn(later, 0, w, [](const ccColor4B& c) { return !isPageA(c); });
        EXPECT_GE(now, covered) << "after " << (12 + 4 * step) << " frames";
        covered = now;
    }
}

TEST_F(PageTurnPixels, FinalFramesEqualTheIncomingPageDrawnAlone) {
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards ? "backward" : "forward");
        // The transition's own last frame, then the first frame of page B running.
        const Frame last = turn(backwards, 30);
        ASSERT_EQ(director()->getRunningScene(), turning);
        host->step(1);
        const Frame after = frame();
        ASSERT_FALSE(director()->getRunningScene()->isTransitionScene());
        const Frame alone = pageBAlone();
        EXPECT_EQ(last.differenceFrom(alone), 0.0);
        EXPECT_EQ(after.differenceFrom(alone), 0.0);
        EXPECT_EQ(alone.share(kGreen) + alone.share(kBlue), 1.0);
        turning->release();
        turning = nullptr;
    }
}

TEST_F(PageTurnPixels, EmptyPartsOfThePageStayOpaqueWhileItCurls) {
    // A page with only a small square on it: the rest is the clear colour, and the page under
    // it must not show through those empty parts.
    const ccColor4B grey = {90, 90, 90, 255};
    host->renderer()->setClearColor(grey);
    CCScene* sparse = CCScene::create();
    CCLayerColor* square = CCLayerColor::create(kRed, 100, 100);
    square->setPosition(270, 430);
    sparse->addChild(square);
    director()->runWithScene(sparse);
    host->step(1);
    turning = CCTransitionPageTurn::create(0.5f, pageB(), false);
    turning->retain();
    director()->replaceScene(turning);
    host->step(6);
    const Frame f = frame();
    EXPECT_TRUE(sameColour(f.at(2, 2), grey));
    EXPECT_TRUE(sameColour(f.at(f.width / 2, f.height / 2), kRed));
    EXPECT_EQ(shareIn(f, 0, f.width / 4, isPageB), 0.0);
    EXPECT_GT(shareIn(f, 3 * f.width / 4, f.width, isPageB), 0.01);
}

TEST_F(PageTurnPixels, DepthTestOrdersThePageBackToFront) {
    turn(false, 15, true);
    const std::vector<float> sorted = turning->getMesh().triangleDepths();
    ASSERT_GT(sorted.size(), 100u);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_GT(sorted.back(), sorted.front());  // some of the page is lifted
    turning->release();
    turning = nullptr;

    // Without the depth test the grid order stands, which is not back to front mid-turn.
    turn(false, 15, false);
    const std::vector<float>& gridOrder = turning->getMesh().triangleDepths();
    EXPECT_EQ(gridOrder.size(), sorted.size());
    EXPECT_FALSE(std::is_sorted(gridOrder.begin(), gridOrder.end()));
}

// A page covered by a picture of random texels, stretched so that texels do not fall on pixels.
CCScene* speckledPage(unsigned seed) {
    const int w = 64, h = 96;
    std::vector<uint8_t> rgba(size_t(w) * h * 4);
    for (size_t i = 0; i < rgba.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        rgba[i] = i % 4 == 3 ? 255 : uint8_t(seed >> 16);
    }
    CCTexture2D* texture = new CCTexture2D();
    EXPECT_TRUE(texture->initWithRGBA(rgba.data(), w, h));
    CCSprite* picture = CCSprite::createWithTexture(texture);
    texture->release();
    picture->setScale(10.f);
    picture->setPosition(CCPoint(320, 480));
    CCScene* scene = CCScene::create();
    scene->addChild(picture);
    return scene;
}

TEST_F(PageTurnPixels, FlatPaperAndThePageUnderneathShowTexelForTexel) {
    // The part of the outgoing page still lying flat is exactly that page as it was shown.
    director()->runWithScene(speckledPage(1));
    host->step(1);
    const Frame pageA = frame();
    turning = CCTransitionPageTurn::create(0.5f, speckledPage(2), false);
    turning->retain();
    director()->replaceScene(turning);
    host->step(6);
    const Frame early = frame();
    size_t differing = 0;
    for (int y = 0; y < early.height; ++y)
        for (int x = 0; x < early.width / 4; ++x) differing += early.at(x, y) != pageA.at(x, y);
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(early.differenceFrom(pageA), 0.01);  // the corner has lifted

    // The transition's last frame shows the page underneath alone, exactly as it then runs.
    host->step(24);
    ASSERT_EQ(director()->getRunningScene(), turning);
    const Frame last = frame();
    host->step(1);
    ASSERT_FALSE(director()->getRunningScene()->isTransitionScene());
    EXPECT_EQ(last.differenceFrom(frame()), 0.0);
}

TEST_F(PageTurnPixels, PagesAreDrawnIntoTheirTexturesOnlyWhenTheyChange) {
    CCScene* a = pageA();
    director()->runWithScene(a);
    host->step(1);
    CCScene* b = pageB();
    turning = CCTransitionPageTurn::create(0.5f, b, false);
    turning->retain();
    director()->replaceScene(turning);
    host->step(8);
    EXPECT_EQ(turning->snapshotRedraws(), 1);
    EXPECT_EQ(turning->underSnapshotRedraws(), 1);

    // The outgoing page changes colour mid-turn: its flat part shows it on the next frame.
    auto* aBackground = dynamic_cast<CCLayerColor*>(a->getChildren()->objectAtIndex(0));
    ASSERT_NE(aBackground, nullptr);
    aBackground->setColor(ccc3(kBlue.r, kBlue.g, kBlue.b));
    host->step(1);
    Frame f = frame();
    EXPECT_TRUE(sameColour(f.at(2, f.height - 3), kBlue));
    EXPECT_EQ(turning->snapshotRedraws(), 2);
    EXPECT_EQ(turning->underSnapshotRedraws(), 1);

    // The page underneath changes: the uncovered corner shows it on the next frame.
    auto* bBackground = dynamic_cast<CCLayerColor*>(b->getChildren()->objectAtIndex(0));
    ASSERT_NE(bBackground, nullptr);
    bBackground->setColor(ccc3(kCream.r, kCream.g, kCream.b));
    host->step(1);
    f = frame();
    EXPECT_TRUE(sameColour(f.at(f.width - 2, f.height - 2), kCream));
    EXPECT_EQ(turning->snapshotRedraws(), 2);
    EXPECT_EQ(turning->underSnapshotRedraws(), 2);
}

TEST_F(PageTurnPixels, OnePictureTexturePerTurn) {
    turn(false, 31);
    EXPECT_EQ(turning->snapshotTexturesMade(), 1);
}

TEST_F(PageTurnPixels, MidTurnFrameSavesAsAReadablePng) {
    const Frame mid = turn(false, 15);
    const std::string dir = testsupport::makeTempDir("quirel-pageturn");
    const std::string path = dir + "/mid-turn.png";
    ASSERT_TRUE(host->saveFrame(path));
    SDL_Surface* loaded = IMG_Load(path.c_str());
    ASSERT_NE(loaded, nullptr) << IMG_GetError();
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->w, mid.width);
    EXPECT_EQ(rgba->h, mid.height);
    Frame fromFile;
    fromFile.width = rgba->w;
    fromFile.height = rgba->h;
    for (int y = 0; y < rgba->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(rgba->pixels) + size_t(y) * size_t(rgba->pitch);
        fromFile.rgba.insert(fromFile.rgba.end(), row, row + size_t(rgba->w) * 4);
    }
    SDL_FreeSurface(rgba);
    EXPECT_EQ(fromFile.differenceFrom(mid), 0.0);
}

// --- Without a renderer that draws into textures ------------------------------------------

namespace {

// Counts how often the scene walk reaches it.
class DrawCounter : public CCNode {
public:
    void draw() override { ++draws; }
    int draws = 0;
};

}  // namespace

class TransitionWithoutTextures : public testsupport::EngineTest {};

TEST_F(TransitionWithoutTextures, PageTurnAndFlipStillWalkTheScenesAndFinish) {
    CCNullRenderer counting;
    for (CCRenderer* renderer : {static_cast<CCRenderer*>(&counting), static_cast<CCRenderer*>(nullptr)}) {
        for (int kind = 0; kind < 2; ++kind) {
            SCOPED_TRACE(kind == 0 ? "page turn" : "zoom flip");
            CCRenderer::setCurrent(renderer);
            CCScene* a = CCScene::create();
            DrawCounter* inA = new DrawCounter();
            a->addChild(inA);
            inA->release();
            CCDirector::sharedDirector()->replaceScene(a);
            frames(1);
            CCScene* b = CCScene::create();
            DrawCounter* inB = new DrawCounter();
            b->addChild(inB);
            inB->release();
            CCScene* t = kind == 0 ? static_cast<CCScene*>(CCTransitionPageTurn::create(0.5f, b, false))
                                   : CCTransitionZoomFlipY::create(0.5f, b, kCCTransitionOrientationDownOver);
            ASSERT_NE(t, nullptr);
            CCDirector::sharedDirector()->replaceScene(t);
            const int aBefore = inA->draws;
            frames(10);
            // The page turn draws both pages; the flip only the outgoing one in its first half.
            EXPECT_EQ(inA->draws - aBefore, 10);
            EXPECT_EQ(inB->draws, kind == 0 ? 10 : 0);
            frames(21);
            EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene(), b);
        }
    }
    CCRenderer::setCurrent(nullptr);
}
