// Dragging a menu list up and down with one finger, kept between the top of the list and its end.
#pragma once

#include "engine/base/CCGeometry.h"

namespace engine {
class CCMenu;
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

private:
    engine::CCPoint m_touchStart{0, 0};
};

}  // namespace app
