// The drag panel through real touches: bounded drags and berths, the eased glide, the bounce and its events, child presses and bad input.
#include "ContainerTestKit.h"

using namespace engine;
using namespace ui;
using namespace containers;

namespace {

// A panel of 500 x 500 at (70, 230): it spans x 70..570 and y 230..730 on screen.
class DragPanel : public ContainerTest {
protected:
    UIDragPanel* makePanel(float inner = 1000, bool bounce = false) {
        UIDragPanel* p = UIDragPanel::create();
        p->setSize(CCSize(500, 500));
        p->setPosition(CCPoint(70, 230));
        p->setInnerSize(CCSize(inner, inner));
        p->setBounceEnable(bounce);
        layer->addWidget(p);
        recorder.listenTo(p);
        return p;
    }
    static CCPoint innerAt(UIDragPanel* p) { return p->getInnerContainer()->getPosition(); }
};

}  // namespace

// --- the inner container ---------------------------------------------------------------

TEST_F(DragPanel, ContentStartsTopAlignedAndChildrenLiveInIt) {
    UIDragPanel* p = makePanel(1000);
    EXPECT_STREQ(p->getTypeName(), "DragPanel");
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));
    UIButton* b = button(10, 10);
    EXPECT_TRUE(p->addChild(b));
    EXPECT_EQ(b->getWidgetParent(), p->getInnerContainer());
    EXPECT_TRUE(p->addChild(b));  // already in the inner container: still a success
    EXPECT_EQ(p->getChildren()->count(), 1u);
    p->removeAllChildren();
    EXPECT_EQ(p->getChildren()->count(), 0u);
    EXPECT_EQ(p->getInnerContainer()->getWidgetParent(), p);
    p->setSize(CCSize(1200, 600));
    EXPECT_EQ(p->getInnerContainerSize(), CCSize(1200, 1000));
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));  // growing does not move it
}

// --- dragging, bounded ------------------------------------------------------------------

TEST_F(DragPanel, ABoundedDragStopsTheLeftEdgeAtTheEdgeAndBerthsThere) {
    UIDragPanel* p = makePanel(1000);
    host->touchDown(400, 400);
    host->touchMove(200, 500);  // content to (-200, -400): no edge rests
    EXPECT_EQ(innerAt(p), CCPoint(-200, -400));
    EXPECT_TRUE(recorder.dragEvents.empty());
    host->touchMove(430, 500);  // would put the left edge at +30
    EXPECT_EQ(innerAt(p), CCPoint(0, -400));
    EXPECT_EQ(p->getBerthDirection(), DRAG_EDGE_LEFT);
    EXPECT_EQ(recorder.dragEvents, (std::vector<int>{DRAG_EVENT_BERTH_LEFT}));
    host->touchMove(460, 600);  // the left edge stays, the content rises
    EXPECT_EQ(innerAt(p), CCPoint(0, -300));
    EXPECT_EQ(recorder.dragEvents, (std::vector<int>{DRAG_EVENT_BERTH_LEFT, DRAG_EVENT_BERTH_LEFT}));
    host->touchMove(470, 900);  // the bottom edge too: a corner
    EXPECT_EQ(innerAt(p), CCPoint(0, 0));
    EXPECT_EQ(recorder.dragEvents.back(), DRAG_EVENT_BERTH_LEFT_BOTTOM);
    host->touchMove(480, 950);  // would open a gap at the bottom
    EXPECT_EQ(innerAt(p), CCPoint(0, 0));
    host->touchUp(480, 950);
}

// --- the auto move ---------------------------------------------------------------------

TEST_F(DragPanel, A300PointDragOverHalfASecondGlidesTenPointsWithAnEaseOut) {
    UIDragPanel* p = makePanel(2000);
    host->touchDown(500, 300);
    host->touchMove(500, 500);  // content to (0, -1300): no edge but the left one rests
    host->touchUp(500, 500);
    recorder.clear();

    host->touchDown(560, 400);
    for (int i = 1; i <= 30; ++i) {
        host->step(1);
        host->touchMove(560 - 10 * i, 400);
    }
    host->touchUp(260, 400);
    ASSERT_EQ(innerAt(p), CCPoint(-300, -1300));
    ASSERT_TRUE(p->isTweenRunning());
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_AUTO);
    host->step(1);  // the first tick: still where the finger left it
    EXPECT_FLOAT_EQ(innerAt(p).x, -300);
    host->step(7);  // 7/60 s of 0.5 s: the square root of the time fraction
    EXPECT_NEAR(innerAt(p).x, -300 - 10 * std::sqrt(7.0f / 30), 0.05);
    const int frames = framesUntil([&] { return !p->isTweenRunning(); });
    EXPECT_GE(frames, 23);
    EXPECT_LE(frames, 26);
    EXPECT_NEAR(innerAt(p).x, -310, 0.001);
    EXPECT_FLOAT_EQ(innerAt(p).y, -1300);
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_NONE);
    EXPECT_TRUE(recorder.dragEvents.empty());
}

