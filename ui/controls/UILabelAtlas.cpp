// UILabelAtlas: the character map handed to the engine label, and the size adaptation.
#include "ui/controls/UILabelAtlas.h"

#include "engine/base/CCCreate.h"
#include "ui/nodes/UICCLabelAtlas.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UILabelAtlas::~UILabelAtlas() = default;

UILabelAtlas* UILabelAtlas::create() {
    UILabelAtlas* label = new UILabelAtlas();
    return autoreleasedOrNull(label, label->init());
}

void UILabelAtlas::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_atlasRenderer = UICCLabelAtlas::create();
    m_renderer->addChild(m_atlasRenderer);
}

void UILabelAtlas::setAtlasProperties(const char* text, const char* charMapFile, int itemWidth, int itemHeight,
                                      const char* startChar) {
    if (!m_atlasRenderer || !charMapFile || !startChar || !*startChar) return;
    const unsigned int first = static_cast<unsigned char>(startChar[0]);
    m_atlasRenderer->initWithString(text ? text : "", charMapFile, itemWidth > 0 ? unsigned(itemWidth) : 0u,
                                    itemHeight > 0 ? unsigned(itemHeight) : 0u, first);
    setAnchorPoint(m_anchorPoint);
    adaptLabel();
}

void UILabelAtlas::setStringValue(const char* text) {
    if (!m_atlasRenderer) return;
    m_atlasRenderer->setString(text ? text : "");
    adaptLabel();
}

const char* UILabelAtlas::getStringValue() const { return m_atlasRenderer ? m_atlasRenderer->getString() : ""; }

void UILabelAtlas::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    if (m_atlasRenderer) m_atlasRenderer->setAnchorPoint(anchor);
}

CCNode* UILabelAtlas::getRendererNode() { return m_atlasRenderer; }

const CCSize& UILabelAtlas::getContentSize() {
    static const CCSize kNone;
    return m_atlasRenderer ? m_atlasRenderer->getContentSize() : kNone;
}

const char* UILabelAtlas::getTypeName() { return "LabelAtlas"; }

void UILabelAtlas::onSizeChanged() { adaptLabel(); }

void UILabelAtlas::adaptLabel() {
    if (!m_atlasRenderer) return;
    if (m_ignoreSize) {
        m_atlasRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_atlasRenderer->getContentSize());
        return;
    }
    nodes::stretch(m_atlasRenderer, m_size, m_atlasRenderer->getContentSize());
}

}  // namespace ui
