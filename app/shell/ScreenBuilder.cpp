// ScreenBuilder: which scene each screen goes in, and the transition it enters with.
#include "app/shell/ScreenBuilder.h"

#include "app/menus/TestController.h"
#include "app/menus/UnitMenu.h"
#include "app/reader/PageLayer.h"
#include "app/settings/SetLayer.h"
#include "app/shell/BookPageScene.h"
#include "engine/engine.h"

using namespace engine;

namespace app {

namespace {
// A page turn and the settings screen's flip in both take this long.
constexpr float kTurnDuration = 0.5f;
}  // namespace

void ScreenBuilder::showContents() {
    CCScene* scene = CCScene::create();
    TestController* layer = new TestController();
    layer->autorelease();
    scene->addChild(layer);
    CCDirector::sharedDirector()->replaceScene(scene);
}

void ScreenBuilder::showUnitMenu() {
    if (MenuTestScene* scene = createUnitMenuScene()) {
        scene->runScene();
        scene->release();
    }
}

void ScreenBuilder::showPage(PageTwin twin, PageEntry entry, int direction) {
    // The scene is made before the page (whose construction logs and loads the layout).
    BookPageScene* scene = new BookPageScene();
    PageLayer* layer = twin == PageTwin::First ? static_cast<PageLayer*>(new TestLayer1())
                                               : static_cast<PageLayer*>(new TestLayer2());
    scene->addChild(layer);
    CCDirector* director = CCDirector::sharedDirector();
    switch (entry) {
        case PageEntry::Cut:
            layer->release();
            director->replaceScene(scene);
            scene->release();
            return;
        case PageEntry::Turn: {
            director->setDepthTest(false);
            CCScene* next = scene;
            if (direction != 0) {
                director->setDepthTest(true);
                next = CCTransitionPageTurn::create(kTurnDuration, scene, direction < 0);
            }
            // A failed transition still opens the page, only without the animation.
            director->replaceScene(next ? next : scene);
            break;
        }
        case PageEntry::FlipBack: {
            director->setDepthTest(false);
            CCScene* next = CCTransitionZoomFlipY::create(0.0f, scene, kCCTransitionOrientationDownOver);
            director->replaceScene(next ? next : scene);
            break;
        }
    }
    scene->release();
    layer->release();
}

void ScreenBuilder::showSettings() {
    BookPageScene* scene = new BookPageScene();
    SetLayer* layer = new SetLayer();
    scene->addChild(layer);
    CCDirector::sharedDirector()->setDepthTest(false);
    CCScene* next = CCTransitionZoomFlipY::create(kTurnDuration, scene, kCCTransitionOrientationDownOver);
    CCDirector::sharedDirector()->replaceScene(next ? next : scene);
    scene->release();
    layer->release();
}

}  // namespace app
