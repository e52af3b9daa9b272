// An image in memory, drawable by any renderer: RGBA pixels kept on the CPU, and a slot where
// the backend that draws it keeps its own copy (CCTextureSlot), dropped when the pixels change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"
#include "engine/render/CCImageFile.h"

struct SDL_Surface;

namespace engine {

class CCTextureSlot;

class CCTexture2D : public CCObject {
public:
    CCTexture2D();
    ~CCTexture2D() override;

    // PNG or JPEG file (full path); false with a log line when it cannot be decoded or is 0 x 0.
    bool initWithImageFile(const std::string& fullPath);
    // Takes over the pixels decodeImageFile gave for that file (decoded elsewhere, earlier).
    bool initWithDecodedImage(SDL_Surface* rgba, const std::string& fullPath);
    // Copies the surface's pixels (any format); the caller keeps the surface.
    bool initWithSurface(SDL_Surface* surface);
    // Copies w x h RGBA8888 pixels, rows top to bottom.
    bool initWithRGBA(const void* pixels, int w, int h);
    // An offscreen target of w x h pixels that a renderer draws into (CCSDLRenderer's
    // pushRenderTarget) and that can then be drawn like any texture. It has no CPU pixels; its
    // contents live in the backend's copy (its slot) and start transparent black.
    bool initAsRenderTarget(int w, int h);
    bool isRenderTarget() const { return m_renderTarget; }

    // Largest width or height accepted from any source; bigger images are refused.
    static constexpr int kMaxTextureSide = kMaxImageSide;

    int getPixelsWide() const;
    int getPixelsHigh() const;
    // Size in points (one point per pixel).
    CCSize getContentSize() const;
    // The pixels (RGBA32, rows top to bottom); null for an empty texture.
    SDL_Surface* getSurface() const { return m_surface; }
    // What the drawing backend keeps for this texture, null until it keeps something. The
    // texture owns it from setBackendSlot on and deletes it when its pixels change (or it is
    // made a render target), when another slot is set, and when the texture goes.
    CCTextureSlot* backendSlot() const { return m_backendSlot; }
    void setBackendSlot(CCTextureSlot* slot);
    // Bytes of pixel memory this texture stands for (4 per pixel).
    size_t bytesUsed() const;

    // Linear (default) or nearest-neighbour sampling, followed by the backend when it draws.
    void setAntiAliasTexParameters();
    void setAliasTexParameters();
    bool isAntiAlias() const { return m_antiAlias; }

    // A number no other texture and no earlier state of this one had: it changes whenever what
    // the texture shows may change (new pixels, made a render target, sampling switched), so a
    // frame drawn with the same numbers shows the same texels.
    uint64_t contentStamp() const { return m_stamp; }

    // The file this texture was loaded from, empty when made from pixels.
    const std::string& getPath() const { return m_path; }
    void setPath(const std::string& path) { m_path = path; }

private:
    bool adoptSurface(SDL_Surface* rgba);
    void restamp();

    SDL_Surface* m_surface = nullptr;
    CCTextureSlot* m_backendSlot = nullptr;
    int m_width = 0, m_height = 0;
    bool m_renderTarget = false;
    bool m_antiAlias = true;
    std::string m_path;
    uint64_t m_stamp = 0;
};

}  // namespace engine
