// CCMenu: item lookup under a touch, the press-track-release cycle and item alignment.
#include "engine/menu/CCMenu.h"

#include <cstdarg>
#include <vector>

#include "engine/base/CCArray.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCTouch.h"
#include "engine/scene/CCTouchDispatcher.h"

namespace engine {

namespace {

// The children of a menu that are items, in z-order (drawing order).
std::vector<CCMenuItem*> itemsOf(CCArray* children) {
    std::vector<CCMenuItem*> items;
    if (!children) return items;
    for (CCObject* o : *children)
        if (auto* item = dynamic_cast<CCMenuItem*>(o)) items.push_back(item);
    return items;
}

}  // namespace

CCMenu::~CCMenu() { safeRelease(m_pSelectedItem); }

// --- creation ------------------------------------------------------------------------------

CCMenu* CCMenu::create() { return createWithArray(nullptr); }

CCMenu* CCMenu::create(CCMenuItem* item, ...) {
    CCArray* items = CCArray::create();
    va_list args;
    va_start(args, item);
    for (CCMenuItem* i = item; i; i = va_arg(args, CCMenuItem*)) items->addObject(i);
    va_end(args);
    return createWithArray(items);
}

CCMenu* CCMenu::createWithItem(CCMenuItem* item) { return create(item, nullptr); }

CCMenu* CCMenu::createWithArray(CCArray* items) {
    auto* menu = new CCMenu();
    return autoreleasedOrNull(menu, menu->initWithArray(items));
}

bool CCMenu::init() { return initWithArray(nullptr); }

bool CCMenu::initWithArray(CCArray* items) {
    if (!CCLayer::init()) return false;
    m_eTouchMode = kCCTouchesOneByOne;
    m_nTouchPriority = kCCMenuHandlerPriority;
    m_bTouchEnabled = true;  // registered in onEnter
    m_bEnabled = true;
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    ignoreAnchorPointForPosition(true);
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    setContentSize(win);
    setPosition(CCPoint(win.width / 2, win.height / 2));
    if (items) {
        int z = 0;
        for (CCObject* o : *items) {
            auto* item = dynamic_cast<CCMenuItem*>(o);
            if (!item) {
                CCLog("CCMenu: the item list holds something that is not a menu item; skipped");
                continue;
            }
            addChild(item, z++);
        }
    }
    safeRelease(m_pSelectedItem);
    m_eState = kCCMenuStateWaiting;
    return true;
}

// --- children ------------------------------------------------------------------------------

void CCMenu::addChild(CCNode* child, int zOrder, int tag) {
    if (!dynamic_cast<CCMenuItem*>(child)) {
        CCLog("CCMenu: only menu items can be added to a menu; child refused");
        return;
    }
    CCLayer::addChild(child, zOrder, tag);
}

void CCMenu::removeChild(CCNode* child, bool cleanup) {
    // A pressed item that goes away is simply no longer pressed; the touch stays with the menu.
    if (child && child == m_pSelectedItem) setSelectedItem(nullptr);
    CCLayer::removeChild(child, cleanup);
}

// --- alignment -----------------------------------------------------------------------------

void CCMenu::alignItemsVertically() { alignItemsVerticallyWithPadding(kDefaultPadding); }

void CCMenu::alignItemsVerticallyWithPadding(float padding) {
    std::vector<CCMenuItem*> items = itemsOf(m_pChildren);
    if (items.empty()) return;
    float height = -padding;
    for (CCMenuItem* item : items) height += item->getContentSize().height * item->getScaleY() + padding;
    float y = height / 2;
    for (CCMenuItem* item : items) {
        float h = item->getContentSize().height * item->getScaleY();
        item->setPosition(CCPoint(0, y - h / 2));
        y -= h + padding;
    }
}

void CCMenu::alignItemsHorizontally() { alignItemsHorizontallyWithPadding(kDefaultPadding); }

void CCMenu::alignItemsHorizontallyWithPadding(float padding) {
    std::vector<CCMenuItem*> items = itemsOf(m_pChildren);
    if (items.empty()) return;
    float width = -padding;
    for (CCMenuItem* item : items) width += item->getContentSize().width * item->getScaleX() + padding;
    float x = -width / 2;
    for (CCMenuItem* item : items) {
        float w = item->getContentSize().width * item->getScaleX();
        item->setPosition(CCPoint(x + w / 2, 0));
        x += w + padding;
    }
}

// --- touches -------------------------------------------------------------------------------

void CCMenu::registerWithTouchDispatcher() {
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    if (!dispatcher) return;
    dispatcher->addTargetedDelegate(this, m_nTouchPriority, true);
    m_bRegistered = true;
}

void CCMenu::setSelectedItem(CCMenuItem* item) { assignRetained(m_pSelectedItem, item); }

CCMenuItem* CCMenu::itemForTouch(CCTouch* touch) {
    if (!touch) return nullptr;
    const CCPoint local = convertToNodeSpace(touch->getLocation());
    std::vector<CCMenuItem*> items = itemsOf(m_pChildren);
    // The last drawn is on top.
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        CCMenuItem* item = *it;
        if (!item->isVisible() || !item->isEnabled()) continue;
        if (item->rect().containsPoint(local)) return item;
    }
    return nullptr;
}

bool CCMenu::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (m_eState != kCCMenuStateWaiting || !m_bVisible || !m_bEnabled) return false;
    for (CCNode* ancestor = m_pParent; ancestor; ancestor = ancestor->getParent())
        if (!ancestor->isVisible()) return false;
    CCMenuItem* item = itemForTouch(touch);
    if (!item) return false;
    setSelectedItem(item);
    m_eState = kCCMenuStateTrackingTouch;
    item->selected();
    return true;
}

void CCMenu::ccTouchMoved(CCTouch* touch, CCEvent*) {
    if (m_eState != kCCMenuStateTrackingTouch) return;
    CCMenuItem* item = itemForTouch(touch);
    if (item == m_pSelectedItem) return;
    if (m_pSelectedItem) m_pSelectedItem->unselected();
    setSelectedItem(item);
    if (item) item->selected();
}

void CCMenu::ccTouchEnded(CCTouch* touch, CCEvent*) {
    if (m_eState != kCCMenuStateTrackingTouch) return;
    m_eState = kCCMenuStateWaiting;
    CCMenuItem* item = m_pSelectedItem;
    if (!item) return;
    // Hit-tested before the pressed look goes (a grown label is bigger than its resting box).
    const bool over = itemForTouch(touch) == item;
    m_pSelectedItem = nullptr;  // our reference now keeps the item alive through its handler
    retain();
    item->unselected();
    if (over) item->activate();
    item->release();
    release();
}

void CCMenu::ccTouchCancelled(CCTouch*, CCEvent*) {
    if (m_eState != kCCMenuStateTrackingTouch) return;
    stopTracking();
}

void CCMenu::stopTracking() {
    if (m_pSelectedItem) m_pSelectedItem->unselected();
    setSelectedItem(nullptr);
    m_eState = kCCMenuStateWaiting;
}

void CCMenu::onExit() {
    if (m_eState == kCCMenuStateTrackingTouch) stopTracking();
    CCLayer::onExit();
}

}  // namespace engine
