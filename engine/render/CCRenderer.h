// The drawing front end every node draws through: textured, vertex-coloured triangles in
// world design points, with a blend mode per draw and a stack of clip rectangles.
//
// The front end checks what it is given and decides batching: consecutive triangles of one
// texture and blend mode gather into one batch, and a batch ends where the texture or blend
// changes, where the clip changes and where the frame ends. Backends (engine/render/sdl: an
// SDL_Renderer in a window or on a surface; engine/render/null: nothing, for counting) receive
// whole batches and only execute them: draw a batch, set or clear a clip, begin or end a frame.
// The director draws each frame through the current renderer.
//
// Index:
//   - CCVertex, CCRenderBatch: what nodes hand over and what backends receive
//   - CCRenderer: the current renderer, the frame bracket, drawing and clipping, counters
//   - the backend's side: the hooks it implements and the clip scopes it may open
#pragma once

#include <cstddef>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"

namespace engine {

class CCTexture2D;

// One vertex: position in world design points (origin bottom left), colour, texture coordinate.
// u and v are normalised to 0..1 across the texture, (0, 0) being the top-left corner of its first
// row of pixels (textures keep their rows top to bottom); the colour multiplies the texel.
struct CCVertex {
    float x, y;
    ccColor4B color;
    float u, v;
};

// One draw call as a backend receives it: whole triangles that share a texture (null: plain
// colour) and a blend mode, every coordinate finite.
struct CCRenderBatch {
    CCTexture2D* texture;
    BlendMode blend;
    const CCVertex* vertices;
    int vertexCount;  // a multiple of 3, at least 3
};

class CCRenderer {
public:
    virtual ~CCRenderer();
    CCRenderer(const CCRenderer&) = delete;
    CCRenderer& operator=(const CCRenderer&) = delete;

    // The renderer the director draws through; null when nothing is drawn (node walks only).
    static CCRenderer* current();
    static void setCurrent(CCRenderer* renderer);

    // Frame bracket, called by the director around the scene's visit. Counters start again at
    // beginFrame; clips left pushed are logged and dropped at endFrame.
    void beginFrame();
    void endFrame();

    // Triangles (count a multiple of 3: a rest is ignored); a null texture draws plain colour.
    // A texture with nothing to show (no pixels and no render target) draws nothing, and so does
    // a triangle with a coordinate that is not a finite number of sane size.
    void drawTriangles(CCTexture2D* texture, const CCVertex* vertices, int count, BlendMode blend);
    // Clipping to a world-space rectangle, intersected with the enclosing clip.
    void pushClipRect(const CCRect& worldRect);
    void popClipRect();
    // Sends the batch being gathered to the backend now.
    void flush();

    // Batches the frame sent to the backend so far (after endFrame: the whole last frame).
    int drawCallCount() const { return m_drawCalls; }
    // Triangles the frame drew so far.
    int triangleCount() const { return m_triangles; }
    // Clip rectangles pushed and not yet popped (in the current clip scope).
    int clipDepth() const { return int(m_clips.size() - scopeBase()); }

    // Frames this renderer has begun since it was made: the frames actually drawn, since the
    // director leaves out a frame that would show what the output shows already.
    unsigned long framesDrawn() const { return m_framesDrawn; }
    // A number no other renderer of this process has: tells the director whose output it last
    // drew into.
    unsigned long serial() const { return m_serial; }
    // What the output shows can no longer be trusted (the window was exposed or resized, the
    // clear colour or the mapping changed): the next frame is drawn whatever it shows. Cleared
    // when a frame begins.
    void invalidateOutput() { m_outputInvalid = true; }
    bool isOutputInvalid() const { return m_outputInvalid; }

protected:
    CCRenderer();

    // --- What a backend executes ---------------------------------------------------------------
    // Around each frame: beginBackendFrame once the front end has reset its counters and dropped
    // an unsent batch, endBackendFrame once the last batch has been sent.
    virtual void beginBackendFrame() = 0;
    virtual void endBackendFrame() = 0;
    // Asked when a batch would start with this texture (null: plain colour): false when the
    // backend cannot draw with it now, and the draw is then dropped.
    virtual bool canDrawWith(CCTexture2D* texture) = 0;
    virtual void drawBatch(const CCRenderBatch& batch) = 0;
    // The clip to apply from now on: a world rectangle (with area, already intersected with the
    // enclosing ones) or null for none. False when nothing drawn under it can reach a pixel, so
    // the front end drops draws until the clip changes.
    virtual bool applyClip(const CCRect* worldRect) = 0;

    // --- What a backend may ask ----------------------------------------------------------------
    // The innermost clip of the current scope, null when there is none.
    const CCRect* currentClip() const;
    // A new clip scope starts empty (a render target does not inherit the clips of what it is
    // drawn for); closing it drops what was pushed in it and restores the enclosing clip.
    void openClipScope();
    void closeClipScope();
    int clipScopeCount() const { return int(m_scopeBases.size()); }
    // Hands the current clip to the backend again (after its mapping to pixels changed).
    void reapplyClip();

private:
    size_t scopeBase() const { return m_scopeBases.empty() ? 0 : m_scopeBases.back(); }
    void appendTriangles(const CCVertex* vertices, int count);

    int m_drawCalls = 0, m_triangles = 0;
    unsigned long m_framesDrawn = 0;
    unsigned long m_serial;
    bool m_outputInvalid = true;
    // The batch being gathered.
    bool m_batchOpen = false;
    CCTexture2D* m_batchTexture = nullptr;
    BlendMode m_batchBlend = BlendMode::Alpha;
    std::vector<CCVertex> m_pending;
    // Clip rectangles, each already intersected with the one before it in its scope; a scope
    // starts at the index its entry in m_scopeBases names.
    std::vector<CCRect> m_clips;
    std::vector<size_t> m_scopeBases;
    // False while the backend said that nothing can reach a pixel under the current clip.
    bool m_clipDrawable = true;
};

}  // namespace engine
