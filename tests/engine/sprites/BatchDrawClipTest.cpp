// Batch nodes, draw nodes and clipping nodes drawn headless.
#include "../render/RenderTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/sprites/CCClippingNode.h"
#include "engine/sprites/CCDrawNode.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCSpriteBatchNode.h"
#include "engine/sprites/CCTextureAtlas.h"

using namespace engine;
using namespace rendertest;

namespace {

const ccColor4F kRedF = {1, 0, 0, 1}, kGreenF = {0, 1, 0, 1}, kBlueF = {0, 0, 1, 1};

class NodeDrawTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        root = CCNode::create();
        root->retain();
    }
    void TearDown() override {
        safeRelease(root);
        RenderTest::TearDown();
    }

    // A CCDrawNode holding one filled rectangle (x, y, w, h) in its own space.
    CCDrawNode* rectangle(float x, float y, float w, float h, ccColor4F fill) {
        CCDrawNode* d = CCDrawNode::create();
        CCPoint corners[4] = {CCPoint(x, y), CCPoint(x + w, y), CCPoint(x + w, y + h), CCPoint(x, y + h)};
        d->drawPolygon(corners, 4, fill, 0, fill);
        return d;
    }

    CCNode* root = nullptr;
};

}  // namespace

// --- batch node ------------------------------------------------------------------------------

TEST_F(NodeDrawTest, ABatchDrawsItsSpritesInOneCall) {
    writePNG("strip.png", 40, 10, [](int x, int) { return x < 20 ? kRed : kGreen; });
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create("strip.png", 4);
    ASSERT_NE(batch, nullptr);
    ASSERT_NE(batch->getTexture(), nullptr);
    ASSERT_NE(batch->getTextureAtlas(), nullptr);
    EXPECT_EQ(batch->getTextureAtlas()->getTexture(), batch->getTexture());
    EXPECT_EQ(batch->getTextureAtlas()->getCapacity(), 4u);
    root->addChild(batch);
    for (int i = 0; i < 10; ++i) {
        CCSprite* s = CCSprite::createWithTexture(batch->getTexture(), CCRect(i % 2 ? 20 : 0, 0, 20, 10));
        s->setAnchorPoint(CCPoint(0, 0));
        s->setPosition(CCPoint(float(i * 30), 100));
        batch->addChild(s);
        EXPECT_EQ(s->getBatchNode(), batch);
    }
    EXPECT_EQ(batch->getTextureAtlas()->getTotalQuads(), 10u);
    EXPECT_GE(batch->getTextureAtlas()->getCapacity(), 10u);
    render(root);
    EXPECT_EQ(renderer->drawCallCount(), 1);
    EXPECT_EQ(renderer->triangleCount(), 20);
    EXPECT_TRUE(near(at(10, 105), kRed));
    EXPECT_TRUE(near(at(40, 105), kGreen));
    EXPECT_TRUE(near(at(25, 105), kBlack));

    CCSprite* first = static_cast<CCSprite*>(batch->getChildren()->objectAtIndex(0));
    first->retain();
    batch->removeChild(first, true);
    EXPECT_EQ(first->getBatchNode(), nullptr);
    EXPECT_EQ(batch->getTextureAtlas()->getTotalQuads(), 9u);
    first->release();
    batch->removeAllChildrenWithCleanup(true);
    EXPECT_EQ(batch->getTextureAtlas()->getTotalQuads(), 0u);
}

TEST_F(NodeDrawTest, ABatchTakesOnlySprites) {
    writeSolidPNG("a.png", 4, 4, kRed);
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create("a.png");
    batch->addChild(CCNode::create());
    EXPECT_EQ(batch->getChildrenCount(), 0u);
    EXPECT_TRUE(logged("only sprites"));
    batch->setBlendFunc(BlendMode::Additive);
    CCSprite* s = CCSprite::createWithTexture(batch->getTexture());
    batch->addChild(s, 3, 7);
    EXPECT_EQ(s->getBlendFunc(), BlendMode::Additive);
    EXPECT_EQ(batch->getChildByTag(7), s);
    EXPECT_EQ(s->getZOrder(), 3);
}

