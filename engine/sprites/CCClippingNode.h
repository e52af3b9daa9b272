// A node whose children show only inside its stencil: the axis-aligned world rectangle around
// the stencil's drawn shapes (a CCDrawNode) or its content box (any other node).
#pragma once

#include "engine/scene/CCNode.h"

namespace engine {

class CCClippingNode : public CCNode {
public:
    CCClippingNode() = default;
    ~CCClippingNode() override;

    static CCClippingNode* create();
    static CCClippingNode* create(CCNode* stencil);
    bool init() override;
    // The stencil is placed in this node's space, like a child, but never drawn.
    virtual bool init(CCNode* stencil);

    CCNode* getStencil() const { return m_pStencil; }
    void setStencil(CCNode* stencil);

    // Kept for callers that set them; the rectangle clip ignores both.
    float getAlphaThreshold() const { return m_fAlphaThreshold; }
    void setAlphaThreshold(float threshold) { m_fAlphaThreshold = threshold; }
    bool isInverted() const { return m_bInverted; }
    void setInverted(bool inverted) { m_bInverted = inverted; }

    // The clip rectangle in world space for a node-to-world transform of this node; false with
    // no stencil. A stencil that has drawn nothing gives an empty rectangle (nothing shows).
    bool stencilWorldRect(const CCAffineTransform& nodeToWorld, CCRect& out);

    void visit() override;
    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExitTransitionDidStart() override;
    void onExit() override;

protected:
    CCNode* m_pStencil = nullptr;
    float m_fAlphaThreshold = 1.f;
    bool m_bInverted = false;
};

}  // namespace engine
