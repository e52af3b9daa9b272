// The director: the running scene, scene replacement, and one frame of the main loop.
#pragma once

#include <functional>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace engine {

class CCActionManager;
class CCEGLView;
class CCFrameRecorder;
class CCRenderer;
class CCScene;
class CCScheduler;
class CCTouchDispatcher;
class CCKeyboardDispatcher;

class CCDirector : public CCObject {
public:
    static CCDirector* sharedDirector();
    // Ends the running scene and destroys the director with its scheduler, action manager and
    // touch dispatcher; the next sharedDirector() starts afresh (used between runs and tests).
    static void purgeSharedDirector();

    void setOpenGLView(CCEGLView* view);
    CCEGLView* getOpenGLView() { return m_pView; }
    // The design size (640 x 960 for the book); the view's frame size until one is set.
    CCSize getWinSize() const;
    CCSize getVisibleSize() const;
    CCPoint getVisibleOrigin() const;

    // Scenes. Both take effect at the start of the next frame.
    void runWithScene(CCScene* scene);
    void replaceScene(CCScene* scene);
    CCScene* getRunningScene() { return m_pRunningScene; }
    CCScene* getNextScene() { return m_pNextScene; }
    // Drops the running scene (exit and cleanup) at once, leaving nothing on screen.
    void end();

    void setAnimationInterval(double interval);
    double getAnimationInterval() const { return m_dAnimationInterval; }
    // Stopped: frames neither update nor draw (the window went to the background).
    void stopAnimation() { m_bInvalid = true; }
    void startAnimation() { m_bInvalid = false; }
    bool isAnimating() const { return !m_bInvalid; }
    void pause() { m_bPaused = true; }
    void resume() { m_bPaused = false; }
    bool isPaused() const { return m_bPaused; }

    void setDepthTest(bool on) { m_bDepthTest = on; }
    bool isDepthTest() const { return m_bDepthTest; }

    // Frees cached data nothing uses any more (textures, sprite frames, ...).
    void purgeCachedData();
    // Caches register what purgeCachedData should drop.
    void addPurgeHook(std::function<void()> hook) { m_purgeHooks.push_back(std::move(hook)); }
    // Process-wide caches that hold textures (sprite frames) register once, for every director to
    // come; they are purged before the texture cache, since what they hold keeps textures alive.
    static void addCachePurger(std::function<void()> purger);

    CCScheduler* getScheduler() { return m_pScheduler; }
    void setScheduler(CCScheduler* scheduler);
    CCActionManager* getActionManager() { return m_pActionManager; }
    void setActionManager(CCActionManager* manager);
    CCTouchDispatcher* getTouchDispatcher() { return m_pTouchDispatcher; }
    CCKeyboardDispatcher* getKeyboardDispatcher() { return m_pKeyboardDispatcher; }

    // One frame of dt seconds: scene change, scheduler (actions included), drawing through the
    // current renderer, then the autorelease pool. Real and virtual clocks both call this.
    //
    // A frame whose drawing would show exactly what the renderer's output shows already is
    // neither drawn nor presented: the scene is first walked into a frame recorder, and drawn
    // for real only when that record differs from the one last drawn, when the output was
    // invalidated, or when something else drew into the renderer since.
    void mainLoop(float dt);
    void drawScene(float dt);
    // Whether the last frame drew (and presented) a picture.
    bool lastFrameDrew() const { return m_bLastFrameDrew; }
    // How long the main loop may wait for events before the next frame can show anything new,
    // in seconds: 0 while the picture is changing (the last frame drew, an action runs, a scene
    // change is due or a transition runs), otherwise until the scheduler's next timer is due,
    // at most idleTick while something is called every frame. Infinity when nothing is
    // scheduled; a stopped or paused director waits for events alone.
    double secondsUntilNextChange(double idleTick) const;
    // Frames drawn and simulated time since the director started.
    unsigned int getTotalFrames() const { return m_uTotalFrames; }
    double getTotalTime() const { return m_dTotalTime; }
    float getDeltaTime() const { return m_fDeltaTime; }

    ~CCDirector() override;

private:
    CCDirector();
    void setNextScene();
    // Walks the scene into the recorder: true when drawing it through renderer would change
    // what renderer's output shows.
    bool pictureChanged(CCRenderer* renderer);

    CCEGLView* m_pView = nullptr;
    CCScene* m_pRunningScene = nullptr;
    CCScene* m_pNextScene = nullptr;
    CCScheduler* m_pScheduler = nullptr;
    CCActionManager* m_pActionManager = nullptr;
    CCTouchDispatcher* m_pTouchDispatcher = nullptr;
    CCKeyboardDispatcher* m_pKeyboardDispatcher = nullptr;
    double m_dAnimationInterval = 1.0 / 60;
    bool m_bInvalid = false;
    bool m_bPaused = false;
    bool m_bDepthTest = false;
    unsigned int m_uTotalFrames = 0;
    double m_dTotalTime = 0;
    float m_fDeltaTime = 0;
    std::vector<std::function<void()>> m_purgeHooks;
    CCFrameRecorder* m_pRecorder = nullptr;
    // The renderer that drew last (its serial) and its frame count just after: anything else
    // drawn into it since makes its output unknown.
    unsigned long m_drawnSerial = 0, m_drawnFrames = 0;
    bool m_bLastFrameDrew = false;
};

}  // namespace engine
