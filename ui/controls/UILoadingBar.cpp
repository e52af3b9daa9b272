// UILoadingBar: image loading, direction, the percentage cut, nine-slice switching and the size adaptation.
#include "ui/controls/UILoadingBar.h"

#include "engine/base/CCCreate.h"
#include "engine/sprites/CCSprite.h"
#include "ui/nodes/CCScale9Sprite.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UILoadingBar::~UILoadingBar() = default;

UILoadingBar* UILoadingBar::create() {
    UILoadingBar* bar = new UILoadingBar();
    return autoreleasedOrNull(bar, bar->init());
}

bool UILoadingBar::init() { return UIWidget::init(); }

void UILoadingBar::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_barRenderer = CCSprite::create();
    m_renderer->addChild(m_barRenderer);
    m_barRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
}

void UILoadingBar::placeBar() {
    if (!m_barRenderer) return;
    if (m_direction != 0 && m_direction != 1) return;
    const bool fromRight = m_direction == 1;
    m_barRenderer->setAnchorPoint(fromRight ? CCPoint(1.0f, 0.5f) : CCPoint(0.0f, 0.5f));
    m_barRenderer->setPosition(CCPoint(m_totalLength * (fromRight ? 0.5f : -0.5f), 0.0f));
    if (!m_scale9Enabled)
        if (CCSprite* sprite = dynamic_cast<CCSprite*>(m_barRenderer)) sprite->setFlipX(fromRight);
}

void UILoadingBar::setDirection(int direction) {
    if (direction == m_direction) return;
    m_direction = direction;
    placeBar();
}

void UILoadingBar::loadTexture(const char* name, TextureResType type) {
    if (!name || !*name || !m_barRenderer) return;
    // name may be our own stored string (a reload): copy it before storing.
    const std::string file = name;
    m_barTexType = type;
    m_textureFile = file;
    nodes::reload(m_barRenderer, file, type);
    nodes::tint(m_barRenderer, getColor(), getOpacity());
    m_barTextureSize = m_barRenderer->getContentSize();
    placeBar();
    adaptBar();
    if (!m_scale9Enabled) showPercent();
}

void UILoadingBar::setScale9Enable(bool able) {
    if (able == m_scale9Enabled || !m_renderer) return;
    if (m_barRenderer) m_renderer->removeChild(m_barRenderer, true);
    m_scale9Enabled = able;
    m_barRenderer = nodes::makeImageNode(able);
    loadTexture(m_textureFile.c_str(), m_barTexType);
    m_renderer->addChild(m_barRenderer);
    placeBar();
    switchIgnoreSizeForNineSlice(able);
    setCapInsets(m_capInsets);
}

void UILoadingBar::setCapInsets(const CCRect& capInsets) {
    m_capInsets = capInsets;
    nodes::setCapInsets(m_barRenderer, m_scale9Enabled, capInsets);
}

void UILoadingBar::setPercent(int percent) {
    if (percent < 0 || percent > 100) return;
    if (m_totalLength <= 0) return;
    m_percent = percent;
    showPercent();
}

void UILoadingBar::showPercent() {
    if (!m_barRenderer) return;
    nodes::showBarShare(m_barRenderer, m_scale9Enabled, m_percent / 100.0f, m_totalLength, m_barTextureSize,
                        m_barTexType);
}

void UILoadingBar::setIgnoreSize(bool ignore) {
    setIgnoreSizeBesideNineSlice(m_scale9Enabled, ignore);
}

CCNode* UILoadingBar::getRendererNode() { return m_barRenderer; }

const CCSize& UILoadingBar::getContentSize() { return m_barTextureSize; }

const char* UILoadingBar::getTypeName() { return "LoadingBar"; }

void UILoadingBar::onSizeChanged() { adaptBar(); }

void UILoadingBar::adaptBar() {
    if (!m_barRenderer) return;
    if (!m_ignoreSize) {
        m_totalLength = m_size.width;
        if (m_scale9Enabled) {
            showPercent();
        } else {
            // The whole image's size: the sprite's own size is only the part now shown.
            if (!nodes::hasArea(m_barTextureSize)) {
                m_barRenderer->setScale(1.0f);
                return;
            }
            nodes::stretch(m_barRenderer, m_size, m_barTextureSize);
        }
    } else if (!m_scale9Enabled) {
        m_totalLength = m_barTextureSize.width;
        m_barRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_barTextureSize);
    }
    placeBar();
}

}  // namespace ui
