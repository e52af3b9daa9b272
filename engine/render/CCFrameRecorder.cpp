// CCFrameRecorder: the draw stream of one frame as bytes, and the comparison with the kept one.
#include "engine/render/CCFrameRecorder.h"

#include <cstring>

#include "engine/render/CCTexture2D.h"

namespace engine {

namespace {
enum : unsigned char { kBatch = 1, kClip = 2, kNoClip = 3 };
}

void CCFrameRecorder::put(const void* bytes, size_t size) {
    const auto* b = static_cast<const unsigned char*>(bytes);
    m_record.insert(m_record.end(), b, b + size);
}

void CCFrameRecorder::beginBackendFrame() {
    m_record.clear();
    m_volatile = false;
}

void CCFrameRecorder::keep() {
    m_kept.swap(m_record);
    m_record.clear();
    m_hasKept = !m_volatile;
}

void CCFrameRecorder::drawBatch(const CCRenderBatch& batch) {
    const unsigned char tag = kBatch;
    put(&tag, 1);
    const uint64_t stamp = batch.texture ? batch.texture->contentStamp() : 0;
    if (batch.texture && batch.texture->isRenderTarget()) m_volatile = true;
    put(&stamp, sizeof stamp);
    const auto blend = static_cast<unsigned char>(batch.blend);
    put(&blend, 1);
    put(&batch.vertexCount, sizeof batch.vertexCount);
    // Field by field: no padding bytes enter the record.
    constexpr size_t kVertexBytes = 4 * sizeof(float) + sizeof(ccColor4B);
    size_t at = m_record.size();
    m_record.resize(at + kVertexBytes * size_t(batch.vertexCount));
    unsigned char* out = m_record.data() + at;
    for (int i = 0; i < batch.vertexCount; ++i) {
        const CCVertex& v = batch.vertices[i];
        std::memcpy(out, &v.x, sizeof(float));
        std::memcpy(out + 4, &v.y, sizeof(float));
        std::memcpy(out + 8, &v.color, sizeof(ccColor4B));
        std::memcpy(out + 8 + sizeof(ccColor4B), &v.u, sizeof(float));
        std::memcpy(out + 12 + sizeof(ccColor4B), &v.v, sizeof(float));
        out += kVertexBytes;
    }
}

bool CCFrameRecorder::applyClip(const CCRect* worldRect) {
    const unsigned char tag = worldRect ? kClip : kNoClip;
    put(&tag, 1);
    if (worldRect) {
        const float r[4] = {worldRect->origin.x, worldRect->origin.y, worldRect->size.width, worldRect->size.height};
        put(r, sizeof r);
    }
    return true;
}

}  // namespace engine
