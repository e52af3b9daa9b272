// The drag panel: a clipping panel whose inner container is dragged freely, glides on after release and berths or bounces at the edges.
//
// Index:
//   - edge codes (berth and bounce directions), move states, the sixteen event numbers
//   - UIDragPanel: press/drag/release, the bounded delta, the auto move, the bounce, the berth
//     check, the position tween (the inner container and child forwarding live in
//     UIScrollContainer)
//
// Behaviour:
//   - Listeners: setEventListener (sender, DragPanelEventType) for every event, and one
//     single-event listener per event, setEventListener (event, target, selector) called with
//     the sender alone, the single-event one first. A second registration replaces the first;
//     event numbers outside 0 .. 15 are ignored; targets are not retained.
//   - The content moves both ways, so a child's touch counts as a drag once it is more than
//     5 points from where it pressed the child in any direction.
//   - The slide time restarts at every press: a touch that ended outside the panel (no auto
//     move, so no reset there) must not lengthen the next one and shrink its glide.
//   - A release with no frame since the press (slide time 0), or one whose glide would not be
//     a finite distance, starts no auto move.
//   - setInnerSize returns early when the size it would set is the current one; negative or
//     non-number sizes count as 0 (the container takes the panel's size). A panel that grows
//     grows its container with it without moving it, so the content stays where it was.
//   - Durations below 0 or not numbers, and ease rates of 0 or less or not numbers, are
//     refused by their setters (a rate of 0 or less would send the content to infinity).
#pragma once

#include "ui/containers/UIScrollContainer.h"

namespace ui {

// Where the content rests (berth direction) or which gap a bounce closes (bounce direction).
enum DragPanelEdge {
    DRAG_EDGE_NONE = 0,
    DRAG_EDGE_LEFT_BOTTOM = 1,
    DRAG_EDGE_LEFT_TOP = 2,
    DRAG_EDGE_RIGHT_BOTTOM = 3,
    DRAG_EDGE_RIGHT_TOP = 4,
    DRAG_EDGE_LEFT = 5,
    DRAG_EDGE_TOP = 6,
    DRAG_EDGE_RIGHT = 7,
    DRAG_EDGE_BOTTOM = 8,
};

enum DragPanelMoveState { DRAG_MOVE_NONE = 0, DRAG_MOVE_AUTO = 1, DRAG_MOVE_BOUNCE = 2 };

enum DragPanelEventType {
    DRAG_EVENT_BERTH_LEFT_BOTTOM = 0,
    DRAG_EVENT_BERTH_LEFT_TOP = 1,
    DRAG_EVENT_BERTH_RIGHT_BOTTOM = 2,
    DRAG_EVENT_BERTH_RIGHT_TOP = 3,
    DRAG_EVENT_BERTH_LEFT = 4,
    DRAG_EVENT_BERTH_TOP = 5,
    DRAG_EVENT_BERTH_RIGHT = 6,
    DRAG_EVENT_BERTH_BOTTOM = 7,
    DRAG_EVENT_BOUNCE_OVER_LEFT_BOTTOM = 8,
    DRAG_EVENT_BOUNCE_OVER_LEFT_TOP = 9,
    DRAG_EVENT_BOUNCE_OVER_RIGHT_BOTTOM = 10,
    DRAG_EVENT_BOUNCE_OVER_RIGHT_TOP = 11,
    DRAG_EVENT_BOUNCE_OVER_LEFT = 12,
    DRAG_EVENT_BOUNCE_OVER_TOP = 13,
    DRAG_EVENT_BOUNCE_OVER_RIGHT = 14,
    DRAG_EVENT_BOUNCE_OVER_BOTTOM = 15,
};
const int kDragPanelEventCount = 16;

// The general drag panel listener: called on its target with (sender panel, event).
typedef void (engine::CCObject::*SEL_DragPanelEvent)(engine::CCObject*, DragPanelEventType);
#define dragpaneleventselector(_SELECTOR) static_cast<ui::SEL_DragPanelEvent>(&_SELECTOR)

class UIDragPanel : public UIScrollContainer {
public:
    UIDragPanel();
    ~UIDragPanel() override;

    static UIDragPanel* create();

