// The backend over an SDL_Renderer: a window's accelerated one or the software one on a surface.
// It executes the batches the front end (CCRenderer) gathers, and adds what only it can do:
// drawing into render targets and reading pixels back.
//
// Index:
//   - construction, design-to-pixel mapping (exact-fit stretch, y flipped)
//   - frame bracket and clear colour
//   - executing a batch (SDL_RenderGeometry) and the software renderer's blitter
//   - clip rectangles in pixels
//   - render targets (draw a scene into a texture)
//   - read-back of the current target's pixels and PNG writing
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/ccTypes.h"
#include "engine/render/CCRenderer.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Vertex;

namespace engine {

class CCTexture2D;

class CCSDLRenderer : public CCRenderer {
public:
    // Draws through renderer (not owned) onto an output of outputWidth x outputHeight pixels,
    // onto which the designSize area is stretched.
    CCSDLRenderer(SDL_Renderer* renderer, const CCSize& designSize, int outputWidth, int outputHeight);
    ~CCSDLRenderer() override;

    SDL_Renderer* sdlRenderer() const { return m_renderer; }
    void setDesignSize(const CCSize& size);
    const CCSize& getDesignSize() const { return m_designSize; }
    // The window's pixel size changed.
    void setOutputSize(int width, int height);
    int getOutputWidth() const { return m_outputWidth; }
    int getOutputHeight() const { return m_outputHeight; }
    // Where a world design point lands in pixels of the current target (origin top left).
    CCPoint designToPixel(const CCPoint& p) const;

    void setClearColor(const ccColor4B& color) {
        if (color != m_clearColor) invalidateOutput();
        m_clearColor = color;
    }
    const ccColor4B& getClearColor() const { return m_clearColor; }
    // endFrame presents unless told not to (a host that reads the window's pixels after drawing
    // presents by itself with present()).
    void setPresentOnEndFrame(bool present) { m_presentOnEndFrame = present; }
    void present();

    // Draws into target (made with CCTexture2D::initAsRenderTarget) until popRenderTarget; the
    // design area is stretched onto the target's pixels and the clip stack starts empty there.
    // False with a log line when the target is unusable.
    bool pushRenderTarget(CCTexture2D* target, bool clear = true);
    // The same with a bare SDL target texture of this renderer (not owned).
    bool pushRenderTarget(SDL_Texture* target, bool clear = true);
    void popRenderTarget();
    int renderTargetDepth() const { return static_cast<int>(m_targets.size()) - 1; }

    // The current target's pixels, RGBA8888 rows top to bottom; false when they cannot be read.
    bool readPixels(std::vector<uint8_t>& rgba, int& width, int& height);
    bool savePNG(const std::string& path);

protected:
    void beginBackendFrame() override;
    void endBackendFrame() override;
    bool canDrawWith(CCTexture2D* texture) override;
    void drawBatch(const CCRenderBatch& batch) override;
    bool applyClip(const CCRect* worldRect) override;

private:
    struct TargetLevel {
        SDL_Texture* sdlTarget = nullptr;   // null for the default output
        CCTexture2D* texture = nullptr;     // retained while pushed
        int width = 0, height = 0;
    };

    bool pushTargetLevel(SDL_Texture* sdlTarget, CCTexture2D* texture, bool clear);
    void popLeftoverTargets(const char* when);
    void updateScale();
    bool setBlend(SDL_Texture* texture, BlendMode blend);
    bool keepOutOfBlitter(const SDL_Vertex* tri, const CCTexture2D* texture) const;

    SDL_Renderer* m_renderer;
    // Plain-colour draws blended other than by alpha sample this 1 x 1 white texture: SDL's
    // software renderer fills untextured rectangles with alpha blending whatever the mode.
    // Alpha-blended ones stay untextured, because the same renderer loses a strongly stretched
    // texture that a clip rectangle cuts (a clipped white texel would vanish).
    CCTexture2D* m_white = nullptr;
    CCSize m_designSize;
    int m_outputWidth, m_outputHeight;
    float m_scaleX = 1, m_scaleY = 1;
    ccColor4B m_clearColor = {0, 0, 0, 255};
    bool m_presentOnEndFrame = true;
    int m_premultipliedSupport = -1;  // unknown until first asked
    // SDL's software renderer draws a textured pair of triangles that forms an axis-aligned
    // rectangle as a blit: exact when the image is upright or mirrored, but it transposes a
    // quarter-turned mapping, and a texture stretched many times over and cut by a clip
    // rectangle loses all its texels. Such pairs are sent apart, through its triangle filler
    // (which may sample up to one texel off, so ordinary quads keep the blit).
    bool m_softwareQuirks = false;
    // Triangles sent to SDL this frame: every other one kept out of the blitter is nudged.
    int m_sentTriangles = 0;

    std::vector<TargetLevel> m_targets;  // the bottom level is the default output
    std::vector<SDL_Vertex> m_vertices;  // the batch being executed, in pixels
};

}  // namespace engine
