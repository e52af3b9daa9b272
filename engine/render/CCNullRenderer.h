// A renderer that draws nothing and counts: what the scene walk alone costs, and how it batches.
#pragma once

#include "engine/render/CCRenderer.h"

namespace engine {

class CCNullRenderer : public CCRenderer {
public:
    void beginFrame() override;
    void endFrame() override;
    void drawTriangles(CCTexture2D* texture, const CCVertex* vertices, int count, BlendMode blend) override;
    void pushClipRect(const CCRect& worldRect) override;
    void popClipRect() override;
    // Counted as CCSDLRenderer would send them: a change of texture, blend mode or clip starts
    // a new call.
    int drawCallCount() const override { return m_drawCalls; }
    int triangleCount() const { return m_triangles; }
    int clipDepth() const { return m_clipDepth; }

private:
    int m_drawCalls = 0, m_triangles = 0, m_clipDepth = 0;
    bool m_batchOpen = false;
    CCTexture2D* m_batchTexture = nullptr;
    BlendMode m_batchBlend = BlendMode::Alpha;
};

}  // namespace engine
