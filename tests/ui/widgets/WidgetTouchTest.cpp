// A widget's touch phases through a real UI layer: the look follows the finger, listeners and callbacks, parent notification, disabling.
#include "WidgetTestKit.h"

using namespace engine;
using namespace ui;
using namespace widgets;

namespace {

class WidgetTouch : public WidgetTest {
protected:
    // A touch-enabled 40 x 20 probe centred on (100, 50), on stage.
    ProbeWidget* probeOnStage() {
        layer = stage();
        ProbeWidget* w = ProbeWidget::create();
        w->setIgnoreSize(false);
        w->setSize(CCSize(40, 20));
        w->setPosition(CCPoint(100, 50));
        w->setTouchEnabled(true);
        layer->addWidget(w);
        w->resetCounts();
        return w;
    }
    UILayer* layer = nullptr;
};

}  // namespace

TEST_F(WidgetTouch, AReleaseOverTheWidgetEndsTheTouch) {
    ProbeWidget* w = probeOnStage();
    recorder.listenToAll(w);
    host->touchDown(100, 50);
    EXPECT_TRUE(w->isFocused());
    EXPECT_EQ(w->getBrightStyle(), BRIGHT_STYLE_HIGHLIGHT);
    EXPECT_EQ(w->getTouchBeganPoint(), CCPoint(100, 50));
    host->touchMove(110, 55);
    host->touchUp(115, 52);
    EXPECT_EQ(recorder.types(), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_ENDED}));
    EXPECT_EQ(recorder.callbacks, (std::vector<std::string>{"push", "move", "release"}));
    EXPECT_EQ(w->getTouchMovedPoint(), CCPoint(110, 55));
    EXPECT_EQ(w->getTouchEndedPoint(), CCPoint(115, 52));
    EXPECT_FALSE(w->isFocused());
    EXPECT_EQ(w->getBrightStyle(), BRIGHT_STYLE_NORMAL);
    EXPECT_EQ(w->pressedShown, 1);
    EXPECT_EQ(w->normalShown, 1);
}

TEST_F(WidgetTouch, ATouchThatLeavesAndIsReleasedOutsideIsCancelled) {
    ProbeWidget* w = probeOnStage();
    recorder.listenToAll(w);
    host->touchDown(100, 50);
    host->touchMove(200, 200);  // out
    EXPECT_FALSE(w->isFocused());
    EXPECT_EQ(w->getBrightStyle(), BRIGHT_STYLE_NORMAL);
    host->touchMove(210, 200);  // still out: the touch goes on
    host->touchUp(210, 200);
    EXPECT_EQ(recorder.types(),
              (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_MOVED, TOUCH_CANCELED}));
    EXPECT_EQ(recorder.callbacks, (std::vector<std::string>{"push", "move", "move", "cancel"}));
    // Pressed once, normal once when leaving, and it stays normal.
    EXPECT_EQ(w->pressedShown, 1);
    EXPECT_EQ(w->normalShown, 1);
    EXPECT_EQ(recorder.events.back().look, BRIGHT_STYLE_NORMAL);
}

TEST_F(WidgetTouch, ATouchThatLeavesAndReturnsIsPressedAgainAndEnds) {
    ProbeWidget* w = probeOnStage();
    recorder.listenTo(w);
    host->touchDown(100, 50);
    host->touchMove(300, 50);
    host->touchMove(105, 50);
    host->touchUp(105, 50);
    std::vector<BrightStyle> looks;
    for (const auto& e : recorder.events) looks.push_back(e.look);
    EXPECT_EQ(looks, (std::vector<BrightStyle>{BRIGHT_STYLE_HIGHLIGHT, BRIGHT_STYLE_NORMAL, BRIGHT_STYLE_HIGHLIGHT,
                                               BRIGHT_STYLE_NORMAL}));
    EXPECT_EQ(recorder.types().back(), TOUCH_ENDED);
    EXPECT_EQ(w->pressedShown, 2);
}

TEST_F(WidgetTouch, ACancelledTouchCancelsWithoutNotifyingTheParent) {
    layer = stage();
    ListeningPanel* panel = ListeningPanel::create();
    panel->setSize(CCSize(400, 300));
    ProbeWidget* w = ProbeWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(40, 20));
    w->setPosition(CCPoint(100, 50));
    w->setTouchEnabled(true);
    panel->addChild(w);
    layer->addWidget(panel);
    recorder.listenToAll(w);
    host->touchDown(100, 50);
    host->touchCancel(100, 50);
    EXPECT_EQ(recorder.types(), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_CANCELED}));
    EXPECT_EQ(recorder.callbacks, (std::vector<std::string>{"push", "cancel"}));
    EXPECT_FALSE(w->isFocused());
    ASSERT_EQ(panel->childTouches.size(), 1u);
    EXPECT_EQ(panel->childTouches[0], std::make_pair(0, static_cast<UIWidget*>(w)));
}

