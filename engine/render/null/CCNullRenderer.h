// A backend that draws nothing: what the scene walk alone costs, and how the front end batches
// it (its counters: draw calls, triangles, clip depth).
#pragma once

#include "engine/render/CCRenderer.h"

namespace engine {

class CCNullRenderer : public CCRenderer {
public:
    CCNullRenderer() = default;

protected:
    void beginBackendFrame() override {}
    void endBackendFrame() override {}
    bool canDrawWith(CCTexture2D*) override { return true; }
    void drawBatch(const CCRenderBatch&) override {}
    // Without pixels every clip with area is drawn under.
    bool applyClip(const CCRect*) override { return true; }
};

}  // namespace engine
