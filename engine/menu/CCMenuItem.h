// The base of every menu entry: a target and selector called on activation, with enabled and
// selected states that subclasses show.
#pragma once

#include "engine/scene/CCNode.h"

namespace engine {

class CCMenuItem : public CCNodeRGBA {
public:
    CCMenuItem() = default;
    ~CCMenuItem() override = default;

    static CCMenuItem* create();
    // The target is not retained: it is normally the layer that owns the menu.
    static CCMenuItem* create(CCObject* target, SEL_MenuHandler selector);
    bool initWithTarget(CCObject* target, SEL_MenuHandler selector);

    // The item's box in its parent's space (scale and rotation included): where a touch hits it.
    virtual CCRect rect();

    // Calls the selector with this item as the sender, when enabled and a selector is set.
    virtual void activate();
    // The finger is over the item / left it.
    virtual void selected();
    virtual void unselected();
    bool isSelected() const { return m_bSelected; }

    virtual void setEnabled(bool enabled);
    virtual bool isEnabled() const { return m_bEnabled; }

    void setTarget(CCObject* target, SEL_MenuHandler selector);
    CCObject* getTarget() const { return m_pListener; }
    SEL_MenuHandler getSelector() const { return m_pfnSelector; }

protected:
    bool m_bSelected = false;
    bool m_bEnabled = true;
    CCObject* m_pListener = nullptr;
    SEL_MenuHandler m_pfnSelector = nullptr;
};

}  // namespace engine