TEST_F(WidgetTouch, EveryPhaseIsReportedUpTheWholeParentChain) {
    layer = stage();
    ListeningPanel* outer = ListeningPanel::create();
    outer->setSize(CCSize(400, 300));
    ProbeWidget* middle = ProbeWidget::create();
    ProbeWidget* w = ProbeWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(40, 20));
    w->setTouchEnabled(true);
    middle->setPosition(CCPoint(100, 50));
    middle->addChild(w);
    outer->addChild(middle);
    layer->addWidget(outer);
    host->touchDown(100, 50);
    host->touchMove(101, 50);
    host->touchUp(101, 50);
    std::vector<std::pair<int, UIWidget*>> expected{{0, w}, {1, w}, {2, w}};
    EXPECT_EQ(middle->childTouches, expected);
    EXPECT_EQ(outer->childTouches, expected);
}

TEST_F(WidgetTouch, ADimmedWidgetKeepsItsDisabledLookThroughATouch) {
    ProbeWidget* w = probeOnStage();
    recorder.listenTo(w);
    w->setBright(false);
    EXPECT_EQ(w->disabledShown, 1);
    host->touchDown(100, 50);
    EXPECT_TRUE(w->isFocused());  // focus still changes
    host->touchMove(300, 50);
    EXPECT_FALSE(w->isFocused());
    host->touchUp(300, 50);
    EXPECT_EQ(w->pressedShown, 0);
    EXPECT_EQ(w->normalShown, 0);
    EXPECT_EQ(w->disabledShown, 3);
    EXPECT_EQ(recorder.types().back(), TOUCH_CANCELED);
    // Bright again: the normal look is shown even though the style did not change.
    w->setBright(true);
    EXPECT_EQ(w->normalShown, 1);
}

TEST_F(WidgetTouch, FocusAndStyleSettersActOnlyOnChange) {
    ProbeWidget* w = probeOnStage();
    w->setFocused(false);
    w->setBrightStyle(BRIGHT_STYLE_NORMAL);
    EXPECT_EQ(w->normalShown, 0);
    w->setFocused(true);
    w->setFocused(true);
    EXPECT_EQ(w->pressedShown, 1);
    w->setBrightStyle(BRIGHT_STYLE_NONE);
    EXPECT_EQ(w->normalShown + w->pressedShown + w->disabledShown, 1);
}

TEST_F(WidgetTouch, ADisabledPanelDisablesItsSubtreeForTouchesAndDrawing) {
    layer = stage();
    Layout* panel = Layout::create();
    panel->setSize(CCSize(200, 200));
    panel->setBackGroundColorType(BG_COLOR_SOLID);
    panel->setBackGroundColor(ccc3(255, 0, 0));
    UIWidget* inner = UIWidget::create();
    ProbeWidget* w = ProbeWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(40, 20));
    w->setPosition(CCPoint(100, 50));
    w->setTouchEnabled(true);
    inner->addChild(w);
    panel->addChild(inner);
    layer->addWidget(panel);
    recorder.listenTo(w);
    redraw();
    EXPECT_TRUE(near(px(150, 150), kRed));

    panel->setEnabled(false);
    EXPECT_FALSE(inner->isEnabled());
    EXPECT_FALSE(w->isEnabled());
    tap(100, 50);
    EXPECT_TRUE(recorder.events.empty());
    redraw();
    EXPECT_TRUE(near(px(150, 150), kBlack));

    panel->setEnabled(true);
    EXPECT_TRUE(w->isEnabled());
    tap(100, 50);
    EXPECT_EQ(recorder.types(), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    redraw();
    EXPECT_TRUE(near(px(150, 150), kRed));
}

TEST_F(WidgetTouch, AListenerMayRemoveItsWidgetWhileTheTouchEnds) {
    ProbeWidget* w = probeOnStage();
    recorder.listenTo(w);
    recorder.then = [](UIWidget* sender, TouchEventType t) {
        if (t == TOUCH_ENDED) sender->removeFromParent();
    };
    tap(100, 50);
    EXPECT_EQ(layer->getRootWidget()->getChildren()->count(), 0u);
    EXPECT_EQ(recorder.types(), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    // A new touch at the same place finds nothing.
    tap(100, 50);
    EXPECT_EQ(recorder.events.size(), 2u);
}

TEST_F(WidgetTouch, AListenerMayDisposeOfTheWholeLayer) {
    ProbeWidget* w = probeOnStage();
    recorder.listenTo(w);
    UILayer* l = layer;
    recorder.then = [l](UIWidget*, TouchEventType t) {
        if (t == TOUCH_BEGAN) l->dispose();
    };
    host->touchDown(100, 50);
    host->touchUp(100, 50);
    redraw();
    EXPECT_EQ(CCDirector::sharedDirector()->getRunningScene()->getChildrenCount(), 0u);
}

TEST_F(WidgetTouch, FrameUpdatesRunWhileEnabled) {
    ProbeWidget* w = probeOnStage();
    w->setFrameUpdateEnabled(true);
    EXPECT_TRUE(w->isFrameUpdateEnabled());
    host->step(3);
    EXPECT_EQ(w->updates, 3);
    w->setFrameUpdateEnabled(false);
    host->step(2);
    EXPECT_EQ(w->updates, 3);
}

TEST_F(WidgetTouch, PassThroughIsWhatTheBeganReturns) {
    ProbeWidget* w = probeOnStage();
    EXPECT_FALSE(w->onTouchBegan(CCPoint(100, 50)));
    w->setTouchPassThrough(true);
    EXPECT_TRUE(w->onTouchBegan(CCPoint(100, 50)));
    w->onTouchCancelled(CCPoint(100, 50));
}
