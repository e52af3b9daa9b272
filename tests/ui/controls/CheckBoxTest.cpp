// UICheckBox: toggling on releases over the box, sliding off, the five looks on screen, disabling and re-enabling, sizes.
#include "LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UICheckBox;

namespace {

const ccColor4B kGrey{128, 128, 128, 255}, kDarkGrey{60, 60, 60, 255}, kOrange{255, 128, 0, 255};

class CheckBox : public LeafTest {
protected:
    // Boxes 30 x 30: grey (normal), white (pressed), dark grey (disabled); crosses 10 x 10:
    // red (normal), orange (disabled). Centred: the cross covers the box's middle.
    UICheckBox* make() {
        UICheckBox* box = UICheckBox::create();
        box->loadBackGroundBoxTexture(solidPNG("box.png", 30, 30, kGrey).c_str());
        box->loadBackGroundBoxSelectedTexture(solidPNG("box-pressed.png", 30, 30, kWhite).c_str());
        box->loadFrontCrossTexture(solidPNG("cross.png", 10, 10, kRed).c_str());
        box->loadBackGroundBoxDisabledTexture(solidPNG("box-disabled.png", 30, 30, kDarkGrey).c_str());
        box->loadFrontCrossDisabledTexture(solidPNG("cross-disabled.png", 10, 10, kOrange).c_str());
        box->setTouchEnabled(true);
        box->setCheckListener(&listener, checkboxselector(Listener::onEvent));
        box->setSelectListener(&listener, widgeteventselector(Listener::onSelect));
        box->setUnselectListener(&listener, widgeteventselector(Listener::onUnselect));
        box->setTouchListener(&listener, toucheventselector(Listener::onTouch));
        return box;
    }
    void tap(float x, float y) {
        host->touchDown(x, y);
        host->touchUp(x, y);
        redraw();
    }
    Listener listener;
};

TEST_F(CheckBox, ANewBoxIsUnselectedWithItsCrossHidden) {
    UICheckBox* box = make();
    EXPECT_STREQ(box->getTypeName(), "CheckBox");
    EXPECT_FALSE(box->isSelected());
    EXPECT_FALSE(box->getCrossSprite()->isVisible());
    EXPECT_TRUE(sizeIs(box->getSize(), 30, 30));
    EXPECT_EQ(box->getRendererNode(), box->getBoxSprite());
    stage(box, 200, 150);
    EXPECT_TRUE(near(px(200, 150), kGrey));
}

TEST_F(CheckBox, TwoReleasesOverTheBoxSelectAndUnselectIt) {
    UICheckBox* box = make();
    stage(box, 200, 150);
    tap(200, 150);
    EXPECT_TRUE(box->isSelected());
    EXPECT_TRUE(near(px(200, 150), kRed));
    EXPECT_TRUE(near(px(190, 140), kGrey));
    tap(205, 155);
    EXPECT_FALSE(box->isSelected());
    EXPECT_TRUE(near(px(200, 150), kGrey));
    EXPECT_EQ(listener.events, (std::vector<int>{0, 1}));
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"select", "unselect"}));
    EXPECT_EQ(listener.touches,
              (std::vector<ui::TouchEventType>{ui::TOUCH_BEGAN, ui::TOUCH_ENDED, ui::TOUCH_BEGAN, ui::TOUCH_ENDED}));
}

TEST_F(CheckBox, ThePressedLookShowsWhileTheFingerIsOverTheBox) {
    UICheckBox* box = make();
    stage(box, 200, 150);
    host->touchDown(200, 150);
    redraw();
    EXPECT_TRUE(near(px(190, 140), kWhite));
    host->touchMove(300, 250);
    redraw();
    EXPECT_TRUE(near(px(190, 140), kGrey));
    host->touchMove(200, 150);
    host->touchUp(200, 150);
    redraw();
    EXPECT_TRUE(near(px(190, 140), kGrey));
    EXPECT_TRUE(box->isSelected());
    EXPECT_EQ(box->getBrightStyle(), ui::BRIGHT_STYLE_NORMAL);
}

TEST_F(CheckBox, SlidingOffAndReleasingTogglesNothingAndSendsNoEndOrCancel) {
    UICheckBox* box = make();
    box->setReleaseListener(&listener, widgeteventselector(Listener::onRelease));
    box->setCancelListener(&listener, widgeteventselector(Listener::onCancel));
    stage(box, 200, 150);
    host->touchDown(200, 150);
    host->touchMove(300, 250);
    host->touchUp(300, 250);
    redraw();
    EXPECT_FALSE(box->isSelected());
    EXPECT_TRUE(listener.events.empty());
    EXPECT_TRUE(listener.calls.empty());
    for (ui::TouchEventType t : listener.touches) {
        EXPECT_NE(t, ui::TOUCH_ENDED);
        EXPECT_NE(t, ui::TOUCH_CANCELED);
    }
    EXPECT_TRUE(near(px(200, 150), kGrey));
}

