// UIDragPanel: free dragging of the inner container, the eased auto move after release, the bounce back and the berth and bounce-over events.
//
// Index:
//   - construction, release
//   - sizes and settings
//   - child touches
//   - the scroll protocol: press, drag step, release
//   - edges: gaps, bounded delta, berth check
//   - auto move, bounce and the position tween
//   - events and listeners
#include "ui/containers/UIDragPanel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/base/CCCreate.h"

namespace ui {

using namespace engine;

// --- construction ----------------------------------------------------------------------

UIDragPanel::UIDragPanel() : UIScrollContainer(CONTENT_IN_INNER_CONTAINER, TOUCH_ENABLED_INITIALLY) {}

UIDragPanel::~UIDragPanel() { m_tweenTarget = nullptr; }

UIDragPanel* UIDragPanel::create() {
    UIDragPanel* panel = new UIDragPanel();
    return autoreleasedOrNull(panel, panel->init());
}

void UIDragPanel::releaseResources() {
    stopTween();
    m_tweenTarget = nullptr;
    UIScrollContainer::releaseResources();
}

const char* UIDragPanel::getTypeName() { return "DragPanel"; }

// --- sizes and settings ----------------------------------------------------------------

void UIDragPanel::onSizeChanged() {
    UIScrollContainer::onSizeChanged();
    if (!m_innerContainer) return;
    const CCSize& inner = m_innerContainer->getSize();
    const CCSize grown(std::max(inner.width, m_size.width), std::max(inner.height, m_size.height));
    if (!grown.equals(inner)) m_innerContainer->setSize(grown);
}

void UIDragPanel::setBounceEnable(bool enable) {
    if (enable == m_bounceEnable) return;
    m_bounceEnable = enable;
}

void UIDragPanel::setAutoMoveDuration(float seconds) {
    if (!std::isfinite(seconds) || seconds < 0 || seconds == m_autoMoveDuration) return;
    m_autoMoveDuration = seconds;
}

void UIDragPanel::setAutoMoveEaseRate(float rate) {
    if (!std::isfinite(rate) || rate <= 0 || rate == m_autoMoveEaseRate) return;
    m_autoMoveEaseRate = rate;
}

void UIDragPanel::setBounceDuration(float seconds) {
    if (!std::isfinite(seconds) || seconds < 0 || seconds == m_bounceDuration) return;
    m_bounceDuration = seconds;
}

void UIDragPanel::setBounceEaseRate(float rate) {
    if (!std::isfinite(rate) || rate <= 0 || rate == m_bounceEaseRate) return;
    m_bounceEaseRate = rate;
}

// --- touches ---------------------------------------------------------------------------

float UIDragPanel::childTouchTravel(const CCPoint& began, const CCPoint& now) const { return ccpDistance(began, now); }

// --- the scroll protocol ---------------------------------------------------------------

void UIDragPanel::onScrollPress(const CCPoint& touchPoint) {
    const CCSize& inner = getInnerContainerSize();
    if (!m_innerContainer || (m_size.width >= inner.width && m_size.height >= inner.height)) {
        m_touchPressed = false;  // nothing to drag
        return;
    }
    m_touchPressed = true;
    m_touchMoved = false;
    m_touchReleased = false;
    m_bounceStartedByDrag = false;
    m_slideTime = 0;
    if (m_tweenRunning) {
        if (m_moveState == DRAG_MOVE_AUTO) {
            m_moveState = DRAG_MOVE_NONE;
            stopTween();
        } else if (m_moveState == DRAG_MOVE_BOUNCE) {
            m_touchPressed = false;  // the bounce goes on
        }
    }
    if (m_renderer) m_lastTouchPoint = m_renderer->convertToNodeSpace(touchPoint);
    m_touchStartWorldPoint = touchPoint;
}

void UIDragPanel::onScrollMove(const CCPoint& touchPoint) {
    if (!m_touchPressed || m_bounceStartedByDrag || !m_renderer) return;
    m_touchMoved = true;
    const CCPoint p = m_renderer->convertToNodeSpace(touchPoint);
    CCPoint delta = p - m_lastTouchPoint;
    m_lastTouchPoint = p;
    if (!std::isfinite(delta.x) || !std::isfinite(delta.y)) return;
    if (!m_bounceEnable) {
        m_berthDirection = DRAG_EDGE_NONE;
        moveInnerContainer(boundedDelta(delta));
        if (checkBerth()) sendEvent(m_berthDirection - 1);
        return;
    }
    moveInnerContainer(delta);
    if (hitTest(touchPoint)) return;
    // The finger has left the panel: content pulled out of bounds springs back now.
    m_touchMoved = false;
    if (isOutOfBounds()) {
        m_bounceStartedByDrag = true;
        startBounce();
    }
}

void UIDragPanel::onScrollRelease(const CCPoint& touchPoint) {
    if (!m_touchPressed) return;
    m_touchPressed = false;
    m_touchMoved = false;
    m_touchReleased = true;
    m_bounceStartedByDrag = false;
    if (hitTest(touchPoint)) {
        m_touchEndPoint = touchPoint;
        startAutoMove();
    }
}

// --- edges -----------------------------------------------------------------------------

void UIDragPanel::moveInnerContainer(const CCPoint& delta) {
    if (!m_innerContainer) return;
    m_innerContainer->setPosition(m_innerContainer->getPosition() + delta);
}

bool UIDragPanel::isOutOfBounds() {
    if (!m_innerContainer) return false;
    Layout* in = m_innerContainer;
    return in->getLeftEdge() > 0 || in->getRightEdge() < m_size.width || in->getBottomEdge() > 0 ||
           in->getTopEdge() < m_size.height;
}

CCPoint UIDragPanel::boundedDelta(const CCPoint& delta) {
    if (!m_innerContainer) return delta;
    Layout* in = m_innerContainer;
    const float left = in->getLeftEdge(), right = in->getRightEdge();
    const float bottom = in->getBottomEdge(), top = in->getTopEdge();
    CCPoint d = delta;
    if (left + d.x > 0)
        d.x = -left;
    else if (right + d.x < m_size.width)
        d.x = m_size.width - right;
    if (bottom + d.y > 0)
        d.y = -bottom;
    else if (top + d.y < m_size.height)
        d.y = m_size.height - top;
    return d;
}

bool UIDragPanel::checkBerth() {
    if (!m_innerContainer) return false;
    Layout* in = m_innerContainer;
    const bool left = in->getLeftEdge() == 0, right = in->getRightEdge() == m_size.width;
    const bool bottom = in->getBottomEdge() == 0, top = in->getTopEdge() == m_size.height;
    if (left && bottom)
        m_berthDirection = DRAG_EDGE_LEFT_BOTTOM;
    else if (left && top)
        m_berthDirection = DRAG_EDGE_LEFT_TOP;
    else if (right && bottom)
        m_berthDirection = DRAG_EDGE_RIGHT_BOTTOM;
    else if (right && top)
        m_berthDirection = DRAG_EDGE_RIGHT_TOP;
    else if (left)
        m_berthDirection = DRAG_EDGE_LEFT;
    else if (right)
        m_berthDirection = DRAG_EDGE_RIGHT;
    else if (top)
        m_berthDirection = DRAG_EDGE_TOP;
    else if (bottom)
        m_berthDirection = DRAG_EDGE_BOTTOM;
    else
        return false;
    return true;
}

// --- auto move, bounce, tween ----------------------------------------------------------

void UIDragPanel::startAutoMove() {
    m_moveState = DRAG_MOVE_AUTO;
    stopTween();
    // The drag's displacement per 60-a-second frame of its length.
    CCPoint delta = (m_touchEndPoint - m_touchStartWorldPoint) / (m_slideTime * 60.0f);
    const bool measurable = m_slideTime > 0 && std::isfinite(delta.x) && std::isfinite(delta.y);
    m_slideTime = 0;
    if (!measurable) return;
    if (!m_bounceEnable) delta = boundedDelta(delta);
    startTween(delta, m_autoMoveDuration, m_autoMoveEaseRate);
}

void UIDragPanel::startBounce() {
    if (m_moveState == DRAG_MOVE_BOUNCE && m_tweenRunning) return;
    stopTween();
    m_moveState = DRAG_MOVE_BOUNCE;
    if (!m_innerContainer) return;
    Layout* in = m_innerContainer;
    const float left = in->getLeftEdge(), right = in->getRightEdge();
    const float bottom = in->getBottomEdge(), top = in->getTopEdge();
    const float W = m_size.width, H = m_size.height;
    const bool leftGap = left > 0, rightGap = right < W, bottomGap = bottom > 0, topGap = top < H;
    CCPoint displacement;
    if (leftGap && bottomGap) {
        m_bounceDirection = DRAG_EDGE_LEFT_BOTTOM;
        displacement = CCPoint(-left, -bottom);
    } else if (leftGap && topGap) {
        m_bounceDirection = DRAG_EDGE_LEFT_TOP;
        displacement = CCPoint(-left, H - top);
    } else if (rightGap && bottomGap) {
        m_bounceDirection = DRAG_EDGE_RIGHT_BOTTOM;
        displacement = CCPoint(W - right, -bottom);
    } else if (rightGap && topGap) {
        m_bounceDirection = DRAG_EDGE_RIGHT_TOP;
        displacement = CCPoint(W - right, H - top);
    } else if (leftGap) {
        m_bounceDirection = DRAG_EDGE_LEFT;
        displacement = CCPoint(-left, 0);
    } else if (topGap) {
        m_bounceDirection = DRAG_EDGE_TOP;
        displacement = CCPoint(0, H - top);
    } else if (rightGap) {
        m_bounceDirection = DRAG_EDGE_RIGHT;
        displacement = CCPoint(W - right, 0);
    } else if (bottomGap) {
        m_bounceDirection = DRAG_EDGE_BOTTOM;
        displacement = CCPoint(0, -bottom);
    } else {
        m_bounceDirection = DRAG_EDGE_NONE;
    }
    startTween(displacement, m_bounceDuration, m_bounceEaseRate);
}

void UIDragPanel::startTween(const CCPoint& delta, float duration, float easeRate) {
    if (!m_innerContainer) return;
    m_tweenTarget = m_innerContainer;
    m_tweenDuration = duration > 0 ? duration : FLT_EPSILON;
    m_tweenEaseRate = easeRate;
    m_tweenDelta = delta;
    m_tweenRunning = true;
    m_tweenElapsed = 0;
    m_tweenFirstTick = true;
    m_tweenStartPosition = m_tweenPreviousPosition = m_tweenTarget->getPosition();
}

void UIDragPanel::stopTween() { m_tweenRunning = false; }

void UIDragPanel::tweenStep(float dt) {
    if (!m_tweenTarget) {
        m_tweenRunning = false;
        return;
    }
    if (m_tweenElapsed >= m_tweenDuration) {
        m_tweenRunning = false;
        if (m_moveState == DRAG_MOVE_AUTO) {
            m_moveState = DRAG_MOVE_NONE;
            if (checkBerth()) sendEvent(m_berthDirection - 1);
            m_berthDirection = DRAG_EDGE_NONE;
        } else if (m_moveState == DRAG_MOVE_BOUNCE) {
            if (m_bounceDirection != DRAG_EDGE_NONE) sendEvent(m_bounceDirection + 7);
            m_bounceDirection = DRAG_EDGE_NONE;
            m_moveState = DRAG_MOVE_NONE;
        }
        return;
    }
    if (m_tweenFirstTick) {
        m_tweenElapsed = 0;
        m_tweenFirstTick = false;
    } else {
        m_tweenElapsed += dt;
    }
    const float ratio = std::min(1.0f, std::max(0.0f, m_tweenElapsed / std::max(m_tweenDuration, FLT_EPSILON)));
    // A drag during the tween carries the whole tween along.
    const CCPoint current = m_tweenTarget->getPosition();
    m_tweenStartPosition = m_tweenStartPosition + (current - m_tweenPreviousPosition);
    const float eased = std::pow(ratio, 1.0f / m_tweenEaseRate);
    const CCPoint next = m_tweenStartPosition + m_tweenDelta * eased;
    m_tweenTarget->setPosition(next);
    m_tweenPreviousPosition = next;
    if (m_moveState == DRAG_MOVE_AUTO && m_bounceEnable && isOutOfBounds()) startBounce();
}

void UIDragPanel::frameStep(float dt) {
    if (m_tweenRunning) tweenStep(dt);
    if (m_touchPressed) m_slideTime += dt;
}

// --- events ----------------------------------------------------------------------------

void UIDragPanel::sendEvent(int event) {
    if (event < 0 || event >= kDragPanelEventCount) return;
    CCObject* target = m_eventListeners[event];
    SEL_WidgetEvent selector = m_eventSelectors[event];
    if (target && selector) (target->*selector)(this);
    if (m_eventListener && m_eventSelector)
        (m_eventListener->*m_eventSelector)(this, static_cast<DragPanelEventType>(event));
}

void UIDragPanel::setEventListener(CCObject* target, SEL_DragPanelEvent selector) {
    m_eventListener = target;
    m_eventSelector = selector;
}

void UIDragPanel::setEventListener(DragPanelEventType event, CCObject* target, SEL_WidgetEvent selector) {
    const int i = static_cast<int>(event);
    if (i < 0 || i >= kDragPanelEventCount) return;
    m_eventListeners[i] = target;
    m_eventSelectors[i] = selector;
}

}  // namespace ui
