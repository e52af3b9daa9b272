// The scroll view: a clipping panel whose inner container is dragged along one axis, flings on release and stops at its edges.
//
// Index:
//   - direction, move direction and scroll event numbers, listener selector types
//   - UIScrollView: the inner container and child forwarding, the touch protocol, the per-frame
//     fling, the edge stops and their events
//
// Decisions where the behaviour was ours to choose, and where we mend the plain reading:
//   - Listeners: setEventListener (sender, ScrollEventType) for every event, and one
//     single-event listener per edge (setScrollToTopListener ...) called with the sender alone,
//     the single-event one first. A second registration replaces the first; a null target or
//     selector clears it. Targets are not retained.
//   - setDirection stores any value; only 1 (vertical) and 2 (horizontal) scroll. A change
//     stops a fling and forgets the last move direction, so an old left/right can never steer a
//     vertical view.
//   - setInnerSize returns early when the size it would set is the current one (the scroll
//     position stays); a size change of the view always re-places the container top-aligned.
//     Negative or non-number sizes count as 0, so the container simply takes the view's size.
//   - Every release clears `pressed`, a tap too: the flag means a touch is down.
//   - A fling whose release followed no drag step has no direction and ends at once; offsets
//     that are not finite numbers move nothing.
//   - Removing a widget from its parent unschedules its subtree's updates, so the view
//     schedules its update again whenever it enters the running tree.
#pragma once

#include "ui/containers/UIScrollInterface.h"
#include "ui/widgets/Layout.h"

namespace ui {

// The axis a scroll view moves its content along.
enum ScrollDirection { SCROLL_DIRECTION_NONE = 0, SCROLL_DIRECTION_VERTICAL = 1, SCROLL_DIRECTION_HORIZONTAL = 2 };

// Which way the last drag step went.
enum ScrollMoveDirection {
    SCROLL_MOVE_NONE = 0,
    SCROLL_MOVE_UP = 1,
    SCROLL_MOVE_DOWN = 2,
    SCROLL_MOVE_LEFT = 3,
    SCROLL_MOVE_RIGHT = 4,
};

enum ScrollEventType {
    SCROLL_EVENT_TO_TOP = 0,
    SCROLL_EVENT_TO_BOTTOM = 1,
    SCROLL_EVENT_TO_LEFT = 2,
    SCROLL_EVENT_TO_RIGHT = 3,
};

// The general scroll listener: called on its target with (sender view, event).
typedef void (engine::CCObject::*SEL_ScrollEvent)(engine::CCObject*, ScrollEventType);
#define scrolleventselector(_SELECTOR) static_cast<ui::SEL_ScrollEvent>(&_SELECTOR)

class UIScrollView : public Layout, public UIScrollInterface {
public:
    UIScrollView();
    ~UIScrollView() override;

    static UIScrollView* create();

    // --- operations it overrides, in their fixed order ---------------------------------------
    // The per-frame step: a fling step, then the slide time while pressed.
    void update(float dt) override;
    // Child management acts on the inner container.
    bool addChild(UIWidget* child) override;
    bool removeChild(UIWidget* child) override;
    void removeAllChildren() override;
    engine::CCArray* getChildren() override;
    // Touches on descendants drive the view (onChildTouch); they go no further up.
    void notifyChildTouch(int touchPhase, UIWidget* sender, const engine::CCPoint& point) override;
    bool onTouchBegan(const engine::CCPoint& touchPoint) override;
    void onTouchMoved(const engine::CCPoint& touchPoint) override;
    void onTouchEnded(const engine::CCPoint& touchPoint) override;
    const char* getTypeName() override;
    void onEnter() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderer() override;
    void releaseResources() override;
    // The layout-type operations arrange the inner container's children.
    void setLayoutType(LayoutType type) override;
    LayoutType getLayoutType() const override;
    void arrangeChildren() override;

