// The contents screen: the book's parts as a draggable list, a walking figure, the first-run marker,
// and "continue at page N" when a page is remembered; Up and Down walk the list, Enter opens.
#pragma once

#include <string>

#include "app/access/FocusRing.h"
#include "app/menus/ListDrag.h"
#include "engine/scene/CCLayer.h"

namespace engine {
class CCMenu;
class CCMenuItemImage;
class CCMenuItemLabel;
}  // namespace engine

namespace app {

// Where the list was last dragged to; the list reappears there.
extern engine::CCPoint contentsListPosition;

// The marker file and the line written into it on the first run.
extern const char* const kFirstRunMarker;
extern const char* const kFirstRunMarkerText;

class TestController : public engine::CCLayer, public FocusScreen {
public:
    // Builds the whole screen.
    TestController();
    ~TestController() override;

    void menuCallback(engine::CCObject* sender);
    void ccTouchesBegan(engine::CCSet* touches, engine::CCEvent* event) override;
    void ccTouchesMoved(engine::CCSet* touches, engine::CCEvent* event) override;

    // Opens the remembered page.
    void continueCallback(engine::CCObject* sender);
    bool keyPressed(int key, int modifiers) override;
    void pointerUsed() override;
    FocusRing* focusRing() override { return m_focus; }

    engine::CCMenu* getUnitMenu() { return unitMenu; }
    // "continue at page N", or null when no page is remembered.
    engine::CCMenuItemLabel* getContinueItem() { return m_continue; }
    engine::CCMenuItemImage* getDragHint() { return dragHint; }

private:
    void writeFirstRunMarker();

    ListDrag drag;
    engine::CCMenu* unitMenu = nullptr;
    engine::CCMenuItemImage* dragHint = nullptr;
    engine::CCMenuItemLabel* m_continue = nullptr;
    int m_resumePage = 0;
    FocusRing* m_focus = nullptr;
};

}  // namespace app
