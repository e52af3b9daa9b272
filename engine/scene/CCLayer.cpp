// CCLayer touch registration, and the colour and gradient layers.
#include "engine/scene/CCLayer.h"

#include <algorithm>
#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/render/CCRenderer.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCTouchDispatcher.h"

namespace engine {

// --- CCLayer --------------------------------------------------------------------------

CCLayer::CCLayer() {
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCLayer::~CCLayer() = default;

CCLayer* CCLayer::create() {
    CCLayer* l = new CCLayer();
    return autoreleasedOrNull(l, l->init());
}

bool CCLayer::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

void CCLayer::registerWithTouchDispatcher() {
    CCTouchDispatcher* d = CCDirector::sharedDirector()->getTouchDispatcher();
    if (!d) return;
    if (m_eTouchMode == kCCTouchesAllAtOnce)
        d->addStandardDelegate(this, 0);
    else
        d->addTargetedDelegate(this, m_nTouchPriority, true);
    m_bRegistered = true;
}

void CCLayer::unregisterFromTouchDispatcher() {
    if (!m_bRegistered) return;
    if (CCTouchDispatcher* d = CCDirector::sharedDirector()->getTouchDispatcher()) d->removeDelegate(this);
    m_bRegistered = false;
}

void CCLayer::setTouchEnabled(bool enabled) {
    if (m_bTouchEnabled == enabled) return;
    m_bTouchEnabled = enabled;
    if (!m_bRunning) return;
    if (enabled)
        registerWithTouchDispatcher();
    else
        unregisterFromTouchDispatcher();
}

void CCLayer::setTouchMode(ccTouchesMode mode) {
    if (m_eTouchMode == mode) return;
    m_eTouchMode = mode;
    if (m_bTouchEnabled && m_bRunning) {
        unregisterFromTouchDispatcher();
        registerWithTouchDispatcher();
    }
}

void CCLayer::setTouchPriority(int priority) {
    if (m_nTouchPriority == priority) return;
    m_nTouchPriority = priority;
    if (m_bTouchEnabled && m_bRunning) {
        unregisterFromTouchDispatcher();
        registerWithTouchDispatcher();
    }
}

void CCLayer::setKeyboardEnabled(bool enabled) {
    if (m_bKeyboardEnabled == enabled) return;
    m_bKeyboardEnabled = enabled;
    if (m_bRunning) registerWithKeyboardDispatcher(enabled);
}

void CCLayer::registerWithKeyboardDispatcher(bool on) {
    CCKeyboardDispatcher* k = CCDirector::sharedDirector()->getKeyboardDispatcher();
    if (!k) return;
    if (on)
        k->addDelegate(this, 0);
    else
        k->removeDelegate(this);
}

void CCLayer::onEnter() {
    // Register before the children enter, so a child's handlers of equal priority come first.
    if (m_bTouchEnabled) registerWithTouchDispatcher();
    if (m_bKeyboardEnabled) registerWithKeyboardDispatcher(true);
    CCNode::onEnter();
}

void CCLayer::onExit() {
    if (m_bTouchEnabled) unregisterFromTouchDispatcher();
    if (m_bKeyboardEnabled) registerWithKeyboardDispatcher(false);
    CCNode::onExit();
}

void CCLayer::onEnterTransitionDidFinish() { CCNode::onEnterTransitionDidFinish(); }

// --- CCLayerColor ---------------------------------------------------------------------

CCLayerColor::CCLayerColor() {
    for (auto& c : m_cornerColors) c = ccc4(0, 0, 0, 0);
}

CCLayerColor* CCLayerColor::create() {
    CCLayerColor* l = new CCLayerColor();
    return autoreleasedOrNull(l, l->init());
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color) {
    CCLayerColor* l = new CCLayerColor();
    return autoreleasedOrNull(l, l->initWithColor(color));
}

CCLayerColor* CCLayerColor::create(const ccColor4B& color, float width, float height) {
    CCLayerColor* l = new CCLayerColor();
    return autoreleasedOrNull(l, l->initWithColor(color, width, height));
}

bool CCLayerColor::init() {
    CCSize s = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(ccc4(0, 0, 0, 0), s.width, s.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color) {
    CCSize s = CCDirector::sharedDirector()->getWinSize();
    return initWithColor(color, s.width, s.height);
}

bool CCLayerColor::initWithColor(const ccColor4B& color, float width, float height) {
    if (!CCLayer::init()) return false;
    m_displayedColor = m_realColor = ccc3(color.r, color.g, color.b);
    m_displayedOpacity = m_realOpacity = color.a;
    setContentSize(CCSize(width, height));
    updateColor();
    return true;
}

void CCLayerColor::changeWidth(float w) { setContentSize(CCSize(w, m_obContentSize.height)); }
void CCLayerColor::changeHeight(float h) { setContentSize(CCSize(m_obContentSize.width, h)); }
void CCLayerColor::changeWidthAndHeight(float w, float h) { setContentSize(CCSize(w, h)); }

void CCLayerColor::setColor(const ccColor3B& color) {
    m_displayedColor = m_realColor = color;
    updateColor();
}

void CCLayerColor::setOpacity(uint8_t opacity) {
    m_displayedOpacity = m_realOpacity = opacity;
    updateColor();
}

void CCLayerColor::updateDisplayedColor(const ccColor3B& parentColor) {
    m_displayedColor = ccc3(static_cast<uint8_t>(m_realColor.r * parentColor.r / 255),
                            static_cast<uint8_t>(m_realColor.g * parentColor.g / 255),
                            static_cast<uint8_t>(m_realColor.b * parentColor.b / 255));
    updateColor();
}

void CCLayerColor::updateDisplayedOpacity(uint8_t parentOpacity) {
    m_displayedOpacity = static_cast<uint8_t>(m_realOpacity * parentOpacity / 255);
    updateColor();
}

void CCLayerColor::updateColor() {
    for (auto& c : m_cornerColors) c = ccc4(m_displayedColor.r, m_displayedColor.g, m_displayedColor.b, m_displayedOpacity);
}

void CCLayerColor::draw() {
    CCRenderer* r = CCRenderer::current();
    if (!r) return;
    const CCAffineTransform& t = visitTransform();
    const float w = m_obContentSize.width, h = m_obContentSize.height;
    const CCPoint corners[4] = {CCPoint(0, 0), CCPoint(w, 0), CCPoint(0, h), CCPoint(w, h)};
    CCVertex v[4];
    for (int i = 0; i < 4; ++i) {
        CCPoint p = CCPointApplyAffineTransform(corners[i], t);
        v[i] = CCVertex{p.x, p.y, m_cornerColors[i], 0, 0};
    }
    const CCVertex tris[6] = {v[0], v[1], v[2], v[2], v[1], v[3]};
    r->drawTriangles(nullptr, tris, 6, BlendMode::Alpha);
}

// --- CCLayerGradient ------------------------------------------------------------------

CCLayerGradient* CCLayerGradient::create() {
    CCLayerGradient* l = new CCLayerGradient();
    return autoreleasedOrNull(l, l->init());
}

CCLayerGradient* CCLayerGradient::create(const ccColor4B& start, const ccColor4B& end) {
    return create(start, end, CCPoint(0, -1));
}

CCLayerGradient* CCLayerGradient::create(const ccColor4B& start, const ccColor4B& end, const CCPoint& v) {
    CCLayerGradient* l = new CCLayerGradient();
    return autoreleasedOrNull(l, l->initWithColor(start, end, v));
}

bool CCLayerGradient::init() { return initWithColor(ccc4(0, 0, 0, 255), ccc4(0, 0, 0, 255)); }

bool CCLayerGradient::initWithColor(const ccColor4B& start, const ccColor4B& end) {
    return initWithColor(start, end, CCPoint(0, -1));
}

bool CCLayerGradient::initWithColor(const ccColor4B& start, const ccColor4B& end, const CCPoint& v) {
    m_endColor = ccc3(end.r, end.g, end.b);
    m_startOpacity = start.a;
    m_endOpacity = end.a;
    m_alongVector = v;
    m_bCompressedInterpolation = true;
    return CCLayerColor::initWithColor(ccc4(start.r, start.g, start.b, 255));
}

void CCLayerGradient::setStartColor(const ccColor3B& color) { setColor(color); }

void CCLayerGradient::setEndColor(const ccColor3B& color) {
    m_endColor = color;
    updateColor();
}

void CCLayerGradient::setStartOpacity(uint8_t opacity) {
    m_startOpacity = opacity;
    updateColor();
}

void CCLayerGradient::setEndOpacity(uint8_t opacity) {
    m_endOpacity = opacity;
    updateColor();
}

void CCLayerGradient::setVector(const CCPoint& v) {
    m_alongVector = v;
    updateColor();
}

void CCLayerGradient::setCompressedInterpolation(bool compress) {
    m_bCompressedInterpolation = compress;
    updateColor();
}

void CCLayerGradient::updateColor() {
    float len = m_alongVector.getLength();
    if (!(len > 0) || !std::isfinite(len)) {
        CCLayerColor::updateColor();
        return;
    }
    // Each corner takes the colour of its projection on the vector, from -1 (start) to +1 (end).
    float h2 = 1 / (std::fabs(m_alongVector.x) + std::fabs(m_alongVector.y));
    CCPoint u = m_alongVector / len;
    if (m_bCompressedInterpolation) u = u * (h2 * len);
    const float opacityScale = m_displayedOpacity / 255.f;
    const ccColor4F s = {m_displayedColor.r / 255.f, m_displayedColor.g / 255.f, m_displayedColor.b / 255.f,
                         m_startOpacity * opacityScale / 255.f};
    const ccColor4F e = {m_endColor.r / 255.f, m_endColor.g / 255.f, m_endColor.b / 255.f,
                         m_endOpacity * opacityScale / 255.f};
    // Corner directions from the centre: bottom left, bottom right, top left, top right.
    const CCPoint dirs[4] = {CCPoint(-1, -1), CCPoint(1, -1), CCPoint(-1, 1), CCPoint(1, 1)};
    for (int i = 0; i < 4; ++i) {
        float along = std::max(-1.f, std::min(1.f, dirs[i].dot(u)));
        float f = (along + 1) / 2;  // 0 at the start colour, 1 at the end colour
        auto mix = [f](float a, float b) { return static_cast<uint8_t>(std::lround((a + (b - a) * f) * 255)); };
        m_cornerColors[i] = ccc4(mix(s.r, e.r), mix(s.g, e.g), mix(s.b, e.b), mix(s.a, e.a));
    }
}

}  // namespace engine
