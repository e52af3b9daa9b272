// UISlider: the percentage from a touch and a drag, clamping, the progress and ball on screen, nine-slice mode and a bar without length.
#include "LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UISlider;

namespace {

class Slider : public LeafTest {
protected:
    // Bar 200 x 10 (blue), progress 200 x 10 (green), balls 8 x 8 (white, yellow, grey).
    UISlider* make() {
        UISlider* s = UISlider::create();
        s->loadBarTexture(solidPNG("bar.png", 200, 10, kBlue).c_str());
        s->loadProgressBarTexture(solidPNG("progress.png", 200, 10, kGreen).c_str());
        s->loadBallNormalTexture(solidPNG("ball.png", 8, 8, kWhite).c_str());
        s->loadBallPressedTexture(solidPNG("ball-pressed.png", 8, 8, kYellow).c_str());
        s->loadBallDisabledTexture(solidPNG("ball-disabled.png", 8, 8, ccColor4B{128, 128, 128, 255}).c_str());
        s->setTouchEnabled(true);
        return s;
    }
    Listener listener;
};

TEST_F(Slider, StartsAtZero) {
    UISlider* s = UISlider::create();
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s->getTypeName(), "Slider");
    EXPECT_EQ(s->getPercent(), 0);
    EXPECT_FLOAT_EQ(s->getBarLength(), 0.0f);
    EXPECT_TRUE(s->getBallNormalSprite()->isVisible());
    EXPECT_FALSE(s->getBallPressedSprite()->isVisible());
    EXPECT_FALSE(s->getBallDisabledSprite()->isVisible());
}

TEST_F(Slider, ATouchAtFiftyOnA200LongBarGives75AndPutsTheBallThere) {
    UISlider* s = make();
    s->setEventListener(&listener, sliderselector(Listener::onEvent));
    s->setPercentListener(&listener, widgeteventselector(Listener::onPercent));
    EXPECT_TRUE(sizeIs(s->getSize(), 200, 10));
    EXPECT_FLOAT_EQ(s->getBarLength(), 200.0f);
    stage(s, 200, 150);
    host->touchDown(250, 150);  // x = 50 in the slider's space
    EXPECT_EQ(s->getPercent(), 75);
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, 50.0f);
    EXPECT_EQ(listener.events, std::vector<int>{0});
    EXPECT_EQ(listener.calls, std::vector<std::string>{"percent"});
    EXPECT_TRUE(s->getBallPressedSprite()->isVisible());
    host->touchUp(250, 150);
    EXPECT_TRUE(s->getBallNormalSprite()->isVisible());
    // Whole percentages stay whole: x = 30 is 65.
    host->touchDown(230, 150);
    EXPECT_EQ(s->getPercent(), 65);
    host->touchUp(230, 150);
}

TEST_F(Slider, ADragBeyondEitherEndStopsAtTheEnds) {
    UISlider* s = make();
    s->setTouchListener(&listener, toucheventselector(Listener::onTouch));
    s->setEventListener(&listener, sliderselector(Listener::onEvent));
    stage(s, 200, 150);
    host->touchDown(200, 150);
    EXPECT_EQ(s->getPercent(), 50);
    host->touchMove(260, 150);
    EXPECT_EQ(s->getPercent(), 80);
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, 60.0f);
    host->touchMove(390, 150);
    EXPECT_EQ(s->getPercent(), 100);
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, 100.0f);
    host->touchMove(5, 290);
    EXPECT_EQ(s->getPercent(), 0);
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, -100.0f);
    host->touchUp(5, 290);
    // Four changes, and the drag sent no TOUCH_MOVED.
    EXPECT_EQ(listener.events.size(), 4u);
    for (ui::TouchEventType t : listener.touches) EXPECT_NE(t, ui::TOUCH_MOVED);
    EXPECT_EQ(listener.touches.front(), ui::TOUCH_BEGAN);
}

TEST_F(Slider, PercentagesAreClamped) {
    UISlider* s = make();
    s->setPercent(150);
    EXPECT_EQ(s->getPercent(), 100);
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, 100.0f);
    s->setPercent(-5);
    EXPECT_EQ(s->getPercent(), 0);
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, -100.0f);
}

