// UIImageView: loading files and sprite frames, ignore-size and stretching, nine-slice switching, flips, tint and bad names.
#include "../controls/LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UIImageView;

namespace {

class ImageView : public LeafTest {
protected:
    // A 40 x 30 image: red left half, blue right half.
    std::string halves() {
        return writePNG("halves.png", 40, 30, [](int x, int) { return x < 20 ? kRed : kBlue; });
    }
};

TEST_F(ImageView, StartsEmptyAndIgnoringItsSize) {
    UIImageView* view = UIImageView::create();
    ASSERT_NE(view, nullptr);
    EXPECT_STREQ(view->getTypeName(), "ImageView");
    EXPECT_TRUE(view->isIgnoreSize());
    EXPECT_FALSE(view->isScale9Enabled());
    EXPECT_TRUE(sizeIs(view->getSize(), 0, 0));
    EXPECT_NE(dynamic_cast<CCSprite*>(view->getRendererNode()), nullptr);
}

TEST_F(ImageView, TakesTheSizeOfItsImageAndDrawsItCentredOnItsPosition) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(halves().c_str());
    EXPECT_TRUE(sizeIs(view->getSize(), 40, 30));
    EXPECT_TRUE(sizeIs(view->getContentSize(), 40, 30));
    EXPECT_STREQ(view->getTextureFile(), (dir + "/halves.png").c_str());
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(85, 100), kRed));
    EXPECT_TRUE(near(px(115, 100), kBlue));
    EXPECT_TRUE(near(px(125, 100), kBlack));
    EXPECT_TRUE(near(px(100, 118), kBlack));
}

TEST_F(ImageView, StretchesToItsSizeWhenNotIgnoringIt) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(halves().c_str());
    view->setIgnoreSize(false);
    view->setSize(CCSize(80, 60));
    EXPECT_FLOAT_EQ(view->getRendererNode()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(view->getRendererNode()->getScaleY(), 2.0f);
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(65, 75), kRed));
    EXPECT_TRUE(near(px(135, 125), kBlue));
    EXPECT_TRUE(near(px(145, 100), kBlack));
    // Back to ignoring: scale 1 and the image's size again.
    view->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(view->getRendererNode()->getScaleX(), 1.0f);
    EXPECT_TRUE(sizeIs(view->getSize(), 40, 30));
}

TEST_F(ImageView, AnEmptyOrNullNameKeepsThePreviousImageAndSize) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(halves().c_str());
    view->loadTexture("");
    view->loadTexture(nullptr);
    EXPECT_TRUE(sizeIs(view->getSize(), 40, 30));
    EXPECT_STREQ(view->getTextureFile(), (dir + "/halves.png").c_str());
}

TEST_F(ImageView, AMissingImageLeavesAnEmptyViewAtScaleOne) {
    UIImageView* view = UIImageView::create();
    view->loadTexture("no-such-image.png");
    EXPECT_TRUE(sizeIs(view->getSize(), 0, 0));
    view->setIgnoreSize(false);
    view->setSize(CCSize(50, 50));
    EXPECT_FLOAT_EQ(view->getRendererNode()->getScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(view->getRendererNode()->getScaleY(), 1.0f);
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(100, 100), kBlack));
}

TEST_F(ImageView, NineSliceRefusesToIgnoreItsSizeAndRestoresTheEarlierChoiceWhenTurnedOff) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(halves().c_str());
    ASSERT_TRUE(view->isIgnoreSize());
    view->setScale9Enable(true);
    EXPECT_NE(dynamic_cast<ui::CCScale9Sprite*>(view->getRendererNode()), nullptr);
    EXPECT_FALSE(view->isIgnoreSize());
    view->setIgnoreSize(true);
    EXPECT_FALSE(view->isIgnoreSize());
    view->setSize(CCSize(120, 50));
    auto* nine = dynamic_cast<ui::CCScale9Sprite*>(view->getRendererNode());
    ASSERT_NE(nine, nullptr);
    EXPECT_TRUE(sizeIs(nine->getPreferredSize(), 120, 50));
    view->setScale9Enable(false);
    EXPECT_NE(dynamic_cast<CCSprite*>(view->getRendererNode()), nullptr);
    EXPECT_TRUE(view->isIgnoreSize());
    EXPECT_TRUE(sizeIs(view->getSize(), 40, 30));

    // A view that was not ignoring its size stays so.
    UIImageView* other = UIImageView::create();
    other->loadTexture(halves().c_str());
    other->setIgnoreSize(false);
    other->setScale9Enable(true);
    other->setScale9Enable(false);
    EXPECT_FALSE(other->isIgnoreSize());
}