TEST_F(NodeDrawTest, ABatchOfAMissingImageHasNoTextureButWorks) {
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create("missing.png", 9);
    ASSERT_NE(batch, nullptr);
    EXPECT_TRUE(logged("missing.png"));
    EXPECT_EQ(batch->getTexture(), nullptr);
    ASSERT_NE(batch->getTextureAtlas(), nullptr);
    EXPECT_EQ(batch->getTextureAtlas()->getTexture(), nullptr);
    EXPECT_EQ(batch->getTextureAtlas()->getCapacity(), 9u);
    batch->addChild(CCSprite::create());
    root->addChild(batch);
    render(root);
    EXPECT_EQ(renderer->triangleCount(), 0);
    CCSpriteBatchNode* fromNull = CCSpriteBatchNode::createWithTexture(nullptr);
    ASSERT_NE(fromNull, nullptr);
    EXPECT_EQ(fromNull->getTextureAtlas()->getCapacity(), CCSpriteBatchNode::kDefaultCapacity);
}

// --- draw node -------------------------------------------------------------------------------

TEST_F(NodeDrawTest, PolygonsFillAndOutline) {
    CCDrawNode* d = CCDrawNode::create();
    CCPoint square[4] = {CCPoint(50, 50), CCPoint(150, 50), CCPoint(150, 150), CCPoint(50, 150)};
    d->drawPolygon(square, 4, kRedF, 4, kBlueF);
    root->addChild(d);
    render(root);
    EXPECT_TRUE(near(at(100, 100), kRed));
    EXPECT_TRUE(near(at(50, 100), kBlue));   // on the left edge
    EXPECT_TRUE(near(at(47, 100), kBlue));   // the border reaches out by its width
    EXPECT_TRUE(near(at(100, 152), kBlue));
    EXPECT_TRUE(near(at(48, 48), kBlue));    // corners are filled
    EXPECT_TRUE(near(at(42, 100), kBlack));
    CCRect bounds;
    ASSERT_TRUE(d->getDrawnBounds(bounds));
    EXPECT_EQ(bounds, CCRect(46, 46, 108, 108));
}

TEST_F(NodeDrawTest, ConvexPolygonsOfManyCornersFill) {
    CCDrawNode* d = CCDrawNode::create();
    CCPoint hexagon[6] = {CCPoint(100, 50), CCPoint(150, 75), CCPoint(150, 125),
                          CCPoint(100, 150), CCPoint(50, 125), CCPoint(50, 75)};
    d->drawPolygon(hexagon, 6, kGreenF, 0, kGreenF);
    root->addChild(d);
    render(root);
    EXPECT_TRUE(near(at(100, 100), kGreen));
    EXPECT_TRUE(near(at(60, 90), kGreen));
    EXPECT_TRUE(near(at(140, 110), kGreen));
    EXPECT_TRUE(near(at(55, 55), kBlack));   // cut corner
    EXPECT_TRUE(near(at(145, 145), kBlack));
}

TEST_F(NodeDrawTest, DotsAndSegments) {
    CCDrawNode* d = CCDrawNode::create();
    d->drawDot(CCPoint(100, 100), 20, kRedF);
    d->drawSegment(CCPoint(200, 50), CCPoint(200, 250), 5, kGreenF);
    root->addChild(d);
    render(root);
    EXPECT_TRUE(near(at(100, 100), kRed));
    EXPECT_TRUE(near(at(117, 100), kRed));
    EXPECT_TRUE(near(at(100, 83), kRed));
    EXPECT_TRUE(near(at(118, 118), kBlack));  // outside the circle, inside its box
    EXPECT_TRUE(near(at(200, 150), kGreen));
    EXPECT_TRUE(near(at(203, 150), kGreen));
    EXPECT_TRUE(near(at(200, 253), kGreen));  // the round end
    EXPECT_TRUE(near(at(208, 150), kBlack));
    CCRect bounds;
    ASSERT_TRUE(d->getDrawnBounds(bounds));
    EXPECT_EQ(bounds, CCRect(80, 45, 125, 210));
}

TEST_F(NodeDrawTest, DrawNodesFollowTheirTransformAndClear) {
    CCDrawNode* d = rectangle(0, 0, 10, 10, kBlueF);
    d->setPosition(CCPoint(100, 100));
    d->setScale(3);
    root->addChild(d);
    render(root);
    EXPECT_TRUE(near(at(125, 125), kBlue));
    EXPECT_TRUE(near(at(133, 125), kBlack));
    d->clear();
    CCRect bounds;
    EXPECT_FALSE(d->getDrawnBounds(bounds));
    EXPECT_EQ(d->getTriangleCount(), 0u);
    render(root);
    EXPECT_TRUE(near(at(115, 115), kBlack));
}

