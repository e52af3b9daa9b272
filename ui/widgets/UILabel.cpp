// UILabel: text settings passed to the TrueType label, the size adaptation, and the pressed growth.
#include "ui/widgets/UILabel.h"

#include "engine/base/CCCreate.h"
#include "engine/text/CCLabelTTF.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UILabel::~UILabel() = default;

UILabel* UILabel::create() {
    UILabel* label = new UILabel();
    return autoreleasedOrNull(label, label->init());
}

bool UILabel::init() { return UIWidget::init(); }

void UILabel::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_labelRenderer = CCLabelTTF::create();
    m_renderer->addChild(m_labelRenderer);
}

void UILabel::setText(const char* text) {
    if (!text || !m_labelRenderer) return;
    m_labelRenderer->setString(text);
    adaptLabel();
}

const char* UILabel::getStringValue() const { return m_labelRenderer ? m_labelRenderer->getString() : ""; }

void UILabel::setFontSize(int size) {
    if (!m_labelRenderer) return;
    m_labelRenderer->setFontSize(static_cast<float>(size));
    adaptLabel();
}

float UILabel::getFontSize() const { return m_labelRenderer ? m_labelRenderer->getFontSize() : 0.0f; }

void UILabel::setFontName(const char* name) {
    if (!m_labelRenderer) return;
    if (name) m_labelRenderer->setFontName(name);
    adaptLabel();
}

const char* UILabel::getFontName() const { return m_labelRenderer ? m_labelRenderer->getFontName() : ""; }

void UILabel::setAreaSize(const CCSize& size) {
    if (!m_labelRenderer) return;
    m_labelRenderer->setDimensions(size);
    adaptLabel();
}

void UILabel::setHAlignment(CCTextAlignment alignment) {
    if (!m_labelRenderer) return;
    m_labelRenderer->setHorizontalAlignment(alignment);
    adaptLabel();
}

void UILabel::setVAlignment(CCVerticalTextAlignment alignment) {
    if (!m_labelRenderer) return;
    m_labelRenderer->setVerticalAlignment(alignment);
    adaptLabel();
}

void UILabel::setTouchScaleEnable(bool enable) {
    m_touchScaleEnable = enable;
    if (m_renderer) m_normalScale = m_renderer->getScale();
}

void UILabel::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    if (m_labelRenderer) m_labelRenderer->setAnchorPoint(anchor);
}

void UILabel::setFlipX(bool flipX) {
    if (m_labelRenderer) m_labelRenderer->setFlipX(flipX);
}

bool UILabel::isFlipX() { return m_labelRenderer && m_labelRenderer->isFlipX(); }

void UILabel::setFlipY(bool flipY) {
    if (m_labelRenderer) m_labelRenderer->setFlipY(flipY);
}

bool UILabel::isFlipY() { return m_labelRenderer && m_labelRenderer->isFlipY(); }

CCNode* UILabel::getRendererNode() { return m_labelRenderer; }

const CCSize& UILabel::getContentSize() {
    static const CCSize kNone;
    return m_labelRenderer ? m_labelRenderer->getContentSize() : kNone;
}

const char* UILabel::getTypeName() { return "Label"; }

void UILabel::onSizeChanged() { adaptLabel(); }

void UILabel::adaptLabel() {
    if (!m_labelRenderer) return;
    if (m_ignoreSize) {
        m_labelRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_labelRenderer->getContentSize());
        return;
    }
    nodes::stretch(m_labelRenderer, m_size, m_labelRenderer->getContentSize());
}

void UILabel::showNormalState() {
    if (m_touchScaleEnable && m_renderer) m_renderer->setScale(m_normalScale);
}

void UILabel::showPressedState() {
    if (m_touchScaleEnable && m_renderer) m_renderer->setScale(m_normalScale + m_pressedScaleOffset);
}

}  // namespace ui
