// ListDrag: the contents list and the unit menus' page lists follow the finger the same way.
#include "app/menus/ListDrag.h"

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

}  // namespace app
