// The contents screen: the book's parts as a draggable list, a walking figure, the first-run marker.
#pragma once

#include <string>

#include "app/menus/ListDrag.h"
#include "engine/scene/CCLayer.h"

namespace engine {
class CCMenu;
class CCMenuItemImage;
}  // namespace engine

namespace app {

// Where the list was last dragged to; the list reappears there.
extern engine::CCPoint contentsListPosition;

// The marker file and the line written into it on the first run.
extern const char* const kFirstRunMarker;
extern const char* const kFirstRunMarkerText;

class TestController : public engine::CCLayer {
public:
    // Builds the whole screen.
    TestController();
    ~TestController() override;

    void menuCallback(engine::CCObject* sender);
    void ccTouchesBegan(engine::CCSet* touches, engine::CCEvent* event) override;
    void ccTouchesMoved(engine::CCSet* touches, engine::CCEvent* event) override;

    engine::CCMenu* getUnitMenu() { return unitMenu; }
    engine::CCMenuItemImage* getDragHint() { return dragHint; }

private:
    void writeFirstRunMarker();

    ListDrag drag;
    engine::CCMenu* unitMenu = nullptr;
    engine::CCMenuItemImage* dragHint = nullptr;
};

}  // namespace app
