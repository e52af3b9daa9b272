// Draws a scene into an offscreen texture of the renderer's output size, for transitions that
// bend or tilt the picture of a whole scene.
#pragma once

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
    CCTexture2D* capture(CCSDLRenderer* renderer, CCNode* node);
    CCTexture2D* texture() const { return m_texture; }
    // Number of textures made so far (one per transition unless the window is resized).
    int texturesMade() const { return m_made; }

private:
    CCTexture2D* m_texture = nullptr;
    int m_made = 0;
    bool m_failed = false;  // logged once; later frames fall back quietly
};

}  // namespace engine