TEST_F(NodeDrawTest, DrawNodesBlendAndRefuseBadShapes) {
    CCDrawNode* d = CCDrawNode::create();
    d->drawPolygon(nullptr, 4, kRedF, 0, kRedF);
    CCPoint two[2] = {CCPoint(0, 0), CCPoint(1, 1)};
    d->drawPolygon(two, 2, kRedF, 0, kRedF);
    CCPoint bad[3] = {CCPoint(0, 0), CCPoint(std::nanf(""), 1), CCPoint(1, 0)};
    d->drawPolygon(bad, 3, kRedF, 0, kRedF);
    d->drawDot(CCPoint(0, 0), -3, kRedF);
    d->drawSegment(CCPoint(0, 0), CCPoint(INFINITY, 0), 2, kRedF);
    EXPECT_EQ(d->getTriangleCount(), 0u);
    CCRect bounds;
    EXPECT_FALSE(d->getDrawnBounds(bounds));
    EXPECT_TRUE(logged("drawPolygon"));

    renderer->setClearColor(ccc4(0, 0, 255, 255));
    CCDrawNode* half = rectangle(0, 0, 50, 50, ccColor4F{1, 0, 0, 0.5f});
    CCDrawNode* added = rectangle(100, 0, 50, 50, kRedF);
    added->setBlendFunc(BlendMode::Additive);
    root->addChild(half);
    root->addChild(added);
    render(root);
    Rgba mixed = at(25, 25);
    EXPECT_NEAR(mixed.r, 128, 3);
    EXPECT_NEAR(mixed.b, 127, 3);
    EXPECT_TRUE(near(at(125, 25), kMagenta));
}

// --- clipping node ---------------------------------------------------------------------------

TEST_F(NodeDrawTest, AClippingNodeCutsItsChildrenAtItsStencilRectangle) {
    writeSolidPNG("big.png", 100, 100, kGreen);
    CCClippingNode* clip = CCClippingNode::create(rectangle(0, 0, 50, 40, kGreenF));
    clip->setPosition(CCPoint(100, 100));
    root->addChild(clip);
    CCSprite* s = CCSprite::create("big.png");
    s->setPosition(CCPoint(20, 20));  // spans (-30, -30)-(70, 70) in the clipping node
    clip->addChild(s);
    render(root);
    EXPECT_TRUE(near(at(102, 102), kGreen));
    EXPECT_TRUE(near(at(148, 138), kGreen));
    EXPECT_TRUE(near(at(152, 120), kBlack));
    EXPECT_TRUE(near(at(120, 142), kBlack));
    EXPECT_TRUE(near(at(98, 120), kBlack));
    EXPECT_TRUE(near(at(120, 98), kBlack));
    // The stencil itself is never drawn.
    EXPECT_EQ(renderer->triangleCount(), 2);
}

TEST_F(NodeDrawTest, TheClipFollowsTheClippingNodesAndTheStencilsTransforms) {
    writeSolidPNG("big.png", 300, 300, kRed);
    CCDrawNode* stencil = rectangle(0, 0, 20, 10, kGreenF);
    stencil->setPosition(CCPoint(5, 5));
    CCClippingNode* clip = CCClippingNode::create(stencil);
    clip->setPosition(CCPoint(100, 100));
    clip->setScale(2);
    clip->setRotation(90);
    root->addChild(clip);
    clip->addChild(CCSprite::create("big.png"));
    CCRect world;
    ASSERT_TRUE(clip->stencilWorldRect(clip->nodeToWorldTransform(), world));
    // Stencil (5, 5)-(25, 15) scaled by 2 and turned clockwise about the clipping node's origin:
    // x' = 100 + 2y, y' = 100 - 2x.
    EXPECT_NEAR(world.getMinX(), 110, 1e-3);
    EXPECT_NEAR(world.getMaxX(), 130, 1e-3);
    EXPECT_NEAR(world.getMinY(), 50, 1e-3);
    EXPECT_NEAR(world.getMaxY(), 90, 1e-3);
    render(root);
    EXPECT_TRUE(near(at(112, 52), kRed));
    EXPECT_TRUE(near(at(128, 88), kRed));
    EXPECT_TRUE(near(at(108, 70), kBlack));
    EXPECT_TRUE(near(at(132, 70), kBlack));
    EXPECT_TRUE(near(at(120, 92), kBlack));
    EXPECT_TRUE(near(at(120, 48), kBlack));
}

