// UIScrollView: the inner container, press/drag/release along one axis, edge stops with their events, and the decelerating fling.
//
// Index:
//   - construction, init, renderer and inner container, release
//   - child management and layout forwarding
//   - sizes (inner size, view size changes)
//   - widget touch phases and child touches
//   - the scroll protocol: press, drag step, release, edge stops
//   - fling and the per-frame step
//   - events and listeners
#include "ui/containers/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "engine/base/CCCreate.h"

namespace ui {

using namespace engine;

// --- construction ----------------------------------------------------------------------

UIScrollView::UIScrollView() = default;

// The widget base removes the inner container (and with it every scrolled child) and the
// renderer, and unschedules the update.
UIScrollView::~UIScrollView() = default;

UIScrollView* UIScrollView::create() {
    UIScrollView* view = new UIScrollView();
    return autoreleasedOrNull(view, view->init());
}

bool UIScrollView::init() {
    if (!Layout::init()) return false;
    setFrameUpdateEnabled(true);
    setTouchEnabled(true);
    setClipAble(true);
    if (m_innerContainer) m_innerContainer->setTouchEnabled(false);
    return true;
}

void UIScrollView::createRenderer() {
    Layout::createRenderer();
    m_innerContainer = Layout::create();
    // The base class's addChild: this class's own sends children into the container.
    if (m_innerContainer && !UIWidget::addChild(m_innerContainer)) m_innerContainer = nullptr;
}

void UIScrollView::releaseResources() {
    setFrameUpdateEnabled(false);
    if (m_innerContainer) m_innerContainer->removeAllChildren();
    Layout::releaseResources();
    m_innerContainer = nullptr;
}

void UIScrollView::onEnter() {
    Layout::onEnter();
    setFrameUpdateEnabled(true);
}

const char* UIScrollView::getTypeName() { return "ScrollView"; }

// --- child management ------------------------------------------------------------------

bool UIScrollView::addChild(UIWidget* child) { return m_innerContainer ? m_innerContainer->addChild(child) : false; }

bool UIScrollView::removeChild(UIWidget* child) {
    return m_innerContainer ? m_innerContainer->removeChild(child) : false;
}

void UIScrollView::removeAllChildren() {
    if (m_innerContainer) m_innerContainer->removeAllChildren();
}

CCArray* UIScrollView::getChildren() { return m_innerContainer ? m_innerContainer->getChildren() : nullptr; }

void UIScrollView::setLayoutType(LayoutType type) {
    if (m_innerContainer) m_innerContainer->setLayoutType(type);
}

LayoutType UIScrollView::getLayoutType() const {
    return m_innerContainer ? m_innerContainer->getLayoutType() : LAYOUT_TYPE_ABSOLUTE;
}

void UIScrollView::arrangeChildren() {
    if (m_innerContainer) m_innerContainer->arrangeChildren();
}

// --- sizes -----------------------------------------------------------------------------

const CCSize& UIScrollView::getInnerContainerSize() const {
    static const CCSize kNone;
    return m_innerContainer ? m_innerContainer->getSize() : kNone;
}

void UIScrollView::fitInnerContainer(const CCSize& size) {
    if (!m_innerContainer) return;
    const CCSize wanted = sanitizeSize(size);
    const CCSize fitted(std::max(wanted.width, m_size.width), std::max(wanted.height, m_size.height));
    m_innerContainer->setSize(fitted);
    m_innerContainer->setPosition(CCPoint(0, m_size.height - fitted.height));
}

void UIScrollView::setInnerSize(const CCSize& size) {
    if (!m_innerContainer) return;
    const CCSize wanted = sanitizeSize(size);
    const CCSize fitted(std::max(wanted.width, m_size.width), std::max(wanted.height, m_size.height));
    if (fitted.equals(m_innerContainer->getSize())) return;
    fitInnerContainer(fitted);
}

void UIScrollView::onSizeChanged() {
    Layout::onSizeChanged();
    m_topBoundary = m_size.height;
    m_rightBoundary = m_size.width;
    if (m_innerContainer) fitInnerContainer(m_innerContainer->getSize());
}

void UIScrollView::setDirection(int direction) {
    if (direction == m_direction) return;
    m_direction = direction;
    m_moveDirection = SCROLL_MOVE_NONE;
    stopFling();
}

// --- touches ---------------------------------------------------------------------------

bool UIScrollView::onTouchBegan(const CCPoint& touchPoint) {
    const bool result = Layout::onTouchBegan(touchPoint);
    onScrollPress(touchPoint);
    return result;
}

void UIScrollView::onTouchMoved(const CCPoint& touchPoint) {
    Layout::onTouchMoved(touchPoint);
    onScrollMove(touchPoint);
}

void UIScrollView::onTouchEnded(const CCPoint& touchPoint) {
    Layout::onTouchEnded(touchPoint);
    onScrollRelease(touchPoint);
}

void UIScrollView::notifyChildTouch(int touchPhase, UIWidget* sender, const CCPoint& point) {
    onChildTouch(touchPhase, sender, point);
}

void UIScrollView::onChildTouch(int touchState, UIWidget* sender, const CCPoint& touchPoint) {
    switch (touchState) {
        case TOUCH_BEGAN:
            onScrollPress(touchPoint);
            break;
        case TOUCH_MOVED: {
            if (!sender) break;
            // A finger that stays within the offset is still pressing the child.
            const CCPoint& start = sender->getTouchBeganPoint();
            float travel = 0;
            if (m_direction == SCROLL_DIRECTION_VERTICAL)
                travel = std::fabs(start.y - touchPoint.y);
            else if (m_direction == SCROLL_DIRECTION_HORIZONTAL)
                travel = std::fabs(start.x - touchPoint.x);
            else
                break;
            if (travel > m_childFocusCancelOffset) {
                sender->setFocused(false);
                onScrollMove(touchPoint);
            }
            break;
        }
        case TOUCH_ENDED:
            onScrollRelease(touchPoint);
            break;
        default:
            break;
    }
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

void UIScrollView::update(float dt) {
    if (!(dt > 0) || !std::isfinite(dt)) dt = 0;
    retain();  // an edge listener may drop the last reference to the view
    if (m_autoScroll) flingStep(dt);
    if (m_pressed) m_slideTime += dt;
    release();
}

// --- events ----------------------------------------------------------------------------

void UIScrollView::sendScrollEvent(ScrollEventType type) {
    CCObject* target = nullptr;
    SEL_WidgetEvent selector = nullptr;
    switch (type) {
        case SCROLL_EVENT_TO_TOP:
            target = m_scrollToTopListener, selector = m_scrollToTopSelector;
            break;
        case SCROLL_EVENT_TO_BOTTOM:
            target = m_scrollToBottomListener, selector = m_scrollToBottomSelector;
            break;
        case SCROLL_EVENT_TO_LEFT:
            target = m_scrollToLeftListener, selector = m_scrollToLeftSelector;
            break;
        case SCROLL_EVENT_TO_RIGHT:
            target = m_scrollToRightListener, selector = m_scrollToRightSelector;
            break;
    }
    if (target && selector) (target->*selector)(this);
    if (m_eventListener && m_eventSelector) (m_eventListener->*m_eventSelector)(this, type);
}

void UIScrollView::setEventListener(CCObject* target, SEL_ScrollEvent selector) {
    m_eventListener = target;
    m_eventSelector = selector;
}

void UIScrollView::setScrollToTopListener(CCObject* target, SEL_WidgetEvent selector) {
    m_scrollToTopListener = target;
    m_scrollToTopSelector = selector;
}

void UIScrollView::setScrollToBottomListener(CCObject* target, SEL_WidgetEvent selector) {
    m_scrollToBottomListener = target;
    m_scrollToBottomSelector = selector;
}

void UIScrollView::setScrollToLeftListener(CCObject* target, SEL_WidgetEvent selector) {
    m_scrollToLeftListener = target;
    m_scrollToLeftSelector = selector;
}

void UIScrollView::setScrollToRightListener(CCObject* target, SEL_WidgetEvent selector) {
    m_scrollToRightListener = target;
    m_scrollToRightSelector = selector;
}

}  // namespace ui
