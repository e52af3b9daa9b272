// UIButton: image loading and size adaptation, nine-slice switching, the three looks and the title.
//
// Index:
//   - construction and renderer
//   - image slots, loading and size adaptation
//   - nine-slice mode and cap insets
//   - widget overrides (anchor, flips, colour, ignore-size, renderer node, sizes)
//   - looks and press zoom
//   - title
#include "ui/widgets/UIButton.h"

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"
#include "engine/sprites/CCSprite.h"
#include "ui/nodes/CCScale9Sprite.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

namespace {
const int kLooksZ = 0;
const int kTitleZ = 1;
const float kZoomDuration = 0.05f;
const float kPressedZoom = 1.1f;
}  // namespace

// --- construction ----------------------------------------------------------------------

UIButton::~UIButton() = default;

UIButton* UIButton::create() {
    UIButton* button = new UIButton();
    return autoreleasedOrNull(button, button->init());
}

void UIButton::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_normalRenderer = CCSprite::create();
    m_pressedRenderer = CCSprite::create();
    m_disabledRenderer = CCSprite::create();
    m_titleRenderer = CCLabelTTF::create();
    m_renderer->addChild(m_normalRenderer, kLooksZ);
    m_renderer->addChild(m_pressedRenderer, kLooksZ);
    m_renderer->addChild(m_disabledRenderer, kLooksZ);
    m_renderer->addChild(m_titleRenderer, kTitleZ);
}

CCNode* UIButton::makeImageNode() const {
    if (m_scale9Enabled) return CCScale9Sprite::create();
    return CCSprite::create();
}

// --- image slots -----------------------------------------------------------------------

UIButton::ImageSlot UIButton::normalSlot() {
    return ImageSlot{&m_normalRenderer, &m_normalFileName, &m_normalTexType, &m_capInsetsNormal,
                     &m_normalTextureSize};
}
UIButton::ImageSlot UIButton::pressedSlot() {
    return ImageSlot{&m_pressedRenderer, &m_pressedFileName, &m_pressedTexType, &m_capInsetsPressed,
                     &m_pressedTextureSize};
}
UIButton::ImageSlot UIButton::disabledSlot() {
    return ImageSlot{&m_disabledRenderer, &m_disabledFileName, &m_disabledTexType, &m_capInsetsDisabled,
                     &m_disabledTextureSize};
}

void UIButton::loadTexture(ImageSlot slot, const char* name, TextureResType type, bool decidesSize) {
    if (!name || !*name) return;
    // name may point into the slot's own string (a reload): copy before storing.
    const std::string file = name;
    *slot.fileName = file;
    *slot.texType = type;
    CCNode* node = *slot.node;
    if (!node) return;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(node)) {
        if (type == TEX_RES_LOCAL_FILE)
            nine->initWithFile(file.c_str());
        else if (type == TEX_RES_SPRITE_FRAME)
            nine->initWithSpriteFrameName(file.c_str());
    } else if (CCSprite* sprite = dynamic_cast<CCSprite*>(node)) {
        if (type == TEX_RES_LOCAL_FILE)
            sprite->initWithFile(file.c_str());
        else if (type == TEX_RES_SPRITE_FRAME)
            sprite->initWithSpriteFrameName(file.c_str());
    }
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(node)) {
        rgba->setColor(getColor());
        rgba->setOpacity(static_cast<uint8_t>(getOpacity()));
    }
    *slot.textureSize = node->getContentSize();
    setAnchorPoint(m_anchorPoint);
    adaptImage(slot, decidesSize);
    placeTitle();
}

void UIButton::adaptImage(ImageSlot slot, bool decidesSize) {
    CCNode* node = *slot.node;
    if (!node) return;
    CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(node);
    const CCSize& texture = *slot.textureSize;
    if (m_ignoreSize) {
        if (nine) return;
        node->setScale(1.0f);
        if (decidesSize) m_size = sanitizeSize(texture);
        return;
    }
    if (nine) {
        nine->setPreferredSize(m_size);
        return;
    }
    if (texture.width <= 0 || texture.height <= 0) {
        node->setScale(1.0f);
        return;
    }
    node->setScaleX(m_size.width / texture.width);
    node->setScaleY(m_size.height / texture.height);
}