TEST_F(DragPanel, AGlideThatReachesAnEdgeStopsThereAndBerths) {
    UIDragPanel* p = makePanel(1000);
    host->touchDown(300, 400);
    host->touchMove(100, 500);  // (-200, -400)
    host->touchUp(100, 500);
    recorder.clear();
    dragOverFrames(100, 500, 280, 500, 3);  // 180 points in 3 frames: a glide of 60 would pass 0
    EXPECT_EQ(innerAt(p), CCPoint(-20, -400));
    host->step(60);
    EXPECT_FALSE(p->isTweenRunning());
    EXPECT_EQ(innerAt(p), CCPoint(0, -400));
    EXPECT_EQ(recorder.dragEvents, (std::vector<int>{DRAG_EVENT_BERTH_LEFT}));
}

TEST_F(DragPanel, APressDuringAnAutoMoveStopsItWhereItIs) {
    UIDragPanel* p = makePanel(2000);
    dragOverFrames(300, 400, 400, 500, 5);  // a glide of (20, 20)
    host->step(5);
    ASSERT_TRUE(p->isTweenRunning());
    host->touchDown(300, 300);
    EXPECT_FALSE(p->isTweenRunning());
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_NONE);
    const CCPoint held = innerAt(p);
    host->step(40);
    EXPECT_EQ(innerAt(p), held);
    host->touchUp(300, 300);
}

TEST_F(DragPanel, AReleaseOutsideThePanelStartsNoAutoMove) {
    UIDragPanel* p = makePanel(2000);
    dragOverFrames(300, 500, 300, 800, 10);  // released above the panel
    EXPECT_EQ(innerAt(p), CCPoint(0, -1200));
    EXPECT_FALSE(p->isTweenRunning());
    const CCPoint held = innerAt(p);
    host->step(40);
    EXPECT_EQ(innerAt(p), held);
}

TEST_F(DragPanel, TheSlideTimeStartsAgainAtEveryPress) {
    UIDragPanel* p = makePanel(2000);
    dragOverFrames(300, 400, 300, 100, 30);  // half a second, released outside
    EXPECT_FALSE(p->isTweenRunning());
    host->step(5);
    const CCPoint before = innerAt(p);
    dragOverFrames(400, 400, 300, 400, 10);  // 100 points in 10 frames: a glide of 10
    host->step(60);
    EXPECT_NEAR(innerAt(p).x - before.x, -110, 0.01);
}

// --- the bounce ------------------------------------------------------------------------

TEST_F(DragPanel, AnAutoMoveOutOfBoundsTurnsIntoABounceThatClosesTheGap) {
    UIDragPanel* p = makePanel(1000, true);
    dragOverFrames(300, 600, 300, 520, 10);  // the top edge 80 points below the panel's top
    EXPECT_EQ(innerAt(p), CCPoint(0, -580));
    ASSERT_TRUE(p->isTweenRunning());
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_AUTO);
    host->step(1);  // the auto move's first step finds the gap
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_BOUNCE);
    EXPECT_EQ(p->getBounceDirection(), DRAG_EDGE_TOP);
    EXPECT_EQ(innerAt(p), CCPoint(0, -580));
    p->setEventListener(DRAG_EVENT_BOUNCE_OVER_TOP, &recorder, widgeteventselector(Recorder::onDragOne));
    host->step(16);  // about half of the 0.5 s: the square root of the time fraction
    EXPECT_NEAR(innerAt(p).y, -580 + 80 * std::sqrt(15.0f / 30), 0.05);
    const int frames = framesUntil([&] { return !p->isTweenRunning(); });
    EXPECT_GE(frames, 15);
    EXPECT_LE(frames, 18);
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"one", "drag 13"}));
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_NONE);
    EXPECT_EQ(p->getBounceDirection(), DRAG_EDGE_NONE);
}

TEST_F(DragPanel, AFingerLeavingThePanelWithTheContentOutOfBoundsBouncesAtOnce) {
    UIDragPanel* p = makePanel(1000, true);
    host->touchDown(300, 400);
    host->touchMove(350, 400);  // left gap of 50
    EXPECT_FALSE(p->isTweenRunning());
    host->touchMove(350, 100);  // below the panel: the content is out of bounds
    EXPECT_TRUE(p->isBounceStartedByDrag());
    EXPECT_EQ(p->getMoveState(), DRAG_MOVE_BOUNCE);
    EXPECT_EQ(p->getBounceDirection(), DRAG_EDGE_LEFT_TOP);
    const CCPoint atLeave = innerAt(p);
    host->touchMove(200, 100);  // ignored for the rest of this drag
    EXPECT_EQ(innerAt(p), atLeave);
    host->touchUp(200, 100);
    host->step(40);
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));
    EXPECT_EQ(recorder.dragEvents, (std::vector<int>{DRAG_EVENT_BOUNCE_OVER_LEFT_TOP}));
}

