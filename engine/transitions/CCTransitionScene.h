// The base of animated scene changes: holds the outgoing and the incoming scene and runs both
// through their lifecycle while the animation plays.
//
// A transition is handed to CCDirector::replaceScene in place of the incoming scene. When it
// starts, the incoming scene enters and the outgoing one is told its exit has started; touches
// are not dispatched while it runs. After its duration it asks the director for the incoming
// scene, and when the director lets go of the transition the outgoing scene exits and is
// released, so an outgoing page's onExit runs after the next page was built and entered.
#pragma once

#include "engine/scene/CCScene.h"

namespace engine {

// Which way round a flip turns (the orientation argument of the flip transitions).
enum tOrientation {
    // The lower edge swings towards the viewer and over the top.
    kCCTransitionOrientationUpOver = 0,
    // The upper edge swings towards the viewer and down under.
    kCCTransitionOrientationDownOver = 1,
};

class CCTransitionScene : public CCScene {
public:
    CCTransitionScene();
    ~CCTransitionScene() override;

    // Null (with a log line) when the incoming scene is null or is the running scene itself.
    static CCTransitionScene* create(float duration, CCScene* scene);
    // Takes the director's running scene as the outgoing one. A negative or NaN duration is 0;
    // a transition of duration 0 hands over on its first frame.
    virtual bool initWithDuration(float duration, CCScene* scene);

    bool isTransitionScene() const override { return true; }
    CCScene* enteringScene() override { return m_pInScene; }

    CCScene* getInScene() { return m_pInScene; }
    // Null when nothing was running when the transition was made.
    CCScene* getOutScene() { return m_pOutScene; }
    float getDuration() const { return m_fDuration; }
    // 0 when the transition starts, 1 once its duration has passed.
    float getProgress() const;
    bool isFinished() const { return m_bFinished; }

    // Ends the animation now and asks the director for the incoming scene (from the next frame).
    virtual void finish();
    // Shows only the incoming scene from here on (the outgoing one gets its visibility back
    // when it has exited).
    void hideOutShowIn();

    void onEnter() override;
    void onExit() override;
    // Advances the animation clock; the director's scheduler calls it every frame.
    void update(float dt) override;
    // Draws the outgoing scene and then the incoming one (the other way round if the incoming
    // scene is not on top); subclasses draw their animation instead.
    void draw() override;

protected:
    // Whether the base draw puts the incoming scene above the outgoing one.
    virtual bool isInSceneOnTop() const { return true; }
    // The director swaps scenes only between frames: ask for the incoming scene when this
    // transition is what the director shows and nothing else has been asked for already.
    void handOver();

    CCScene* m_pInScene = nullptr;
    CCScene* m_pOutScene = nullptr;
    float m_fDuration = 0;
    double m_dElapsed = 0;
    bool m_bFinished = false;
    bool m_bHandedOver = false;
    bool m_bEnteredScenes = false;  // the scenes got their start-of-transition calls
    bool m_bHidOut = false;         // hideOutShowIn hid the outgoing scene ...
    bool m_bOutWasVisible = true;   // ... which was visible before or not
};

}  // namespace engine
