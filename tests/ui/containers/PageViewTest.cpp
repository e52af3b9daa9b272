// The page view through real touches: the page row, the drag clamp at both ends, the half-page rule, the 12-frame slide, child presses and bad input.
#include "ContainerTestKit.h"

using namespace engine;
using namespace ui;
using namespace containers;

namespace {

// A touch-enabled view of 640 x 400 at (0, 200): it spans y 200..600 on screen.
class PageView : public ContainerTest {
protected:
    UIPageView* makeView(int pages = 3, float width = 640) {
        UIPageView* v = UIPageView::create();
        v->setSize(CCSize(width, 400));
        v->setPosition(CCPoint(0, 200));
        v->setTouchEnabled(true);
        for (int i = 0; i < pages; ++i) EXPECT_TRUE(v->addPage(Layout::create()));
        layer->addWidget(v);
        recorder.listenTo(v);
        return v;
    }
    static float pageX(UIPageView* v, int i) { return v->getPage(i)->getPosition().x; }
    std::vector<float> row(UIPageView* v) {
        std::vector<float> xs;
        for (unsigned int i = 0; i < v->getPageCount(); ++i) xs.push_back(pageX(v, static_cast<int>(i)));
        return xs;
    }
};

}  // namespace

// --- pages -----------------------------------------------------------------------------

TEST_F(PageView, PagesTakeTheViewsSizeAndTheNextPlaceInTheRow) {
    UIPageView* v = makeView(3);
    EXPECT_STREQ(v->getTypeName(), "PageView");
    ASSERT_EQ(v->getPageCount(), 3u);
    EXPECT_EQ(row(v), (std::vector<float>{0, 640, 1280}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(v->getPage(i)->getSize(), CCSize(640, 400));
    EXPECT_FALSE(v->addPage(v->getPage(1)));
    EXPECT_FALSE(v->addPage(nullptr));
    EXPECT_EQ(v->getPageCount(), 3u);
    v->setSize(CCSize(500, 300));
    EXPECT_EQ(row(v), (std::vector<float>{0, 500, 1000}));
    EXPECT_EQ(v->getPage(2)->getSize(), CCSize(500, 300));
}

TEST_F(PageView, PlainChildrenStayWhereTheyAreAndDoNotPage) {
    UIPageView* v = makeView(0);
    UIButton* b = button(100, 100);
    EXPECT_TRUE(v->addChild(b));
    EXPECT_EQ(v->getPageCount(), 0u);
    EXPECT_EQ(v->getChildren()->count(), 1u);
    dragOverFrames(600, 400, 100, 400, 10);
    host->step(20);
    EXPECT_EQ(b->getPosition(), CCPoint(100, 100));
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_FALSE(v->removeChild(b));
    EXPECT_EQ(b->getWidgetParent(), v);
    v->removeAllChildren();
    EXPECT_EQ(v->getChildren()->count(), 0u);
}

// --- dragging --------------------------------------------------------------------------

TEST_F(PageView, TheFirstPageCannotBeDraggedRight) {
    UIPageView* v = makeView(3);
    host->touchDown(100, 400);
    host->touchMove(300, 400);
    EXPECT_EQ(row(v), (std::vector<float>{0, 640, 1280}));
    host->touchMove(250, 400);  // left again moves
    EXPECT_EQ(row(v), (std::vector<float>{-50, 590, 1230}));
    host->touchUp(250, 400);
}

TEST_F(PageView, TheLastPageCannotBeDraggedLeft) {
    UIPageView* v = makeView(3);
    v->turnToPage(2);
    host->step(12);
    ASSERT_EQ(row(v), (std::vector<float>{-1280, -640, 0}));
    host->touchDown(500, 400);
    host->touchMove(300, 400);
    EXPECT_EQ(row(v), (std::vector<float>{-1280, -640, 0}));
    host->touchUp(300, 400);
}

TEST_F(PageView, AReleaseHalfAPageLeftTurnsToTheNextPage) {
    UIPageView* v = makeView(3);
    dragOverFrames(600, 400, 280, 400, 8);
    EXPECT_EQ(v->getCurPageIndex(), 1);
    EXPECT_TRUE(v->isAutoScrolling());
    const int frames = framesUntil([&] { return !v->isAutoScrolling(); });
    EXPECT_EQ(frames, 12);
    EXPECT_EQ(row(v), (std::vector<float>{-640, 0, 640}));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"turning", "page 0"}));
}

