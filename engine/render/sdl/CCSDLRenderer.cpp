// CCSDLRenderer: batches executed with SDL_RenderGeometry, clip rectangles in pixels, render
// targets and read-back.
#include "engine/render/sdl/CCSDLRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/sdl/CCSDLTextureCopy.h"

namespace engine {

namespace {

// Beyond this many pixels a coordinate is nonsense (and the rasteriser converts to int).
const float kMaxPixelCoordinate = 16777216.f;

SDL_BlendMode premultipliedBlendMode() {
    return SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA,
                                      SDL_BLENDOPERATION_ADD, SDL_BLENDFACTOR_ONE,
                                      SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
}

SDL_BlendMode sdlBlendMode(BlendMode blend) {
    switch (blend) {
        case BlendMode::None: return SDL_BLENDMODE_NONE;
        case BlendMode::Additive: return SDL_BLENDMODE_ADD;
        case BlendMode::PremultipliedAlpha: return premultipliedBlendMode();
        case BlendMode::Alpha: break;
    }
    return SDL_BLENDMODE_BLEND;
}

float clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

int roundToPixel(float v, int limit) {
    if (!(v > 0.f)) return 0;  // also catches NaN
    if (v > float(limit)) return limit;
    return static_cast<int>(std::lround(v));
}

}  // namespace

CCSDLRenderer::CCSDLRenderer(SDL_Renderer* renderer, const CCSize& designSize, int outputWidth, int outputHeight)
    : m_renderer(renderer), m_designSize(designSize), m_outputWidth(outputWidth), m_outputHeight(outputHeight) {
    if (!m_renderer) CCLog("CCSDLRenderer: no SDL renderer given; nothing will be drawn");
    if (m_outputWidth <= 0 || m_outputHeight <= 0) {
        CCLog("CCSDLRenderer: output size %d x %d is not usable; using 1 x 1", outputWidth, outputHeight);
        m_outputWidth = std::max(1, m_outputWidth);
        m_outputHeight = std::max(1, m_outputHeight);
    }
    if (!(m_designSize.width > 0) || !(m_designSize.height > 0)) {
        CCLog("CCSDLRenderer: design size %g x %g is not usable; using the output size",
              double(designSize.width), double(designSize.height));
        m_designSize = CCSize(float(m_outputWidth), float(m_outputHeight));
    }
    const uint8_t white[4] = {255, 255, 255, 255};
    m_white = new CCTexture2D();
    m_white->initWithRGBA(white, 1, 1);
    SDL_RendererInfo info;
    if (m_renderer && SDL_GetRendererInfo(m_renderer, &info) == 0)
        m_softwareQuirks = (info.flags & SDL_RENDERER_SOFTWARE) != 0 || (info.name && std::strcmp(info.name, "software") == 0);
    TargetLevel output;
    output.width = m_outputWidth;
    output.height = m_outputHeight;
    m_targets.push_back(output);
    updateScale();
    reapplyClip();
}

CCSDLRenderer::~CCSDLRenderer() {
    while (m_targets.size() > 1) popRenderTarget();
    safeRelease(m_white);
}

void CCSDLRenderer::setDesignSize(const CCSize& size) {
    if (!(size.width > 0) || !(size.height > 0)) {
        CCLog("CCSDLRenderer: design size %g x %g ignored", double(size.width), double(size.height));
        return;
    }
    if (size == m_designSize) return;
    flush();
    invalidateOutput();
    m_designSize = size;
    updateScale();
    reapplyClip();
}

void CCSDLRenderer::setOutputSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        CCLog("CCSDLRenderer: output size %d x %d ignored", width, height);
        return;
    }
    if (width == m_outputWidth && height == m_outputHeight) return;
    flush();
    invalidateOutput();
    m_outputWidth = width;
    m_outputHeight = height;
    m_targets.front().width = width;
    m_targets.front().height = height;
    updateScale();
    reapplyClip();
}

