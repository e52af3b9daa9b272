// The button: its looks on screen, ignore-size and nine-slice rules, the title, and loads from files and sprite frames.
#include "WidgetTestKit.h"

using namespace engine;
using namespace ui;
using namespace widgets;

namespace {

class Button : public WidgetTest {
protected:
    // Normal 50 x 20 green, pressed 80 x 30 red, disabled 50 x 20 grey.
    void writeImages() {
        normal = solidPNG("normal.png", 50, 20, kGreen);
        pressed = solidPNG("pressed.png", 80, 30, kRed);
        disabled = solidPNG("disabled.png", 50, 20, kGrey);
    }
    std::string normal, pressed, disabled;
};

CCSprite* spriteOf(CCNode* n) { return dynamic_cast<CCSprite*>(n); }

}  // namespace

// --- looks ---------------------------------------------------------------------------------

TEST_F(Button, ANewButtonShowsItsEmptyNormalImage) {
    UIButton* b = UIButton::create();
    EXPECT_TRUE(b->isBright());
    EXPECT_FALSE(b->isTouchEnabled());
    EXPECT_TRUE(b->isIgnoreSize());
    EXPECT_EQ(b->getSize(), CCSize(0, 0));
    EXPECT_STREQ(b->getTypeName(), "Button");
    EXPECT_EQ(b->getRendererNode(), b->getNormalRenderer());
    EXPECT_TRUE(b->getNormalRenderer()->isVisible());
    EXPECT_FALSE(b->getPressedRenderer()->isVisible());
    EXPECT_FALSE(b->getDisabledRenderer()->isVisible());
    // The title is drawn above the images.
    EXPECT_EQ(b->getTitleRenderer()->getZOrder(), 1);
    EXPECT_EQ(b->getNormalRenderer()->getZOrder(), 0);
    EXPECT_EQ(b->getRenderer()->getChildren()->lastObject(), b->getTitleRenderer());
}

TEST_F(Button, ItShowsThePressedImageWhileHeldAndTheNormalOneAfter) {
    writeImages();
    UILayer* layer = stage();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), pressed.c_str(), disabled.c_str());
    b->setPosition(CCPoint(200, 150));
    b->setTouchEnabled(true);
    layer->addWidget(b);
    recorder.listenTo(b);
    redraw();
    EXPECT_TRUE(near(px(200, 150), kGreen));
    EXPECT_TRUE(near(px(232, 150), kBlack));  // the pressed image is wider, not shown

    host->touchDown(200, 150);
    redraw();
    EXPECT_EQ(b->getRendererNode(), b->getPressedRenderer());
    EXPECT_TRUE(near(px(200, 150), kRed));
    EXPECT_TRUE(near(px(232, 150), kRed));

    host->touchMove(300, 250);  // off the button: normal again while still held
    redraw();
    EXPECT_TRUE(near(px(200, 150), kGreen));
    host->touchMove(205, 150);  // back on: pressed
    redraw();
    EXPECT_TRUE(near(px(200, 150), kRed));

    host->touchUp(205, 150);
    redraw();
    EXPECT_TRUE(near(px(200, 150), kGreen));
    EXPECT_TRUE(near(px(232, 150), kBlack));
    EXPECT_EQ(recorder.types(),
              (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_MOVED, TOUCH_ENDED}));
    std::vector<BrightStyle> looks;
    for (const auto& e : recorder.events) looks.push_back(e.look);
    EXPECT_EQ(looks, (std::vector<BrightStyle>{BRIGHT_STYLE_HIGHLIGHT, BRIGHT_STYLE_NORMAL, BRIGHT_STYLE_HIGHLIGHT,
                                               BRIGHT_STYLE_NORMAL}));

    b->setBright(false);
    redraw();
    EXPECT_EQ(b->getRendererNode(), b->getDisabledRenderer());
    EXPECT_TRUE(near(px(200, 150), kGrey));
}

TEST_F(Button, ATappedButtonWithTheSameImageForBothLooksStaysVisible) {
    writeImages();
    UILayer* layer = stage();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), normal.c_str(), "");
    b->setPosition(CCPoint(100, 100));
    b->setTouchEnabled(true);
    layer->addWidget(b);
    host->touchDown(100, 100);
    redraw();
    EXPECT_TRUE(near(px(100, 100), kGreen));
    host->touchUp(100, 100);
    redraw();
    EXPECT_TRUE(near(px(100, 100), kGreen));
    EXPECT_STREQ(b->getDisabledFileName(), "");
}

