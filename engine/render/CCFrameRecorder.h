// Records what a frame would draw, without drawing it, so that a frame showing the same picture
// as the one on the output can be left out (neither drawn nor presented).
//
// The record is the exact stream the front end hands a backend: every batch (its texture's
// content stamp, blend mode and vertices) and every clip change, in order. Two frames with equal
// records put the same pixels on the same output; comparing records rather than marking changes
// in every setter means no change to a node, a widget or a texture can be missed.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/render/CCRenderer.h"

namespace engine {

class CCFrameRecorder : public CCRenderer {
public:
    CCFrameRecorder() = default;

    // True when the frame recorded last equals the one kept by keep(), and nothing in it draws
    // a render target (whose texels change without a new stamp).
    bool matchesKept() const { return m_hasKept && !m_volatile && m_record == m_kept; }
    // The frame recorded last is the one now on the output.
    void keep();
    // Nothing known to be on the output: the next comparison fails.
    void forget() { m_hasKept = false; }

protected:
    void beginBackendFrame() override;
    void endBackendFrame() override {}
    bool canDrawWith(CCTexture2D*) override { return true; }
    void drawBatch(const CCRenderBatch& batch) override;
    bool applyClip(const CCRect* worldRect) override;

private:
    void put(const void* bytes, size_t size);

    std::vector<unsigned char> m_record, m_kept;
    bool m_hasKept = false;
    bool m_volatile = false;  // the recorded frame samples a render target
};

}  // namespace engine