void CCSDLRenderer::updateScale() {
    const TargetLevel& level = m_targets.back();
    m_scaleX = float(level.width) / m_designSize.width;
    m_scaleY = float(level.height) / m_designSize.height;
}

CCPoint CCSDLRenderer::designToPixel(const CCPoint& p) const {
    return CCPoint(p.x * m_scaleX, (m_designSize.height - p.y) * m_scaleY);
}

// --- Frame bracket -------------------------------------------------------------------------

void CCSDLRenderer::popLeftoverTargets(const char* when) {
    if (m_targets.size() <= 1) return;
    CCLog("CCSDLRenderer: %d render target(s) %s", renderTargetDepth(), when);
    while (m_targets.size() > 1) popRenderTarget();
}

void CCSDLRenderer::beginBackendFrame() {
    m_sentTriangles = 0;
    popLeftoverTargets("left pushed by the last frame");
    if (!m_renderer) return;
    // A clear fills the whole target whatever the clip rectangle.
    SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_renderer, m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
    SDL_RenderClear(m_renderer);
}

void CCSDLRenderer::endBackendFrame() {
    popLeftoverTargets("pushed when the frame ended");
    if (m_presentOnEndFrame) present();
}

void CCSDLRenderer::present() {
    if (m_renderer) SDL_RenderPresent(m_renderer);
}

// --- Executing a batch -----------------------------------------------------------------------

bool CCSDLRenderer::canDrawWith(CCTexture2D* texture) {
    if (!texture) return m_renderer != nullptr;
    SDL_Texture* copy = CCSDLTextureCopy::textureFor(texture, m_renderer);
    if (copy && texture->isRenderTarget() && copy == m_targets.back().sdlTarget) {
        CCLog("CCSDLRenderer: a render target cannot be drawn into itself");
        return false;
    }
    // Without a copy there is nothing to draw; textureFor has logged real failures.
    return copy != nullptr;
}

void CCSDLRenderer::drawBatch(const CCRenderBatch& batch) {
    if (!m_renderer) return;
    CCTexture2D* source = batch.texture ? batch.texture : (batch.blend == BlendMode::Alpha ? nullptr : m_white);
    SDL_Texture* sdlTexture = source ? CCSDLTextureCopy::textureFor(source, m_renderer) : nullptr;
    if (source && !sdlTexture) return;

    m_vertices.resize(size_t(batch.vertexCount));
    SDL_Vertex* out = m_vertices.data();
    const float designH = m_designSize.height;
    const bool watchBlitter = m_softwareQuirks && source;
    for (int t = 0; t < batch.vertexCount; t += 3) {
        SDL_Vertex* tri = out;
        bool usable = true;
        for (int k = 0; k < 3; ++k) {
            const CCVertex& v = batch.vertices[t + k];
            const float px = v.x * m_scaleX;
            const float py = (designH - v.y) * m_scaleY;
            if (!(std::fabs(px) < kMaxPixelCoordinate) || !(std::fabs(py) < kMaxPixelCoordinate)) {
                usable = false;
                break;
            }
            tri[k].position = SDL_FPoint{px, py};
            tri[k].color = SDL_Color{v.color.r, v.color.g, v.color.b, v.color.a};
            // SDL refuses a whole call when one coordinate strays outside 0..1.
            tri[k].tex_coord = SDL_FPoint{clamp01(v.u), clamp01(v.v)};
        }
        if (!usable) continue;
        if (watchBlitter && keepOutOfBlitter(tri, source)) {
            // Pairs are recognised by shared corners: a shift of a 256th of a pixel on every
            // other triangle means no two neighbours share one, and nothing visible moves.
            const float nudge = (m_sentTriangles & 1) ? 1.f / 256.f : 0.f;
            for (int k = 0; k < 3; ++k) tri[k].position.x += nudge;
        }
        out += 3;
        ++m_sentTriangles;
    }
    const int count = int(out - m_vertices.data());
    if (count == 0) return;
    setBlend(sdlTexture, batch.blend);
    if (SDL_RenderGeometry(m_renderer, sdlTexture, m_vertices.data(), count, nullptr, 0) != 0)
        CCLog("CCSDLRenderer: drawing %d vertices failed (%s)", count, SDL_GetError());
}