void UIButton::loadNormalTexture(const char* name, TextureResType type) { loadTexture(normalSlot(), name, type, true); }

void UIButton::loadPressedTexture(const char* name, TextureResType type) {
    loadTexture(pressedSlot(), name, type, false);
}

void UIButton::loadDisabledTexture(const char* name, TextureResType type) {
    loadTexture(disabledSlot(), name, type, false);
}

void UIButton::loadTextures(const char* normal, const char* pressed, const char* disabled, TextureResType type) {
    loadNormalTexture(normal, type);
    loadPressedTexture(pressed, type);
    loadDisabledTexture(disabled, type);
}

// --- nine-slice ------------------------------------------------------------------------

void UIButton::setScale9Enable(bool able) {
    if (able == m_scale9Enabled) return;
    m_brightStyle = BRIGHT_STYLE_NONE;
    m_scale9Enabled = able;
    if (!m_renderer) return;
    for (ImageSlot slot : {normalSlot(), pressedSlot(), disabledSlot()}) {
        if (*slot.node) m_renderer->removeChild(*slot.node, true);
        *slot.node = makeImageNode();
    }
    loadTexture(normalSlot(), m_normalFileName.c_str(), m_normalTexType, true);
    loadTexture(pressedSlot(), m_pressedFileName.c_str(), m_pressedTexType, false);
    loadTexture(disabledSlot(), m_disabledFileName.c_str(), m_disabledTexType, false);
    for (ImageSlot slot : {normalSlot(), pressedSlot(), disabledSlot()})
        if (*slot.node) m_renderer->addChild(*slot.node, kLooksZ);
    // Images that had no name to load still take the button's anchor.
    setAnchorPoint(m_anchorPoint);
    switchIgnoreSizeForNineSlice(able);
    setNormalCapInsets(CCRect(m_capInsetsNormal));
    setPressedCapInsets(CCRect(m_capInsetsPressed));
    setDisabledCapInsets(CCRect(m_capInsetsDisabled));
    setBright(m_bright);
}

void UIButton::applyCapInsets(ImageSlot slot, const CCRect& capInsets) {
    *slot.capInsets = capInsets;
    if (!m_scale9Enabled) return;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(*slot.node)) nine->setCapInsets(capInsets);
}

void UIButton::setCapInsets(const CCRect& capInsets) {
    setNormalCapInsets(capInsets);
    setPressedCapInsets(capInsets);
    setDisabledCapInsets(capInsets);
}

void UIButton::setNormalCapInsets(const CCRect& capInsets) { applyCapInsets(normalSlot(), capInsets); }
void UIButton::setPressedCapInsets(const CCRect& capInsets) { applyCapInsets(pressedSlot(), capInsets); }
void UIButton::setDisabledCapInsets(const CCRect& capInsets) { applyCapInsets(disabledSlot(), capInsets); }

// --- widget overrides ------------------------------------------------------------------

void UIButton::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    for (CCNode* node : {m_normalRenderer, m_pressedRenderer, m_disabledRenderer})
        if (node) node->setAnchorPoint(anchor);
    placeTitle();
}

void UIButton::placeTitle() {
    if (!m_titleRenderer) return;
    m_titleRenderer->setPosition(
        CCPoint((0.5f - m_anchorPoint.x) * m_size.width, (0.5f - m_anchorPoint.y) * m_size.height));
}

void UIButton::setFlipX(bool flipX) {
    if (m_titleRenderer) m_titleRenderer->setFlipX(flipX);
    if (m_scale9Enabled) return;
    for (CCNode* node : {m_normalRenderer, m_pressedRenderer, m_disabledRenderer})
        if (CCSprite* sprite = dynamic_cast<CCSprite*>(node)) sprite->setFlipX(flipX);
}

bool UIButton::isFlipX() {
    if (m_scale9Enabled) return false;
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_normalRenderer);
    return sprite && sprite->isFlipX();
}

