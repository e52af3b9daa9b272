// A parent for many sprites cut from one texture; the renderer merges their consecutive draws.
#pragma once

#include "engine/render/CCRenderer.h"
#include "engine/scene/CCNode.h"

namespace engine {

class CCTexture2D;
class CCTextureAtlas;

class CCSpriteBatchNode : public CCNode {
public:
    static constexpr unsigned int kDefaultCapacity = 29;

    CCSpriteBatchNode() = default;
    ~CCSpriteBatchNode() override;

    // A missing image still gives a batch node, one without a texture, and a log line.
    static CCSpriteBatchNode* create(const char* file, unsigned int capacity = kDefaultCapacity);
    static CCSpriteBatchNode* createWithTexture(CCTexture2D* texture, unsigned int capacity = kDefaultCapacity);
    bool init() override;
    bool initWithFile(const char* file, unsigned int capacity);
    bool initWithTexture(CCTexture2D* texture, unsigned int capacity);

    CCTexture2D* getTexture() const;
    void setTexture(CCTexture2D* texture);
    // Never null once initialised.
    CCTextureAtlas* getTextureAtlas() const { return m_atlas; }

    // Applied to the sprites already in the batch and to those added later.
    void setBlendFunc(BlendMode blend);
    BlendMode getBlendFunc() const { return m_blend; }

    // Only sprites are taken; another kind of node is refused with a log line.
    void addChild(CCNode* child, int zOrder, int tag) override;
    using CCNode::addChild;
    void removeChild(CCNode* child, bool cleanup) override;
    using CCNode::removeChild;
    void removeAllChildrenWithCleanup(bool cleanup) override;

private:
    void countQuads();

    CCTextureAtlas* m_atlas = nullptr;
    BlendMode m_blend = BlendMode::Alpha;
};

}  // namespace engine
