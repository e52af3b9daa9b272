// A layer of menu items that picks the item under a touch, follows the finger and activates
// the item the finger is lifted over.
//
// The menu registers with the director's touch dispatcher while it is running, as a targeted
// handler at kCCMenuHandlerPriority (-128, ahead of ordinary layers) that swallows the touches
// it claims. It claims a touch only when it is enabled, it and all its ancestors are visible,
// and the touch lands on an enabled, visible item. Items keep the z-order addChild gave them
// (callers store identities in it).
#pragma once

#include "engine/scene/CCLayer.h"

namespace engine {

class CCArray;
class CCMenuItem;

enum { kCCMenuHandlerPriority = -128 };

enum tCCMenuState { kCCMenuStateWaiting = 0, kCCMenuStateTrackingTouch = 1 };

class CCMenu : public CCLayer {
public:
    CCMenu() = default;
    ~CCMenu() override;

    // Like every layer, a menu covers the window; it is placed by its bottom-left corner and
    // starts at the window's centre, so items placed at (0, 0) sit in the middle.
    static CCMenu* create();
    // A null-terminated list of items, added with z-orders 0, 1, 2 ...
    static CCMenu* create(CCMenuItem* item, ...);
    static CCMenu* createWithItem(CCMenuItem* item);
    static CCMenu* createWithArray(CCArray* items);
    bool init() override;
    bool initWithArray(CCArray* items);

    // Only menu items are taken; anything else is refused with a log line.
    void addChild(CCNode* child, int zOrder, int tag) override;
    using CCLayer::addChild;
    void removeChild(CCNode* child, bool cleanup) override;
    using CCLayer::removeChild;

    // Stacks the items top to bottom (or left to right) around the menu's origin, padding points
    // apart (5 by default), each centred on the other axis.
    void alignItemsVertically();
    void alignItemsVerticallyWithPadding(float padding);
    void alignItemsHorizontally();
    void alignItemsHorizontallyWithPadding(float padding);

    // A disabled menu ignores new touches.
    void setEnabled(bool enabled) { m_bEnabled = enabled; }
    bool isEnabled() const { return m_bEnabled; }
    // Moves the menu in the dispatcher's order (lower first).
    void setHandlerPriority(int priority) { setTouchPriority(priority); }

    // The item being pressed, null when no touch is tracked.
    CCMenuItem* getSelectedItem() const { return m_pSelectedItem; }
    tCCMenuState getState() const { return m_eState; }

    void registerWithTouchDispatcher() override;
    bool ccTouchBegan(CCTouch* touch, CCEvent* event) override;
    void ccTouchMoved(CCTouch* touch, CCEvent* event) override;
    void ccTouchEnded(CCTouch* touch, CCEvent* event) override;
    void ccTouchCancelled(CCTouch* touch, CCEvent* event) override;

    void onExit() override;

    static constexpr float kDefaultPadding = 5.f;

protected:
    // The topmost enabled, visible item under the touch.
    CCMenuItem* itemForTouch(CCTouch* touch);
    // Ends tracking without activating anything.
    void stopTracking();
    void setSelectedItem(CCMenuItem* item);

    bool m_bEnabled = true;
    tCCMenuState m_eState = kCCMenuStateWaiting;
    CCMenuItem* m_pSelectedItem = nullptr;  // retained while tracking
};

}  // namespace engine
