// CCTransitionScene: the clock, the hand-over to the director and the two scenes' lifecycle.
#include "engine/transitions/CCTransitionScene.h"

#include <algorithm>
#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCKeyboardDispatcher.h"
#include "engine/scene/CCTouchDispatcher.h"

namespace engine {

namespace {

// Frame times are floats: thirty frames of 1/60 s may add up to a hair under 0.5 s, and that
// must still end a half-second transition on its thirtieth frame.
const double kEndTolerance = 1e-5;

void setTouchDispatch(bool on) {
    if (CCTouchDispatcher* d = CCDirector::sharedDirector()->getTouchDispatcher()) d->setDispatchEvents(on);
    if (CCKeyboardDispatcher* k = CCDirector::sharedDirector()->getKeyboardDispatcher()) k->setDispatchEvents(on);
}

}  // namespace

CCTransitionScene::CCTransitionScene() = default;

CCTransitionScene::~CCTransitionScene() {
    safeRelease(m_pInScene);
    safeRelease(m_pOutScene);
}

CCTransitionScene* CCTransitionScene::create(float duration, CCScene* scene) {
    CCTransitionScene* t = new CCTransitionScene();
    return autoreleasedOrNull(t, t->initWithDuration(duration, scene));
}

bool CCTransitionScene::initWithDuration(float duration, CCScene* scene) {
    if (!scene) {
        CCLog("CCTransitionScene: no incoming scene; transition not made");
        return false;
    }
    CCScene* running = CCDirector::sharedDirector()->getRunningScene();
    if (scene == running || scene == this) {
        CCLog("CCTransitionScene: the incoming scene is the running scene; transition not made");
        return false;
    }
    if (!CCScene::init()) return false;
    if (!(duration > 0) || !std::isfinite(duration)) {
        if (!(duration == 0)) CCLog("CCTransitionScene: duration %g taken as 0", double(duration));
        duration = 0;
    }
    m_fDuration = duration;
    m_dElapsed = 0;
    m_bFinished = m_bHandedOver = false;
    assignRetained(m_pInScene, scene);
    assignRetained(m_pOutScene, running);
    return true;
}

float CCTransitionScene::getProgress() const {
    if (m_bFinished) return 1.f;
    if (!(m_fDuration > 0)) return 0.f;
    return float(std::min(1.0, std::max(0.0, m_dElapsed / m_fDuration)));
}

void CCTransitionScene::hideOutShowIn() {
    if (m_pInScene) m_pInScene->setVisible(true);
    if (m_pOutScene && !m_bHidOut) {
        m_bOutWasVisible = m_pOutScene->isVisible();
        m_bHidOut = true;
        m_pOutScene->setVisible(false);
    }
}

void CCTransitionScene::finish() {
    if (!m_bFinished) {
        m_bFinished = true;
        m_dElapsed = m_fDuration;
        hideOutShowIn();
    }
    handOver();
}

void CCTransitionScene::handOver() {
    if (m_bHandedOver || !m_bRunning || !m_pInScene) return;
    CCDirector* director = CCDirector::sharedDirector();
    // Nested in a newer transition, or replaced by someone else this frame: not ours to swap.
    if (director->getRunningScene() != this || director->getNextScene()) return;
    m_bHandedOver = true;
    unscheduleUpdate();
    director->replaceScene(m_pInScene);
}

void CCTransitionScene::update(float dt) {
    if (!m_bFinished) {
        if (dt > 0 && std::isfinite(dt)) m_dElapsed += dt;
        if (m_dElapsed + kEndTolerance >= m_fDuration) {
            m_bFinished = true;
            m_dElapsed = m_fDuration;
            hideOutShowIn();
        }
    }
    if (m_bFinished) handOver();
}

void CCTransitionScene::onEnter() {
    CCScene::onEnter();
    setTouchDispatch(false);
    if (!m_bEnteredScenes && m_pInScene) {
        m_bEnteredScenes = true;
        m_pInScene->onEnter();
        if (m_pOutScene) m_pOutScene->onExitTransitionDidStart();
    }
    // The clock runs from the frame the transition enters, so its first frame already moves.
    scheduleUpdate();
}

void CCTransitionScene::onExit() {
    CCScene::onExit();
    if (!m_bEnteredScenes) {
        setTouchDispatch(true);
        return;
    }
    m_bEnteredScenes = false;
    if (m_pOutScene) {
        m_pOutScene->onExit();
        m_pOutScene->cleanup();
        // Hidden only for the transition's last frames: whoever still holds it gets it as it was.
        if (m_bHidOut) m_pOutScene->setVisible(m_bOutWasVisible);
        m_bHidOut = false;
    }
    setTouchDispatch(true);
    // While the director swaps in the next scene it still names this one as running; when it
    // ends altogether it has let go of it first.
    const bool swapping = CCDirector::sharedDirector()->getRunningScene() == this;
    if (m_bHandedOver && swapping) {
        // The director now runs the incoming scene without entering it again.
        m_pInScene->onEnterTransitionDidFinish();
    } else {
        // Taken off screen before it handed over: the incoming scene never becomes the running one.
        if (swapping) CCLog("CCTransitionScene: replaced before it finished; the incoming scene exits too");
        m_pInScene->onExitTransitionDidStart();
        m_pInScene->onExit();
        m_pInScene->cleanup();
    }
    // The director holds the incoming scene by now; the outgoing one goes here.
    safeRelease(m_pOutScene);
    safeRelease(m_pInScene);
}

void CCTransitionScene::draw() {
    CCScene* below = isInSceneOnTop() ? m_pOutScene : m_pInScene;
    CCScene* above = isInSceneOnTop() ? m_pInScene : m_pOutScene;
    if (below) below->visit();
    if (above) above->visit();
}

}  // namespace engine
