// CCSprite drawn headless: where its corners land, how it is tinted, cut, flipped and re-initialised.
#include "SpriteTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCSpriteFrame.h"

using namespace engine;
using namespace rendertest;
using spritetest::quadrant;

namespace {

class SpriteTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        writePNG("quad.png", 40, 20, quadrant);
        root = CCNode::create();
        root->retain();
    }
    void TearDown() override {
        safeRelease(root);
        RenderTest::TearDown();
    }

    CCSprite* addQuadSprite(float x, float y) {
        CCSprite* s = CCSprite::create("quad.png");
        s->setPosition(CCPoint(x, y));
        root->addChild(s);
        return s;
    }

    // The four quadrant centres of a 40 x 20 sprite whose box spans (x0, y0)-(x0+40, y0+20).
    void expectUpright(float x0, float y0) {
        EXPECT_TRUE(near(at(x0 + 10, y0 + 15), kRed)) << "top left";
        EXPECT_TRUE(near(at(x0 + 30, y0 + 15), kGreen)) << "top right";
        EXPECT_TRUE(near(at(x0 + 10, y0 + 5), kBlue)) << "bottom left";
        EXPECT_TRUE(near(at(x0 + 30, y0 + 5), kYellow)) << "bottom right";
        EXPECT_TRUE(near(at(x0 - 2, y0 + 10), kBlack)) << "left of the box";
        EXPECT_TRUE(near(at(x0 + 42, y0 + 10), kBlack)) << "right of the box";
        EXPECT_TRUE(near(at(x0 + 20, y0 + 22), kBlack)) << "above the box";
        EXPECT_TRUE(near(at(x0 + 20, y0 - 2), kBlack)) << "below the box";
    }

    CCNode* root = nullptr;
};

}  // namespace

