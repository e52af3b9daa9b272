// ListDrag: the contents list and the unit menus' page lists follow the finger the same way.
#include "app/menus/ListDrag.h"

#include <algorithm>

#include "app/book/VisibleArea.h"
#include "engine/engine.h"

using namespace engine;

namespace app {

namespace {
CCTouch* firstTouch(CCSet* touches) {
    return touches && touches->count() ? static_cast<CCTouch*>(*touches->begin()) : nullptr;
}
}  // namespace

void ListDrag::begin(CCSet* touches) {
    if (CCTouch* touch = firstTouch(touches)) m_touchStart = touch->getLocation();
}

void ListDrag::move(CCSet* touches, CCMenu* list, float listHeight, CCPoint& remembered) {
    CCTouch* touch = firstTouch(touches);
    if (!touch || !list) return;
    const float h = VisibleArea::size().height;
    CCPoint loc = touch->getLocation();
    float dy = loc.y - m_touchStart.y;
    CCPoint next(list->getPosition().x, list->getPosition().y + dy);
    // The lower bound is tested first; a clamped move keeps the old start point.
    if (next.y < 0) {
        list->setPosition(ccp(0, 0));
        return;
    }
    if (next.y > listHeight - h) {
        list->setPosition(ccp(0, listHeight - h));
        return;
    }
    list->setPosition(next);
    m_touchStart = loc;
    remembered = next;
}

void ListDrag::reveal(CCMenu* list, float listHeight, CCNode* entry, CCPoint& remembered) {
    if (!list || !entry) return;
    const float h = VisibleArea::size().height, bottom = VisibleArea::origin().y;
    const CCRect box = entry->boundingBox();
    const float low = list->getPosition().y + box.getMinY(), high = list->getPosition().y + box.getMaxY();
    float y = list->getPosition().y;
    if (high > bottom + h)
        y -= high - (bottom + h);
    else if (low < bottom)
        y += bottom - low;
    else
        return;
    y = std::max(0.0f, std::min(y, std::max(0.0f, listHeight - h)));
    if (y == list->getPosition().y) return;
    list->setPosition(ccp(list->getPosition().x, y));
    remembered = list->getPosition();
}

ListKey listKeyPressed(FocusRing& focus, int key, int modifiers) {
    switch (key) {
        case keys::kUp: focus.move(-1, false); return ListKey::Moved;
        case keys::kDown: focus.move(+1, false); return ListKey::Moved;
        case keys::kTab: focus.move((modifiers & kCCKeyModShift) ? -1 : +1, true); return ListKey::Moved;
        case keys::kReturn:
        case keys::kKeypadEnter:
        case keys::kSpace: return focus.activateFocused() ? ListKey::Opened : ListKey::Moved;
        default: return ListKey::Other;
    }
}

std::vector<FocusTarget> listFocusTargets(CCMenu* list) {
    std::vector<CCMenuItem*> items;
    if (list && list->getChildren())
        for (CCObject* o : *list->getChildren())
            if (CCMenuItem* item = dynamic_cast<CCMenuItem*>(o))
                if (item->isVisible() && item->isEnabled()) items.push_back(item);
    std::stable_sort(items.begin(), items.end(), [](CCMenuItem* a, CCMenuItem* b) { return a->getZOrder() < b->getZOrder(); });
    std::vector<FocusTarget> targets;
    for (CCMenuItem* item : items) {
        std::string name;
        if (CCMenuItemLabel* label = dynamic_cast<CCMenuItemLabel*>(item))
            if (CCLabelProtocol* text = dynamic_cast<CCLabelProtocol*>(label->getLabel())) name = text->getString();
        targets.push_back({"entry", name, item, [item] { item->activate(); }, {}});
    }
    return targets;
}

}  // namespace app
