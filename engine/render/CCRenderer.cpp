// CCRenderer: the current renderer slot, argument checks, batching and the clip stack.
//
// Index:
//   - the current renderer
//   - frame bracket
//   - drawing: checks, batching, sending a batch
//   - clipping: the stack, its scopes, handing the clip to the backend
#include "engine/render/CCRenderer.h"

#include <cmath>

#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"

namespace engine {

namespace {

CCRenderer* s_current = nullptr;

// Beyond this many points a coordinate is nonsense: no scale brings it back on screen, and
// rasterisers convert positions to integers.
const float kMaxCoordinate = 16777216.f;

bool usable(const CCVertex& v) { return std::fabs(v.x) < kMaxCoordinate && std::fabs(v.y) < kMaxCoordinate; }

bool hasArea(const CCRect& r) { return r.size.width > 0 && r.size.height > 0; }

}  // namespace

// --- The current renderer --------------------------------------------------------------------

CCRenderer* CCRenderer::current() { return s_current; }
void CCRenderer::setCurrent(CCRenderer* renderer) { s_current = renderer; }

namespace {
unsigned long s_lastSerial = 0;
}

CCRenderer::CCRenderer() : m_serial(++s_lastSerial) {}

CCRenderer::~CCRenderer() {
    if (s_current == this) s_current = nullptr;
}

// --- Frame bracket ---------------------------------------------------------------------------

void CCRenderer::beginFrame() {
    ++m_framesDrawn;
    m_outputInvalid = false;
    m_drawCalls = 0;
    m_triangles = 0;
    // Whatever was gathered outside a frame is not part of this one.
    m_pending.clear();
    m_batchOpen = false;
    beginBackendFrame();
    if (!m_clips.empty()) {
        CCLog("CCRenderer: %zu clip rectangle(s) left pushed by the last frame", m_clips.size());
        m_clips.clear();
    }
    m_scopeBases.clear();
    reapplyClip();
}

void CCRenderer::endFrame() {
    flush();
    endBackendFrame();
    if (!m_clips.empty()) CCLog("CCRenderer: frame ended with %zu clip rectangle(s) pushed", m_clips.size());
    if (!m_clips.empty() || !m_scopeBases.empty()) {
        m_clips.clear();
        m_scopeBases.clear();
        reapplyClip();
    }
}

// --- Drawing ---------------------------------------------------------------------------------

void CCRenderer::drawTriangles(CCTexture2D* texture, const CCVertex* vertices, int count, BlendMode blend) {
    if (!vertices || count < 3 || !m_clipDrawable) return;
    count -= count % 3;
    if (texture && !texture->getSurface() && !texture->isRenderTarget()) return;  // nothing to show
    if (!m_batchOpen || texture != m_batchTexture || blend != m_batchBlend) {
        if (!canDrawWith(texture)) return;
        flush();
        m_batchOpen = true;
        m_batchTexture = texture;
        m_batchBlend = blend;
    }
    appendTriangles(vertices, count);
}

void CCRenderer::appendTriangles(const CCVertex* vertices, int count) {
    // Runs of usable triangles are copied whole; one with a stray coordinate is left out
    // without losing its neighbours.
    int runStart = 0;
    for (int t = 0; t < count; t += 3) {
        if (usable(vertices[t]) && usable(vertices[t + 1]) && usable(vertices[t + 2])) continue;
        m_pending.insert(m_pending.end(), vertices + runStart, vertices + t);
        m_triangles += (t - runStart) / 3;
        runStart = t + 3;
    }
    m_pending.insert(m_pending.end(), vertices + runStart, vertices + count);
    m_triangles += (count - runStart) / 3;
}

void CCRenderer::flush() {
    m_batchOpen = false;
    if (m_pending.empty()) return;
    const CCRenderBatch batch{m_batchTexture, m_batchBlend, m_pending.data(), int(m_pending.size())};
    ++m_drawCalls;
    drawBatch(batch);
    m_pending.clear();
}

// --- Clipping --------------------------------------------------------------------------------

void CCRenderer::pushClipRect(const CCRect& worldRect) {
    flush();
    CCRect r = worldRect;
    // A rectangle given with negative extents is the same area seen from its other corner.
    if (r.size.width < 0) { r.origin.x += r.size.width; r.size.width = -r.size.width; }
    if (r.size.height < 0) { r.origin.y += r.size.height; r.size.height = -r.size.height; }
    if (!std::isfinite(r.origin.x) || !std::isfinite(r.origin.y) || !std::isfinite(r.size.width) ||
        !std::isfinite(r.size.height))
        r = CCRect();
    if (const CCRect* enclosing = currentClip()) r = enclosing->intersection(r);
    m_clips.push_back(r);
    reapplyClip();
}

void CCRenderer::popClipRect() {
    if (clipDepth() == 0) {
        CCLog("CCRenderer: popClipRect without a pushed clip rectangle");
        return;
    }
    flush();
    m_clips.pop_back();
    reapplyClip();
}

const CCRect* CCRenderer::currentClip() const { return clipDepth() > 0 ? &m_clips.back() : nullptr; }

void CCRenderer::openClipScope() {
    flush();
    m_scopeBases.push_back(m_clips.size());
    reapplyClip();
}

void CCRenderer::closeClipScope() {
    if (m_scopeBases.empty()) return;
    flush();
    m_clips.resize(m_scopeBases.back());
    m_scopeBases.pop_back();
    reapplyClip();
}

void CCRenderer::reapplyClip() {
    const CCRect* clip = currentClip();
    // The backend hears of every clip, even one without area (it may keep its state in step).
    const bool backendDraws = applyClip(clip);
    m_clipDrawable = backendDraws && (!clip || hasArea(*clip));
}

}  // namespace engine
