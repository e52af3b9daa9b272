// AppDelegate: design resolution, frame rate and the first scene; background and foreground.
#include "app/shell/AppDelegate.h"

#include "app/book/BookFiles.h"
#include "app/menus/TestController.h"
#include "engine/engine.h"

using namespace engine;

namespace app {

AppDelegate::AppDelegate() { Screens::install(&m_screens); }

AppDelegate::~AppDelegate() {
    applicationWillTerminate();
    if (Screens::installed() == &m_screens) Screens::install(nullptr);
}

CCSize frameSizeForDesktopHeight(int h) {
    // Computed in double precision, then narrowed.
    return CCSize(static_cast<float>(h / 1.4), static_cast<float>(h * 0.94));
}

bool AppDelegate::applicationDidFinishLaunching() {
    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    view->setDesignResolutionSize(kPageWidth, kPageHeight, kResolutionExactFit);
    director->setAnimationInterval(1.0 / 60);

    CCScene* scene = CCScene::create();
    TestController* layer = new TestController();
    scene->addChild(layer);
    layer->release();
    director->runWithScene(scene);
    if (!m_bookToCheck.empty() && !m_check) m_check = new StartupCheck(m_bookToCheck);
    return true;
}

void AppDelegate::applicationWillTerminate() {
    if (!m_check) return;
    m_check->stop();
    m_check->release();
    m_check = nullptr;
}

void AppDelegate::applicationDidEnterBackground() { CCDirector::sharedDirector()->stopAnimation(); }

void AppDelegate::applicationWillEnterForeground() { CCDirector::sharedDirector()->startAnimation(); }

}  // namespace app
