// UIImageView: image loading, nine-slice switching and the size adaptation of its one image node.
#include "ui/widgets/UIImageView.h"

#include "engine/base/CCCreate.h"
#include "engine/sprites/CCSprite.h"
#include "ui/nodes/CCScale9Sprite.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UIImageView::~UIImageView() = default;

UIImageView* UIImageView::create() {
    UIImageView* view = new UIImageView();
    return autoreleasedOrNull(view, view->init());
}

void UIImageView::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_imageRenderer = CCSprite::create();
    m_renderer->addChild(m_imageRenderer);
}

void UIImageView::loadTexture(const char* name, TextureResType type) {
    if (!name || !*name) return;
    // name may be our own stored string (a reload): copy it before storing.
    const std::string file = name;
    m_textureFile = file;
    m_imageTexType = type;
    if (type == TEX_RES_LOCAL_FILE || type == TEX_RES_SPRITE_FRAME) {
        nodes::reload(m_imageRenderer, file, type);
        nodes::tint(m_imageRenderer, getColor(), getOpacity());
    }
    if (m_scale9Enabled) {
        if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_imageRenderer)) nine->setCapInsets(m_capInsets);
    }
    m_imageTextureSize = m_imageRenderer ? m_imageRenderer->getContentSize() : CCSizeZero;
    setAnchorPoint(m_anchorPoint);
    adaptImage();
}

void UIImageView::setScale9Enable(bool able) {
    if (able == m_scale9Enabled || !m_renderer) return;
    if (m_imageRenderer) m_renderer->removeChild(m_imageRenderer, true);
    m_scale9Enabled = able;
    m_imageRenderer = nodes::makeImageNode(able);
    loadTexture(m_textureFile.c_str(), m_imageTexType);
    m_renderer->addChild(m_imageRenderer);
    if (m_imageRenderer) m_imageRenderer->setAnchorPoint(m_anchorPoint);
    switchIgnoreSizeForNineSlice(able);
    setCapInsets(m_capInsets);
}

void UIImageView::setCapInsets(const CCRect& capInsets) {
    m_capInsets = capInsets;
    if (!m_scale9Enabled) return;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_imageRenderer)) nine->setCapInsets(capInsets);
}

void UIImageView::setIgnoreSize(bool ignore) {
    setIgnoreSizeBesideNineSlice(m_scale9Enabled, ignore);
}

void UIImageView::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    if (m_imageRenderer) m_imageRenderer->setAnchorPoint(anchor);
}

void UIImageView::setFlipX(bool flipX) {
    if (m_scale9Enabled) return;
    if (CCSprite* sprite = dynamic_cast<CCSprite*>(m_imageRenderer)) sprite->setFlipX(flipX);
}

bool UIImageView::isFlipX() {
    if (m_scale9Enabled) return false;
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_imageRenderer);
    return sprite && sprite->isFlipX();
}

void UIImageView::setFlipY(bool flipY) {
    if (m_scale9Enabled) return;
    if (CCSprite* sprite = dynamic_cast<CCSprite*>(m_imageRenderer)) sprite->setFlipY(flipY);
}

bool UIImageView::isFlipY() {
    if (m_scale9Enabled) return false;
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_imageRenderer);
    return sprite && sprite->isFlipY();
}

CCNode* UIImageView::getRendererNode() { return m_imageRenderer; }

const CCSize& UIImageView::getContentSize() { return m_imageTextureSize; }

const char* UIImageView::getTypeName() { return "ImageView"; }

void UIImageView::onSizeChanged() { adaptImage(); }

void UIImageView::adaptImage() {
    if (!m_imageRenderer) return;
    CCScale9Sprite* nine = m_scale9Enabled ? dynamic_cast<CCScale9Sprite*>(m_imageRenderer) : nullptr;
    if (m_ignoreSize) {
        if (m_scale9Enabled) return;
        m_imageRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_imageTextureSize);
        return;
    }
    if (nine) {
        nine->setPreferredSize(m_size);
        return;
    }
    nodes::stretch(m_imageRenderer, m_size, m_imageRenderer->getContentSize());
}

}  // namespace ui