    // --- operations it overrides, in their fixed order ---------------------------------------
    const char* getTypeName() override;
    // Grows the inner container to at least the panel's size, where it is.
    void onSizeChanged() override;
    // Stops the tween first.
    void releaseResources() override;

    // --- UIScrollInterface -------------------------------------------------------------------
    void onScrollPress(const engine::CCPoint& touchPoint) override;
    void onScrollMove(const engine::CCPoint& touchPoint) override;
    void onScrollRelease(const engine::CCPoint& touchPoint) override;

    // --- plain operations --------------------------------------------------------------------
    void setBounceEnable(bool enable);
    bool isBounceEnable() const { return m_bounceEnable; }
    void setAutoMoveDuration(float seconds);
    float getAutoMoveDuration() const { return m_autoMoveDuration; }
    void setAutoMoveEaseRate(float rate);
    float getAutoMoveEaseRate() const { return m_autoMoveEaseRate; }
    void setBounceDuration(float seconds);
    float getBounceDuration() const { return m_bounceDuration; }
    void setBounceEaseRate(float rate);
    float getBounceEaseRate() const { return m_bounceEaseRate; }

    bool isTouchPressed() const { return m_touchPressed; }
    bool isTouchMoved() const { return m_touchMoved; }
    bool isTouchReleased() const { return m_touchReleased; }
    bool isBounceStartedByDrag() const { return m_bounceStartedByDrag; }
    float getSlideTime() const { return m_slideTime; }
    int getMoveState() const { return m_moveState; }
    int getBerthDirection() const { return m_berthDirection; }
    int getBounceDirection() const { return m_bounceDirection; }
    bool isTweenRunning() const { return m_tweenRunning; }
    // True when the content leaves a gap on any side.
    bool isOutOfBounds();

    void setEventListener(engine::CCObject* target, SEL_DragPanelEvent selector);
    void setEventListener(DragPanelEventType event, engine::CCObject* target, SEL_WidgetEvent selector);

protected:
    // The straight distance: the content moves both ways.
    float childTouchTravel(const engine::CCPoint& began, const engine::CCPoint& now) const override;
    void moveInnerContainer(const engine::CCPoint& delta);
    // The delta with each component that would open a gap replaced by the one that closes
    // the content against that edge; a delta that opens no gap comes back unchanged.
    engine::CCPoint boundedDelta(const engine::CCPoint& delta);
    // Sets the berth direction from the edges that rest exactly on the panel's; true for any.
    bool checkBerth();
    void startAutoMove();
    void startBounce();
    void startTween(const engine::CCPoint& delta, float duration, float easeRate);
    void stopTween();
    void tweenStep(float dt);
    // The tween step, then the slide time while pressed.
    void frameStep(float dt) override;
    void sendEvent(int event);

    bool m_touchPressed = false;
    bool m_touchMoved = false;
    bool m_touchReleased = false;
    bool m_bounceStartedByDrag = false;
    engine::CCPoint m_lastTouchPoint;        // node space
    engine::CCPoint m_touchStartWorldPoint;  // world space
    engine::CCPoint m_touchEndPoint;         // world space
    float m_slideTime = 0;
    int m_moveState = DRAG_MOVE_AUTO;
    float m_autoMoveDuration = 0.5f;
    float m_autoMoveEaseRate = 2.0f;
    int m_berthDirection = DRAG_EDGE_NONE;
    bool m_bounceEnable = false;
    int m_bounceDirection = DRAG_EDGE_NONE;
    float m_bounceDuration = 0.5f;
    float m_bounceEaseRate = 2.0f;
    engine::CCObject* m_eventListener = nullptr;
    SEL_DragPanelEvent m_eventSelector = nullptr;
    bool m_tweenRunning = false;
    UIWidget* m_tweenTarget = nullptr;  // the inner container
    float m_tweenDuration = 0;
    float m_tweenElapsed = 0;
    bool m_tweenFirstTick = false;
    engine::CCPoint m_tweenDelta;
    engine::CCPoint m_tweenStartPosition;
    engine::CCPoint m_tweenPreviousPosition;
    float m_tweenEaseRate = 2.0f;
    engine::CCObject* m_eventListeners[kDragPanelEventCount] = {};
    SEL_WidgetEvent m_eventSelectors[kDragPanelEventCount] = {};
};

}  // namespace ui
