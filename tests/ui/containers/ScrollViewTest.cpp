// The scroll view through real touches: top-aligned content, edge stops and their events, flings, child presses and bad input.
#include "ContainerTestKit.h"

using namespace engine;
using namespace ui;
using namespace containers;

namespace {

// A vertical view of 300 x 400 at (100, 200): it spans x 100..400 and y 200..600 on screen.
class ScrollView : public ContainerTest {
protected:
    UIScrollView* makeView(float innerHeight = 1000, int direction = SCROLL_DIRECTION_VERTICAL) {
        UIScrollView* v = UIScrollView::create();
        v->setSize(CCSize(300, 400));
        v->setPosition(CCPoint(100, 200));
        v->setDirection(direction);
        if (direction == SCROLL_DIRECTION_HORIZONTAL)
            v->setInnerSize(CCSize(innerHeight, 400));
        else
            v->setInnerSize(CCSize(300, innerHeight));
        layer->addWidget(v);
        recorder.listenTo(v);
        return v;
    }
    float innerY(UIScrollView* v) { return v->getInnerContainer()->getPosition().y; }
    float innerX(UIScrollView* v) { return v->getInnerContainer()->getPosition().x; }
};

}  // namespace

// --- the inner container ---------------------------------------------------------------

TEST_F(ScrollView, TallContentStartsWithItsTopOnTheViewsTop) {
    UIScrollView* v = makeView(1000);
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(300, 1000));
    EXPECT_FLOAT_EQ(innerY(v), -600);
    EXPECT_FLOAT_EQ(v->getInnerContainer()->getTopEdge(), 400);
    EXPECT_STREQ(v->getTypeName(), "ScrollView");
}

TEST_F(ScrollView, InnerSizesSmallerThanTheViewKeepTheViewsSize) {
    UIScrollView* v = makeView(1000);
    v->setInnerSize(CCSize(50, 120));
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(300, 400));
    EXPECT_FLOAT_EQ(innerY(v), 0);
    v->setInnerSize(CCSize(NAN, -5));
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(300, 400));
    v->setInnerSize(CCSize(INFINITY, 900));
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(300, 900));
}

TEST_F(ScrollView, ResizingTheViewKeepsTheContentAtLeastItsSizeAndTopAligned) {
    UIScrollView* v = makeView(450);
    dragOverFrames(250, 300, 250, 340, 4);  // scroll a little first
    host->step(120);
    v->setSize(CCSize(300, 600));
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(300, 600));
    EXPECT_FLOAT_EQ(innerY(v), 0);
    v->setSize(CCSize(300, 200));
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(300, 600));
    EXPECT_FLOAT_EQ(innerY(v), -400);
}

TEST_F(ScrollView, ChildrenLiveInTheInnerContainer) {
    UIScrollView* v = makeView(1000);
    UIButton* b = button(150, 900);
    EXPECT_TRUE(v->addChild(b));
    EXPECT_EQ(b->getWidgetParent(), v->getInnerContainer());
    EXPECT_EQ(v->getChildren(), v->getInnerContainer()->getChildren());
    EXPECT_EQ(v->getChildren()->count(), 1u);
    v->removeAllChildren();
    EXPECT_EQ(v->getChildren()->count(), 0u);
    EXPECT_EQ(v->getInnerContainer()->getWidgetParent(), v);
}

// --- dragging and the edges ------------------------------------------------------------

TEST_F(ScrollView, DraggingPastTheTopStopsThereWithOneEventPerStoppingMove) {
    UIScrollView* v = makeView(1000);
    host->touchDown(250, 300);
    host->touchMove(250, 360);  // up 60: content at -540, no edge
    EXPECT_TRUE(recorder.log.empty());
    host->touchMove(250, 280);  // down 80: would reach -620
    EXPECT_FLOAT_EQ(innerY(v), -600);
    EXPECT_FLOAT_EQ(v->getInnerContainer()->getTopEdge(), 400);
    EXPECT_TRUE(v->isTopEnd());
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"top", "scroll 0"}));
    host->touchMove(250, 270);
    host->touchMove(250, 250);
    EXPECT_FLOAT_EQ(innerY(v), -600);
    EXPECT_EQ(recorder.scrollEvents, (std::vector<int>{SCROLL_EVENT_TO_TOP, SCROLL_EVENT_TO_TOP, SCROLL_EVENT_TO_TOP}));
    host->touchMove(250, 300);  // up again leaves the edge
    EXPECT_FLOAT_EQ(innerY(v), -550);
    EXPECT_FALSE(v->isTopEnd());
    EXPECT_EQ(recorder.scrollEvents.size(), 3u);
    host->touchUp(250, 300);
}

