// The rules the three scrolling containers share through UIScrollContainer: where children go, what addChild answers, the starting state, and when a child's touch becomes a drag.
#include "ContainerTestKit.h"

using namespace engine;
using namespace ui;
using namespace containers;

namespace {

class ScrollContainer : public ContainerTest {
protected:
    // A container of 500 x 500 at (70, 230) with content of 1000 x 1000 where it has some.
    template <typename T>
    T* place(T* container) {
        container->setSize(CCSize(500, 500));
        container->setPosition(CCPoint(70, 230));
        layer->addWidget(container);
        return container;
    }
    UIScrollView* scrollView(int direction = SCROLL_DIRECTION_VERTICAL) {
        UIScrollView* v = place(UIScrollView::create());
        v->setInnerSize(CCSize(1000, 1000));
        v->setDirection(direction);
        return v;
    }
    UIDragPanel* dragPanel() {
        UIDragPanel* p = place(UIDragPanel::create());
        p->setInnerSize(CCSize(1000, 1000));
        return p;
    }

    // The answers of addChild and the other child operations on a container with an inner
    // container; the same for the scroll view and the drag panel.
    template <typename T>
    void checkInnerContainerChildren(T* c) {
        Layout* inner = c->getInnerContainer();
        ASSERT_NE(inner, nullptr);
        UIButton* b = button(10, 10);
        EXPECT_FALSE(c->addChild(nullptr));
        EXPECT_TRUE(c->addChild(b));
        EXPECT_EQ(b->getWidgetParent(), inner);
        EXPECT_TRUE(c->addChild(b));  // already there: still a success, and still one child
        EXPECT_EQ(c->getChildren()->count(), 1u);
        EXPECT_EQ(c->getChildren(), inner->getChildren());

        Layout* elsewhere = Layout::create();
        UIButton* other = button(20, 20);
        ASSERT_TRUE(elsewhere->addChild(other));
        EXPECT_FALSE(c->addChild(other));  // belongs to another parent
        EXPECT_EQ(other->getWidgetParent(), elsewhere);
        EXPECT_FALSE(c->addChild(inner));  // the inner container cannot hold itself
        EXPECT_FALSE(c->removeChild(inner));
        EXPECT_EQ(inner->getWidgetParent(), c);

        c->setLayoutType(LAYOUT_TYPE_LINEAR_VERTICAL);
        EXPECT_EQ(inner->getLayoutType(), LAYOUT_TYPE_LINEAR_VERTICAL);
        EXPECT_EQ(c->getLayoutType(), LAYOUT_TYPE_LINEAR_VERTICAL);

        EXPECT_TRUE(c->removeChild(b));
        EXPECT_EQ(b->getWidgetParent(), nullptr);
        EXPECT_FALSE(c->removeChild(b));
        c->addChild(b);
        c->removeAllChildren();
        EXPECT_EQ(c->getChildren()->count(), 0u);
        EXPECT_EQ(inner->getWidgetParent(), c);
    }
};

}  // namespace

// --- children --------------------------------------------------------------------------

TEST_F(ScrollContainer, AScrollViewKeepsItsChildrenInItsInnerContainer) { checkInnerContainerChildren(scrollView()); }

TEST_F(ScrollContainer, ADragPanelKeepsItsChildrenInItsInnerContainer) { checkInnerContainerChildren(dragPanel()); }

TEST_F(ScrollContainer, APageViewHasNoInnerContainerAndKeepsItsChildrenItself) {
    UIPageView* v = place(UIPageView::create());
    EXPECT_EQ(v->getChildren()->count(), 0u);
    UIButton* b = button(10, 10);
    EXPECT_FALSE(v->addChild(nullptr));
    EXPECT_TRUE(v->addChild(b));
    EXPECT_EQ(b->getWidgetParent(), v);
    EXPECT_FALSE(v->addChild(b));  // its own children follow the panel's rule
    EXPECT_EQ(v->getChildren()->count(), 1u);
    v->setLayoutType(LAYOUT_TYPE_LINEAR_HORIZONTAL);
    EXPECT_EQ(v->getLayoutType(), LAYOUT_TYPE_LINEAR_HORIZONTAL);
}

// --- starting state --------------------------------------------------------------------

TEST_F(ScrollContainer, EachStartsClippingWithItsUpdateOnAndOnlyThePageViewWaitsForTouches) {
    UIScrollView* v = scrollView();
    UIDragPanel* p = dragPanel();
    UIPageView* pv = place(UIPageView::create());
    for (UIScrollContainer* c : std::vector<UIScrollContainer*>{v, p, pv}) {
        EXPECT_TRUE(c->isClipAble()) << c->getTypeName();
        EXPECT_TRUE(c->isFrameUpdateEnabled()) << c->getTypeName();
        EXPECT_FLOAT_EQ(c->getChildFocusCancelOffset(), 5.0f) << c->getTypeName();
    }
    EXPECT_TRUE(v->isTouchEnabled());
    EXPECT_TRUE(p->isTouchEnabled());
    EXPECT_FALSE(pv->isTouchEnabled());
    EXPECT_FALSE(v->getInnerContainer()->isTouchEnabled());
    EXPECT_FALSE(p->getInnerContainer()->isTouchEnabled());
}

// --- child touches ---------------------------------------------------------------------

// The same finger path, 4 points across and 4 down (5.66 points in all), on a child of each.
TEST_F(ScrollContainer, AChildsTouchIsMeasuredAlongTheDirectionsTheContainerMovesIn) {
    UIScrollView* v = scrollView();
    UIButton* inView = button(250, 750);  // on screen at (320, 480)
    v->addChild(inView);
    host->touchDown(320, 480);
    host->touchMove(316, 476);
    EXPECT_TRUE(inView->isFocused());  // 4 points along the vertical axis
    host->touchUp(316, 476);
    v->removeFromParent();

    UIDragPanel* p = dragPanel();
    UIButton* inPanel = button(250, 750);
    p->addChild(inPanel);
    host->touchDown(320, 480);
    host->touchMove(316, 476);
    EXPECT_FALSE(inPanel->isFocused());  // 5.66 points in any direction
    host->touchUp(316, 476);
}

TEST_F(ScrollContainer, AScrollViewWithNoAxisNeverTakesAChildsTouchOver) {
    UIScrollView* v = scrollView(SCROLL_DIRECTION_NONE);
    UIButton* b = button(250, 750);  // on screen x 270..370, y 455..505
    v->addChild(b);
    recorder.listenToTouches(b);
    host->touchDown(320, 480);
    host->touchMove(365, 500);  // 49 points away, still on the button
    EXPECT_TRUE(b->isFocused());
    EXPECT_EQ(v->getInnerContainer()->getPosition(), CCPoint(0, -500));
    host->touchUp(365, 500);
    EXPECT_EQ(recorder.touches.back(), TOUCH_ENDED);
}
