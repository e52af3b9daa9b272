// A panel's renderer: a clipping node whose stencil is its own rectangle, with clipping and drawing each switchable.
#pragma once

#include "engine/sprites/CCClippingNode.h"
#include "engine/sprites/CCDrawNode.h"

namespace ui {

class RectClippingNode : public engine::CCClippingNode {
public:
    RectClippingNode() = default;
    ~RectClippingNode() override;

    static RectClippingNode* create();
    bool init() override;

    // Also the node's content size; negative or NaN components are taken as 0.
    void setClippingSize(const engine::CCSize& size);
    const engine::CCSize& getClippingSize() const { return m_clippingSize; }
    void setClipAble(bool able) { m_clipAble = able; }
    bool isClipAble() const { return m_clipAble; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    // Nothing while disabled; children cut to the rectangle while clipping is on.
    void visit() override;

private:
    void drawStencil();

    engine::CCDrawNode* m_innerStencil = nullptr;  // owned through the clipping node's stencil
    bool m_enabled = true;
    engine::CCPoint m_rect[4];
    engine::CCSize m_clippingSize = engine::CCSize(50, 50);
    bool m_clipAble = false;
};

}  // namespace ui