void UIButton::setFlipY(bool flipY) {
    if (m_titleRenderer) m_titleRenderer->setFlipY(flipY);
    if (m_scale9Enabled) return;
    for (CCNode* node : {m_normalRenderer, m_pressedRenderer, m_disabledRenderer})
        if (CCSprite* sprite = dynamic_cast<CCSprite*>(node)) sprite->setFlipY(flipY);
}

bool UIButton::isFlipY() {
    if (m_scale9Enabled) return false;
    CCSprite* sprite = dynamic_cast<CCSprite*>(m_normalRenderer);
    return sprite && sprite->isFlipY();
}

void UIButton::setColor(const ccColor3B& color) {
    UIWidget::setColor(color);
    if (m_titleRenderer) m_titleRenderer->setColor(m_titleColor);
}

void UIButton::setIgnoreSize(bool ignore) {
    setIgnoreSizeBesideNineSlice(m_scale9Enabled, ignore);
}

CCNode* UIButton::getRendererNode() {
    if (!m_bright) return m_disabledRenderer;
    switch (m_brightStyle) {
        case BRIGHT_STYLE_NORMAL:
            return m_normalRenderer;
        case BRIGHT_STYLE_HIGHLIGHT:
            return m_pressedRenderer;
        default:
            return nullptr;
    }
}

const CCSize& UIButton::getContentSize() { return m_normalTextureSize; }

const char* UIButton::getTypeName() { return "Button"; }

void UIButton::onSizeChanged() {
    adaptImage(normalSlot(), true);
    adaptImage(pressedSlot(), false);
    adaptImage(disabledSlot(), false);
    placeTitle();
}

// --- looks -----------------------------------------------------------------------------

void UIButton::zoomImages(float scale) {
    for (CCNode* node : {m_normalRenderer, m_pressedRenderer, m_disabledRenderer}) {
        if (!node) continue;
        node->stopAllActions();
        node->runAction(CCScaleTo::create(kZoomDuration, scale));
    }
}

void UIButton::showNormalState() {
    if (m_normalRenderer) m_normalRenderer->setVisible(true);
    if (m_pressedRenderer) m_pressedRenderer->setVisible(false);
    if (m_disabledRenderer) m_disabledRenderer->setVisible(false);
    if (m_pressZoomEnabled) zoomImages(1.0f);
}

void UIButton::showPressedState() {
    if (m_normalRenderer) m_normalRenderer->setVisible(false);
    if (m_pressedRenderer) m_pressedRenderer->setVisible(true);
    if (m_disabledRenderer) m_disabledRenderer->setVisible(false);
    if (m_pressZoomEnabled) zoomImages(kPressedZoom);
}

void UIButton::showDisabledState() {
    if (m_normalRenderer) m_normalRenderer->setVisible(false);
    if (m_pressedRenderer) m_pressedRenderer->setVisible(false);
    if (m_disabledRenderer) m_disabledRenderer->setVisible(true);
}

// --- title -----------------------------------------------------------------------------

void UIButton::setTitleText(const char* text) {
    if (m_titleRenderer) m_titleRenderer->setString(text ? text : "");
}

const char* UIButton::getTitleText() const { return m_titleRenderer ? m_titleRenderer->getString() : ""; }

void UIButton::setTitleColor(const ccColor3B& color) {
    m_titleColor = color;
    if (m_titleRenderer) m_titleRenderer->setColor(color);
}

void UIButton::setTitleFontSize(float size) {
    if (m_titleRenderer) m_titleRenderer->setFontSize(size);
}

float UIButton::getTitleFontSize() const { return m_titleRenderer ? m_titleRenderer->getFontSize() : 0.0f; }

void UIButton::setTitleFontName(const char* fontName) {
    if (m_titleRenderer && fontName) m_titleRenderer->setFontName(fontName);
}

const char* UIButton::getTitleFontName() const { return m_titleRenderer ? m_titleRenderer->getFontName() : ""; }

}  // namespace ui