TEST_F(Slider, ProgressCoversTheBarUpToThePercentage) {
    UISlider* s = make();
    s->setPercent(30);
    stage(s, 200, 150);
    // Bar 100..300; progress to 160; ball at 160 (156..164).
    EXPECT_TRUE(near(px(105, 150), kGreen));
    EXPECT_TRUE(near(px(150, 150), kGreen));
    EXPECT_TRUE(near(px(160, 150), kWhite));
    EXPECT_TRUE(near(px(170, 150), kBlue));
    EXPECT_TRUE(near(px(295, 150), kBlue));
    s->setPercent(80);
    redraw();
    EXPECT_TRUE(near(px(250, 150), kGreen));
    EXPECT_TRUE(near(px(270, 150), kBlue));
    EXPECT_TRUE(near(px(260, 152), kWhite));
    // The pressed and disabled balls.
    host->touchDown(250, 150);
    redraw();
    EXPECT_TRUE(near(px(250, 152), kYellow));
    host->touchUp(250, 150);
    s->setBright(false);
    redraw();
    EXPECT_TRUE(near(px(250, 152), ccColor4B{128, 128, 128, 255}));
}

TEST_F(Slider, AStretchedSliderTakesItsPercentageFromItsOwnLength) {
    UISlider* s = make();
    s->setIgnoreSize(false);
    s->setSize(CCSize(300, 20));
    EXPECT_FLOAT_EQ(s->getBarLength(), 300.0f);
    EXPECT_FLOAT_EQ(s->getRendererNode()->getScaleX(), 1.5f);
    EXPECT_FLOAT_EQ(s->getProgressBarRenderer()->getScaleX(), 1.5f);
    stage(s, 200, 150);
    host->touchDown(110, 150);  // 60 from the left end of 50..350
    EXPECT_EQ(s->getPercent(), 20);
    host->touchUp(110, 150);
    // A size change re-applies the percentage.
    s->setSize(CCSize(100, 20));
    EXPECT_FLOAT_EQ(s->getBallNode()->getPosition().x, -30.0f);
}

TEST_F(Slider, NineSliceRefusesToIgnoreItsSizeAndRestoresTheEarlierChoice) {
    UISlider* s = make();
    ASSERT_TRUE(s->isIgnoreSize());
    s->setScale9Enable(true);
    EXPECT_NE(dynamic_cast<ui::CCScale9Sprite*>(s->getRendererNode()), nullptr);
    EXPECT_FALSE(s->isIgnoreSize());
    s->setIgnoreSize(true);
    EXPECT_FALSE(s->isIgnoreSize());
    s->setSize(CCSize(300, 10));
    s->setPercent(50);
    auto* progress = dynamic_cast<ui::CCScale9Sprite*>(s->getProgressBarRenderer());
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(sizeIs(progress->getPreferredSize(), 150, 10));
    EXPECT_TRUE(progress->getAnchorPoint().equals(CCPoint(0, 0.5f)));
    s->setScale9Enable(false);
    EXPECT_TRUE(s->isIgnoreSize());
    EXPECT_TRUE(sizeIs(s->getSize(), 200, 10));
}

TEST_F(Slider, AnEmptyNineSliceProgressDrawsNoCaps) {
    UISlider* s = make();
    s->setScale9Enable(true);
    s->setSize(CCSize(200, 10));
    s->setPercent(0);
    stage(s, 200, 150);
    // The ball sits at x 100 (96..104); the progress caps would show around it.
    for (float x : {60.0f, 90.0f, 110.0f, 140.0f}) EXPECT_TRUE(near(px(x, 150), x < 100 ? kBlack : kBlue)) << x;
    s->setPercent(50);
    redraw();
    EXPECT_TRUE(near(px(110, 150), kGreen));
}

TEST_F(Slider, WithoutABarTouchesChangeNothing) {
    UISlider* s = UISlider::create();
    s->setTouchEnabled(true);
    s->setIgnoreSize(false);
    s->setSize(CCSize(0, 40));
    s->setEventListener(&listener, sliderselector(Listener::onEvent));
    s->setPercent(40);
    s->onTouchBegan(CCPoint(10, 10));
    s->onTouchMoved(CCPoint(20, 10));
    s->onTouchEnded(CCPoint(20, 10));
    EXPECT_EQ(s->getPercent(), 40);
    EXPECT_TRUE(listener.events.empty());
}

TEST_F(Slider, NoProgressImageLeavesTheProgressAtScaleOne) {
    UISlider* s = UISlider::create();
    s->loadBarTexture(solidPNG("bar.png", 200, 10, kBlue).c_str());
    EXPECT_FLOAT_EQ(s->getProgressBarRenderer()->getScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(s->getProgressBarRenderer()->getScaleY(), 1.0f);
    s->loadBarTexture("");
    s->loadProgressBarTexture(nullptr);
    s->loadBallNormalTexture("");
    EXPECT_TRUE(sizeIs(s->getSize(), 200, 10));
}

}  // namespace
