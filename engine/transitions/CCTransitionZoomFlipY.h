// The flip between a page and the settings screen: the outgoing scene shrinks to half size while
// it turns edge-on about the horizontal axis through the middle of the screen, then the incoming
// scene turns in from edge-on and grows back to full size.
#pragma once

#include <vector>

#include "engine/render/CCRenderer.h"
#include "engine/transitions/CCSceneSnapshot.h"
#include "engine/transitions/CCTransitionScene.h"

namespace engine {

class CCTransitionZoomFlipY : public CCTransitionScene {
public:
    // What is shown at one moment of the flip.
    struct Pose {
        CCScene* scene;  // the outgoing scene in the first half, the incoming one in the second
        float angle;     // degrees away from facing the viewer: 0 flat, 90 edge-on
        float scale;     // 1 at either end, 0.5 at the middle
        int nearEdge;    // +1: the upper edge is nearer the viewer; -1: the lower edge
    };

    // An orientation other than up-over or down-over is taken as up-over, with a log line.
    static CCTransitionZoomFlipY* create(float duration, CCScene* scene, tOrientation orientation);
    virtual bool initWithDuration(float duration, CCScene* scene, tOrientation orientation);
    bool initWithDuration(float duration, CCScene* scene) override {
        return initWithDuration(duration, scene, kCCTransitionOrientationUpOver);
    }

    tOrientation getOrientation() const { return m_eOrientation; }
    Pose getPose() const;

    // In perspective from a texture of the scene; flat by the visit transform alone (no
    // perspective) when the renderer cannot draw into textures.
    void draw() override;

private:
    tOrientation m_eOrientation = kCCTransitionOrientationUpOver;
    CCSceneSnapshot m_snapshot;
    std::vector<CCVertex> m_strips;
};

}  // namespace engine
