// UISlider: bar, progress and ball images, the percentage from touches and drags, nine-slice switching and sizing.
#include "ui/controls/UISlider.h"

#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/sprites/CCSprite.h"
#include "ui/nodes/CCScale9Sprite.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

namespace {
const int kBarZ = -1;
}

UISlider::~UISlider() = default;

UISlider* UISlider::create() {
    UISlider* slider = new UISlider();
    return autoreleasedOrNull(slider, slider->init());
}

void UISlider::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_barRenderer = CCSprite::create();
    m_progressBarRenderer = CCSprite::create();
    m_progressBarRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    m_renderer->addChild(m_barRenderer, kBarZ);
    m_renderer->addChild(m_progressBarRenderer, kBarZ);
    m_ballNormalSprite = CCSprite::create();
    m_ballPressedSprite = CCSprite::create();
    m_ballDisabledSprite = CCSprite::create();
    m_ballPressedSprite->setVisible(false);
    m_ballDisabledSprite->setVisible(false);
    m_ballNode = CCNode::create();
    m_ballNode->addChild(m_ballNormalSprite);
    m_ballNode->addChild(m_ballPressedSprite);
    m_ballNode->addChild(m_ballDisabledSprite);
    m_renderer->addChild(m_ballNode);
}

// --- images ----------------------------------------------------------------------------

void UISlider::loadBarTexture(const char* name, TextureResType type) {
    if (!name || !*name || !m_barRenderer) return;
    // name may be our own stored string (a reload): copy it before storing.
    const std::string file = name;
    m_barTextureFile = file;
    m_barTexType = type;
    nodes::reload(m_barRenderer, file, type);
    nodes::tint(m_barRenderer, getColor(), getOpacity());
    adaptBar();
}

void UISlider::loadProgressBarTexture(const char* name, TextureResType type) {
    if (!name || !*name || !m_progressBarRenderer) return;
    const std::string file = name;
    m_progressBarTextureFile = file;
    m_progressBarTexType = type;
    nodes::reload(m_progressBarRenderer, file, type);
    nodes::tint(m_progressBarRenderer, getColor(), getOpacity());
    m_progressBarRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    m_progressBarTextureSize = m_progressBarRenderer->getContentSize();
    adaptProgress();
}

void UISlider::loadBallTexture(CCSprite* ball, std::string& file, TextureResType& fileType, const char* name,
                               TextureResType type) {
    if (!name || !*name || !ball) return;
    file = name;
    fileType = type;
    nodes::reload(ball, file, type);
    nodes::tint(ball, getColor(), getOpacity());
}

void UISlider::loadBallNormalTexture(const char* name, TextureResType type) {
    loadBallTexture(m_ballNormalSprite, m_ballNormalTextureFile, m_ballNormalTexType, name, type);
}

void UISlider::loadBallPressedTexture(const char* name, TextureResType type) {
    loadBallTexture(m_ballPressedSprite, m_ballPressedTextureFile, m_ballPressedTexType, name, type);
}

void UISlider::loadBallDisabledTexture(const char* name, TextureResType type) {
    loadBallTexture(m_ballDisabledSprite, m_ballDisabledTextureFile, m_ballDisabledTexType, name, type);
}

// --- nine-slice ------------------------------------------------------------------------

void UISlider::setScale9Enable(bool able) {
    if (able == m_scale9Enabled || !m_renderer) return;
    if (m_barRenderer) m_renderer->removeChild(m_barRenderer, true);
    if (m_progressBarRenderer) m_renderer->removeChild(m_progressBarRenderer, true);
    m_scale9Enabled = able;
    m_barRenderer = nodes::makeImageNode(able);
    m_progressBarRenderer = nodes::makeImageNode(able);
    m_progressBarRenderer->setAnchorPoint(CCPoint(0.0f, 0.5f));
    loadBarTexture(m_barTextureFile.c_str(), m_barTexType);
    loadProgressBarTexture(m_progressBarTextureFile.c_str(), m_progressBarTexType);
    m_renderer->addChild(m_barRenderer, kBarZ);
    m_renderer->addChild(m_progressBarRenderer, kBarZ);
    switchIgnoreSizeForNineSlice(able);
    setBarCapInsets(m_barCapInsets);
    setProgressBarCapInsets(m_progressBarCapInsets);
}

void UISlider::setBarCapInsets(const CCRect& capInsets) {
    m_barCapInsets = capInsets;
    nodes::setCapInsets(m_barRenderer, m_scale9Enabled, capInsets);
}

void UISlider::setProgressBarCapInsets(const CCRect& capInsets) {
    m_progressBarCapInsets = capInsets;
    nodes::setCapInsets(m_progressBarRenderer, m_scale9Enabled, capInsets);
}

// --- percentage ------------------------------------------------------------------------

void UISlider::setPercent(int percent) {
    m_percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    const float r = m_percent / 100.0f;
    if (m_ballNode) m_ballNode->setPosition(CCPoint(m_barLength * r - m_barLength * 0.5f, 0.0f));
    nodes::showBarShare(m_progressBarRenderer, m_scale9Enabled, r, m_barLength, m_progressBarTextureSize,
                        m_progressBarTexType);
}

