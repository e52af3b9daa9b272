// The one-scene application: launch at a design size, pause in the background, a named window.
#include "engine/host/CCSceneApplication.h"

#include <utility>

#include "engine/scene/CCDirector.h"
#include "engine/scene/CCEGLView.h"

namespace engine {

CCSceneApplication::CCSceneApplication(const CCSize& designSize, SceneMaker makeScene)
    : m_designSize(designSize), m_makeScene(std::move(makeScene)) {}

bool CCSceneApplication::applicationDidFinishLaunching() {
    CCDirector* director = CCDirector::sharedDirector();
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    director->setOpenGLView(view);
    view->setDesignResolutionSize(m_designSize.width, m_designSize.height, kResolutionExactFit);
    director->setAnimationInterval(1.0 / 60);
    director->runWithScene(m_makeScene());
    return true;
}

void CCSceneApplication::applicationDidEnterBackground() { CCDirector::sharedDirector()->stopAnimation(); }

void CCSceneApplication::applicationWillEnterForeground() { CCDirector::sharedDirector()->startAnimation(); }

int CCSceneApplication::runInWindow(const std::string& title, const CCSize& frame) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName(title.c_str());
    view->setFrameSize(frame.width, frame.height);
    return run();
}

CCSize CCSceneApplication::desktopPortraitFrame() {
    // Computed in double precision, then narrowed, as the windows have always been sized.
    const int h = fullScreenClientHeight();
    return CCSize(static_cast<float>(h / 1.4), static_cast<float>(h * 0.94));
}

}  // namespace engine
