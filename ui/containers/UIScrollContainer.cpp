// UIScrollContainer: the inner container and the child forwarding, the touch phases into the scroll protocol, and the child-touch rule.
//
// Index:
//   - construction, init, renderer and inner container, release
//   - child management and layout forwarding
//   - the inner container's size and place
//   - widget touch phases and child touches
#include "ui/containers/UIScrollContainer.h"

#include <algorithm>
#include <cmath>

namespace ui {

using namespace engine;

// --- construction ----------------------------------------------------------------------

UIScrollContainer::UIScrollContainer(Content content, InitialTouch initialTouch)
    : m_content(content), m_initialTouch(initialTouch) {}

// The widget base removes the inner container (and with it every child it holds) and the
// renderer, and unschedules the update.
UIScrollContainer::~UIScrollContainer() = default;

bool UIScrollContainer::init() {
    if (!Layout::init()) return false;
    setClipAble(true);
    setFrameUpdateEnabled(true);
    if (m_initialTouch == TOUCH_ENABLED_INITIALLY) setTouchEnabled(true);
    return true;
}

void UIScrollContainer::createRenderer() {
    Layout::createRenderer();
    if (m_content != CONTENT_IN_INNER_CONTAINER) return;
    m_innerContainer = Layout::create();
    if (!m_innerContainer) return;
    m_innerContainer->setTouchEnabled(false);
    // The base class's addChild: this class's own sends children into the container.
    if (!UIWidget::addChild(m_innerContainer)) m_innerContainer = nullptr;
}

void UIScrollContainer::releaseResources() {
    setFrameUpdateEnabled(false);
    if (m_innerContainer) m_innerContainer->removeAllChildren();
    Layout::releaseResources();
    m_innerContainer = nullptr;
}

void UIScrollContainer::update(float dt) {
    if (!(dt > 0) || !std::isfinite(dt)) dt = 0;
    retain();
    frameStep(dt);
    release();
}

void UIScrollContainer::onEnter() {
    Layout::onEnter();
    setFrameUpdateEnabled(true);
}

// --- child management ------------------------------------------------------------------

bool UIScrollContainer::addChild(UIWidget* child) {
    if (!m_innerContainer) return Layout::addChild(child);
    if (child && child->getWidgetParent() == m_innerContainer) return true;
    return m_innerContainer->addChild(child);
}

bool UIScrollContainer::removeChild(UIWidget* child) {
    return m_innerContainer ? m_innerContainer->removeChild(child) : Layout::removeChild(child);
}

void UIScrollContainer::removeAllChildren() {
    if (m_innerContainer)
        m_innerContainer->removeAllChildren();
    else
        Layout::removeAllChildren();
}

CCArray* UIScrollContainer::getChildren() {
    return m_innerContainer ? m_innerContainer->getChildren() : Layout::getChildren();
}

void UIScrollContainer::setLayoutType(LayoutType type) {
    if (m_innerContainer)
        m_innerContainer->setLayoutType(type);
    else
        Layout::setLayoutType(type);
}

LayoutType UIScrollContainer::getLayoutType() const {
    return m_innerContainer ? m_innerContainer->getLayoutType() : Layout::getLayoutType();
}

void UIScrollContainer::arrangeChildren() {
    if (m_innerContainer)
        m_innerContainer->arrangeChildren();
    else
        Layout::arrangeChildren();
}

// --- the inner container's size and place ----------------------------------------------

const CCSize& UIScrollContainer::getInnerContainerSize() const {
    static const CCSize kNone;
    return m_innerContainer ? m_innerContainer->getSize() : kNone;
}

void UIScrollContainer::placeInnerContainer(const CCSize& size) {
    if (!m_innerContainer) return;
    const CCSize wanted = sanitizeSize(size);
    const CCSize fitted(std::max(wanted.width, m_size.width), std::max(wanted.height, m_size.height));
    m_innerContainer->setSize(fitted);
    m_innerContainer->setPosition(CCPoint(0, m_size.height - fitted.height));
}

void UIScrollContainer::setInnerSize(const CCSize& size) {
    if (!m_innerContainer) return;
    const CCSize wanted = sanitizeSize(size);
    const CCSize fitted(std::max(wanted.width, m_size.width), std::max(wanted.height, m_size.height));
    if (fitted.equals(m_innerContainer->getSize())) return;
    placeInnerContainer(fitted);
}

// --- touches ---------------------------------------------------------------------------

bool UIScrollContainer::onTouchBegan(const CCPoint& touchPoint) {
    const bool result = Layout::onTouchBegan(touchPoint);
    onScrollPress(touchPoint);
    return result;
}

void UIScrollContainer::onTouchMoved(const CCPoint& touchPoint) {
    Layout::onTouchMoved(touchPoint);
    onScrollMove(touchPoint);
}

void UIScrollContainer::onTouchEnded(const CCPoint& touchPoint) {
    Layout::onTouchEnded(touchPoint);
    onScrollRelease(touchPoint);
}

void UIScrollContainer::notifyChildTouch(int touchPhase, UIWidget* sender, const CCPoint& point) {
    onChildTouch(touchPhase, sender, point);
}

void UIScrollContainer::onChildTouch(int touchState, UIWidget* sender, const CCPoint& touchPoint) {
    switch (touchState) {
        case TOUCH_BEGAN:
            onScrollPress(touchPoint);
            break;
        case TOUCH_MOVED:
            // A finger that stays within the offset is still pressing the child.
            if (sender && childTouchTravel(sender->getTouchBeganPoint(), touchPoint) > m_childFocusCancelOffset) {
                sender->setFocused(false);
                onScrollMove(touchPoint);
            }
            break;
        case TOUCH_ENDED:
            onScrollRelease(touchPoint);
            break;
        default:
            break;
    }
}

}  // namespace ui
