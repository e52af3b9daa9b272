// The scroll view: a clipping panel whose inner container is dragged along one axis, flings on release and stops at its edges.
//
// Index:
//   - direction, move direction and scroll event numbers, listener selector types
//   - UIScrollView: the touch protocol along one axis, the per-frame fling, the edge stops and
//     their events (the inner container and child forwarding live in UIScrollContainer)
//
// Behaviour:
//   - Listeners: setEventListener (sender, ScrollEventType) for every event, and one
//     single-event listener per edge (setScrollToTopListener ...) called with the sender alone,
//     the single-event one first. A second registration replaces the first; a null target or
//     selector clears it. Targets are not retained.
//   - setDirection stores any value; only 1 (vertical) and 2 (horizontal) scroll. A change
//     stops a fling and forgets the last move direction, so an old left/right can never steer a
//     vertical view.
//   - setInnerSize returns early when the size it would set is the current one, so the scroll
//     position stays; a size change of the view always re-places the container top-aligned.
//     Negative or non-number sizes count as 0, so the container simply takes the view's size.
//   - A child's touch counts as a drag once it has gone more than 5 points along the scroll
//     axis; a view with no scrolling axis never takes a child's touch over.
//   - Every release clears `pressed`, a tap too: the flag means a touch is down.
//   - A fling whose release followed no drag step has no direction and ends at once; offsets
//     that are not finite numbers move nothing.
#pragma once

#include "ui/containers/UIScrollContainer.h"

namespace ui {

// The axis a scroll view moves its content along.
enum ScrollDirection { SCROLL_DIRECTION_NONE = 0, SCROLL_DIRECTION_VERTICAL = 1, SCROLL_DIRECTION_HORIZONTAL = 2 };

// Which way the last drag step went: 0 none, 1 up, 2 down, 3 left, 4 right.
enum ScrollMoveDirection { SCROLL_MOVE_NONE, SCROLL_MOVE_UP, SCROLL_MOVE_DOWN, SCROLL_MOVE_LEFT, SCROLL_MOVE_RIGHT };

// The edge the content stopped at: 0 top, 1 bottom, 2 left, 3 right.
enum ScrollEventType { SCROLL_EVENT_TO_TOP, SCROLL_EVENT_TO_BOTTOM, SCROLL_EVENT_TO_LEFT, SCROLL_EVENT_TO_RIGHT };

// The general scroll listener: called on its target with (sender view, event).
typedef void (engine::CCObject::*SEL_ScrollEvent)(engine::CCObject*, ScrollEventType);
#define scrolleventselector(_SELECTOR) static_cast<ui::SEL_ScrollEvent>(&_SELECTOR)

class UIScrollView : public UIScrollContainer {
public:
    static UIScrollView* create();

    UIScrollView();
    ~UIScrollView() override;

    // --- operations it overrides, in their fixed order ---------------------------------------
    const char* getTypeName() override;
    void onSizeChanged() override;

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

    // --- plain operations --------------------------------------------------------------------
    void setDirection(int direction);
    int getDirection() const { return m_direction; }
    int getMoveDirection() const { return m_moveDirection; }

    bool isAutoScrolling() const { return m_autoScroll; }
    float getAutoScrollSpeed() const { return m_autoScrollSpeed; }
    float getAutoScrollAcceleration() const { return m_autoScrollAcceleration; }
    bool isPressed() const { return m_pressed; }
    float getSlideTime() const { return m_slideTime; }
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
    // Along the scroll axis; 0 for a view with none.
    float childTouchTravel(const engine::CCPoint& began, const engine::CCPoint& now) const override;
    void moveInnerContainer(float dx, float dy);
    // A fling step, then the slide time while pressed.
    void frameStep(float dt) override;
    void flingStep(float dt);
    void stopFling();
    void sendScrollEvent(ScrollEventType type);
    void setEdgeListener(ScrollEventType type, engine::CCObject* target, SEL_WidgetEvent selector);

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
    engine::CCObject* m_eventListener = nullptr;
    SEL_ScrollEvent m_eventSelector = nullptr;
    // The single-event listeners, by ScrollEventType.
    static const int kEdgeCount = 4;
    engine::CCObject* m_edgeListeners[kEdgeCount] = {};
    SEL_WidgetEvent m_edgeSelectors[kEdgeCount] = {};
};

}  // namespace ui