TEST_F(Button, PressZoomScalesTheImagesWhilePressed) {
    writeImages();
    UILayer* layer = stage();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), normal.c_str(), normal.c_str());
    b->setPressZoomEnabled(true);
    b->setPosition(CCPoint(100, 100));
    b->setTouchEnabled(true);
    layer->addWidget(b);
    host->touchDown(100, 100);
    host->step(10);
    EXPECT_FLOAT_EQ(b->getPressedRenderer()->getScaleX(), 1.1f);
    EXPECT_FLOAT_EQ(b->getNormalRenderer()->getScaleX(), 1.1f);
    host->touchUp(100, 100);
    host->step(10);
    EXPECT_FLOAT_EQ(b->getNormalRenderer()->getScaleX(), 1.0f);
}

// --- sizes ---------------------------------------------------------------------------------

TEST_F(Button, TheNormalImageAloneDecidesTheSizeOfAButtonThatIgnoresItsSize) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadNormalTexture(normal.c_str());
    EXPECT_EQ(b->getSize(), CCSize(50, 20));
    EXPECT_EQ(b->getContentSize(), CCSize(50, 20));
    b->loadPressedTexture(pressed.c_str());
    EXPECT_EQ(b->getSize(), CCSize(50, 20));
    EXPECT_EQ(b->getPressedTextureSize(), CCSize(80, 30));
    EXPECT_FLOAT_EQ(b->getPressedRenderer()->getScaleX(), 1);
    EXPECT_FLOAT_EQ(b->getPressedRenderer()->getScaleY(), 1);
    // setSize only records the custom size while the size is ignored.
    b->setSize(CCSize(100, 40));
    EXPECT_EQ(b->getSize(), CCSize(50, 20));
}

TEST_F(Button, ACustomSizeScalesEachImageToFillTheBox) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), pressed.c_str(), disabled.c_str());
    b->setSize(CCSize(100, 40));
    b->setIgnoreSize(false);
    EXPECT_EQ(b->getSize(), CCSize(100, 40));
    EXPECT_FLOAT_EQ(b->getNormalRenderer()->getScaleX(), 2);
    EXPECT_FLOAT_EQ(b->getNormalRenderer()->getScaleY(), 2);
    EXPECT_FLOAT_EQ(b->getPressedRenderer()->getScaleX(), 1.25f);
    EXPECT_FLOAT_EQ(b->getPressedRenderer()->getScaleY(), 40.f / 30.f);
    // Ignoring the size again: back to scale 1 and the normal image's size.
    b->setIgnoreSize(true);
    EXPECT_EQ(b->getSize(), CCSize(50, 20));
    EXPECT_FLOAT_EQ(b->getNormalRenderer()->getScaleX(), 1);
    EXPECT_FLOAT_EQ(b->getPressedRenderer()->getScaleY(), 1);
}

TEST_F(Button, AMissingImageLeavesScaleOneAndNoSize) {
    UIButton* b = UIButton::create();
    b->setIgnoreSize(false);
    b->setSize(CCSize(100, 40));
    b->loadNormalTexture("nowhere.png");
    EXPECT_STREQ(b->getNormalFileName(), "nowhere.png");
    EXPECT_EQ(b->getNormalTextureSize(), CCSize(0, 0));
    EXPECT_FLOAT_EQ(b->getNormalRenderer()->getScaleX(), 1);
    // Null and empty names are ignored.
    b->loadNormalTexture(nullptr);
    b->loadNormalTexture("");
    EXPECT_STREQ(b->getNormalFileName(), "nowhere.png");
    b->loadTextures(nullptr, nullptr, nullptr, TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(b->getSize(), CCSize(100, 40));
}

TEST_F(Button, ImagesComeFromSpriteFramesToo) {
    writeImages();
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(pressed.c_str());
    ASSERT_NE(texture, nullptr);
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::createWithTexture(texture, CCRect(0, 0, 30, 12)), "part.png");
    UIButton* b = UIButton::create();
    b->loadNormalTexture("part.png", TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(b->getSize(), CCSize(30, 12));
    b->setScale9Enable(true);
    auto* nine = dynamic_cast<CCScale9Sprite*>(b->getNormalRenderer());
    ASSERT_NE(nine, nullptr);
    EXPECT_EQ(nine->getSourceSize(), CCSize(30, 12));
    // An unknown frame keeps what was there.
    b->loadNormalTexture("unknown.png", TEX_RES_SPRITE_FRAME);
    EXPECT_EQ(nine->getSourceSize(), CCSize(30, 12));
}

// --- nine-slice ----------------------------------------------------------------------------

TEST_F(Button, ANineSliceButtonRefusesToIgnoreItsSizeAndRestoresTheFlagAfter) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadNormalTexture(normal.c_str());
    ASSERT_TRUE(b->isIgnoreSize());
    b->setScale9Enable(true);
    EXPECT_FALSE(b->isIgnoreSize());
    b->setIgnoreSize(true);
    EXPECT_FALSE(b->isIgnoreSize());
    b->setScale9Enable(false);
    EXPECT_TRUE(b->isIgnoreSize());
    EXPECT_EQ(b->getSize(), CCSize(50, 20));
    // Starting from a custom size, the custom size comes back.
    b->setIgnoreSize(false);
    b->setScale9Enable(true);
    b->setScale9Enable(false);
    EXPECT_FALSE(b->isIgnoreSize());
}