TEST_F(PageView, AReleaseShortOfHalfAPageSlidesBack) {
    UIPageView* v = makeView(3);
    dragOverFrames(600, 400, 281, 400, 8);
    EXPECT_FLOAT_EQ(pageX(v, 0), -319);
    EXPECT_EQ(v->getCurPageIndex(), 0);
    const int frames = framesUntil([&] { return !v->isAutoScrolling(); });
    EXPECT_EQ(frames, 12);
    EXPECT_EQ(row(v), (std::vector<float>{0, 640, 1280}));
    EXPECT_EQ(recorder.pageEvents.size(), 1u);
}

TEST_F(PageView, AReleaseHalfAPageRightTurnsBack) {
    UIPageView* v = makeView(3);
    v->turnToPage(1);
    host->step(12);
    dragOverFrames(20, 400, 340, 400, 8);
    EXPECT_EQ(v->getCurPageIndex(), 0);
    host->step(12);
    EXPECT_EQ(row(v), (std::vector<float>{0, 640, 1280}));
}

TEST_F(PageView, ASlideOf640PointsTakes12FramesWithTheEventBeforeTheLastStep) {
    UIPageView* v = makeView(3);
    float atEvent = NAN;
    recorder.then = [&] { atEvent = pageX(v, 1); };
    v->turnToPage(1);
    EXPECT_NEAR(v->getAutoScrollSpeed(), 3200, 0.5);
    host->step(1);
    EXPECT_NEAR(pageX(v, 1), 640 - 53.33f, 0.01);
    host->step(10);
    EXPECT_TRUE(v->isAutoScrolling());
    EXPECT_TRUE(recorder.log.empty());
    host->step(1);
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_NEAR(atEvent, 53.33f, 0.01);
    EXPECT_FLOAT_EQ(pageX(v, 1), 0);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"turning", "page 0"}));
}

// --- children --------------------------------------------------------------------------

TEST_F(PageView, AChildButtonKeepsItsPressWithinFivePoints) {
    UIPageView* v = makeView(3);
    UIButton* b = button(320, 200);  // on screen at (320, 400)
    v->getPage(0)->addChild(b);
    recorder.listenToTouches(b);
    host->touchDown(320, 400);
    host->touchMove(315, 400);
    EXPECT_TRUE(b->isFocused());
    EXPECT_EQ(row(v), (std::vector<float>{0, 640, 1280}));
    host->touchUp(315, 400);
    EXPECT_EQ(recorder.touches.back(), TOUCH_ENDED);
}

TEST_F(PageView, AChildButtonLosesItsPressAtSixPointsAndTheViewDrags) {
    UIPageView* v = makeView(3);
    UIButton* b = button(320, 200);
    v->getPage(0)->addChild(b);
    recorder.listenToTouches(b);
    host->touchDown(320, 400);
    host->touchMove(314, 400);
    EXPECT_FALSE(b->isFocused());
    EXPECT_EQ(row(v), (std::vector<float>{-6, 634, 1274}));
    host->touchUp(314, 400);
    EXPECT_EQ(recorder.touches.back(), TOUCH_CANCELED);
}

// --- bad input and repairs -------------------------------------------------------------

TEST_F(PageView, TurnToPageOutOfRangeIsIgnored) {
    UIPageView* v = makeView(3);
    for (int index : {-1, 3, 100}) {
        v->turnToPage(index);
        EXPECT_FALSE(v->isAutoScrolling());
        EXPECT_EQ(v->getCurPageIndex(), 0);
    }
    UIPageView* empty = makeView(0);
    empty->turnToPage(0);
    EXPECT_FALSE(empty->isAutoScrolling());
}

