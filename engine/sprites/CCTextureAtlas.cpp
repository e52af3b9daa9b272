// CCTextureAtlas: the batch node's texture and quad bookkeeping.
#include "engine/sprites/CCTextureAtlas.h"

#include "engine/base/CCCreate.h"
#include "engine/render/CCTexture2D.h"

namespace engine {

CCTextureAtlas::~CCTextureAtlas() { safeRelease(m_texture); }

CCTextureAtlas* CCTextureAtlas::createWithTexture(CCTexture2D* texture, unsigned int capacity) {
    auto* atlas = new CCTextureAtlas();
    atlas->initWithTexture(texture, capacity);
    return autoreleasedOrNull(atlas, true);
}

bool CCTextureAtlas::initWithTexture(CCTexture2D* texture, unsigned int capacity) {
    setTexture(texture);
    m_capacity = capacity;
    m_totalQuads = 0;
    return true;
}

void CCTextureAtlas::setTotalQuads(unsigned int total) {
    m_totalQuads = total;
    if (total > m_capacity) resizeCapacity(total + total / 3 + 1);
}

void CCTextureAtlas::resizeCapacity(unsigned int capacity) {
    if (capacity < m_totalQuads) capacity = m_totalQuads;
    m_capacity = capacity;
}

}  // namespace engine