bool CCSDLRenderer::keepOutOfBlitter(const SDL_Vertex* tri, const CCTexture2D* texture) const {
    // The affine map from screen pixels to texels over this triangle.
    const float tw = float(texture->getPixelsWide()), th = float(texture->getPixelsHigh());
    const float e1x = tri[1].position.x - tri[0].position.x, e1y = tri[1].position.y - tri[0].position.y;
    const float e2x = tri[2].position.x - tri[0].position.x, e2y = tri[2].position.y - tri[0].position.y;
    const float f1u = (tri[1].tex_coord.x - tri[0].tex_coord.x) * tw, f1v = (tri[1].tex_coord.y - tri[0].tex_coord.y) * th;
    const float f2u = (tri[2].tex_coord.x - tri[0].tex_coord.x) * tw, f2v = (tri[2].tex_coord.y - tri[0].tex_coord.y) * th;
    const float det = e1x * e2y - e2x * e1y;
    if (std::fabs(det) < 1e-6f) return false;  // covers no pixel
    const float dudx = (f1u * e2y - f2u * e1y) / det, dudy = (f2u * e1x - f1u * e2x) / det;
    const float dvdx = (f1v * e2y - f2v * e1y) / det, dvdy = (f2v * e1x - f1v * e2x) / det;
    if (std::fabs(dvdx) + std::fabs(dudy) > std::fabs(dudx) + std::fabs(dvdy)) return true;  // turned
    if (!currentClip()) return false;
    // Sixteen or more pixels per texel: a clip may leave the blitter less than one texel.
    const float texelArea = std::fabs(dudx * dvdy - dudy * dvdx);
    return texelArea < 1.f / 16.f;
}

bool CCSDLRenderer::setBlend(SDL_Texture* texture, BlendMode blend) {
    SDL_BlendMode mode = sdlBlendMode(blend);
    if (blend == BlendMode::PremultipliedAlpha && m_premultipliedSupport == 0) mode = SDL_BLENDMODE_BLEND;
    int rc = texture ? SDL_SetTextureBlendMode(texture, mode) : SDL_SetRenderDrawBlendMode(m_renderer, mode);
    if (rc != 0 && blend == BlendMode::PremultipliedAlpha) {
        // The software renderer knows only the fixed modes: straight alpha is the nearest.
        if (m_premultipliedSupport != 0)
            CCLog("CCSDLRenderer: premultiplied blending not supported here; using alpha blending");
        m_premultipliedSupport = 0;
        rc = texture ? SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND)
                     : SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_BLEND);
    } else if (rc == 0 && blend == BlendMode::PremultipliedAlpha) {
        m_premultipliedSupport = 1;
    }
    return rc == 0;
}

// --- Clipping --------------------------------------------------------------------------------

bool CCSDLRenderer::applyClip(const CCRect* worldRect) {
    if (!m_renderer) return false;
    if (!worldRect) {
        SDL_RenderSetClipRect(m_renderer, nullptr);
        return true;
    }
    const TargetLevel& level = m_targets.back();
    const CCRect& r = *worldRect;
    int left = roundToPixel(r.getMinX() * m_scaleX, level.width);
    int right = roundToPixel(r.getMaxX() * m_scaleX, level.width);
    int top = roundToPixel((m_designSize.height - r.getMaxY()) * m_scaleY, level.height);
    int bottom = roundToPixel((m_designSize.height - r.getMinY()) * m_scaleY, level.height);
    // SDL reads an empty clip rectangle as "no clipping": nothing may be drawn under it.
    if (right <= left || bottom <= top) return false;
    SDL_Rect clip{left, top, right - left, bottom - top};
    SDL_RenderSetClipRect(m_renderer, &clip);
    return true;
}

// --- Render targets ------------------------------------------------------------------------

