// A textured rectangle: a whole image, a part of one, or a frame of a sprite sheet.
//
// Index:
//   - creation and initialisation (file, texture, sprite frame, frame name)
//   - texture, texture rectangle, rotated and trimmed frames
//   - flipping, displayed frame, blending
//   - drawing (one quad, tinted by the displayed colour and opacity)
#pragma once

#include "engine/render/CCRenderer.h"
#include "engine/scene/CCNode.h"

namespace engine {

class CCSpriteBatchNode;
class CCSpriteFrame;
class CCTexture2D;

class CCSprite : public CCNodeRGBA {
public:
    CCSprite() = default;
    ~CCSprite() override;

    // A sprite without an image (draws nothing until given one).
    static CCSprite* create();
    // Bad input (missing or undecodable file, unknown frame name, null frame) still gives a
    // sprite, an empty one, with a log line.
    static CCSprite* create(const char* file);
    static CCSprite* create(const char* file, const CCRect& rect);
    static CCSprite* createWithTexture(CCTexture2D* texture);
    static CCSprite* createWithTexture(CCTexture2D* texture, const CCRect& rect);
    static CCSprite* createWithSpriteFrame(CCSpriteFrame* frame);
    static CCSprite* createWithSpriteFrameName(const char* name);

    bool init() override;
    // Each initialiser resets the anchor point to the centre, the flips, the trim offset, the
    // blending and the colour, like a new sprite. A false result leaves the sprite as it was.
    virtual bool initWithTexture(CCTexture2D* texture);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect);
    virtual bool initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated);
    virtual bool initWithFile(const char* file);
    virtual bool initWithFile(const char* file, const CCRect& rect);
    virtual bool initWithSpriteFrame(CCSpriteFrame* frame);
    virtual bool initWithSpriteFrameName(const char* name);

    // A texture given to a sprite with no rectangle yet shows the whole texture.
    virtual void setTexture(CCTexture2D* texture);
    CCTexture2D* getTexture() const { return m_texture; }

    // rect in texture pixels (y down), sized as shown; the content size becomes untrimmedSize.
    void setTextureRect(const CCRect& rect);
    virtual void setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize);
    const CCRect& getTextureRect() const { return m_rect; }
    bool isTextureRectRotated() const { return m_rectRotated; }
    // Where the trimmed image's bottom-left corner sits in the content box.
    const CCPoint& getOffsetPosition() const { return m_offsetPosition; }

    void setFlipX(bool flip);
    bool isFlipX() const { return m_flipX; }
    void setFlipY(bool flip);
    bool isFlipY() const { return m_flipY; }

    virtual void setDisplayFrame(CCSpriteFrame* frame);
    // The frame now shown, as a new autoreleased frame.
    virtual CCSpriteFrame* displayFrame();
    virtual bool isFrameDisplayed(CCSpriteFrame* frame);

    void setBlendFunc(BlendMode blend) { m_blend = blend; }
    BlendMode getBlendFunc() const { return m_blend; }

    // The batch node this sprite is a child of (not owned); set by the batch node.
    CCSpriteBatchNode* getBatchNode() const { return m_batchNode; }
    void setBatchNode(CCSpriteBatchNode* batchNode) { m_batchNode = batchNode; }

    // The quad's corners in node space: bottom left, bottom right, top left, top right.
    const CCVertex* getQuad() const { return m_quad; }

    void draw() override;

private:
    void resetToEmpty();
    void updateQuadPositions();
    void updateQuadTexCoords();

    CCTexture2D* m_texture = nullptr;
    CCSpriteBatchNode* m_batchNode = nullptr;
    CCRect m_rect;
    bool m_rectRotated = false;
    bool m_flipX = false, m_flipY = false;
    CCPoint m_unflippedOffsetFromCenter;
    CCPoint m_offsetPosition;
    BlendMode m_blend = BlendMode::Alpha;
    CCVertex m_quad[4] = {};
};

}  // namespace engine