TEST_F(Button, TurningNineSliceOnTwiceDoesNothingTheSecondTime) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), pressed.c_str(), disabled.c_str());
    b->setScale9Enable(true);
    CCNode* first = b->getNormalRenderer();
    EXPECT_NE(dynamic_cast<CCScale9Sprite*>(first), nullptr);
    b->setScale9Enable(true);
    EXPECT_EQ(b->getNormalRenderer(), first);
    // The images were loaded again into the new nodes, which sit below the title.
    EXPECT_STREQ(b->getPressedFileName(), pressed.c_str());
    EXPECT_EQ(dynamic_cast<CCScale9Sprite*>(b->getPressedRenderer())->getSourceSize(), CCSize(80, 30));
    EXPECT_EQ(b->getRenderer()->getChildren()->lastObject(), b->getTitleRenderer());
    EXPECT_EQ(b->getRenderer()->getChildrenCount(), 4u);
}

TEST_F(Button, NineSliceImagesTakeTheButtonsSizeAndInsets) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), pressed.c_str(), disabled.c_str());
    b->setCapInsets(CCRect(5, 5, 40, 10));  // stored while plain
    b->setScale9Enable(true);
    b->setSize(CCSize(120, 60));
    auto* n = dynamic_cast<CCScale9Sprite*>(b->getNormalRenderer());
    auto* p = dynamic_cast<CCScale9Sprite*>(b->getPressedRenderer());
    ASSERT_NE(n, nullptr);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(n->getPreferredSize(), CCSize(120, 60));
    EXPECT_EQ(p->getPreferredSize(), CCSize(120, 60));
    EXPECT_EQ(n->getCapInsets(), CCRect(5, 5, 40, 10));
    b->setPressedCapInsets(CCRect(1, 1, 2, 2));
    EXPECT_EQ(p->getCapInsets(), CCRect(1, 1, 2, 2));
    EXPECT_EQ(n->getCapInsets(), CCRect(5, 5, 40, 10));
    EXPECT_EQ(p->getContentSize(), CCSize(120, 60));  // new insets keep the stretch
    EXPECT_FALSE(b->isFlipX());
}

TEST_F(Button, ANineSliceButtonStretchedTo300By100KeepsItsCorners) {
    // 30 x 30: 10-point blue corners, a yellow cross between them.
    std::string file = writePNG("frame.png", 30, 30, [](int x, int y) {
        bool edgeX = x < 10 || x >= 20, edgeY = y < 10 || y >= 20;
        return (edgeX && edgeY) ? kBlue : kYellow;
    });
    UILayer* layer = stage();
    UIButton* b = UIButton::create();
    b->setScale9Enable(true);
    b->loadNormalTexture(file.c_str());
    b->setSize(CCSize(300, 100));
    b->setPosition(CCPoint(200, 150));  // box 50..350 x 100..200
    layer->addWidget(b);
    redraw();
    EXPECT_TRUE(near(px(52, 102), kBlue));
    EXPECT_TRUE(near(px(58, 108), kBlue));
    EXPECT_TRUE(near(px(62, 102), kYellow));
    EXPECT_TRUE(near(px(52, 112), kYellow));
    EXPECT_TRUE(near(px(347, 197), kBlue));
    EXPECT_TRUE(near(px(341, 191), kBlue));
    EXPECT_TRUE(near(px(337, 197), kYellow));
    EXPECT_TRUE(near(px(200, 150), kYellow));
    EXPECT_TRUE(near(px(48, 150), kBlack));
    EXPECT_TRUE(near(px(352, 150), kBlack));
}

