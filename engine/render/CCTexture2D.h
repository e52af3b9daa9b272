// An image in memory, drawable by any renderer: RGBA pixels kept on the CPU and uploaded
// lazily to whichever SDL_Renderer draws it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

struct SDL_Surface;
struct SDL_Renderer;
struct SDL_Texture;

namespace engine {

class CCTexture2D : public CCObject {
public:
    CCTexture2D();
    ~CCTexture2D() override;

    // PNG or JPEG file (full path); false with a log line when it cannot be decoded or is 0 x 0.
    bool initWithImageFile(const std::string& fullPath);
    // Copies the surface's pixels (any format); the caller keeps the surface.
    bool initWithSurface(SDL_Surface* surface);
    // Copies w x h RGBA8888 pixels, rows top to bottom.
    bool initWithRGBA(const void* pixels, int w, int h);
    // An offscreen target of w x h pixels that a renderer draws into (CCSDLRenderer's
    // pushRenderTarget) and that can then be drawn like any texture. It has no CPU pixels; its
    // contents live in the GPU copy of the renderer that drew it and start transparent black.
    bool initAsRenderTarget(int w, int h);
    bool isRenderTarget() const { return m_renderTarget; }

    // Largest width or height accepted from any source; bigger images are refused.
    static constexpr int kMaxTextureSide = 8192;

    int getPixelsWide() const;
    int getPixelsHigh() const;
    // Size in points (one point per pixel).
    CCSize getContentSize() const;
    // The pixels (RGBA32, rows top to bottom); null for an empty texture.
    SDL_Surface* getSurface() const { return m_surface; }
    // The GPU copy for this renderer, created on first use; null when it cannot be made.
    SDL_Texture* textureFor(SDL_Renderer* renderer);
    // Bytes of pixel memory this texture stands for (4 per pixel).
    size_t bytesUsed() const;

    // Linear (default) or nearest-neighbour sampling.
    void setAntiAliasTexParameters();
    void setAliasTexParameters();
    bool isAntiAlias() const { return m_antiAlias; }

    // The file this texture was loaded from, empty when made from pixels.
    const std::string& getPath() const { return m_path; }
    void setPath(const std::string& path) { m_path = path; }

private:
    void dropGpuCopy();
    bool gpuCopyAlive() const;
    bool adoptSurface(SDL_Surface* rgba);
    void applyScaleMode();

    SDL_Surface* m_surface = nullptr;
    SDL_Renderer* m_gpuOwner = nullptr;
    // The owner's registration when the GPU copy was made: a renderer destroyed and another
    // created at the same address has a new one, so the old copy is known to be gone.
    uint64_t m_gpuGeneration = 0;
    SDL_Texture* m_gpu = nullptr;
    int m_width = 0, m_height = 0;
    bool m_renderTarget = false;
    bool m_antiAlias = true;
    std::string m_path;
};

}  // namespace engine