    // --- new ---------------------------------------------------------------------------------
    // Moves the content by offset along the axis unless that passes an edge; then it stops at
    // the edge, sends that edge's event and returns false.
    virtual bool scrollChildren(float offset);
    // Starts a fling at the touch's average speed, unless the touch was a tap.
    virtual void startInertia();

    // --- UIScrollInterface -------------------------------------------------------------------
    void onScrollPress(const engine::CCPoint& touchPoint) override;
    void onScrollMove(const engine::CCPoint& touchPoint) override;
    void onScrollRelease(const engine::CCPoint& touchPoint) override;
    void onChildTouch(int touchState, UIWidget* sender, const engine::CCPoint& touchPoint) override;

    // --- plain operations --------------------------------------------------------------------
    // At least the view's size in each direction, placed with its top on the view's top.
    void setInnerSize(const engine::CCSize& size);
    const engine::CCSize& getInnerContainerSize() const;
    Layout* getInnerContainer() const { return m_innerContainer; }

    void setDirection(int direction);
    int getDirection() const { return m_direction; }
    int getMoveDirection() const { return m_moveDirection; }

    bool isAutoScrolling() const { return m_autoScroll; }
    float getAutoScrollSpeed() const { return m_autoScrollSpeed; }
    float getAutoScrollAcceleration() const { return m_autoScrollAcceleration; }
    bool isPressed() const { return m_pressed; }
    float getSlideTime() const { return m_slideTime; }
    float getChildFocusCancelOffset() const { return m_childFocusCancelOffset; }
    bool isTopEnd() const { return m_topEnd; }
    bool isBottomEnd() const { return m_bottomEnd; }
    bool isLeftEnd() const { return m_leftEnd; }
    bool isRightEnd() const { return m_rightEnd; }

    void setEventListener(engine::CCObject* target, SEL_ScrollEvent selector);
    void setScrollToTopListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setScrollToBottomListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setScrollToLeftListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setScrollToRightListener(engine::CCObject* target, SEL_WidgetEvent selector);

protected:
    // The touch's coordinate on the scroll axis, in the view's node space (0 off-axis).
    float axisLocation(const engine::CCPoint& worldPoint);
    // Places a container of at least the view's size top-aligned, every time.
    void fitInnerContainer(const engine::CCSize& size);
    void moveInnerContainer(float dx, float dy);
    void flingStep(float dt);
    void stopFling();
    void sendScrollEvent(ScrollEventType type);

    Layout* m_innerContainer = nullptr;  // a real child of the view, held by the children array
    int m_direction = SCROLL_DIRECTION_VERTICAL;
    int m_moveDirection = SCROLL_MOVE_NONE;
    float m_touchStartLocation = 0;
    float m_touchEndLocation = 0;
    float m_touchMoveStartLocation = 0;
    float m_topBoundary = 0;
    float m_bottomBoundary = 0;
    float m_leftBoundary = 0;
    float m_rightBoundary = 0;
    bool m_topEnd = false;
    bool m_bottomEnd = false;
    bool m_leftEnd = false;
    bool m_rightEnd = false;
    bool m_autoScroll = false;
    float m_autoScrollSpeed = 0;
    float m_autoScrollAcceleration = 600.0f;
    bool m_pressed = false;
    float m_slideTime = 0;
    engine::CCPoint m_moveChildPoint;
    float m_childFocusCancelOffset = 5.0f;
    engine::CCObject* m_eventListener = nullptr;
    SEL_ScrollEvent m_eventSelector = nullptr;
    engine::CCObject* m_scrollToTopListener = nullptr;
    SEL_WidgetEvent m_scrollToTopSelector = nullptr;
    engine::CCObject* m_scrollToBottomListener = nullptr;
    SEL_WidgetEvent m_scrollToBottomSelector = nullptr;
    engine::CCObject* m_scrollToLeftListener = nullptr;
    SEL_WidgetEvent m_scrollToLeftSelector = nullptr;
    engine::CCObject* m_scrollToRightListener = nullptr;
    SEL_WidgetEvent m_scrollToRightSelector = nullptr;
};

}  // namespace ui
