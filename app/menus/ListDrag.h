// Dragging a menu list up and down with one finger, kept between the top of the list and its end;
// and the keyboard's way through the same list: its entries as focus targets, scrolled into view.
#pragma once

#include <vector>

#include "app/access/FocusRing.h"
#include "engine/base/CCGeometry.h"

namespace engine {
class CCMenu;
class CCNode;
class CCSet;
}  // namespace engine

namespace app {

class ListDrag {
public:
    // Remembers where the first of the touches went down.
    void begin(engine::CCSet* touches);
    // Moves list vertically by how far the first touch moved since the last free move. A move
    // below 0 or past listHeight less the visible height pins the list to that bound and keeps the
    // old start point; a free move starts the next one from here and is stored in remembered.
    void move(engine::CCSet* touches, engine::CCMenu* list, float listHeight, engine::CCPoint& remembered);
    // Scrolls list (within the same bounds) just far enough that entry shows whole, and stores
    // the new place in remembered.
    static void reveal(engine::CCMenu* list, float listHeight, engine::CCNode* entry, engine::CCPoint& remembered);

private:
    engine::CCPoint m_touchStart{0, 0};
};

// The visible entries of list in the order they are listed (their z order, as the screens give
// them), as focus targets whose activation is the entry's own, as a touch would activate it.
std::vector<FocusTarget> listFocusTargets(engine::CCMenu* list);

// The keys every list screen shares: Up and Down walk the entries (stopping at the ends), Tab
// and Shift+Tab go round, Enter and Space open the focused entry.
enum class ListKey { Other, Moved, Opened };
ListKey listKeyPressed(FocusRing& focus, int key, int modifiers);

}  // namespace app