TEST_F(ScrollView, DraggingPastTheBottomStopsWithTheBottomOnTheViewsBottom) {
    UIScrollView* v = makeView(1000);
    host->touchDown(250, 210);
    host->touchMove(250, 590);  // up 380: content at -220
    host->touchMove(250, 210);  // down 380: back at -600, top edge reached exactly
    recorder.clear();
    host->touchMove(250, 590);
    host->touchUp(250, 590);
    host->touchDown(250, 210);
    host->touchMove(250, 500);  // up 290 from -220 would pass 0
    EXPECT_FLOAT_EQ(innerY(v), 0);
    EXPECT_TRUE(v->isBottomEnd());
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"bottom", "scroll 1"}));
    host->touchUp(250, 500);
}

TEST_F(ScrollView, HorizontalViewsStopAtTheLeftAndRightEdges) {
    UIScrollView* v = makeView(1000, SCROLL_DIRECTION_HORIZONTAL);
    EXPECT_FLOAT_EQ(innerX(v), 0);
    host->touchDown(300, 400);
    host->touchMove(320, 400);  // right: the left edge is already on the view's
    EXPECT_FLOAT_EQ(innerX(v), 0);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"left", "scroll 2"}));
    host->touchMove(150, 380);  // left 170; the vertical part moves nothing
    EXPECT_FLOAT_EQ(innerX(v), -170);
    EXPECT_FLOAT_EQ(innerY(v), 0);
    host->touchUp(150, 380);
    host->touchDown(395, 400);
    host->touchMove(110, 400);  // left 285: -455
    host->touchUp(110, 400);
    EXPECT_FLOAT_EQ(innerX(v), -455);
    host->touchDown(395, 400);
    host->touchMove(110, 400);  // left 285 more would pass the right edge: it stops on the view's
    host->touchMove(105, 400);
    EXPECT_FLOAT_EQ(innerX(v), -700);
    EXPECT_FLOAT_EQ(v->getInnerContainer()->getRightEdge(), 300);
    EXPECT_EQ(recorder.scrollEvents,
              (std::vector<int>{SCROLL_EVENT_TO_LEFT, SCROLL_EVENT_TO_RIGHT, SCROLL_EVENT_TO_RIGHT}));
    host->touchUp(105, 400);
}

// --- flings ----------------------------------------------------------------------------

TEST_F(ScrollView, AReleaseWithNoFrameSinceThePressStartsNoFling) {
    UIScrollView* v = makeView(3000);
    host->touchDown(250, 300);
    host->touchMove(250, 400);
    host->touchUp(250, 400);
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_FALSE(v->isPressed());
    host->step(30);
    EXPECT_FLOAT_EQ(innerY(v), -2600 + 100);
}

TEST_F(ScrollView, ThreeHundredPointsInHalfASecondFlingAt600AndStopAfterASecond) {
    UIScrollView* v = makeView(3000);
    dragOverFrames(250, 220, 250, 520, 30);  // 10 points a frame for 30 frames
    EXPECT_TRUE(v->isAutoScrolling());
    EXPECT_NEAR(v->getAutoScrollSpeed(), 600, 1);
    EXPECT_FALSE(v->isPressed());
    const float released = innerY(v);
    EXPECT_FLOAT_EQ(released, -2600 + 300);
    const int frames = framesUntil([&] { return !v->isAutoScrolling(); });
    EXPECT_GE(frames, 59);
    EXPECT_LE(frames, 61);
    // Speed 600 - 10 k for frames k = 1 .. 59, each for 1/60 s.
    EXPECT_NEAR(innerY(v) - released, 295, 2);
    host->step(10);
    EXPECT_NEAR(innerY(v) - released, 295, 2);
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(ScrollView, AFlingDownFollowsTheLastDragDirection) {
    UIScrollView* v = makeView(3000);
    host->touchDown(250, 300);
    host->touchMove(250, 500);  // content to -2400
    host->touchUp(250, 500);
    host->touchDown(250, 500);
    for (int i = 1; i <= 10; ++i) {
        host->step(1);
        host->touchMove(250, 500 - 10 * i);
    }
    host->touchUp(250, 400);
    ASSERT_TRUE(v->isAutoScrolling());
    host->step(5);
    EXPECT_LT(innerY(v), -2500);
}

TEST_F(ScrollView, AFlingThatReachesAnEdgeStopsThereWithOneEvent) {
    UIScrollView* v = makeView(1000);
    dragOverFrames(250, 210, 250, 590, 4);  // 380 points in 4 frames: 5700 points a second
    ASSERT_TRUE(v->isAutoScrolling());
    host->step(10);
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_FLOAT_EQ(innerY(v), 0);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"bottom", "scroll 1"}));
    host->step(10);
    EXPECT_EQ(recorder.scrollEvents.size(), 1u);
}

TEST_F(ScrollView, APressStopsAFling) {
    UIScrollView* v = makeView(3000);
    dragOverFrames(250, 220, 250, 520, 30);
    host->step(10);
    ASSERT_TRUE(v->isAutoScrolling());
    host->touchDown(250, 300);
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_FLOAT_EQ(v->getAutoScrollSpeed(), 0);
    const float held = innerY(v);
    host->step(10);
    EXPECT_FLOAT_EQ(innerY(v), held);
    host->touchUp(250, 300);
}

