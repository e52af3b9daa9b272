// UIWidget: the child tree, forwarding to the renderer, sizes and percentages, touch phases and the look's state machine.
//
// Index:
//   - helpers (size sanitising, percentages)
//   - construction, init, releaseResources
//   - children (z-order insertion, removal with unscheduling, reordering)
//   - renderer forwarding (transform, colour, actions, visibility)
//   - sizes and the enter/exit lifecycle
//   - hit testing and the clipping-ancestor test
//   - touch phases and listeners
//   - visual state (bright, brightStyle, focus), frame updates, edges
#include "ui/widgets/UIWidget.h"

#include <cmath>
#include <vector>

#include "engine/base/CCCreate.h"
#include "engine/base/CCRetainedSnapshot.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCScheduler.h"
#include "ui/widgets/GUIRenderer.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/LayoutParameter.h"
#include "ui/widgets/RectClippingNode.h"

namespace ui {

using namespace engine;

// --- helpers ---------------------------------------------------------------------------

CCSize sanitizeSize(const CCSize& size) {
    auto fix = [](float v) { return (std::isfinite(v) && v > 0) ? v : 0.0f; };
    return CCSize(fix(size.width), fix(size.height));
}

namespace {
// a / b, or 0 where b is 0 or the result would not be a number.
float ratio(float a, float b) {
    if (b == 0 || !std::isfinite(b)) return 0;
    float r = a / b;
    return std::isfinite(r) ? r : 0;
}
float finiteOrZero(float v) { return std::isfinite(v) ? v : 0; }

const ccColor3B kWhite = ccWHITE;

}  // namespace

// --- construction ----------------------------------------------------------------------

UIWidget::UIWidget() = default;

UIWidget::~UIWidget() {
    releaseResources();
    m_widgetParent = nullptr;
    safeRelease(m_layoutParameter);
    safeRelease(m_scheduler);
}

UIWidget* UIWidget::create() {
    UIWidget* widget = new UIWidget();
    return autoreleasedOrNull(widget, widget->init());
}

bool UIWidget::init() {
    m_children = CCArray::create();
    m_children->retain();
    createRenderer();
    if (!m_renderer) return false;
    m_renderer->retain();
    m_renderer->setZOrder(m_widgetZOrder);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setCascadeColorEnabled(true);
        rgba->setCascadeOpacityEnabled(true);
    }
    setBright(true);
    setIgnoreSize(true);
    m_scheduler = CCDirector::sharedDirector()->getScheduler();
    if (m_scheduler) m_scheduler->retain();
    return true;
}

void UIWidget::createRenderer() { m_renderer = GUIRenderer::create(); }

void UIWidget::releaseResources() {
    m_pushListener = m_moveListener = m_releaseListener = m_cancelListener = nullptr;
    m_pushSelector = m_moveSelector = m_releaseSelector = m_cancelSelector = nullptr;
    m_updateEnabled = false;
    if (m_scheduler) m_scheduler->unscheduleUpdateForTarget(this);
    // Called from the destructor: only this class's own removal may run here.
    if (m_children) UIWidget::removeAllChildren();
    safeRelease(m_children);
    if (m_renderer) {
        m_renderer->removeAllChildrenWithCleanup(true);
        m_renderer->removeFromParentAndCleanup(true);
        safeRelease(m_renderer);
    }
}

// --- children --------------------------------------------------------------------------

void UIWidget::insertByZOrder(UIWidget* child) {
    const unsigned int n = m_children->count();
    if (n == 0) {
        m_children->addObject(child);
        return;
    }
    for (unsigned int i = n; i > 0; --i) {
        UIWidget* w = static_cast<UIWidget*>(m_children->objectAtIndex(i - 1));
        if (w->m_widgetZOrder <= child->m_widgetZOrder) {
            m_children->insertObject(child, i);  // past the end appends
            return;
        }
    }
    m_children->insertObject(child, 0);
}

