// What a batch node draws from: its texture and how many quads it holds out of its capacity.
#pragma once

#include "engine/base/CCObject.h"

namespace engine {

class CCTexture2D;

class CCTextureAtlas : public CCObject {
public:
    CCTextureAtlas() = default;
    ~CCTextureAtlas() override;

    static CCTextureAtlas* createWithTexture(CCTexture2D* texture, unsigned int capacity);
    bool initWithTexture(CCTexture2D* texture, unsigned int capacity);

    CCTexture2D* getTexture() const { return m_texture; }
    void setTexture(CCTexture2D* texture) { assignRetained(m_texture, texture); }
    unsigned int getCapacity() const { return m_capacity; }
    unsigned int getTotalQuads() const { return m_totalQuads; }
    // The capacity grows (never shrinks) to hold all the quads.
    void setTotalQuads(unsigned int total);
    void resizeCapacity(unsigned int capacity);

private:
    CCTexture2D* m_texture = nullptr;
    unsigned int m_capacity = 0;
    unsigned int m_totalQuads = 0;
};

}  // namespace engine
