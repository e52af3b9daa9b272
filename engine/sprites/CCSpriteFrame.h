// One image inside a texture: its rectangle, whether it is stored rotated, and how it was trimmed.
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/base/CCObject.h"

namespace engine {

class CCTexture2D;

class CCSpriteFrame : public CCObject {
public:
    CCSpriteFrame() = default;
    ~CCSpriteFrame() override;

    // rect is in texture pixels, y down from the texture's top edge, and has the size of the
    // image as shown (for a rotated frame the texture area is rect.height wide, rect.width high).
    // offset moves the trimmed image from the centre of the original box (y up); originalSize is
    // that untrimmed box.
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    static CCSpriteFrame* createWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated,
                                            const CCPoint& offset, const CCSize& originalSize);
    // The texture is loaded through the texture cache when first asked for.
    static CCSpriteFrame* create(const char* filename, const CCRect& rect);
    static CCSpriteFrame* create(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);

    bool initWithTexture(CCTexture2D* texture, const CCRect& rect);
    bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated, const CCPoint& offset,
                         const CCSize& originalSize);
    bool initWithTextureFilename(const char* filename, const CCRect& rect, bool rotated, const CCPoint& offset,
                                 const CCSize& originalSize);

    const CCRect& getRect() const { return m_rect; }
    void setRect(const CCRect& rect) { m_rect = rect; }
    // One point is one pixel, so both rectangles agree.
    const CCRect& getRectInPixels() const { return m_rect; }
    bool isRotated() const { return m_rotated; }
    void setRotated(bool rotated) { m_rotated = rotated; }
    const CCPoint& getOffset() const { return m_offset; }
    void setOffset(const CCPoint& offset) { m_offset = offset; }
    const CCSize& getOriginalSize() const { return m_originalSize; }
    void setOriginalSize(const CCSize& size) { m_originalSize = size; }

    // Null when the frame has no texture and its file cannot be loaded.
    CCTexture2D* getTexture();
    void setTexture(CCTexture2D* texture);
    const std::string& getTextureFilename() const { return m_textureFilename; }

    CCObject* copy() override;

private:
    CCTexture2D* m_texture = nullptr;
    std::string m_textureFilename;
    CCRect m_rect;
    bool m_rotated = false;
    CCPoint m_offset;
    CCSize m_originalSize;
};

}  // namespace engine