bool UIWidget::addChild(UIWidget* child) {
    if (!child || !m_children || m_children->containsObject(child)) return false;
    if (child == this || child->m_widgetParent) return false;
    for (UIWidget* a = m_widgetParent; a; a = a->m_widgetParent)
        if (a == child) return false;
    child->m_widgetParent = this;
    insertByZOrder(child);
    if (child->m_renderer && m_renderer) {
        child->m_renderer->setZOrder(child->m_widgetZOrder);
        m_renderer->addChild(child->m_renderer);
    }
    if (m_isRunning) child->onEnter();
    return true;
}

void UIWidget::unscheduleSubtree(UIWidget* widget) {
    std::vector<UIWidget*> pending{widget};
    while (!pending.empty()) {
        UIWidget* w = pending.back();
        pending.pop_back();
        if (w->m_scheduler) w->m_scheduler->unscheduleUpdateForTarget(w);
        if (w->m_children)
            for (CCObject* o : *w->m_children) pending.push_back(static_cast<UIWidget*>(o));
    }
}

bool UIWidget::removeChild(UIWidget* child) {
    if (!child || !m_children || !m_children->containsObject(child)) return false;
    child->retain();  // the array may hold the last reference
    if (m_isRunning) child->onExit();
    unscheduleSubtree(child);
    child->m_widgetParent = nullptr;
    if (m_renderer && child->m_renderer) m_renderer->removeChild(child->m_renderer, true);
    m_children->removeObject(child);
    child->release();
    return true;
}

void UIWidget::removeFromParent() {
    if (m_widgetParent) m_widgetParent->removeChild(this);
}

void UIWidget::removeAllChildren() {
    if (!m_children) return;
    const unsigned int n = m_children->count();
    for (unsigned int i = 0; i < n; ++i) removeChild(static_cast<UIWidget*>(m_children->lastObject()));
}

void UIWidget::reorderChild(UIWidget* child) {
    if (!child || !m_children || !m_children->containsObject(child)) return;
    child->retain();
    m_children->removeObject(child);
    insertByZOrder(child);
    child->release();
}

CCArray* UIWidget::getChildren() { return m_children; }

// --- renderer forwarding ---------------------------------------------------------------

void UIWidget::setRendererEnabled(bool enabled) {
    if (GUIRenderer* plain = dynamic_cast<GUIRenderer*>(m_renderer))
        plain->setEnabled(enabled);
    else if (RectClippingNode* clipping = dynamic_cast<RectClippingNode*>(m_renderer))
        clipping->setEnabled(enabled);
}

void UIWidget::setEnabled(bool enabled) {
    m_enabled = enabled;
    setRendererEnabled(enabled);
    // Children may leave or join while their callbacks run: walk a retained copy.
    CCRetainedSnapshot<UIWidget> children(m_children);
    for (UIWidget* child : children) child->setEnabled(enabled);
    children.releaseAll();
}

void UIWidget::setTouchEnabled(bool enabled) { m_touchEnabled = enabled; }

void UIWidget::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
}

void UIWidget::setScale(float scale) {
    if (m_renderer) m_renderer->setScale(scale);
}
void UIWidget::setScaleX(float scaleX) {
    if (m_renderer) m_renderer->setScaleX(scaleX);
}
void UIWidget::setScaleY(float scaleY) {
    if (m_renderer) m_renderer->setScaleY(scaleY);
}
float UIWidget::getScale() const { return m_renderer ? m_renderer->getScale() : 1.0f; }
float UIWidget::getScaleX() const { return m_renderer ? m_renderer->getScaleX() : 1.0f; }
float UIWidget::getScaleY() const { return m_renderer ? m_renderer->getScaleY() : 1.0f; }
void UIWidget::setRotation(float degrees) {
    if (m_renderer) m_renderer->setRotation(degrees);
}
float UIWidget::getRotation() const { return m_renderer ? m_renderer->getRotation() : 0.0f; }

void UIWidget::setFlipX(bool) {}
bool UIWidget::isFlipX() { return false; }
void UIWidget::setFlipY(bool) {}
bool UIWidget::isFlipY() { return false; }

void UIWidget::setColor(const ccColor3B& color) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) rgba->setColor(color);
}

const ccColor3B& UIWidget::getColor() {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) return rgba->getColor();
    return kWhite;
}

void UIWidget::setOpacity(int opacity) {
    if (opacity < 0) opacity = 0;
    if (opacity > 255) opacity = 255;
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer))
        rgba->setOpacity(static_cast<uint8_t>(opacity));
}

