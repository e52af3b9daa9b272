// The drawing front end every node draws through: textured, vertex-coloured triangles in
// world design points, with a blend mode per draw and a stack of clip rectangles.
// Backends (an SDL_Renderer in a window, the software renderer on a surface, a null backend
// that only counts) sit behind it; the director draws each frame through the current one.
#pragma once

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

class CCRenderer {
public:
    virtual ~CCRenderer() = default;

    // The renderer the director draws through; null when nothing is drawn (node walks only).
    static CCRenderer* current();
    static void setCurrent(CCRenderer* renderer);

    // Frame bracket, called by the director around the scene's visit.
    virtual void beginFrame() = 0;
    virtual void endFrame() = 0;

    // Triangles (count a multiple of 3); a null texture draws plain colour.
    virtual void drawTriangles(CCTexture2D* texture, const CCVertex* vertices, int count, BlendMode blend) = 0;
    // Clipping to a world-space rectangle, intersected with the enclosing clip.
    virtual void pushClipRect(const CCRect& worldRect) = 0;
    virtual void popClipRect() = 0;

    // Number of draw calls the last frame sent to the backend (after batching).
    virtual int drawCallCount() const = 0;
};

}  // namespace engine
