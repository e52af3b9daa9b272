// CCSpriteBatchNode: sprite-only children sharing the batch's texture and blending.
#include "engine/sprites/CCSpriteBatchNode.h"

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCTextureAtlas.h"

namespace engine {

CCSpriteBatchNode::~CCSpriteBatchNode() {
    // Children outlive the batch only if held elsewhere; they must not point back at it.
    if (m_pChildren)
        for (CCObject* o : *m_pChildren)
            if (CCSprite* s = dynamic_cast<CCSprite*>(o)) s->setBatchNode(nullptr);
    safeRelease(m_atlas);
}

CCSpriteBatchNode* CCSpriteBatchNode::create(const char* file, unsigned int capacity) {
    auto* batch = new CCSpriteBatchNode();
    if (!batch->initWithFile(file, capacity)) batch->initWithTexture(nullptr, capacity);
    return autoreleasedOrNull(batch, true);
}

CCSpriteBatchNode* CCSpriteBatchNode::createWithTexture(CCTexture2D* texture, unsigned int capacity) {
    auto* batch = new CCSpriteBatchNode();
    batch->initWithTexture(texture, capacity);
    return autoreleasedOrNull(batch, true);
}

bool CCSpriteBatchNode::init() { return initWithTexture(nullptr, kDefaultCapacity); }

bool CCSpriteBatchNode::initWithFile(const char* file, unsigned int capacity) {
    CCTexture2D* texture = (file && *file) ? CCTextureCache::sharedTextureCache()->addImage(file) : nullptr;
    if (!texture) {
        CCLog("CCSpriteBatchNode: no image %s", file ? file : "(null)");
        return false;
    }
    return initWithTexture(texture, capacity);
}

bool CCSpriteBatchNode::initWithTexture(CCTexture2D* texture, unsigned int capacity) {
    if (!CCNode::init()) return false;
    if (!m_atlas) m_atlas = new CCTextureAtlas();
    m_atlas->initWithTexture(texture, capacity == 0 ? kDefaultCapacity : capacity);
    countQuads();
    return true;
}

CCTexture2D* CCSpriteBatchNode::getTexture() const { return m_atlas ? m_atlas->getTexture() : nullptr; }

void CCSpriteBatchNode::setTexture(CCTexture2D* texture) {
    if (!m_atlas) init();
    if (m_atlas->getTexture() == texture) return;
    m_atlas->setTexture(texture);
}

void CCSpriteBatchNode::setBlendFunc(BlendMode blend) {
    if (blend == m_blend) return;
    m_blend = blend;
    if (!m_pChildren) return;
    for (CCObject* o : *m_pChildren)
        if (CCSprite* s = dynamic_cast<CCSprite*>(o)) s->setBlendFunc(blend);
}

void CCSpriteBatchNode::addChild(CCNode* child, int zOrder, int tag) {
    CCSprite* sprite = dynamic_cast<CCSprite*>(child);
    if (!sprite) {
        CCLog("CCSpriteBatchNode: only sprites can be added to a batch node");
        return;
    }
    if (!m_atlas) init();
    if (sprite->getTexture() != getTexture())
        CCLog("CCSpriteBatchNode: a sprite of another texture joins the batch and draws on its own");
    CCNode::addChild(child, zOrder, tag);
    if (child->getParent() != this) return;
    sprite->setBatchNode(this);
    sprite->setBlendFunc(m_blend);
    countQuads();
}

void CCSpriteBatchNode::removeChild(CCNode* child, bool cleanup) {
    if (!child || child->getParent() != this) return;
    if (CCSprite* s = dynamic_cast<CCSprite*>(child)) s->setBatchNode(nullptr);
    CCNode::removeChild(child, cleanup);
    countQuads();
}

void CCSpriteBatchNode::removeAllChildrenWithCleanup(bool cleanup) {
    if (m_pChildren)
        for (CCObject* o : *m_pChildren)
            if (CCSprite* s = dynamic_cast<CCSprite*>(o)) s->setBatchNode(nullptr);
    CCNode::removeAllChildrenWithCleanup(cleanup);
    countQuads();
}

void CCSpriteBatchNode::countQuads() {
    if (m_atlas) m_atlas->setTotalQuads(getChildrenCount());
}

}  // namespace engine