int UIWidget::getOpacity() {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) return rgba->getOpacity();
    return 255;
}

bool UIWidget::isCascadeOpacityEnabled() {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) return rgba->isCascadeOpacityEnabled();
    return false;
}

void UIWidget::setCascadeOpacityEnabled(bool enabled) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) rgba->setCascadeOpacityEnabled(enabled);
}

bool UIWidget::isCascadeColorEnabled() {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) return rgba->isCascadeColorEnabled();
    return false;
}

void UIWidget::setCascadeColorEnabled(bool enabled) {
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) rgba->setCascadeColorEnabled(enabled);
}

void UIWidget::setActionManager(CCActionManager* manager) {
    if (m_renderer) m_renderer->setActionManager(manager);
}

CCActionManager* UIWidget::getActionManager() { return m_renderer ? m_renderer->getActionManager() : nullptr; }

void UIWidget::setVisible(bool visible) {
    m_visible = visible;
    if (m_renderer) m_renderer->setVisible(visible);
}

void UIWidget::setZOrder(int z) {
    m_widgetZOrder = z;
    if (m_renderer) m_renderer->setZOrder(z);
    if (m_widgetParent) m_widgetParent->reorderChild(this);
}

void UIWidget::setPosition(const CCPoint& position) {
    if (m_isRunning) {
        CCSize p = parentSize();
        m_positionPercent = CCPoint(ratio(position.x, p.width), ratio(position.y, p.height));
    }
    if (m_renderer) m_renderer->setPosition(position);
}

const CCPoint& UIWidget::getPosition() const {
    static const CCPoint kOrigin;
    return m_renderer ? m_renderer->getPosition() : kOrigin;
}

void UIWidget::setName(const char* name) {
    if (!name || !*name) return;
    m_name = name;
}

void UIWidget::setLayoutParameter(LayoutParameter* parameter) { assignRetained(m_layoutParameter, parameter); }

void UIWidget::notifyChildTouch(int touchPhase, UIWidget* sender, const CCPoint& point) {
    if (m_widgetParent) m_widgetParent->notifyChildTouch(touchPhase, sender, point);
}

// --- sizes and lifecycle ---------------------------------------------------------------

CCSize UIWidget::parentSize() const { return m_widgetParent ? m_widgetParent->m_size : CCSize(0, 0); }

void UIWidget::setSize(const CCSize& size) {
    m_customSize = sanitizeSize(size);
    m_size = m_ignoreSize ? sanitizeSize(getContentSize()) : m_customSize;
    if (m_isRunning) {
        CCSize p = parentSize();
        m_sizePercent = CCPoint(ratio(m_customSize.width, p.width), ratio(m_customSize.height, p.height));
    }
    onSizeChanged();
}

void UIWidget::setSizePercent(const CCPoint& percent) {
    m_sizePercent = CCPoint(finiteOrZero(percent.x), finiteOrZero(percent.y));
    if (!m_isRunning) return;
    CCSize p = parentSize();
    CCSize s = sanitizeSize(CCSize(m_sizePercent.x * p.width, m_sizePercent.y * p.height));
    m_size = m_ignoreSize ? sanitizeSize(getContentSize()) : s;
    m_customSize = s;
    onSizeChanged();
}

void UIWidget::setIgnoreSize(bool ignore) {
    m_ignoreSize = ignore;
    m_size = ignore ? sanitizeSize(getContentSize()) : m_customSize;
    onSizeChanged();
}

void UIWidget::switchIgnoreSizeForNineSlice(bool nineSlice) {
    if (nineSlice) {
        // setIgnoreSize keeps its argument as the setting to bring back; keep the earlier one.
        const bool ignore = m_ignoreSize;
        setIgnoreSize(false);
        m_prevIgnoreSize = ignore;
    } else {
        setIgnoreSize(m_prevIgnoreSize);
    }
}

void UIWidget::setIgnoreSizeBesideNineSlice(bool nineSlice, bool ignore) {
    if (nineSlice && ignore) return;
    UIWidget::setIgnoreSize(ignore);
    m_prevIgnoreSize = ignore;
}

const CCSize& UIWidget::getContentSize() { return m_size; }

