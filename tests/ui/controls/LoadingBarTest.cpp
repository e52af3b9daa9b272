// UILoadingBar: the percentage cut from the left and from the right edge, bad percentages, nine-slice mode, resizing and failed images.
#include "LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UILoadingBar;

namespace {

class LoadingBar : public LeafTest {
protected:
    // 200 x 20: a yellow first 10 columns, red up to the middle, blue after it. The yellow
    // stripe shows which end of the image is drawn where.
    std::string bar() {
        return writePNG("bar.png", 200, 20, [](int x, int) { return x < 10 ? kYellow : x < 100 ? kRed : kBlue; });
    }
    // A bar centred at (200, 150): its 200-point length spans x 100..300.
    UILoadingBar* staged(int direction, int percent) {
        UILoadingBar* b = UILoadingBar::create();
        b->loadTexture(bar().c_str());
        b->setDirection(direction);
        b->setPercent(percent);
        stage(b, 200, 150);
        return b;
    }
};

TEST_F(LoadingBar, StartsFullGrowingFromTheLeftWithoutLength) {
    UILoadingBar* b = UILoadingBar::create();
    ASSERT_NE(b, nullptr);
    EXPECT_STREQ(b->getTypeName(), "LoadingBar");
    EXPECT_EQ(b->getPercent(), 100);
    EXPECT_EQ(b->getDirection(), 0);
    EXPECT_FLOAT_EQ(b->getTotalLength(), 0.0f);
    EXPECT_TRUE(b->getRendererNode()->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    // No length yet: the percentage is refused.
    b->setPercent(30);
    EXPECT_EQ(b->getPercent(), 100);
}

TEST_F(LoadingBar, HalfAPlainBarShowsItsLeftHalf) {
    UILoadingBar* b = staged(0, 50);
    EXPECT_EQ(b->getPercent(), 50);
    EXPECT_FLOAT_EQ(b->getTotalLength(), 200.0f);
    auto* sprite = dynamic_cast<CCSprite*>(b->getRendererNode());
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->getTextureRect().equals(CCRect(0, 0, 100, 20)));
    EXPECT_TRUE(sizeIs(b->getSize(), 200, 20));
    EXPECT_TRUE(near(px(104, 150), kYellow));
    EXPECT_TRUE(near(px(150, 150), kRed));
    EXPECT_TRUE(near(px(195, 150), kRed));
    EXPECT_TRUE(near(px(205, 150), kBlack));
    EXPECT_TRUE(near(px(295, 150), kBlack));
}

TEST_F(LoadingBar, DirectionOneGrowsFromTheRightEdgeMirrored) {
    UILoadingBar* b = staged(1, 50);
    auto* sprite = dynamic_cast<CCSprite*>(b->getRendererNode());
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->isFlipX());
    EXPECT_TRUE(sprite->getAnchorPoint().equals(CCPoint(1, 0.5f)));
    EXPECT_TRUE(near(px(105, 150), kBlack));
    EXPECT_TRUE(near(px(195, 150), kBlack));
    EXPECT_TRUE(near(px(205, 150), kRed));
    EXPECT_TRUE(near(px(250, 150), kRed));
    EXPECT_TRUE(near(px(295, 150), kYellow));
    // And back to the left edge.
    b->setDirection(0);
    redraw();
    EXPECT_FALSE(sprite->isFlipX());
    EXPECT_TRUE(near(px(104, 150), kYellow));
    EXPECT_TRUE(near(px(295, 150), kBlack));
}

TEST_F(LoadingBar, PercentagesOutOfRangeChangeNothing) {
    UILoadingBar* b = staged(0, 40);
    b->setPercent(101);
    EXPECT_EQ(b->getPercent(), 40);
    b->setPercent(-1);
    EXPECT_EQ(b->getPercent(), 40);
    EXPECT_TRUE(dynamic_cast<CCSprite*>(b->getRendererNode())->getTextureRect().equals(CCRect(0, 0, 80, 20)));
    b->setPercent(0);
    redraw();
    EXPECT_TRUE(near(px(104, 150), kBlack));
    b->setPercent(100);
    redraw();
    EXPECT_TRUE(near(px(295, 150), kBlue));
}

TEST_F(LoadingBar, AResizedHalfBarStillShowsHalfItsLength) {
    UILoadingBar* b = UILoadingBar::create();
    b->loadTexture(bar().c_str());
    b->setIgnoreSize(false);
    b->setSize(CCSize(300, 20));
    b->setPercent(50);
    b->setSize(CCSize(360, 40));
    EXPECT_FLOAT_EQ(b->getTotalLength(), 360.0f);
    EXPECT_FLOAT_EQ(b->getRendererNode()->getScaleX(), 360.0f / 200.0f);
    EXPECT_FLOAT_EQ(b->getRendererNode()->getScaleY(), 2.0f);
    stage(b, 200, 150);
    // Bar from x 20 to 380: its first half, 20..200, is shown.
    EXPECT_TRUE(near(px(25, 150), kYellow));
    EXPECT_TRUE(near(px(190, 150), kRed));
    EXPECT_TRUE(near(px(215, 150), kBlack));
    EXPECT_TRUE(near(px(370, 150), kBlack));
}