TEST_F(CheckBox, ADisabledSelectedBoxShowsTheDisabledBoxAndCross) {
    UICheckBox* box = make();
    stage(box, 200, 150);
    tap(200, 150);
    ASSERT_TRUE(box->isSelected());
    box->setBright(false);
    redraw();
    EXPECT_TRUE(near(px(200, 150), kOrange));
    EXPECT_TRUE(near(px(190, 140), kDarkGrey));
    EXPECT_FALSE(box->getCrossSprite()->isVisible());
    // Re-enabled, the selected box shows its cross again at once.
    box->setBright(true);
    redraw();
    EXPECT_TRUE(near(px(200, 150), kRed));
    EXPECT_TRUE(near(px(190, 140), kGrey));
    EXPECT_TRUE(box->isSelected());
}

TEST_F(CheckBox, ADisabledUnselectedBoxShowsNoCross) {
    UICheckBox* box = make();
    stage(box, 200, 150);
    box->setBright(false);
    redraw();
    EXPECT_TRUE(near(px(200, 150), kDarkGrey));
    EXPECT_FALSE(box->getCrossDisabledSprite()->isVisible());
}

TEST_F(CheckBox, SetSelectedStateChangesTheLookWithoutEvents) {
    UICheckBox* box = make();
    box->setSelectedState(true);
    EXPECT_TRUE(box->isSelected());
    EXPECT_TRUE(box->getCrossSprite()->isVisible());
    box->setSelectedState(false);
    EXPECT_FALSE(box->getCrossSprite()->isVisible());
    EXPECT_TRUE(listener.events.empty());
}

TEST_F(CheckBox, FixedSizeStretchesAllFiveImages) {
    UICheckBox* box = make();
    box->setIgnoreSize(false);
    box->setSize(CCSize(60, 90));
    EXPECT_FLOAT_EQ(box->getBoxSprite()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(box->getBoxSprite()->getScaleY(), 3.0f);
    EXPECT_FLOAT_EQ(box->getCrossSprite()->getScaleX(), 6.0f);
    EXPECT_FLOAT_EQ(box->getCrossDisabledSprite()->getScaleY(), 9.0f);
    box->setIgnoreSize(true);
    EXPECT_FLOAT_EQ(box->getCrossSprite()->getScaleX(), 1.0f);
    EXPECT_TRUE(sizeIs(box->getSize(), 30, 30));
}

TEST_F(CheckBox, AnchorAndFlipsReachAllFiveSprites) {
    UICheckBox* box = make();
    box->setAnchorPoint(CCPoint(0, 0));
    box->setFlipX(true);
    box->setFlipY(true);
    EXPECT_TRUE(box->isFlipX());
    EXPECT_TRUE(box->isFlipY());
    for (CCSprite* s : {box->getBoxSprite(), box->getBoxSelectedSprite(), box->getCrossSprite(),
                        box->getBoxDisabledSprite(), box->getCrossDisabledSprite()}) {
        EXPECT_TRUE(s->getAnchorPoint().equals(CCPoint(0, 0)));
        EXPECT_TRUE(s->isFlipX());
    }
    // An image loaded afterwards keeps the anchor.
    box->loadFrontCrossTexture(solidPNG("cross2.png", 12, 12, kRed).c_str());
    EXPECT_TRUE(box->getCrossSprite()->getAnchorPoint().equals(CCPoint(0, 0)));
}

TEST_F(CheckBox, EmptyNamesAndMissingImagesNeverBreakTheBox) {
    UICheckBox* box = make();
    box->loadBackGroundBoxTexture("");
    box->loadFrontCrossTexture(nullptr);
    EXPECT_TRUE(sizeIs(box->getSize(), 30, 30));
    UICheckBox* bare = UICheckBox::create();
    bare->loadBackGroundBoxTexture("no-such-box.png");
    bare->setTouchEnabled(true);
    EXPECT_TRUE(sizeIs(bare->getSize(), 0, 0));
    bare->setIgnoreSize(false);
    bare->setSize(CCSize(40, 40));
    stage(bare, 200, 150);
    host->touchDown(200, 150);
    host->touchUp(200, 150);
    EXPECT_TRUE(bare->isSelected());
}

}  // namespace
