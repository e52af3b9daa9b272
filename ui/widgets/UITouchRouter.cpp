// UITouchRouter: the began search from the top-most child down, and the delivery of later phases.
#include "ui/widgets/UITouchRouter.h"

#include <vector>

#include "engine/base/CCRetainedSnapshot.h"
#include "engine/scene/CCTouch.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

using namespace engine;

UITouchRouter::UITouchRouter() {
    m_selectedWidgets = CCArray::create();
    m_selectedWidgets->retain();
}

UITouchRouter::~UITouchRouter() {
    m_selectedWidgets->removeAllObjects();
    safeRelease(m_selectedWidgets);
}

bool UITouchRouter::checkWidget(UIWidget* widget, const CCPoint& point) {
    if (!widget->isEnabled() || !widget->isTouchEnabled() || !widget->hitTest(point) ||
        !widget->isInsideClippingAncestors(point))
        return false;
    if (!m_selectedWidgets->containsObject(widget)) m_selectedWidgets->addObject(widget);
    widget->onTouchBegan(point);
    return true;
}

bool UITouchRouter::checkTouchEvent(UIWidget* root, const CCPoint& point) {
    // Explicit stack instead of recursion: each frame is a widget and the index of the next
    // child to try, walking children from the last (drawn on top) to the first.
    struct Frame {
        UIWidget* widget;
        int next;
    };
    std::vector<Frame> stack;
    auto push = [&stack](UIWidget* w) {
        CCArray* children = w->getChildren();
        stack.push_back(Frame{w, children ? static_cast<int>(children->count()) - 1 : -1});
    };
    push(root);
    while (!stack.empty()) {
        Frame& top = stack.back();
        CCArray* children = top.widget->getChildren();
        if (children && top.next >= 0 && top.next < static_cast<int>(children->count())) {
            UIWidget* child = static_cast<UIWidget*>(children->objectAtIndex(static_cast<unsigned int>(top.next)));
            --top.next;
            push(child);
            continue;
        }
        UIWidget* w = top.widget;
        stack.pop_back();
        if (checkWidget(w, point)) return true;
    }
    return false;
}

bool UITouchRouter::onTouchBegan(CCTouch* touch) {
    if (!touch) return false;
    m_touchBeganPoint = touch->getLocation();
    m_touchDown = true;
    if (m_rootWidget) {
        m_rootWidget->retain();
        checkTouchEvent(m_rootWidget, m_touchBeganPoint);
        m_rootWidget->release();
    }
    return m_selectedWidgets->count() > 0;
}

void UITouchRouter::onTouchMoved(CCTouch* touch) {
    if (!touch) return;
    m_touchMovedPoint = touch->getLocation();
    // Listeners may change the selection or drop widgets while a phase is delivered.
    CCRetainedSnapshot<UIWidget> list(m_selectedWidgets);
    for (UIWidget* w : list) w->onTouchMoved(m_touchMovedPoint);
    list.releaseAll();
    m_touchDown = false;
}

void UITouchRouter::onTouchEnded(CCTouch* touch) {
    if (!touch) return;
    m_touchDown = false;
    m_touchEndedPoint = touch->getLocation();
    CCRetainedSnapshot<UIWidget> list(m_selectedWidgets);
    for (UIWidget* w : list) w->onTouchEnded(m_touchEndedPoint);
    m_selectedWidgets->removeAllObjects();
    list.releaseAll();
}

void UITouchRouter::onTouchCancelled(CCTouch* touch) {
    if (!touch) return;
    m_touchDown = false;
    m_touchEndedPoint = touch->getLocation();
    CCRetainedSnapshot<UIWidget> list(m_selectedWidgets);
    for (UIWidget* w : list) w->onTouchCancelled(m_touchEndedPoint);
    m_selectedWidgets->removeAllObjects();
    list.releaseAll();
}

}  // namespace ui
