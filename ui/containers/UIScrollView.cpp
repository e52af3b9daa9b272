// UIScrollView: the inner container, press/drag/release along one axis, edge stops with their events, and the decelerating fling.
//
// Index:
//   - construction
//   - sizes (view size changes, direction)
//   - child touches
//   - the scroll protocol: press, drag step, release, edge stops
//   - fling and the per-frame step
//   - events and listeners
#include "ui/containers/UIScrollView.h"

#include <cmath>

#include "engine/base/CCCreate.h"

namespace ui {

using namespace engine;

// --- construction ----------------------------------------------------------------------

UIScrollView::UIScrollView() : UIScrollContainer(CONTENT_IN_INNER_CONTAINER, TOUCH_ENABLED_INITIALLY) {}

UIScrollView::~UIScrollView() = default;

UIScrollView* UIScrollView::create() {
    UIScrollView* view = new UIScrollView();
    return autoreleasedOrNull(view, view->init());
}

const char* UIScrollView::getTypeName() { return "ScrollView"; }

// --- sizes -----------------------------------------------------------------------------

void UIScrollView::onSizeChanged() {
    UIScrollContainer::onSizeChanged();
    m_topBoundary = m_size.height;
    m_rightBoundary = m_size.width;
    if (m_innerContainer) placeInnerContainer(m_innerContainer->getSize());
}

void UIScrollView::setDirection(int direction) {
    if (direction == m_direction) return;
    m_direction = direction;
    m_moveDirection = SCROLL_MOVE_NONE;
    stopFling();
}

// --- touches ---------------------------------------------------------------------------

float UIScrollView::childTouchTravel(const CCPoint& began, const CCPoint& now) const {
    if (m_direction == SCROLL_DIRECTION_VERTICAL) return std::fabs(began.y - now.y);
    if (m_direction == SCROLL_DIRECTION_HORIZONTAL) return std::fabs(began.x - now.x);
    return 0;
}

// --- the scroll protocol ---------------------------------------------------------------

float UIScrollView::axisLocation(const CCPoint& worldPoint) {
    if (!m_renderer) return 0;
    const CCPoint p = m_renderer->convertToNodeSpace(worldPoint);
    if (m_direction == SCROLL_DIRECTION_VERTICAL) return p.y;
    if (m_direction == SCROLL_DIRECTION_HORIZONTAL) return p.x;
    return 0;
}

void UIScrollView::onScrollPress(const CCPoint& touchPoint) {
    m_touchStartLocation = m_touchMoveStartLocation = axisLocation(touchPoint);
    stopFling();
    m_pressed = true;
    m_slideTime = 0;
}

void UIScrollView::onScrollMove(const CCPoint& touchPoint) {
    const float location = axisLocation(touchPoint);
    const float offset = location - m_touchMoveStartLocation;
    m_touchMoveStartLocation = location;
    if (m_direction == SCROLL_DIRECTION_VERTICAL) {
        if (offset < 0)
            m_moveDirection = SCROLL_MOVE_DOWN;
        else if (offset > 0)
            m_moveDirection = SCROLL_MOVE_UP;
    } else if (m_direction == SCROLL_DIRECTION_HORIZONTAL) {
        if (offset < 0)
            m_moveDirection = SCROLL_MOVE_LEFT;
        else if (offset > 0)
            m_moveDirection = SCROLL_MOVE_RIGHT;
    }
    scrollChildren(offset);
}

void UIScrollView::onScrollRelease(const CCPoint& touchPoint) {
    m_touchEndLocation = axisLocation(touchPoint);
    startInertia();
    m_pressed = false;
}

void UIScrollView::moveInnerContainer(float dx, float dy) {
    if (!m_innerContainer) return;
    const CCPoint& p = m_innerContainer->getPosition();
    m_moveChildPoint = CCPoint(p.x + dx, p.y + dy);
    m_innerContainer->setPosition(m_moveChildPoint);
}

bool UIScrollView::scrollChildren(float offset) {
    if (!m_innerContainer || !std::isfinite(offset)) return false;
    const bool vertical = m_direction == SCROLL_DIRECTION_VERTICAL;
    const bool horizontal = m_direction == SCROLL_DIRECTION_HORIZONTAL;
    if (!vertical && !horizontal) return false;
    Layout* inner = m_innerContainer;
    switch (m_moveDirection) {
        case SCROLL_MOVE_UP:
            if (vertical && m_bottomBoundary <= inner->getBottomEdge() + offset) {
                moveInnerContainer(0, m_bottomBoundary - inner->getBottomEdge());
                m_bottomEnd = true;
                sendScrollEvent(SCROLL_EVENT_TO_BOTTOM);
                return false;
            }
            break;
        case SCROLL_MOVE_DOWN:
            if (vertical && m_topBoundary >= inner->getTopEdge() + offset) {
                moveInnerContainer(0, m_topBoundary - inner->getTopEdge());
                m_topEnd = true;
                sendScrollEvent(SCROLL_EVENT_TO_TOP);
                return false;
            }
            break;
        case SCROLL_MOVE_LEFT:
            if (horizontal && m_rightBoundary >= inner->getRightEdge() + offset) {
                moveInnerContainer(m_rightBoundary - inner->getRightEdge(), 0);
                m_rightEnd = true;
                sendScrollEvent(SCROLL_EVENT_TO_RIGHT);
                return false;
            }
            break;
        case SCROLL_MOVE_RIGHT:
            if (horizontal && m_leftBoundary <= inner->getLeftEdge() + offset) {
                moveInnerContainer(m_leftBoundary - inner->getLeftEdge(), 0);
                m_leftEnd = true;
                sendScrollEvent(SCROLL_EVENT_TO_LEFT);
                return false;
            }
            break;
        default:
            break;
    }
    if (vertical) {
        moveInnerContainer(0, offset);
        m_topEnd = m_bottomEnd = false;
    } else {
        moveInnerContainer(offset, 0);
        m_leftEnd = m_rightEnd = false;
    }
    return true;
}

// --- fling -----------------------------------------------------------------------------

void UIScrollView::startInertia() {
    if (!(m_slideTime > 0.016f)) return;  // a tap (or no frame at all since the press)
    const float speed = std::fabs(m_touchEndLocation - m_touchStartLocation) / m_slideTime;
    m_autoScrollSpeed = std::isfinite(speed) ? speed : 0;
    m_autoScroll = true;
    m_pressed = false;
    m_slideTime = 0;
}

void UIScrollView::stopFling() {
    m_autoScroll = false;
    m_autoScrollSpeed = 0;
}

void UIScrollView::flingStep(float dt) {
    m_autoScrollSpeed -= m_autoScrollAcceleration * dt;
    const float distance = m_autoScrollSpeed * dt;
    if (!(distance > 0)) {
        stopFling();
        return;
    }
    bool moved = false;
    switch (m_moveDirection) {
        case SCROLL_MOVE_UP:
        case SCROLL_MOVE_RIGHT:
            moved = scrollChildren(distance);
            break;
        case SCROLL_MOVE_DOWN:
        case SCROLL_MOVE_LEFT:
            moved = scrollChildren(-distance);
            break;
        default:
            break;  // no drag step gave the fling a direction
    }
    if (!moved) stopFling();
}

void UIScrollView::frameStep(float dt) {
    if (m_autoScroll) flingStep(dt);
    if (m_pressed) m_slideTime += dt;
}

// --- events ----------------------------------------------------------------------------

void UIScrollView::sendScrollEvent(ScrollEventType type) {
    CCObject* target = m_edgeListeners[type];
    SEL_WidgetEvent selector = m_edgeSelectors[type];
    if (target && selector) (target->*selector)(this);
    if (m_eventListener && m_eventSelector) (m_eventListener->*m_eventSelector)(this, type);
}

void UIScrollView::setEdgeListener(ScrollEventType type, CCObject* target, SEL_WidgetEvent selector) {
    m_edgeListeners[type] = target;
    m_edgeSelectors[type] = selector;
}

void UIScrollView::setEventListener(CCObject* target, SEL_ScrollEvent selector) {
    m_eventListener = target;
    m_eventSelector = selector;
}

void UIScrollView::setScrollToTopListener(CCObject* target, SEL_WidgetEvent selector) {
    setEdgeListener(SCROLL_EVENT_TO_TOP, target, selector);
}

void UIScrollView::setScrollToBottomListener(CCObject* target, SEL_WidgetEvent selector) {
    setEdgeListener(SCROLL_EVENT_TO_BOTTOM, target, selector);
}

void UIScrollView::setScrollToLeftListener(CCObject* target, SEL_WidgetEvent selector) {
    setEdgeListener(SCROLL_EVENT_TO_LEFT, target, selector);
}

void UIScrollView::setScrollToRightListener(CCObject* target, SEL_WidgetEvent selector) {
    setEdgeListener(SCROLL_EVENT_TO_RIGHT, target, selector);
}

}  // namespace ui