TEST_F(NodeDrawTest, NestedClippingNodesIntersect) {
    writeSolidPNG("big.png", 300, 300, kBlue);
    CCClippingNode* outer = CCClippingNode::create(rectangle(0, 0, 100, 100, kGreenF));
    outer->setPosition(CCPoint(50, 50));
    CCClippingNode* inner = CCClippingNode::create(rectangle(50, 50, 100, 100, kGreenF));
    outer->addChild(inner);
    root->addChild(outer);
    inner->addChild(CCSprite::create("big.png"));
    CCSprite* sibling = CCSprite::create("big.png");
    sibling->setPosition(CCPoint(20, 20));
    outer->addChild(sibling, -1);  // drawn by outer, before inner
    render(root);
    // Inner covers (100, 100)-(200, 200), outer (50, 50)-(150, 150).
    EXPECT_TRUE(near(at(125, 125), kBlue));
    EXPECT_TRUE(near(at(60, 60), kBlue));      // the sibling, clipped by outer only
    EXPECT_TRUE(near(at(160, 160), kBlack));
    EXPECT_TRUE(near(at(40, 60), kBlack));
}

TEST_F(NodeDrawTest, WithoutAStencilNothingIsClippedAndAnEmptyStencilHidesAll) {
    writeSolidPNG("big.png", 100, 100, kGreen);
    CCClippingNode* open = CCClippingNode::create();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->getStencil(), nullptr);
    open->addChild(CCSprite::create("big.png"));
    open->setPosition(CCPoint(60, 60));
    root->addChild(open);
    CCClippingNode* shut = CCClippingNode::create(CCDrawNode::create());
    shut->setPosition(CCPoint(200, 200));
    shut->addChild(CCSprite::create("big.png"));
    root->addChild(shut);
    render(root);
    EXPECT_TRUE(near(at(15, 15), kGreen));
    EXPECT_TRUE(near(at(105, 105), kGreen));
    EXPECT_TRUE(near(at(200, 200), kBlack));
}

TEST_F(NodeDrawTest, AnyNodeCanBeAStencilByItsContentBox) {
    writeSolidPNG("big.png", 100, 100, kGreen);
    CCNode* box = CCNode::create();
    box->setContentSize(CCSize(30, 30));
    CCClippingNode* clip = CCClippingNode::create();
    clip->setStencil(box);
    EXPECT_EQ(clip->getStencil(), box);
    clip->setPosition(CCPoint(100, 100));
    clip->addChild(CCSprite::create("big.png"));
    root->addChild(clip);
    render(root);
    EXPECT_TRUE(near(at(115, 115), kGreen));
    EXPECT_TRUE(near(at(133, 115), kBlack));
    EXPECT_TRUE(near(at(95, 95), kBlack));
}

TEST_F(NodeDrawTest, InvertedAndAlphaThresholdAreKept) {
    CCClippingNode* clip = CCClippingNode::create(rectangle(0, 0, 10, 10, kGreenF));
    EXPECT_FALSE(clip->isInverted());
    EXPECT_FLOAT_EQ(clip->getAlphaThreshold(), 1.f);
    clip->setInverted(true);
    clip->setAlphaThreshold(0.05f);
    EXPECT_TRUE(clip->isInverted());
    EXPECT_FLOAT_EQ(clip->getAlphaThreshold(), 0.05f);
}

TEST_F(NodeDrawTest, AHiddenClippingNodeDrawsNothingAndPushesNoClip) {
    writeSolidPNG("big.png", 100, 100, kGreen);
    CCClippingNode* clip = CCClippingNode::create(rectangle(0, 0, 50, 50, kGreenF));
    clip->addChild(CCSprite::create("big.png"));
    clip->setVisible(false);
    root->addChild(clip);
    render(root);
    EXPECT_EQ(renderer->triangleCount(), 0);
    EXPECT_FALSE(logged("clip rectangle"));
}
