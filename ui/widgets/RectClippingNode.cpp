// RectClippingNode: the rectangle stencil, its resizing, and the visit that clips or not.
#include "ui/widgets/RectClippingNode.h"

#include "engine/base/CCCreate.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

using namespace engine;

namespace {
const ccColor4F kStencilColour = {0, 1, 0, 1};
}

RectClippingNode::~RectClippingNode() = default;

RectClippingNode* RectClippingNode::create() {
    RectClippingNode* node = new RectClippingNode();
    return autoreleasedOrNull(node, node->init());
}

bool RectClippingNode::init() {
    m_innerStencil = CCDrawNode::create();
    if (!m_innerStencil) return false;
    drawStencil();
    return CCClippingNode::init(m_innerStencil);
}

void RectClippingNode::drawStencil() {
    const float w = m_clippingSize.width, h = m_clippingSize.height;
    m_rect[0] = CCPoint(0, 0);
    m_rect[1] = CCPoint(w, 0);
    m_rect[2] = CCPoint(w, h);
    m_rect[3] = CCPoint(0, h);
    m_innerStencil->clear();
    m_innerStencil->drawPolygon(m_rect, 4, kStencilColour, 0, kStencilColour);
}

void RectClippingNode::setClippingSize(const CCSize& size) {
    CCSize s = sanitizeSize(size);
    setContentSize(s);
    m_clippingSize = s;
    drawStencil();
}

void RectClippingNode::visit() {
    if (!m_enabled) return;
    if (m_clipAble)
        CCClippingNode::visit();
    else
        CCNode::visit();
}

}  // namespace ui
