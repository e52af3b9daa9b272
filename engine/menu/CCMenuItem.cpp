// CCMenuItem: activation, states and the touch rectangle.
#include "engine/menu/CCMenuItem.h"

#include "engine/base/CCCreate.h"

namespace engine {

CCMenuItem* CCMenuItem::create() { return create(nullptr, nullptr); }

CCMenuItem* CCMenuItem::create(CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItem();
    return autoreleasedOrNull(item, item->initWithTarget(target, selector));
}

bool CCMenuItem::initWithTarget(CCObject* target, SEL_MenuHandler selector) {
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_pListener = target;
    m_pfnSelector = selector;
    m_bEnabled = true;
    m_bSelected = false;
    return true;
}

CCRect CCMenuItem::rect() { return boundingBox(); }

void CCMenuItem::activate() {
    if (!m_bEnabled || !m_pListener || !m_pfnSelector) return;
    // The handler may remove this item or drop the last reference to its target.
    CCObject* target = m_pListener;
    retain();
    target->retain();
    (target->*m_pfnSelector)(this);
    target->release();
    release();
}

void CCMenuItem::selected() { m_bSelected = true; }

void CCMenuItem::unselected() { m_bSelected = false; }

void CCMenuItem::setEnabled(bool enabled) { m_bEnabled = enabled; }

void CCMenuItem::setTarget(CCObject* target, SEL_MenuHandler selector) {
    m_pListener = target;
    m_pfnSelector = selector;
}

}  // namespace engine