CCNode* UIWidget::getRendererNode() { return m_renderer; }

const char* UIWidget::getTypeName() { return "Widget"; }

void UIWidget::onSizeChanged() {}

void UIWidget::updateSizeAndPosition() {
    const CCSize p = parentSize();
    if (m_sizeType == SIZE_TYPE_ABSOLUTE) {
        m_size = m_ignoreSize ? sanitizeSize(getContentSize()) : m_customSize;
        m_sizePercent = CCPoint(ratio(m_customSize.width, p.width), ratio(m_customSize.height, p.height));
    } else if (m_sizeType == SIZE_TYPE_PERCENT) {
        CCSize s = sanitizeSize(CCSize(m_sizePercent.x * p.width, m_sizePercent.y * p.height));
        m_size = m_ignoreSize ? sanitizeSize(getContentSize()) : s;
        m_customSize = s;
    }
    onSizeChanged();
    CCPoint pos = getPosition();
    if (m_positionType == POSITION_TYPE_ABSOLUTE)
        m_positionPercent = CCPoint(ratio(pos.x, p.width), ratio(pos.y, p.height));
    else if (m_positionType == POSITION_TYPE_PERCENT)
        pos = CCPoint(finiteOrZero(m_positionPercent.x * p.width), finiteOrZero(m_positionPercent.y * p.height));
    if (m_renderer) m_renderer->setPosition(pos);
}

void UIWidget::onEnter() {
    CCRetainedSnapshot<UIWidget> children(m_children);
    for (UIWidget* child : children) child->onEnter();
    children.releaseAll();
    m_isRunning = true;
    updateSizeAndPosition();
}

void UIWidget::onExit() {
    m_isRunning = false;
    CCRetainedSnapshot<UIWidget> children(m_children);
    for (UIWidget* child : children) child->onExit();
    children.releaseAll();
}

// --- hit testing -----------------------------------------------------------------------

bool UIWidget::hitTest(const CCPoint& worldPoint) {
    if (!m_renderer) return false;
    CCPoint p = m_renderer->convertToNodeSpace(worldPoint);
    const float x0 = -m_size.width * m_anchorPoint.x, y0 = -m_size.height * m_anchorPoint.y;
    return p.x >= x0 && p.x <= x0 + m_size.width && p.y >= y0 && p.y <= y0 + m_size.height;
}

bool UIWidget::isInsideClippingAncestors(const CCPoint& point) {
    // Iterative: every clipping panel up to the root must contain the point.
    UIWidget* from = this;
    for (;;) {
        from->m_affectByClipping = false;
        Layout* clippingParent = nullptr;
        for (UIWidget* a = from->m_widgetParent; a; a = a->m_widgetParent) {
            Layout* panel = dynamic_cast<Layout*>(a);
            if (panel && panel->isClipAble()) {
                clippingParent = panel;
                from->m_affectByClipping = true;
                break;
            }
        }
        if (!clippingParent) return true;
        if (!clippingParent->hitTest(point)) return false;
        from = clippingParent;
    }
}

// --- touch phases ----------------------------------------------------------------------

void UIWidget::callTouchListener(TouchEventType type) {
    if (m_touchEventListener && m_touchEventSelector) (m_touchEventListener->*m_touchEventSelector)(this, type);
}

void UIWidget::callWidgetEvent(CCObject* target, SEL_WidgetEvent selector) {
    if (target && selector) (target->*selector)(this);
}

bool UIWidget::onTouchBegan(const CCPoint& touchPoint) {
    retain();  // a listener may drop the last outside reference
    setFocused(true);
    m_touchStartPos = touchPoint;
    if (m_widgetParent) m_widgetParent->notifyChildTouch(TOUCH_BEGAN, this, touchPoint);
    callWidgetEvent(m_pushListener, m_pushSelector);
    callTouchListener(TOUCH_BEGAN);
    bool result = m_touchPassThrough;
    release();
    return result;
}

void UIWidget::onTouchMoved(const CCPoint& touchPoint) {
    retain();
    m_touchMovePos = touchPoint;
    setFocused(hitTest(touchPoint));
    if (m_widgetParent) m_widgetParent->notifyChildTouch(TOUCH_MOVED, this, touchPoint);
    callWidgetEvent(m_moveListener, m_moveSelector);
    callTouchListener(TOUCH_MOVED);
    release();
}

