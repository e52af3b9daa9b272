// CCSpriteFrame: construction and the lazily loaded texture.
#include "engine/sprites/CCSpriteFrame.h"

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace engine {

CCSpriteFrame::~CCSpriteFrame() { safeRelease(m_texture); }

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return createWithTexture(texture, rect, false, CCPointZero, rect.size);
}

CCSpriteFrame* CCSpriteFrame::createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                                const CCPoint& offset, const CCSize& originalSize) {
    auto* frame = new CCSpriteFrame();
    return autoreleasedOrNull(frame, frame->initWithTexture(texture, rect, rotated, offset, originalSize));
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect) {
    return create(filename, rect, false, CCPointZero, rect.size);
}

CCSpriteFrame* CCSpriteFrame::create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                     const CCSize& originalSize) {
    auto* frame = new CCSpriteFrame();
    return autoreleasedOrNull(frame, frame->initWithTextureFilename(filename, rect, rotated, offset, originalSize));
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return initWithTexture(texture, rect, false, CCPointZero, rect.size);
}

bool CCSpriteFrame::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                                    const CCSize& originalSize) {
    assignRetained(m_texture, texture);
    m_textureFilename.clear();
    m_rect = rect;
    m_rotated = rotated;
    m_offset = offset;
    m_originalSize = originalSize;
    return true;
}

bool CCSpriteFrame::initWithTextureFilename(const char* filename, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize) {
    if (!filename || !*filename) {
        CCLog("CCSpriteFrame: no texture file name given");
        return false;
    }
    safeRelease(m_texture);
    m_textureFilename = filename;
    m_rect = rect;
    m_rotated = rotated;
    m_offset = offset;
    m_originalSize = originalSize;
    return true;
}

CCTexture2D* CCSpriteFrame::getTexture() {
    if (!m_texture && !m_textureFilename.empty()) {
        CCTexture2D* loaded = CCTextureCache::sharedTextureCache()->addImage(m_textureFilename.c_str());
        assignRetained(m_texture, loaded);
    }
    return m_texture;
}

void CCSpriteFrame::setTexture(CCTexture2D* texture) { assignRetained(m_texture, texture); }

CCObject* CCSpriteFrame::copy() {
    auto* frame = new CCSpriteFrame();
    frame->m_texture = m_texture;
    if (m_texture) m_texture->retain();
    frame->m_textureFilename = m_textureFilename;
    frame->m_rect = m_rect;
    frame->m_rotated = m_rotated;
    frame->m_offset = m_offset;
    frame->m_originalSize = m_originalSize;
    return frame;
}

}  // namespace engine
