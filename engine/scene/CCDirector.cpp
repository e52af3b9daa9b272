// CCDirector: scene replacement with the enter/exit order, and the per-frame step.
#include "engine/scene/CCDirector.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/scene/CCActionManager.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCEGLView.h"
#include "engine/render/CCFrameRecorder.h"
#include "engine/render/CCRenderer.h"
#include "engine/render/CCTextureCache.h"
#include "engine/scene/CCScene.h"
#include "engine/scene/CCScheduler.h"
#include "engine/scene/CCKeyboardDispatcher.h"
#include "engine/scene/CCTouchDispatcher.h"

namespace engine {

namespace {
CCDirector* s_director = nullptr;
}

CCDirector* CCDirector::sharedDirector() {
    if (!s_director) s_director = new CCDirector();
    return s_director;
}

void CCDirector::purgeSharedDirector() {
    if (!s_director) return;
    CCDirector* d = s_director;
    d->end();
    // Objects autoreleased by the last frame may still point at the scheduler: drain them now.
    CCPoolManager::sharedPoolManager()->pop();
    s_director = nullptr;
    d->release();
}

CCDirector::CCDirector() {
    m_pScheduler = new CCScheduler();
    m_pActionManager = new CCActionManager();
    m_pScheduler->scheduleUpdateForTarget(m_pActionManager, kCCPrioritySystem, false);
    m_pTouchDispatcher = new CCTouchDispatcher();
    m_pKeyboardDispatcher = new CCKeyboardDispatcher();
    m_pRecorder = new CCFrameRecorder();
}

CCDirector::~CCDirector() {
    safeRelease(m_pRunningScene);
    safeRelease(m_pNextScene);
    if (m_pScheduler) m_pScheduler->unscheduleAll();
    safeRelease(m_pTouchDispatcher);
    safeRelease(m_pKeyboardDispatcher);
    safeRelease(m_pActionManager);
    safeRelease(m_pScheduler);
    delete m_pRecorder;
}

void CCDirector::setOpenGLView(CCEGLView* view) { m_pView = view; }

CCSize CCDirector::getWinSize() const {
    if (m_pView) return m_pView->getDesignResolutionSize();
    if (CCEGLView* v = CCEGLView::sharedOpenGLView()) return v->getDesignResolutionSize();
    return CCSize(640, 960);
}

CCSize CCDirector::getVisibleSize() const {
    CCEGLView* v = m_pView ? m_pView : CCEGLView::sharedOpenGLView();
    return v->getVisibleSize();
}

CCPoint CCDirector::getVisibleOrigin() const {
    CCEGLView* v = m_pView ? m_pView : CCEGLView::sharedOpenGLView();
    return v->getVisibleOrigin();
}

void CCDirector::runWithScene(CCScene* scene) {
    if (!scene) {
        CCLog("CCDirector::runWithScene: null scene ignored");
        return;
    }
    if (m_pRunningScene) {
        CCLog("CCDirector::runWithScene: a scene is running already; replacing it");
    }
    replaceScene(scene);
    startAnimation();
}

void CCDirector::replaceScene(CCScene* scene) {
    if (!scene) {
        CCLog("CCDirector::replaceScene: null scene ignored");
        return;
    }
    assignRetained(m_pNextScene, scene);
}

void CCDirector::setNextScene() {
    CCScene* incoming = m_pNextScene;
    m_pNextScene = nullptr;  // the reference moves to m_pRunningScene below
    CCScene* outgoing = m_pRunningScene;
    // Only the scene a finishing transition brought in has entered already; any other scene
    // replacing a transition enters as usual.
    const bool enteredByTransition = outgoing && outgoing->enteringScene() == incoming;
    const bool incomingIsTransition = incoming->isTransitionScene();

    // A transition holds the outgoing scene itself and ends it when it finishes.
    if (outgoing && !incomingIsTransition) {
        outgoing->onExitTransitionDidStart();
        outgoing->onExit();
        outgoing->cleanup();
    }
    m_pRunningScene = incoming;
    if (!enteredByTransition) {
        incoming->onEnter();
        incoming->onEnterTransitionDidFinish();
    }
    if (outgoing) outgoing->release();
}

void CCDirector::end() {
    safeRelease(m_pNextScene);
    if (m_pRunningScene) {
        CCScene* s = m_pRunningScene;
        m_pRunningScene = nullptr;
        s->onExitTransitionDidStart();
        s->onExit();
        s->cleanup();
        s->release();
    }
}

void CCDirector::setAnimationInterval(double interval) {
    if (!(interval > 0) || !std::isfinite(interval)) {
        CCLog("CCDirector::setAnimationInterval: %g ignored", interval);
        return;
    }
    m_dAnimationInterval = interval;
}

namespace {
std::vector<std::function<void()>>& cachePurgers() {
    static std::vector<std::function<void()>> purgers;
    return purgers;
}
}  // namespace

void CCDirector::addCachePurger(std::function<void()> purger) { cachePurgers().push_back(std::move(purger)); }

void CCDirector::purgeCachedData() {
    // Texture holders first: a sprite frame nothing uses is what keeps its sheet's texture alive.
    for (auto& purger : cachePurgers()) purger();
    CCTextureCache::sharedTextureCache()->removeUnusedTextures();
    for (auto& hook : m_purgeHooks) hook();
}

void CCDirector::setScheduler(CCScheduler* scheduler) { assignRetained(m_pScheduler, scheduler); }

void CCDirector::setActionManager(CCActionManager* manager) { assignRetained(m_pActionManager, manager); }

void CCDirector::mainLoop(float dt) {
    if (m_bInvalid) {
        // Stopped: nothing runs, but what this thread autoreleased still goes.
        CCPoolManager::sharedPoolManager()->pop();
        return;
    }
    drawScene(dt);
    CCPoolManager::sharedPoolManager()->pop();
}

void CCDirector::drawScene(float dt) {
    if (!(dt >= 0) || !std::isfinite(dt)) dt = 0;
    m_fDeltaTime = dt;
    retain();  // a callback may purge the director; finish this frame first
    if (m_pNextScene) setNextScene();
    if (!m_bPaused) m_pScheduler->update(dt);
    // A scene replaced during this frame's callbacks shows from the next frame on.
    CCRenderer* renderer = CCRenderer::current();
    m_bLastFrameDrew = false;
    if (renderer && pictureChanged(renderer)) {
        renderer->beginFrame();
        if (m_pRunningScene) m_pRunningScene->visit();
        renderer->endFrame();
        m_drawnSerial = renderer->serial();
        m_drawnFrames = renderer->framesDrawn();
        m_bLastFrameDrew = true;
    } else if (!renderer && m_pRunningScene) {
        // Nothing draws, but the walk still runs what nodes do when visited.
        m_pRunningScene->visit();
    }
    ++m_uTotalFrames;
    m_dTotalTime += dt;
    release();
}

bool CCDirector::pictureChanged(CCRenderer* renderer) {
    // A transition's picture moves every frame and draws through render targets: no record.
    if (m_pRunningScene && m_pRunningScene->isTransitionScene()) {
        m_pRecorder->forget();
        return true;
    }
    CCRenderer::setCurrent(m_pRecorder);
    m_pRecorder->beginFrame();
    if (m_pRunningScene) m_pRunningScene->visit();
    m_pRecorder->endFrame();
    CCRenderer::setCurrent(renderer);
    const bool outputKnown = !renderer->isOutputInvalid() && renderer->serial() == m_drawnSerial &&
                             renderer->framesDrawn() == m_drawnFrames;
    if (outputKnown && m_pRecorder->matchesKept()) return false;
    m_pRecorder->keep();
    return true;
}

double CCDirector::secondsUntilNextChange(double idleTick) const {
    const double forever = std::numeric_limits<double>::infinity();
    if (m_bInvalid) return forever;
    if (m_bLastFrameDrew || m_pNextScene || (m_pRunningScene && m_pRunningScene->isTransitionScene())) return 0;
    if (m_bPaused) return forever;
    if (m_pActionManager->hasActiveActions()) return 0;
    double due = m_pScheduler->secondsUntilNextTimer();
    // Something called every frame may change the picture at any time, though mostly it does
    // not: a frame every idle tick keeps it going without spinning, and the frame after one
    // that drew follows at full rate.
    if (m_pScheduler->runsEveryFrame(m_pActionManager)) due = std::min(due, idleTick);
    return due;
}

}  // namespace engine
