// CCMenuItemLabel and CCMenuItemFont: the label's looks per state and the menu font defaults.
#include "engine/menu/CCMenuItemLabel.h"

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/text/CCFontResolver.h"
#include "engine/text/CCLabelProtocol.h"
#include "engine/text/CCLabelTTF.h"

namespace engine {

namespace {

unsigned int g_fontSize = 32;
std::string& defaultFontName() {
    static std::string name = "Marker Felt";
    return name;
}

}  // namespace

// --- CCMenuItemLabel -----------------------------------------------------------------------

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItemLabel();
    return autoreleasedOrNull(item, item->initWithLabel(label, target, selector));
}

CCMenuItemLabel* CCMenuItemLabel::create(CCNode* label) { return create(label, nullptr, nullptr); }

bool CCMenuItemLabel::initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector) {
    if (!initWithTarget(target, selector)) return false;
    m_fOriginalScale = 1.f;
    m_tColorBackup = ccWHITE;
    m_tDisabledColor = ccc3(126, 126, 126);
    // The item's colour tints the label (a menu sets its entries' colour on the items).
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    if (!label) CCLog("CCMenuItemLabel: no label given; the item is empty");
    setLabel(label);
    return true;
}

void CCMenuItemLabel::setLabel(CCNode* label) {
    if (label == m_pLabel) return;
    if (label && label->getParent()) {
        CCLog("CCMenuItemLabel: a label that already has a parent cannot be used");
        return;
    }
    if (label) {
        addChild(label);
        label->setAnchorPoint(CCPoint(0, 0));
        label->setPosition(CCPointZero);
    }
    if (m_pLabel) removeChild(m_pLabel, true);
    m_pLabel = label;
    setContentSize(label ? label->getContentSize() : CCSizeZero);
}

void CCMenuItemLabel::setString(const char* text) {
    auto* label = dynamic_cast<CCLabelProtocol*>(m_pLabel);
    if (!label) {
        CCLog("CCMenuItemLabel: setString on an item without a label");
        return;
    }
    label->setString(text);
    setContentSize(m_pLabel->getContentSize());
}

void CCMenuItemLabel::setDisabledColor(const ccColor3B& color) {
    if (color == m_tDisabledColor) return;
    m_tDisabledColor = color;
    if (!m_bEnabled)
        if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(m_pLabel)) rgba->setColor(color);
}

void CCMenuItemLabel::activate() {
    if (!m_bEnabled) return;
    // The pressed look ends before the handler runs (it may take a picture of the screen or
    // move this item).
    if (m_bSelected) unselected();
    CCMenuItem::activate();
}

void CCMenuItemLabel::selected() {
    if (!m_bEnabled || m_bSelected) return;
    CCMenuItem::selected();
    m_fOriginalScale = getScale();
    setScale(m_fOriginalScale * kZoomFactor);
}

void CCMenuItemLabel::unselected() {
    if (!m_bSelected) return;
    CCMenuItem::unselected();
    setScale(m_fOriginalScale);
}

void CCMenuItemLabel::setEnabled(bool enabled) {
    if (enabled == m_bEnabled) return;
    if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(m_pLabel)) {
        if (!enabled) {
            m_tColorBackup = rgba->getColor();
            rgba->setColor(m_tDisabledColor);
        } else {
            rgba->setColor(m_tColorBackup);
        }
    }
    CCMenuItem::setEnabled(enabled);
}

// --- CCMenuItemFont ------------------------------------------------------------------------

void CCMenuItemFont::setFontSize(unsigned int size) {
    if (size == 0 || size > unsigned(CCFontResolver::kMaxFontSize)) {
        CCLog("CCMenuItemFont: default font size %u refused; keeping %u", size, g_fontSize);
        return;
    }
    g_fontSize = size;
}

unsigned int CCMenuItemFont::fontSize() { return g_fontSize; }

void CCMenuItemFont::setFontName(const char* name) {
    if (!name || !*name) {
        CCLog("CCMenuItemFont: empty default font name refused");
        return;
    }
    defaultFontName() = name;
}

const char* CCMenuItemFont::fontName() { return defaultFontName().c_str(); }

CCMenuItemFont* CCMenuItemFont::create(const char* value) { return create(value, nullptr, nullptr); }

CCMenuItemFont* CCMenuItemFont::create(const char* value, CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItemFont();
    return autoreleasedOrNull(item, item->initWithString(value, target, selector));
}

bool CCMenuItemFont::initWithString(const char* value, CCObject* target, SEL_MenuHandler selector) {
    if (!value) CCLog("CCMenuItemFont: no text given; the item shows nothing");
    m_strFontName = defaultFontName();
    m_uFontSize = g_fontSize;
    CCLabelTTF* label = CCLabelTTF::create(value ? value : "", m_strFontName.c_str(), float(m_uFontSize));
    return initWithLabel(label, target, selector);
}

void CCMenuItemFont::applyFont() {
    auto* old = dynamic_cast<CCLabelTTF*>(m_pLabel);
    if (!old) return;
    old->setFontName(m_strFontName.c_str());
    old->setFontSize(float(m_uFontSize));
    setContentSize(old->getContentSize());
}

void CCMenuItemFont::setFontSizeObj(unsigned int size) {
    if (size == 0 || size > unsigned(CCFontResolver::kMaxFontSize)) {
        CCLog("CCMenuItemFont: font size %u refused", size);
        return;
    }
    if (size == m_uFontSize) return;
    m_uFontSize = size;
    applyFont();
}

void CCMenuItemFont::setFontNameObj(const char* name) {
    if (!name || !*name) {
        CCLog("CCMenuItemFont: empty font name refused");
        return;
    }
    if (m_strFontName == name) return;
    m_strFontName = name;
    applyFont();
}

}  // namespace engine