TEST_F(DragPanel, APressDuringABounceIsRefused) {
    UIDragPanel* p = makePanel(1000, true);
    dragOverFrames(300, 600, 300, 520, 10);
    host->step(5);
    ASSERT_EQ(p->getMoveState(), DRAG_MOVE_BOUNCE);
    host->touchDown(300, 400);
    EXPECT_FALSE(p->isTouchPressed());
    const CCPoint before = innerAt(p);
    host->touchMove(400, 300);  // moves nothing but the bounce
    EXPECT_EQ(innerAt(p), before);
    host->touchUp(400, 300);
    host->step(40);
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));
    EXPECT_EQ(recorder.dragEvents, (std::vector<int>{DRAG_EVENT_BOUNCE_OVER_TOP}));
}

// --- children --------------------------------------------------------------------------

TEST_F(DragPanel, AChildButtonKeepsItsPressWithinFivePointsInAnyDirection) {
    UIDragPanel* p = makePanel(1000);
    UIButton* b = button(250, 750);  // on screen at (320, 480)
    p->addChild(b);
    recorder.listenToTouches(b);
    host->touchDown(320, 480);
    host->touchMove(323, 484);  // 5 points away
    EXPECT_TRUE(b->isFocused());
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));
    host->touchUp(323, 484);
    EXPECT_EQ(recorder.touches.back(), TOUCH_ENDED);

    host->touchDown(320, 480);
    host->touchMove(316, 476);  // 5.66 points away: the panel drags (down is held by the top edge)
    EXPECT_FALSE(b->isFocused());
    EXPECT_EQ(innerAt(p), CCPoint(-4, -500));
    EXPECT_EQ(recorder.dragEvents.back(), DRAG_EVENT_BERTH_TOP);
    host->touchMove(300, 520);
    EXPECT_EQ(innerAt(p), CCPoint(-20, -456));
    host->touchUp(300, 520);
    EXPECT_EQ(recorder.touches.back(), TOUCH_CANCELED);
}

// --- bad input -------------------------------------------------------------------------

TEST_F(DragPanel, ContentThatFitsRefusesEveryPress) {
    UIDragPanel* p = makePanel(200);  // the inner container takes the panel's size
    EXPECT_EQ(p->getInnerContainerSize(), CCSize(500, 500));
    dragOverFrames(300, 400, 400, 500, 5);
    host->step(40);
    EXPECT_FALSE(p->isTouchPressed());
    EXPECT_EQ(innerAt(p), CCPoint(0, 0));
}

TEST_F(DragPanel, AReleaseWithNoFrameSinceThePressStartsNoAutoMove) {
    UIDragPanel* p = makePanel(2000);
    host->touchDown(300, 400);
    host->touchMove(250, 450);
    host->touchUp(250, 450);
    EXPECT_FALSE(p->isTweenRunning());
    host->step(40);
    EXPECT_EQ(innerAt(p), CCPoint(-50, -1500 + 50));
}

TEST_F(DragPanel, AZeroSizePanelAndBadSettingsStayFinite) {
    UIDragPanel* p = UIDragPanel::create();
    p->setPosition(CCPoint(300, 300));
    p->setInnerSize(CCSize(NAN, 100));
    EXPECT_EQ(p->getInnerContainerSize(), CCSize(0, 100));
    p->setAutoMoveEaseRate(0);
    p->setBounceEaseRate(-2);
    p->setAutoMoveDuration(NAN);
    p->setBounceDuration(-1);
    EXPECT_FLOAT_EQ(p->getAutoMoveEaseRate(), 2.0f);
    EXPECT_FLOAT_EQ(p->getBounceEaseRate(), 2.0f);
    EXPECT_FLOAT_EQ(p->getAutoMoveDuration(), 0.5f);
    EXPECT_FLOAT_EQ(p->getBounceDuration(), 0.5f);
    p->setBounceEnable(true);
    layer->addWidget(p);
    dragOverFrames(300, 300, 300, 300, 3);
    host->step(60);
    EXPECT_TRUE(std::isfinite(innerAt(p).x));
    EXPECT_TRUE(std::isfinite(innerAt(p).y));
}

TEST_F(DragPanel, AZeroDurationBounceEndsInTwoSteps) {
    UIDragPanel* p = makePanel(1000, true);
    p->setBounceDuration(0);
    dragOverFrames(300, 600, 300, 520, 10);
    host->step(1);  // the auto move finds the gap: the bounce starts
    ASSERT_EQ(p->getMoveState(), DRAG_MOVE_BOUNCE);
    host->step(2);  // first tick, then the whole way
    EXPECT_EQ(innerAt(p), CCPoint(0, -500));
    host->step(1);
    EXPECT_EQ(recorder.dragEvents, (std::vector<int>{DRAG_EVENT_BOUNCE_OVER_TOP}));
}
