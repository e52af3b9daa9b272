// Draws a scene into an offscreen texture of the renderer's output size, for transitions that
// bend or tilt the picture of a whole scene.
#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"
#include "engine/render/CCFrameRecorder.h"

namespace engine {

class CCNode;
class CCSDLRenderer;
class CCTexture2D;

class CCSceneSnapshot {
public:
    CCSceneSnapshot() = default;
    ~CCSceneSnapshot();
    CCSceneSnapshot(const CCSceneSnapshot&) = delete;
    CCSceneSnapshot& operator=(const CCSceneSnapshot&) = delete;

    // Draws node (with the visit transform in force) over the renderer's clear colour into the
    // texture, made on first use and remade only when the output size changes. The texture is
    // opaque, as the picture of a page is. Null when no texture could be made or drawn into.
    // The node's drawing is recorded first: when it equals the one the texture holds (the same
    // triangles, texture contents, clips, clear colour and mapping), the texture is kept as it
    // is, so a scene that stands still through a transition is drawn into it once.
    CCTexture2D* capture(CCSDLRenderer* renderer, CCNode* node);
    CCTexture2D* texture() const { return m_texture; }
    // Number of textures made so far (one per transition unless the window is resized).
    int texturesMade() const { return m_made; }
    // Number of times the scene was drawn into the texture.
    int redraws() const { return m_redraws; }

private:
    // True when what node would draw now is what the texture holds.
    bool holdsDrawingOf(CCSDLRenderer* renderer, CCNode* node);

    CCTexture2D* m_texture = nullptr;
    int m_made = 0;
    int m_redraws = 0;
    bool m_failed = false;  // logged once; later frames fall back quietly
    // What the texture holds: the node's recorded drawing and what it was drawn over and with.
    CCFrameRecorder m_recorder;
    ccColor4B m_heldClear = {0, 0, 0, 0};
    CCSize m_heldDesign;
};

}  // namespace engine