bool CCSDLRenderer::pushRenderTarget(CCTexture2D* target, bool clear) {
    if (!target || !target->isRenderTarget()) {
        CCLog("CCSDLRenderer: pushRenderTarget needs a texture made with initAsRenderTarget");
        return false;
    }
    for (const TargetLevel& level : m_targets) {
        if (level.texture == target) {
            CCLog("CCSDLRenderer: render target is already pushed");
            return false;
        }
    }
    SDL_Texture* sdlTarget = CCSDLTextureCopy::textureFor(target, m_renderer);
    if (!sdlTarget) {
        CCLog("CCSDLRenderer: render target of %d x %d pixels cannot be made", target->getPixelsWide(),
              target->getPixelsHigh());
        return false;
    }
    return pushTargetLevel(sdlTarget, target, clear);
}

bool CCSDLRenderer::pushRenderTarget(SDL_Texture* target, bool clear) {
    if (!target || !m_renderer) {
        CCLog("CCSDLRenderer: pushRenderTarget given no target texture");
        return false;
    }
    return pushTargetLevel(target, nullptr, clear);
}

bool CCSDLRenderer::pushTargetLevel(SDL_Texture* sdlTarget, CCTexture2D* texture, bool clear) {
    int access = 0, w = 0, h = 0;
    if (SDL_QueryTexture(sdlTarget, nullptr, &access, &w, &h) != 0 || access != SDL_TEXTUREACCESS_TARGET ||
        w <= 0 || h <= 0) {
        CCLog("CCSDLRenderer: texture cannot be a render target");
        return false;
    }
    flush();
    if (SDL_SetRenderTarget(m_renderer, sdlTarget) != 0) {
        CCLog("CCSDLRenderer: cannot draw into the target (%s)", SDL_GetError());
        SDL_SetRenderTarget(m_renderer, m_targets.back().sdlTarget);
        reapplyClip();
        return false;
    }
    TargetLevel level;
    level.sdlTarget = sdlTarget;
    level.texture = texture;
    level.width = w;
    level.height = h;
    if (texture) texture->retain();
    m_targets.push_back(level);
    updateScale();
    // The target's clip stack starts empty.
    openClipScope();
    if (clear) {
        SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 0);
        SDL_RenderClear(m_renderer);
    }
    return true;
}

void CCSDLRenderer::popRenderTarget() {
    if (m_targets.size() <= 1) {
        CCLog("CCSDLRenderer: popRenderTarget without a pushed target");
        return;
    }
    flush();
    CCTexture2D* texture = m_targets.back().texture;
    m_targets.pop_back();
    if (m_renderer) SDL_SetRenderTarget(m_renderer, m_targets.back().sdlTarget);
    updateScale();
    // Back to the clips of the enclosing target.
    closeClipScope();
    if (texture) texture->release();
}

// --- Read-back -----------------------------------------------------------------------------

bool CCSDLRenderer::readPixels(std::vector<uint8_t>& rgba, int& width, int& height) {
    width = height = 0;
    rgba.clear();
    if (!m_renderer) return false;
    flush();
    const TargetLevel& level = m_targets.back();
    int w = level.width, h = level.height;
    rgba.resize(size_t(w) * size_t(h) * 4);
    SDL_Rect whole{0, 0, w, h};
    if (SDL_RenderReadPixels(m_renderer, &whole, SDL_PIXELFORMAT_RGBA32, rgba.data(), w * 4) != 0) {
        CCLog("CCSDLRenderer: cannot read pixels back (%s)", SDL_GetError());
        rgba.clear();
        return false;
    }
    width = w;
    height = h;
    return true;
}

bool CCSDLRenderer::savePNG(const std::string& path) {
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    if (!readPixels(rgba, w, h)) return false;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(rgba.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface) {
        CCLog("CCSDLRenderer: cannot wrap pixels for %s (%s)", path.c_str(), SDL_GetError());
        return false;
    }
    bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    if (!ok) CCLog("CCSDLRenderer: cannot write %s (%s)", path.c_str(), IMG_GetError());
    SDL_FreeSurface(surface);
    return ok;
}

}  // namespace engine