TEST_F(Button, InsetsLargerThanTheImageDoNotBreakTheButton) {
    writeImages();
    UILayer* layer = stage();
    UIButton* b = UIButton::create();
    b->setScale9Enable(true);
    b->loadNormalTexture(normal.c_str());
    b->setCapInsets(CCRect(5, 5, 500, 900));  // fitted: no right column, no bottom row
    b->setSize(CCSize(100, 50));
    b->setPosition(CCPoint(200, 150));
    layer->addWidget(b);
    redraw();
    // Box 150..250 x 125..175, filled and no more.
    for (auto p : {CCPoint(200, 150), CCPoint(152, 127), CCPoint(247, 172)}) EXPECT_TRUE(near(px(p.x, p.y), kGreen));
    EXPECT_TRUE(near(px(147, 150), kBlack));
    EXPECT_TRUE(near(px(200, 122), kBlack));
    EXPECT_TRUE(near(px(252, 177), kBlack));
}

// --- title ---------------------------------------------------------------------------------

TEST_F(Button, TheTitleKeepsItsOwnColourWhenTheButtonIsTinted) {
    UIButton* b = UIButton::create();
    b->setTitleText("Go");
    b->setTitleColor(ccRED);
    b->setColor(ccc3(0, 0, 255));
    EXPECT_EQ(b->getColor(), ccc3(0, 0, 255));
    EXPECT_EQ(b->getTitleColor(), ccRED);
    EXPECT_EQ(b->getTitleRenderer()->getColor(), ccRED);
    EXPECT_EQ(b->getTitleRenderer()->getDisplayedColor(), ccRED);
    EXPECT_STREQ(b->getTitleText(), "Go");
    b->setTitleText(nullptr);
    EXPECT_STREQ(b->getTitleText(), "");
    b->setTitleFontSize(30);
    EXPECT_FLOAT_EQ(b->getTitleFontSize(), 30);
    b->setTitleFontSize(-4);  // refused by the label
    EXPECT_FLOAT_EQ(b->getTitleFontSize(), 30);
}

TEST_F(Button, TheTitleSitsAtTheCentreOfTheBoxForAnyAnchor) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadNormalTexture(normal.c_str());
    EXPECT_EQ(b->getTitleRenderer()->getPosition(), CCPoint(0, 0));
    b->setAnchorPoint(CCPoint(0, 0));
    EXPECT_EQ(b->getTitleRenderer()->getPosition(), CCPoint(25, 10));
    EXPECT_EQ(b->getNormalRenderer()->getAnchorPoint(), CCPoint(0, 0));
    b->setIgnoreSize(false);
    b->setSize(CCSize(200, 60));
    EXPECT_EQ(b->getTitleRenderer()->getPosition(), CCPoint(100, 30));
}

TEST_F(Button, TheTitleIsDrawnOverTheImage) {
    writeImages();
    UILayer* layer = stage();
    UIButton* b = UIButton::create();
    b->loadNormalTexture(normal.c_str());
    b->setIgnoreSize(false);
    b->setSize(CCSize(200, 80));
    b->setTitleText("MMMM");
    b->setTitleFontSize(40);
    b->setTitleColor(ccc3(255, 0, 255));
    b->setPosition(CCPoint(200, 150));
    layer->addWidget(b);
    redraw();
    int magenta = 0, green = 0;
    for (int x = 140; x < 260; x += 2)
        for (int y = 130; y < 170; y += 2) {
            ccColor4B c = px(x, y);
            if (c.r > 200 && c.b > 200 && c.g < 60) ++magenta;
            if (c.g > 200 && c.r < 60) ++green;
        }
    EXPECT_GT(magenta, 20);
    EXPECT_GT(green, 20);
}

TEST_F(Button, FlipsReachTheImagesUnlessNineSlice) {
    writeImages();
    UIButton* b = UIButton::create();
    b->loadTextures(normal.c_str(), pressed.c_str(), disabled.c_str());
    b->setFlipX(true);
    EXPECT_TRUE(b->isFlipX());
    EXPECT_TRUE(spriteOf(b->getPressedRenderer())->isFlipX());
    EXPECT_TRUE(b->getTitleRenderer()->isFlipX());
    b->setFlipY(true);
    EXPECT_TRUE(b->isFlipY());
    b->setScale9Enable(true);
    EXPECT_FALSE(b->isFlipX());
    b->setFlipY(false);
    EXPECT_FALSE(b->getTitleRenderer()->isFlipY());
}
