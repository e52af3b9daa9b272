// UILabelBMFont: the font file and text handed to the engine label, and the size adaptation.
#include "ui/controls/UILabelBMFont.h"

#include "engine/base/CCCreate.h"
#include "engine/text/CCLabelBMFont.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UILabelBMFont::~UILabelBMFont() = default;

UILabelBMFont* UILabelBMFont::create() {
    UILabelBMFont* label = new UILabelBMFont();
    return autoreleasedOrNull(label, label->init());
}

void UILabelBMFont::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_fontRenderer = CCLabelBMFont::create();
    m_renderer->addChild(m_fontRenderer);
}

void UILabelBMFont::setFontFile(const char* file) {
    if (!file || !*file || !m_fontRenderer) return;
    m_fontRenderer->initWithString("", file, kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPointZero);
    setAnchorPoint(m_anchorPoint);
    adaptLabel();
    m_fontFileSet = true;
}

void UILabelBMFont::setText(const char* text) {
    if (!m_fontFileSet || !text || !m_fontRenderer) return;
    m_fontRenderer->setString(text);
    adaptLabel();
}

const char* UILabelBMFont::getStringValue() const { return m_fontRenderer ? m_fontRenderer->getString() : ""; }

void UILabelBMFont::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    if (m_fontRenderer) m_fontRenderer->setAnchorPoint(anchor);
}

CCNode* UILabelBMFont::getRendererNode() { return m_fontRenderer; }

const CCSize& UILabelBMFont::getContentSize() {
    static const CCSize kNone;
    return m_fontRenderer ? m_fontRenderer->getContentSize() : kNone;
}

const char* UILabelBMFont::getTypeName() { return "LabelBMFont"; }

void UILabelBMFont::onSizeChanged() { adaptLabel(); }

void UILabelBMFont::adaptLabel() {
    if (!m_fontRenderer) return;
    if (m_ignoreSize) {
        m_fontRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_fontRenderer->getContentSize());
        return;
    }
    nodes::stretch(m_fontRenderer, m_size, m_fontRenderer->getContentSize());
}

}  // namespace ui