bool UISlider::percentAt(const CCPoint& worldPoint, int& percent, float& nodeX) {
    if (!m_renderer || !(m_barLength > 0) || !std::isfinite(m_barLength)) return false;
    const CCPoint q = m_renderer->convertToNodeSpace(worldPoint);
    if (!std::isfinite(q.x)) return false;
    // Multiplying before dividing keeps whole percentages whole (x = 30 on 200 is 65, not 64).
    double p = (double(q.x) + double(m_barLength) * 0.5) * 100.0 / double(m_barLength);
    if (p < -1.0) p = -1.0;
    if (p > 101.0) p = 101.0;
    percent = static_cast<int>(p);
    nodeX = q.x;
    return true;
}

void UISlider::notifyPercentChanged() {
    if (m_percentListener && m_percentSelector) (m_percentListener->*m_percentSelector)(this);
    if (m_eventListener && m_eventSelector) (m_eventListener->*m_eventSelector)(this, SLIDER_EVENT_PERCENT_CHANGED);
}

void UISlider::setEventListener(CCObject* target, SEL_SliderEvent selector) {
    m_eventListener = target;
    m_eventSelector = selector;
}

void UISlider::setPercentListener(CCObject* target, SEL_WidgetEvent selector) {
    m_percentListener = target;
    m_percentSelector = selector;
}

// --- touches ---------------------------------------------------------------------------

bool UISlider::onTouchBegan(const CCPoint& touchPoint) {
    retain();  // a listener may drop the last outside reference
    const bool result = UIWidget::onTouchBegan(touchPoint);
    int percent = 0;
    float x = 0;
    if (percentAt(touchPoint, percent, x)) {
        setPercent(percent);
        notifyPercentChanged();
    }
    release();
    return result;
}

void UISlider::onTouchMoved(const CCPoint& touchPoint) {
    retain();
    int percent = 0;
    float x = 0;
    if (percentAt(touchPoint, percent, x)) {
        if (m_ballNode) m_ballNode->setPosition(CCPoint(x, 0.0f));
        setPercent(percent);
        notifyPercentChanged();
    }
    release();
}

void UISlider::onTouchEnded(const CCPoint& touchPoint) { UIWidget::onTouchEnded(touchPoint); }

// --- sizes -----------------------------------------------------------------------------

void UISlider::setIgnoreSize(bool ignore) {
    setIgnoreSizeBesideNineSlice(m_scale9Enabled, ignore);
}

CCNode* UISlider::getRendererNode() { return m_barRenderer; }

const CCSize& UISlider::getContentSize() {
    static const CCSize kNone;
    return m_barRenderer ? m_barRenderer->getContentSize() : kNone;
}

const char* UISlider::getTypeName() { return "Slider"; }

void UISlider::onSizeChanged() {
    adaptBar();
    adaptProgress();
}

void UISlider::adaptBar() {
    if (!m_barRenderer) return;
    if (m_ignoreSize) {
        m_barRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_barRenderer->getContentSize());
        m_barLength = m_size.width;
        setPercent(m_percent);
        return;
    }
    m_barLength = m_size.width;
    if (m_scale9Enabled) {
        if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_barRenderer)) nine->setPreferredSize(m_size);
        setPercent(m_percent);
        return;
    }
    const CCSize natural = m_barRenderer->getContentSize();
    if (!nodes::hasArea(natural)) {
        m_barRenderer->setScale(1.0f);
        return;
    }
    nodes::stretch(m_barRenderer, m_size, natural);
    setPercent(m_percent);
}

void UISlider::adaptProgress() {
    if (!m_progressBarRenderer) return;
    if (m_ignoreSize) {
        if (!m_scale9Enabled) nodes::stretch(m_progressBarRenderer, m_size, m_progressBarTextureSize);
    } else if (m_scale9Enabled) {
        if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_progressBarRenderer))
            nine->setPreferredSize(m_size);
    } else {
        if (!nodes::hasArea(m_progressBarTextureSize)) {
            m_progressBarRenderer->setScale(1.0f);
            return;
        }
        nodes::stretch(m_progressBarRenderer, m_size, m_progressBarTextureSize);
    }
    m_progressBarRenderer->setPosition(CCPoint(m_barLength * -0.5f, 0.0f));
    setPercent(m_percent);
}

// --- looks -----------------------------------------------------------------------------

void UISlider::showNormalState() {
    if (m_ballNormalSprite) m_ballNormalSprite->setVisible(true);
    if (m_ballPressedSprite) m_ballPressedSprite->setVisible(false);
    if (m_ballDisabledSprite) m_ballDisabledSprite->setVisible(false);
}

void UISlider::showPressedState() {
    if (m_ballNormalSprite) m_ballNormalSprite->setVisible(false);
    if (m_ballPressedSprite) m_ballPressedSprite->setVisible(true);
    if (m_ballDisabledSprite) m_ballDisabledSprite->setVisible(false);
}

void UISlider::showDisabledState() {
    if (m_ballNormalSprite) m_ballNormalSprite->setVisible(false);
    if (m_ballPressedSprite) m_ballPressedSprite->setVisible(false);
    if (m_ballDisabledSprite) m_ballDisabledSprite->setVisible(true);
}

}  // namespace ui