TEST_F(LoadingBar, ANewImageIsShownAtTheCurrentPercentage) {
    UILoadingBar* b = staged(0, 25);
    std::string other = solidPNG("other.png", 200, 20, kGreen);
    b->loadTexture(other.c_str());
    EXPECT_EQ(b->getPercent(), 25);
    EXPECT_TRUE(dynamic_cast<CCSprite*>(b->getRendererNode())->getTextureRect().equals(CCRect(0, 0, 50, 20)));
    redraw();
    EXPECT_TRUE(near(px(140, 150), kGreen));
    EXPECT_TRUE(near(px(160, 150), kBlack));
}

TEST_F(LoadingBar, NineSliceRefusesToIgnoreItsSizeAndRestoresTheEarlierChoice) {
    UILoadingBar* b = UILoadingBar::create();
    b->loadTexture(bar().c_str());
    ASSERT_TRUE(b->isIgnoreSize());
    b->setScale9Enable(true);
    EXPECT_NE(dynamic_cast<ui::CCScale9Sprite*>(b->getRendererNode()), nullptr);
    EXPECT_FALSE(b->isIgnoreSize());
    b->setIgnoreSize(true);
    EXPECT_FALSE(b->isIgnoreSize());
    b->setScale9Enable(false);
    EXPECT_TRUE(b->isIgnoreSize());
    EXPECT_TRUE(sizeIs(b->getSize(), 200, 20));
    EXPECT_NE(dynamic_cast<CCSprite*>(b->getRendererNode()), nullptr);
}

TEST_F(LoadingBar, NineSliceBarIsShortenedToThePercentageOfItsLength) {
    UILoadingBar* b = UILoadingBar::create();
    b->loadTexture(bar().c_str());
    b->setScale9Enable(true);
    b->setSize(CCSize(300, 20));
    b->setPercent(40);
    auto* nine = dynamic_cast<ui::CCScale9Sprite*>(b->getRendererNode());
    ASSERT_NE(nine, nullptr);
    EXPECT_TRUE(sizeIs(nine->getPreferredSize(), 120, 20));
    b->setSize(CCSize(200, 20));
    EXPECT_TRUE(sizeIs(nine->getPreferredSize(), 80, 20));
    stage(b, 200, 150);
    // Bar from x 100; 80 points shown, the right cap (blue) ends at 180.
    EXPECT_TRUE(near(px(101, 150), kYellow));
    EXPECT_TRUE(near(px(177, 150), kBlue));
    EXPECT_TRUE(near(px(185, 150), kBlack));
}

TEST_F(LoadingBar, AnEmptyNineSliceBarDrawsNoCaps) {
    UILoadingBar* b = UILoadingBar::create();
    b->loadTexture(bar().c_str());
    b->setScale9Enable(true);
    b->setSize(CCSize(200, 20));
    b->setPercent(0);
    stage(b, 200, 150);
    for (float x : {40.0f, 70.0f, 101.0f, 130.0f, 160.0f}) EXPECT_TRUE(near(px(x, 150), kBlack)) << "at x " << x;
    b->setPercent(100);
    redraw();
    EXPECT_TRUE(near(px(101, 150), kYellow));
    EXPECT_TRUE(near(px(295, 150), kBlue));
}

TEST_F(LoadingBar, ABarWhoseImageFailedKeepsScaleOneAndItsPlace) {
    UILoadingBar* b = UILoadingBar::create();
    b->loadTexture("no-such-bar.png");
    EXPECT_TRUE(sizeIs(b->getSize(), 0, 0));
    b->setIgnoreSize(false);
    b->setSize(CCSize(100, 20));
    EXPECT_FLOAT_EQ(b->getRendererNode()->getScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(b->getRendererNode()->getScaleY(), 1.0f);
    EXPECT_FLOAT_EQ(b->getRendererNode()->getPosition().x, 0.0f);
}

TEST_F(LoadingBar, ASpriteFrameIsCutFromItsOwnOrigin) {
    // Sheet 300 x 20: magenta, then the bar image at x 100..300.
    std::string sheet = writePNG("sheet.png", 300, 20, [](int x, int) {
        return x < 100 ? kMagenta : x < 110 ? kYellow : x < 200 ? kRed : kBlue;
    });
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::create(sheet.c_str(), CCRect(100, 0, 200, 20)), "bar-frame");
    UILoadingBar* b = UILoadingBar::create();
    b->loadTexture("bar-frame", ui::TEX_RES_SPRITE_FRAME);
    b->setPercent(50);
    EXPECT_TRUE(dynamic_cast<CCSprite*>(b->getRendererNode())->getTextureRect().equals(CCRect(100, 0, 100, 20)));
    stage(b, 200, 150);
    EXPECT_TRUE(near(px(104, 150), kYellow));
    EXPECT_TRUE(near(px(190, 150), kRed));
    EXPECT_TRUE(near(px(210, 150), kBlack));
}

}  // namespace
