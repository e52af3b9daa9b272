// The unit menu: the pages of the chosen contents entry, flying in, draggable, with a way back;
// Up and Down walk the entries, Enter opens one, Escape goes back to the contents.
#pragma once

#include "app/access/FocusRing.h"
#include "app/menus/ListDrag.h"
#include "engine/scene/CCLayer.h"
#include "engine/scene/CCScene.h"

namespace engine {
class CCMenu;
}

namespace app {

extern int unitFirstPage;
extern int unitLastPage;
extern int unitPageCount;
// Scroll position of the page list, shared by every entry and kept between showings.
extern engine::CCPoint unitListPosition;

class TestScene : public engine::CCScene {
public:
    TestScene();
    virtual void runScene() = 0;
    virtual void backToContents(engine::CCObject* sender);
    void onEnter() override;
};

class MenuTestScene : public TestScene {
public:
    void runScene() override;
};

class MenuLayerMainMenu : public engine::CCLayer, public FocusScreen {
public:
    MenuLayerMainMenu();
    ~MenuLayerMainMenu() override;

    void pageItemCallback(engine::CCObject* sender);
    void ccTouchesBegan(engine::CCSet* touches, engine::CCEvent* event) override;
    void ccTouchesMoved(engine::CCSet* touches, engine::CCEvent* event) override;

    bool keyPressed(int key, int modifiers) override;
    void pointerUsed() override;
    FocusRing* focusRing() override { return m_focus; }

    engine::CCMenu* getPageMenu() { return pageMenu; }

private:
    ListDrag drag;
    float dragHeight = 0;  // how far the page list drags: set with the list
    engine::CCMenu* pageMenu = nullptr;
    FocusRing* m_focus = nullptr;
};

// A new unit menu scene with one reference for the caller; purges cached data first.
MenuTestScene* createUnitMenuScene();

}  // namespace app