void UIWidget::onTouchEnded(const CCPoint& touchPoint) {
    retain();
    m_touchEndPos = touchPoint;
    const bool hadFocus = m_focus;
    setFocused(false);
    if (m_widgetParent) m_widgetParent->notifyChildTouch(TOUCH_ENDED, this, touchPoint);
    if (hadFocus) {
        callWidgetEvent(m_releaseListener, m_releaseSelector);
        callTouchListener(TOUCH_ENDED);
    } else {
        callWidgetEvent(m_cancelListener, m_cancelSelector);
        callTouchListener(TOUCH_CANCELED);
    }
    release();
}

void UIWidget::onTouchCancelled(const CCPoint&) {
    retain();
    setFocused(false);
    callWidgetEvent(m_cancelListener, m_cancelSelector);
    callTouchListener(TOUCH_CANCELED);
    release();
}

void UIWidget::onLongPress(const CCPoint&) {}

void UIWidget::setTouchListener(CCObject* target, SEL_TouchEvent selector) {
    m_touchEventListener = target;
    m_touchEventSelector = selector;
}
void UIWidget::setPushListener(CCObject* target, SEL_WidgetEvent selector) {
    m_pushListener = target;
    m_pushSelector = selector;
}
void UIWidget::setMoveListener(CCObject* target, SEL_WidgetEvent selector) {
    m_moveListener = target;
    m_moveSelector = selector;
}
void UIWidget::setReleaseListener(CCObject* target, SEL_WidgetEvent selector) {
    m_releaseListener = target;
    m_releaseSelector = selector;
}
void UIWidget::setCancelListener(CCObject* target, SEL_WidgetEvent selector) {
    m_cancelListener = target;
    m_cancelSelector = selector;
}

// --- visual state ----------------------------------------------------------------------

void UIWidget::setBright(bool bright) {
    m_bright = bright;
    if (bright) {
        m_brightStyle = BRIGHT_STYLE_NONE;
        setBrightStyle(BRIGHT_STYLE_NORMAL);
    } else {
        showDisabledState();
    }
}

void UIWidget::setBrightStyle(BrightStyle style) {
    if (style == m_brightStyle) return;
    m_brightStyle = style;
    switch (style) {
        case BRIGHT_STYLE_NORMAL:
            showNormalState();
            break;
        case BRIGHT_STYLE_HIGHLIGHT:
            showPressedState();
            break;
        default:
            break;
    }
}

void UIWidget::setFocused(bool focused) {
    if (focused == m_focus) return;
    m_focus = focused;
    if (m_bright)
        setBrightStyle(focused ? BRIGHT_STYLE_HIGHLIGHT : BRIGHT_STYLE_NORMAL);
    else
        showDisabledState();
}

void UIWidget::showNormalState() {}
void UIWidget::showPressedState() {}
void UIWidget::showDisabledState() {}

void UIWidget::setFrameUpdateEnabled(bool enabled) {
    m_updateEnabled = enabled;
    if (!m_scheduler) return;
    if (enabled)
        m_scheduler->scheduleUpdateForTarget(this, 0, false);
    else
        m_scheduler->unscheduleUpdateForTarget(this);
}

// --- edges -----------------------------------------------------------------------------

float UIWidget::getLeftEdge() {
    const CCPoint& p = getPosition();
    switch (m_widgetKind) {
        case WIDGET_KIND_PLAIN:
            return p.x - m_size.width * m_anchorPoint.x;
        case WIDGET_KIND_CONTAINER:
            return p.x;
    }
    return 0;
}

float UIWidget::getBottomEdge() {
    const CCPoint& p = getPosition();
    switch (m_widgetKind) {
        case WIDGET_KIND_PLAIN:
            return p.y - m_size.height * m_anchorPoint.y;
        case WIDGET_KIND_CONTAINER:
            return p.y;
    }
    return 0;
}

float UIWidget::getRightEdge() { return getLeftEdge() + m_size.width; }

float UIWidget::getTopEdge() { return getBottomEdge() + m_size.height; }

}  // namespace ui
