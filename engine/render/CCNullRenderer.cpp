// CCNullRenderer: the batching rule of the real renderer, without pixels.
#include "engine/render/CCNullRenderer.h"

#include "engine/base/CCLog.h"

namespace engine {

void CCNullRenderer::beginFrame() {
    m_drawCalls = 0;
    m_triangles = 0;
    m_clipDepth = 0;
    m_batchOpen = false;
}

void CCNullRenderer::endFrame() {
    m_batchOpen = false;
    if (m_clipDepth != 0) CCLog("CCNullRenderer: frame ended with %d clip rectangle(s) pushed", m_clipDepth);
}

void CCNullRenderer::drawTriangles(CCTexture2D* texture, const CCVertex* vertices, int count, BlendMode blend) {
    if (!vertices || count < 3) return;
    if (!m_batchOpen || texture != m_batchTexture || blend != m_batchBlend) {
        ++m_drawCalls;
        m_batchOpen = true;
        m_batchTexture = texture;
        m_batchBlend = blend;
    }
    m_triangles += count / 3;
}

void CCNullRenderer::pushClipRect(const CCRect&) {
    ++m_clipDepth;
    m_batchOpen = false;
}

void CCNullRenderer::popClipRect() {
    if (m_clipDepth == 0) {
        CCLog("CCNullRenderer: popClipRect without a pushed clip rectangle");
        return;
    }
    --m_clipDepth;
    m_batchOpen = false;
}

}  // namespace engine