TEST_F(PageView, LeavingTheViewIsTheReleaseAndTheRestOfTheTouchIsIgnored) {
    UIPageView* v = makeView(3);
    recorder.listenToTouches(v);
    host->touchDown(630, 400);
    host->touchMove(300, 400);   // page 0 at -330
    host->touchMove(300, 700);   // above the view: released, turning to page 1
    EXPECT_EQ(v->getCurPageIndex(), 1);
    EXPECT_TRUE(v->isAutoScrolling());
    host->touchMove(0, 700);     // ignored
    EXPECT_FLOAT_EQ(pageX(v, 1), 310);
    host->touchUp(0, 700);
    host->step(12);
    EXPECT_EQ(row(v), (std::vector<float>{-640, 0, 640}));
    EXPECT_EQ(recorder.touches,
              (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_MOVED, TOUCH_CANCELED}));
    EXPECT_EQ(recorder.pageEvents.size(), 1u);
    // The next touch is handled again.
    host->touchDown(300, 400);
    host->touchMove(350, 400);
    EXPECT_FLOAT_EQ(pageX(v, 1), 50);
    host->touchUp(350, 400);
}

TEST_F(PageView, RemovingTheCurrentLastPageLeavesNoDanglingBoundary) {
    UIPageView* v = makeView(3);
    v->turnToPage(2);
    host->step(12);
    Layout* last = v->getPage(2);
    EXPECT_TRUE(v->removeChild(last));
    EXPECT_EQ(v->getPageCount(), 2u);
    EXPECT_EQ(v->getCurPageIndex(), 1);
    EXPECT_EQ(row(v), (std::vector<float>{-640, 0}));
    host->touchDown(500, 400);
    host->touchMove(200, 400);  // the new last page holds
    EXPECT_EQ(row(v), (std::vector<float>{-640, 0}));
    host->touchMove(300, 400);
    host->touchUp(300, 400);
    host->step(12);
    EXPECT_EQ(row(v), (std::vector<float>{-640, 0}));
}

TEST_F(PageView, RemovingAnEarlierPageKeepsThePageInView) {
    UIPageView* v = makeView(3);
    v->turnToPage(1);
    host->step(12);
    Layout* shown = v->getPage(1);
    EXPECT_TRUE(v->removeChild(v->getPage(0)));
    EXPECT_EQ(v->getPage(v->getCurPageIndex()), shown);
    EXPECT_FLOAT_EQ(shown->getPosition().x, 0);
    v->removeAllChildren();
    EXPECT_EQ(v->getPageCount(), 0u);
    dragOverFrames(600, 400, 100, 400, 5);
    host->step(12);
    EXPECT_FALSE(v->isAutoScrolling());
}

TEST_F(PageView, AResizeDuringASlideEndsItOnItsPageWithTheEvent) {
    UIPageView* v = makeView(3);
    v->turnToPage(1);
    host->step(5);
    v->setSize(CCSize(500, 400));
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_EQ(row(v), (std::vector<float>{-500, 0, 500}));
    EXPECT_EQ(recorder.pageEvents.size(), 1u);
    host->step(12);
    EXPECT_EQ(row(v), (std::vector<float>{-500, 0, 500}));
}

TEST_F(PageView, AZeroWidthViewDoesNothingOnRelease) {
    UIPageView* v = makeView(3, 0);
    EXPECT_EQ(row(v), (std::vector<float>{0, 0, 0}));
    // The view's box is the single column x = 0.
    dragOverFrames(0, 400, 0, 300, 5);
    host->step(20);
    EXPECT_EQ(v->getCurPageIndex(), 0);
    EXPECT_FALSE(v->isAutoScrolling());
    EXPECT_EQ(row(v), (std::vector<float>{0, 0, 0}));
}