TEST_F(ScrollView, AViewAddedAgainStillFlings) {
    UIScrollView* v = makeView(3000);
    v->retain();
    layer->getRootWidget()->removeChild(v);
    layer->addWidget(v);
    v->release();
    dragOverFrames(250, 220, 250, 520, 30);
    const float released = innerY(v);
    host->step(30);
    EXPECT_GT(innerY(v) - released, 100);
}

TEST_F(ScrollView, AnEdgeListenerMayRemoveTheViewDuringAFling) {
    UIScrollView* v = makeView(1000);
    recorder.then = [this, v] { layer->getRootWidget()->removeChild(v); };
    dragOverFrames(250, 210, 250, 590, 4);
    host->step(10);
    EXPECT_EQ(recorder.scrollEvents, (std::vector<int>{SCROLL_EVENT_TO_BOTTOM}));
    EXPECT_EQ(layer->getRootWidget()->getChildren()->count(), 0u);
}

// --- children --------------------------------------------------------------------------

TEST_F(ScrollView, AChildButtonKeepsItsPressWithinFivePoints) {
    UIScrollView* v = makeView(1000);
    UIButton* b = button(150, 900);  // on screen at (250, 500)
    v->addChild(b);
    recorder.listenToTouches(b);
    host->touchDown(250, 500);
    EXPECT_TRUE(b->isFocused());
    host->touchMove(250, 505);
    EXPECT_TRUE(b->isFocused());
    EXPECT_FLOAT_EQ(innerY(v), -600);
    host->touchUp(250, 505);
    EXPECT_EQ(recorder.touches, (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_ENDED}));
    EXPECT_FALSE(v->isAutoScrolling());
}

TEST_F(ScrollView, AChildButtonLosesItsPressBeyondFivePointsAndTheViewScrolls) {
    UIScrollView* v = makeView(1000);
    UIButton* b = button(150, 900);
    v->addChild(b);
    recorder.listenToTouches(b);
    host->touchDown(250, 500);
    host->touchMove(250, 494);  // 6 points down: the top edge holds the content
    EXPECT_FALSE(b->isFocused());
    EXPECT_EQ(recorder.log.back(), "scroll 0");
    host->touchMove(250, 530);
    EXPECT_FALSE(b->isFocused());
    EXPECT_FLOAT_EQ(innerY(v), -600 + 36);
    host->touchUp(250, 530);
    EXPECT_EQ(recorder.touches.back(), TOUCH_CANCELED);
}

TEST_F(ScrollView, SidewaysTravelDoesNotCancelAChildOfAVerticalView) {
    UIScrollView* v = makeView(1000);
    UIButton* b = button(150, 900);
    v->addChild(b);
    host->touchDown(250, 500);
    host->touchMove(290, 503);
    EXPECT_TRUE(b->isFocused());
    EXPECT_FLOAT_EQ(innerY(v), -600);
    host->touchUp(290, 503);
}

// --- bad input -------------------------------------------------------------------------

TEST_F(ScrollView, DirectionsOtherThanVerticalAndHorizontalMoveNothing) {
    for (int direction : {0, 3, -1, 42}) {
        UIScrollView* v = makeView(1000, direction);
        recorder.clear();
        dragOverFrames(250, 220, 250, 520, 10);
        host->step(30);
        EXPECT_FLOAT_EQ(innerY(v), -600) << direction;
        EXPECT_FLOAT_EQ(innerX(v), 0) << direction;
        EXPECT_FALSE(v->isAutoScrolling()) << direction;
        EXPECT_TRUE(recorder.log.empty()) << direction;
        v->removeFromParent();
    }
}

TEST_F(ScrollView, ChangingTheDirectionStopsAFling) {
    UIScrollView* v = makeView(3000);
    dragOverFrames(250, 220, 250, 520, 30);
    ASSERT_TRUE(v->isAutoScrolling());
    v->setDirection(SCROLL_DIRECTION_HORIZONTAL);
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_EQ(v->getMoveDirection(), SCROLL_MOVE_NONE);
    const CCPoint held = v->getInnerContainer()->getPosition();
    host->step(20);
    EXPECT_EQ(v->getInnerContainer()->getPosition(), held);
}

TEST_F(ScrollView, AZeroSizeViewKeepsItsContentInBoundsAndFinite) {
    UIScrollView* v = UIScrollView::create();
    v->setPosition(CCPoint(200, 200));
    v->setInnerSize(CCSize(500, 500));
    layer->addWidget(v);
    EXPECT_EQ(v->getInnerContainerSize(), CCSize(500, 500));
    EXPECT_FLOAT_EQ(innerY(v), -500);
    dragOverFrames(200, 200, 200, 300, 5);  // the press lands on the view's only point
    host->step(120);
    EXPECT_TRUE(std::isfinite(innerY(v)));
    EXPECT_GE(innerY(v), -500);
    EXPECT_LE(innerY(v), 0);
}
