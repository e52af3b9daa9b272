// CCSDLRenderer: batching, clipping, render targets and read-back over SDL_RenderGeometry.
#include "engine/render/CCSDLRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"

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
}

CCSDLRenderer::~CCSDLRenderer() {
    if (CCRenderer::current() == this) CCRenderer::setCurrent(nullptr);
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
    m_designSize = size;
    updateScale();
    applyClip();
}

void CCSDLRenderer::setOutputSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        CCLog("CCSDLRenderer: output size %d x %d ignored", width, height);
        return;
    }
    if (width == m_outputWidth && height == m_outputHeight) return;
    flush();
    m_outputWidth = width;
    m_outputHeight = height;
    m_targets.front().width = width;
    m_targets.front().height = height;
    updateScale();
    applyClip();
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

void CCSDLRenderer::beginFrame() {
    m_drawCalls = 0;
    m_triangles = 0;
    m_pending.clear();
    if (m_targets.size() > 1) {
        CCLog("CCSDLRenderer: %d render target(s) left pushed by the last frame", renderTargetDepth());
        while (m_targets.size() > 1) popRenderTarget();
    }
    if (!m_targets.front().clips.empty()) {
        CCLog("CCSDLRenderer: %zu clip rectangle(s) left pushed by the last frame", m_targets.front().clips.size());
        m_targets.front().clips.clear();
    }
    applyClip();
    if (!m_renderer) return;
    SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_renderer, m_clearColor.r, m_clearColor.g, m_clearColor.b, m_clearColor.a);
    SDL_RenderClear(m_renderer);
}

void CCSDLRenderer::endFrame() {
    flush();
    if (m_targets.size() > 1) {
        CCLog("CCSDLRenderer: frame ended with %d render target(s) pushed", renderTargetDepth());
        while (m_targets.size() > 1) popRenderTarget();
    }
    if (!m_targets.front().clips.empty()) {
        CCLog("CCSDLRenderer: frame ended with %zu clip rectangle(s) pushed", m_targets.front().clips.size());
        m_targets.front().clips.clear();
        applyClip();
    }
    if (m_presentOnEndFrame) present();
}

void CCSDLRenderer::present() {
    if (m_renderer) SDL_RenderPresent(m_renderer);
}

// --- Batching ------------------------------------------------------------------------------

void CCSDLRenderer::drawTriangles(CCTexture2D* texture, const CCVertex* vertices, int count, BlendMode blend) {
    if (!m_renderer || !vertices || count < 3 || m_clipEmpty) return;
    count -= count % 3;
    if (texture && texture->isRenderTarget() && texture->textureFor(m_renderer) == m_targets.back().sdlTarget) {
        CCLog("CCSDLRenderer: a render target cannot be drawn into itself");
        return;
    }
    CCTexture2D* source = texture ? texture : (blend == BlendMode::Alpha ? nullptr : m_white);
    SDL_Texture* sdlTexture = source ? source->textureFor(m_renderer) : nullptr;
    // An empty texture draws nothing; textureFor has logged real failures.
    if (source && !sdlTexture) return;
    if (!m_pending.empty() && (sdlTexture != m_pendingTexture || blend != m_pendingBlend)) flush();
    m_pendingTexture = sdlTexture;
    m_pendingBlend = blend;

    const float designH = m_designSize.height;
    for (int t = 0; t < count; t += 3) {
        SDL_Vertex tri[3];
        bool usable = true;
        for (int k = 0; k < 3; ++k) {
            const CCVertex& v = vertices[t + k];
            float px = v.x * m_scaleX;
            float py = (designH - v.y) * m_scaleY;
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
        if (m_softwareQuirks && source && keepOutOfBlitter(tri, source)) {
            // Pairs are recognised by shared corners: a shift of a 256th of a pixel on every
            // other triangle means no two neighbours share one, and nothing visible moves.
            const float nudge = (m_triangles & 1) ? 1.f / 256.f : 0.f;
            for (SDL_Vertex& v : tri) v.position.x += nudge;
        }
        m_pending.insert(m_pending.end(), tri, tri + 3);
        ++m_triangles;
    }
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
    if (m_targets.back().clips.empty()) return false;
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

void CCSDLRenderer::flush() {
    if (m_pending.empty()) return;
    if (m_renderer && !m_clipEmpty) {
        setBlend(m_pendingTexture, m_pendingBlend);
        if (SDL_RenderGeometry(m_renderer, m_pendingTexture, m_pending.data(), int(m_pending.size()), nullptr, 0) != 0)
            CCLog("CCSDLRenderer: drawing %zu vertices failed (%s)", m_pending.size(), SDL_GetError());
        ++m_drawCalls;
    }
    m_pending.clear();
}

// --- Clipping ------------------------------------------------------------------------------

void CCSDLRenderer::pushClipRect(const CCRect& worldRect) {
    flush();
    CCRect r = worldRect;
    // A rectangle given with negative extents is the same area seen from its other corner.
    if (r.size.width < 0) { r.origin.x += r.size.width; r.size.width = -r.size.width; }
    if (r.size.height < 0) { r.origin.y += r.size.height; r.size.height = -r.size.height; }
    if (!std::isfinite(r.origin.x) || !std::isfinite(r.origin.y) || !std::isfinite(r.size.width) ||
        !std::isfinite(r.size.height))
        r = CCRect();
    std::vector<CCRect>& clips = m_targets.back().clips;
    if (!clips.empty()) r = clips.back().intersection(r);
    clips.push_back(r);
    applyClip();
}

void CCSDLRenderer::popClipRect() {
    std::vector<CCRect>& clips = m_targets.back().clips;
    if (clips.empty()) {
        CCLog("CCSDLRenderer: popClipRect without a pushed clip rectangle");
        return;
    }
    flush();
    clips.pop_back();
    applyClip();
}

void CCSDLRenderer::applyClip() {
    const TargetLevel& level = m_targets.back();
    m_clipEmpty = false;
    if (level.clips.empty()) {
        if (m_renderer) SDL_RenderSetClipRect(m_renderer, nullptr);
        return;
    }
    const CCRect& r = level.clips.back();
    int left = roundToPixel(r.getMinX() * m_scaleX, level.width);
    int right = roundToPixel(r.getMaxX() * m_scaleX, level.width);
    int top = roundToPixel((m_designSize.height - r.getMaxY()) * m_scaleY, level.height);
    int bottom = roundToPixel((m_designSize.height - r.getMinY()) * m_scaleY, level.height);
    if (right <= left || bottom <= top) {
        // SDL reads an empty clip rectangle as "no clipping": skip the draws ourselves.
        m_clipEmpty = true;
        return;
    }
    SDL_Rect clip{left, top, right - left, bottom - top};
    if (m_renderer) SDL_RenderSetClipRect(m_renderer, &clip);
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
    SDL_Texture* sdlTarget = m_renderer ? target->textureFor(m_renderer) : nullptr;
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
        applyClip();
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
    applyClip();
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
    applyClip();
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
