// GUIHelper: the singleton, sprite-sheet bookkeeping and the tree walks behind the lookups.
#include "ui/widgets/GUIHelper.h"

#include <cstring>
#include <functional>
#include <vector>

#include "engine/base/CCString.h"
#include "engine/scene/CCDirector.h"
#include "engine/sprites/CCSpriteFrameCache.h"
#include "ui/widgets/Layout.h"
#include "ui/widgets/RelativeLayoutParameter.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

using namespace engine;

namespace {
GUIHelper* s_sharedHelper = nullptr;

std::vector<void (*)()>& purgeHooks() {
    static std::vector<void (*)()> hooks;
    return hooks;
}

// Pre-order walk: the root, then each child's subtree in children order.
UIWidget* findFirst(UIWidget* root, const std::function<bool(UIWidget*)>& matches) {
    if (!root) return nullptr;
    std::vector<UIWidget*> pending{root};
    while (!pending.empty()) {
        UIWidget* w = pending.back();
        pending.pop_back();
        if (matches(w)) return w;
        CCArray* children = w->getChildren();
        if (!children) continue;
        const auto& data = children->data();
        for (auto it = data.rbegin(); it != data.rend(); ++it) pending.push_back(static_cast<UIWidget*>(*it));
    }
    return nullptr;
}
}  // namespace

GUIHelper::GUIHelper() {
    CCSize win = CCDirector::sharedDirector()->getWinSize();
    m_fileDesignWidth = win.width;
    m_fileDesignHeight = win.height;
    m_loadedSpriteFrameFiles = CCArray::create();
    m_loadedSpriteFrameFiles->retain();
}

GUIHelper::~GUIHelper() { safeRelease(m_loadedSpriteFrameFiles); }

GUIHelper* GUIHelper::sharedHelper() {
    if (!s_sharedHelper) s_sharedHelper = new GUIHelper();
    return s_sharedHelper;
}

void GUIHelper::purgeHelper() {
    // A copy: a hook may register another.
    std::vector<void (*)()> hooks = purgeHooks();
    for (auto hook : hooks) hook();
    delete s_sharedHelper;
    s_sharedHelper = nullptr;
}

void GUIHelper::addPurgeHook(void (*hook)()) {
    if (!hook) return;
    for (auto h : purgeHooks())
        if (h == hook) return;
    purgeHooks().push_back(hook);
}

bool GUIHelper::isSpriteSheetLoaded(const char* plistFile) const {
    if (!plistFile || !*plistFile) return false;
    for (CCObject* o : *m_loadedSpriteFrameFiles)
        if (static_cast<CCString*>(o)->str() == plistFile) return true;
    return false;
}

void GUIHelper::loadSpriteSheet(const char* plistFile) {
    if (!plistFile || !*plistFile || isSpriteSheetLoaded(plistFile)) return;
    m_loadedSpriteFrameFiles->addObject(CCString::create(plistFile));
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile(plistFile);
}

UIWidget* GUIHelper::findWidgetByName(UIWidget* root, const char* name) {
    if (!name || !*name) return nullptr;
    return findFirst(root, [name](UIWidget* w) { return std::strcmp(w->getName(), name) == 0; });
}

UIWidget* GUIHelper::findWidgetByActionTag(UIWidget* root, int actionTag) {
    return findFirst(root, [actionTag](UIWidget* w) { return w->getActionTag() == actionTag; });
}

UIWidget* GUIHelper::findWidgetByRelativeName(Layout* parent, const char* name) {
    if (!parent || !name || !*name) return nullptr;
    CCArray* children = parent->getChildren();
    if (!children) return nullptr;
    for (CCObject* o : *children) {
        UIWidget* child = static_cast<UIWidget*>(o);
        RelativeLayoutParameter* p = dynamic_cast<RelativeLayoutParameter*>(child->getLayoutParameter());
        if (p && std::strcmp(p->getRelativeName(), name) == 0) return child;
    }
    return nullptr;
}

}  // namespace ui