TEST_F(ImageView, NineSliceStretchKeepsTheCornersAndCapInsetsSurviveAReload) {
    // 30 x 30: a 10-pixel green border around a red centre.
    std::string framed = writePNG("framed.png", 30, 30, [](int x, int y) {
        return (x < 10 || x >= 20 || y < 10 || y >= 20) ? kGreen : kRed;
    });
    UIImageView* view = UIImageView::create();
    view->loadTexture(framed.c_str());
    view->setScale9Enable(true);
    view->setCapInsets(CCRect(5, 5, 20, 20));
    view->setSize(CCSize(100, 60));
    view->loadTexture(framed.c_str());
    auto* nine = dynamic_cast<ui::CCScale9Sprite*>(view->getRendererNode());
    ASSERT_NE(nine, nullptr);
    EXPECT_TRUE(nine->getCapInsets().equals(CCRect(5, 5, 20, 20)));
    stage(view, 200, 150);
    // Box from (150, 120) to (250, 180): the 5-point corner stays green, the centre red.
    EXPECT_TRUE(near(px(152, 122), kGreen));
    EXPECT_TRUE(near(px(200, 150), kRed));
    EXPECT_TRUE(near(px(247, 177), kGreen));
    EXPECT_TRUE(near(px(255, 150), kBlack));
}

TEST_F(ImageView, FlipsOnlyAPlainSprite) {
    UIImageView* view = UIImageView::create();
    view->loadTexture(halves().c_str());
    view->setFlipX(true);
    EXPECT_TRUE(view->isFlipX());
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(85, 100), kBlue));
    EXPECT_TRUE(near(px(115, 100), kRed));
    view->setScale9Enable(true);
    view->setFlipY(true);
    EXPECT_FALSE(view->isFlipX());
    EXPECT_FALSE(view->isFlipY());
}

TEST_F(ImageView, AnchorPointReachesTheImage) {
    UIImageView* view = UIImageView::create();
    view->setAnchorPoint(CCPoint(0, 0));
    view->loadTexture(halves().c_str());
    EXPECT_TRUE(view->getRendererNode()->getAnchorPoint().equals(CCPoint(0, 0)));
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(101, 101), kRed));
    EXPECT_TRUE(near(px(138, 128), kBlue));
    EXPECT_TRUE(near(px(95, 95), kBlack));
}

TEST_F(ImageView, AnImageLoadedAfterAColourIsTinted) {
    std::string white = solidPNG("white.png", 20, 20, kWhite);
    UIImageView* view = UIImageView::create();
    view->setColor(ccc3(255, 0, 0));
    view->loadTexture(white.c_str());
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(100, 100), kRed));
}

TEST_F(ImageView, LoadsASpriteFrameByName) {
    std::string sheet = writePNG("sheet.png", 64, 32, [](int x, int) { return x < 32 ? kGreen : kYellow; });
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::create(sheet.c_str(), CCRect(32, 0, 16, 16)), "yellow.png");
    UIImageView* view = UIImageView::create();
    view->loadTexture("yellow.png", ui::TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(view->getTextureType(), ui::TEX_RES_SPRITE_FRAME);
    EXPECT_TRUE(sizeIs(view->getSize(), 16, 16));
    stage(view, 100, 100);
    EXPECT_TRUE(near(px(100, 100), kYellow));
    // An unknown frame name changes nothing.
    view->loadTexture("unknown.png", ui::TEX_RES_SPRITE_FRAME);
    EXPECT_TRUE(sizeIs(view->getSize(), 16, 16));
}

}  // namespace
