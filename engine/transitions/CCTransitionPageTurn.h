// The page turn between two book pages: the page curls away from its right edge, rolling
// around a cylinder that sweeps across it, and shows the next page underneath; turning back, the
// earlier page uncurls over the current one.
#pragma once

#include "engine/transitions/CCPageCurlMesh.h"
#include "engine/transitions/CCSceneSnapshot.h"
#include "engine/transitions/CCTransitionScene.h"

namespace engine {

class CCTransitionPageTurn : public CCTransitionScene {
public:
    // backwards = false: the outgoing page curls away, revealing the incoming one.
    // backwards = true: the incoming page uncurls over the outgoing one (the curl run in reverse).
    static CCTransitionPageTurn* create(float duration, CCScene* scene, bool backwards);
    virtual bool initWithDuration(float duration, CCScene* scene, bool backwards);
    bool initWithDuration(float duration, CCScene* scene) override { return initWithDuration(duration, scene, false); }

    bool isBackwards() const { return m_bBack; }
    // How far the moving page has curled at the current progress: 0 flat, 1 turned away.
    float getCurlAmount() const;
    // The moving page's geometry as last bent for drawing.
    const CCPageCurlMesh& getMesh() const { return m_mesh; }
    // Textures made to draw the moving page (one per transition unless the window is resized).
    int snapshotTexturesMade() const { return m_snapshot.texturesMade(); }
    // Times the moving page and the page underneath were drawn into their textures: once each
    // per turn while neither changes.
    int snapshotRedraws() const { return m_snapshot.redraws(); }
    int underSnapshotRedraws() const { return m_underSnapshot.redraws(); }

    // The page underneath, then the moving page, each drawn from a texture of its scene. With a
    // renderer that cannot draw into textures (a null renderer) both scenes are just visited, flat.
    void draw() override;

protected:
    bool isInSceneOnTop() const override { return m_bBack; }
    void drawWholeOutput(CCSDLRenderer* sdl, CCTexture2D* picture);

    bool m_bBack = false;
    CCSceneSnapshot m_snapshot;       // the moving page
    CCSceneSnapshot m_underSnapshot;  // the page underneath
    CCPageCurlMesh m_mesh;
    std::vector<CCVertex> m_world;  // the mesh placed by the visit transform, reused every frame
};

}  // namespace engine