TEST_F(SpriteTest, ItsContentSizeIsTheImageAndItsAnchorTheCentre) {
    CCSprite* s = addQuadSprite(100, 200);
    EXPECT_EQ(s->getContentSize(), CCSize(40, 20));
    EXPECT_EQ(s->getTextureRect(), CCRect(0, 0, 40, 20));
    EXPECT_EQ(s->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    ASSERT_NE(s->getTexture(), nullptr);
    render(root);
    expectUpright(80, 190);
}

TEST_F(SpriteTest, AnchorPointLandsOnThePosition) {
    CCSprite* s = addQuadSprite(100, 200);
    s->setAnchorPoint(CCPoint(0, 0));
    render(root);
    expectUpright(100, 200);
    s->setAnchorPoint(CCPoint(1, 1));
    render(root);
    expectUpright(60, 180);
}

TEST_F(SpriteTest, ScaleGrowsItAroundTheAnchor) {
    CCSprite* s = addQuadSprite(100, 200);
    s->setScale(2);
    render(root);
    // Box (60, 180)-(140, 220).
    EXPECT_TRUE(near(at(70, 215), kRed));
    EXPECT_TRUE(near(at(135, 215), kGreen));
    EXPECT_TRUE(near(at(65, 185), kBlue));
    EXPECT_TRUE(near(at(135, 185), kYellow));
    EXPECT_TRUE(near(at(57, 200), kBlack));
    EXPECT_TRUE(near(at(143, 200), kBlack));
    EXPECT_TRUE(near(at(100, 223), kBlack));
    EXPECT_TRUE(near(at(100, 177), kBlack));
}

TEST_F(SpriteTest, RotationIsClockwiseInDegrees) {
    CCSprite* s = addQuadSprite(100, 200);
    s->setRotation(90);
    render(root);
    // Turned a quarter clockwise the box is 20 wide and 40 high: (90, 180)-(110, 220); the
    // top-left quadrant goes to the top right.
    EXPECT_TRUE(near(at(105, 210), kRed));
    EXPECT_TRUE(near(at(105, 190), kGreen));
    EXPECT_TRUE(near(at(95, 210), kBlue));
    EXPECT_TRUE(near(at(95, 190), kYellow));
    EXPECT_TRUE(near(at(87, 200), kBlack));
    EXPECT_TRUE(near(at(113, 200), kBlack));
    EXPECT_TRUE(near(at(100, 223), kBlack));
}

TEST_F(SpriteTest, ParentTransformsCompose) {
    CCNode* parent = CCNode::create();
    parent->setPosition(CCPoint(50, 60));
    parent->setScale(0.5f);
    root->addChild(parent);
    CCSprite* s = CCSprite::create("quad.png");
    s->setAnchorPoint(CCPoint(0, 0));
    s->setPosition(CCPoint(100, 100));
    s->setScale(4);
    parent->addChild(s);
    render(root);
    // Node (100, 100) in the parent is world (100, 110); 40 x 20 at scale 2 overall.
    EXPECT_TRUE(near(at(120, 140), kRed));
    EXPECT_TRUE(near(at(170, 140), kGreen));
    EXPECT_TRUE(near(at(120, 120), kBlue));
    EXPECT_TRUE(near(at(170, 120), kYellow));
    EXPECT_TRUE(near(at(183, 130), kBlack));
}

TEST_F(SpriteTest, FlipsMirrorTheImageInPlace) {
    CCSprite* s = addQuadSprite(100, 200);
    s->setFlipX(true);
    EXPECT_TRUE(s->isFlipX());
    render(root);
    EXPECT_TRUE(near(at(90, 205), kGreen));
    EXPECT_TRUE(near(at(110, 205), kRed));
    EXPECT_TRUE(near(at(90, 195), kYellow));
    EXPECT_TRUE(near(at(110, 195), kBlue));
    s->setFlipX(false);
    s->setFlipY(true);
    EXPECT_TRUE(s->isFlipY());
    render(root);
    EXPECT_TRUE(near(at(90, 205), kBlue));
    EXPECT_TRUE(near(at(110, 205), kYellow));
    EXPECT_TRUE(near(at(90, 195), kRed));
    EXPECT_TRUE(near(at(110, 195), kGreen));
}

TEST_F(SpriteTest, ColourAndOpacityTintTheImage) {
    writeSolidPNG("white.png", 20, 20, kWhite);
    CCSprite* s = CCSprite::create("white.png");
    s->setPosition(CCPoint(50, 50));
    root->addChild(s);
    s->setColor(ccc3(255, 128, 0));
    render(root);
    EXPECT_TRUE(near(at(50, 50), Rgba{255, 128, 0, 255}));
    s->setOpacity(128);
    render(root);
    Rgba faded = at(50, 50);  // over the black clear colour
    EXPECT_NEAR(faded.r, 128, 3);
    EXPECT_NEAR(faded.g, 64, 3);
    EXPECT_EQ(faded.b, 0);
}

TEST_F(SpriteTest, ColourAndOpacityCascadeFromAnRGBAParent) {
    writeSolidPNG("white.png", 20, 20, kWhite);
    CCNodeRGBA* parent = CCNodeRGBA::create();
    parent->setCascadeColorEnabled(true);
    parent->setCascadeOpacityEnabled(true);
    root->addChild(parent);
    CCSprite* s = CCSprite::create("white.png");
    s->setPosition(CCPoint(50, 50));
    parent->addChild(s);
    parent->setColor(ccc3(0, 255, 255));
    render(root);
    EXPECT_TRUE(near(at(50, 50), kCyan));
    parent->setOpacity(0);
    render(root);
    EXPECT_TRUE(near(at(50, 50), kBlack));
}

TEST_F(SpriteTest, ATextureRectangleShowsThatPartOnly) {
    CCSprite* s = CCSprite::create("quad.png", CCRect(20, 0, 20, 10));  // the green quadrant
    s->setAnchorPoint(CCPoint(0, 0));
    s->setPosition(CCPoint(10, 10));
    root->addChild(s);
    EXPECT_EQ(s->getContentSize(), CCSize(20, 10));
    render(root);
    EXPECT_TRUE(near(at(12, 12), kGreen));
    EXPECT_TRUE(near(at(28, 18), kGreen));
    EXPECT_TRUE(near(at(32, 15), kBlack));
    s->setTextureRect(CCRect(0, 10, 40, 10));  // both bottom quadrants
    EXPECT_EQ(s->getContentSize(), CCSize(40, 10));
    render(root);
    EXPECT_TRUE(near(at(20, 15), kBlue));
    EXPECT_TRUE(near(at(40, 15), kYellow));
}

TEST_F(SpriteTest, MissingImagesGiveEmptySpritesAndALogLine) {
    CCSprite* s = CCSprite::create("no-such-image.png");
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(logged("no-such-image.png"));
    EXPECT_EQ(s->getTexture(), nullptr);
    EXPECT_EQ(s->getContentSize(), CCSize(0, 0));
    s->setPosition(CCPoint(100, 100));
    s->setScale(50);
    root->addChild(s);
    CCSprite* r = CCSprite::create("no-such-image.png", CCRect(0, 0, 30, 30));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->getContentSize(), CCSize(0, 0));
    root->addChild(r);
    render(root);
    EXPECT_EQ(renderer->triangleCount(), 0);
    EXPECT_TRUE(near(at(100, 100), kBlack));
    EXPECT_NE(CCSprite::create(""), nullptr);
    EXPECT_NE(CCSprite::create(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_NE(CCSprite::createWithSpriteFrame(nullptr), nullptr);
}

TEST_F(SpriteTest, AFailedReinitialisationKeepsTheOldImage) {
    CCSprite* s = addQuadSprite(100, 200);
    EXPECT_FALSE(s->initWithFile("gone.png"));
    EXPECT_EQ(s->getContentSize(), CCSize(40, 20));
    render(root);
    expectUpright(80, 190);
}

TEST_F(SpriteTest, ReinitialisingResetsAnchorAndFlipsButKeepsPosition) {
    writeSolidPNG("small.png", 10, 10, kGreen);
    CCSprite* s = addQuadSprite(100, 200);
    s->setAnchorPoint(CCPoint(0, 0));
    s->setFlipX(true);
    s->setColor(ccRED);
    ASSERT_TRUE(s->initWithFile("small.png"));
    EXPECT_EQ(s->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    EXPECT_FALSE(s->isFlipX());
    EXPECT_EQ(s->getPosition(), CCPoint(100, 200));
    EXPECT_EQ(s->getContentSize(), CCSize(10, 10));
    EXPECT_EQ(s->getColor(), ccWHITE);
    render(root);
    EXPECT_TRUE(near(at(100, 200), kGreen));
    EXPECT_TRUE(near(at(108, 200), kBlack));
}

TEST_F(SpriteTest, AnEmptySpriteTakesAWholeTextureWhenGivenOne) {
    CCSprite* s = CCSprite::create();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getContentSize(), CCSize(0, 0));
    s->setAnchorPoint(CCPoint(0, 0));
    s->setPosition(CCPoint(80, 190));
    root->addChild(s);
    render(root);
    EXPECT_EQ(renderer->triangleCount(), 0);
    CCTexture2D* t = CCTextureCache::sharedTextureCache()->addImage("quad.png");
    s->setTexture(t);
    EXPECT_EQ(s->getTexture(), t);
    EXPECT_EQ(s->getContentSize(), CCSize(40, 20));
    render(root);
    expectUpright(80, 190);
}

TEST_F(SpriteTest, TheDisplayedFrameRoundTrips) {
    CCSprite* s = addQuadSprite(100, 200);
    CCTexture2D* t = s->getTexture();
    CCSpriteFrame* green = CCSpriteFrame::createWithTexture(t, CCRect(20, 0, 20, 10));
    EXPECT_FALSE(s->isFrameDisplayed(green));
    s->setDisplayFrame(green);
    EXPECT_TRUE(s->isFrameDisplayed(green));
    EXPECT_EQ(s->getContentSize(), CCSize(20, 10));
    CCSpriteFrame* shown = s->displayFrame();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->getRect(), green->getRect());
    EXPECT_EQ(shown->getTexture(), t);
    EXPECT_EQ(shown->getOriginalSize(), CCSize(20, 10));
    render(root);
    EXPECT_TRUE(near(at(100, 200), kGreen));
    EXPECT_TRUE(near(at(112, 200), kBlack));
    s->setDisplayFrame(nullptr);
    EXPECT_TRUE(logged("setDisplayFrame"));
    EXPECT_TRUE(s->isFrameDisplayed(green));
}

TEST_F(SpriteTest, ATextureWithoutPixelsDrawsNothing) {
    auto* t = new CCTexture2D();  // never initialised
    CCSprite* s = CCSprite::createWithTexture(t, CCRect(0, 0, 20, 20));
    s->setPosition(CCPoint(50, 50));
    root->addChild(s);
    render(root);
    EXPECT_TRUE(near(at(50, 50), kBlack));
    t->release();
}

TEST_F(SpriteTest, UnusableRectanglesBecomeEmpty) {
    CCSprite* s = addQuadSprite(100, 200);
    s->setTextureRect(CCRect(0, 0, std::nanf(""), 5));
    EXPECT_EQ(s->getTextureRect(), CCRect(0, 0, 0, 0));
    s->setTextureRect(CCRect(0, 0, -5, 5));
    EXPECT_EQ(s->getContentSize(), CCSize(0, 0));
    render(root);
    EXPECT_EQ(renderer->triangleCount(), 0);
}

TEST_F(SpriteTest, BlendingIsSettable) {
    writeSolidPNG("red.png", 20, 20, Rgba{255, 0, 0, 255});
    renderer->setClearColor(ccc4(0, 0, 255, 255));
    CCSprite* s = CCSprite::create("red.png");
    s->setPosition(CCPoint(50, 50));
    s->setBlendFunc(BlendMode::Additive);
    EXPECT_EQ(s->getBlendFunc(), BlendMode::Additive);
    root->addChild(s);
    render(root);
    EXPECT_TRUE(near(at(50, 50), kMagenta));
}
