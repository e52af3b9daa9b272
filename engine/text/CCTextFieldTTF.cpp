// CCTextFieldTTF: typed text in, whole characters out, and what the label shows for it.
#include "engine/text/CCTextFieldTTF.h"

#include <cstring>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/text/CCUTF8.h"

namespace engine {

CCTextFieldTTF::CCTextFieldTTF() = default;

CCTextFieldTTF::~CCTextFieldTTF() = default;

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                         CCTextAlignment alignment, const char* fontName,
                                                         float fontSize) {
    auto* field = new CCTextFieldTTF();
    return autoreleasedOrNull(field,
                              field->initWithPlaceHolder(placeholder, dimensions, alignment, fontName, fontSize));
}

CCTextFieldTTF* CCTextFieldTTF::textFieldWithPlaceHolder(const char* placeholder, const char* fontName,
                                                         float fontSize) {
    auto* field = new CCTextFieldTTF();
    return autoreleasedOrNull(field, field->initWithPlaceHolder(placeholder, fontName, fontSize));
}

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                                         const char* fontName, float fontSize) {
    if (!CCLabelTTF::initWithString("", fontName, fontSize, dimensions, alignment, kCCVerticalTextAlignmentTop))
        return false;
    m_inputText.clear();
    m_charCount = 0;
    m_placeHolder = placeholder ? utf8::clean(placeholder, std::strlen(placeholder)) : std::string();
    refreshShown();
    return true;
}

bool CCTextFieldTTF::initWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize) {
    return initWithPlaceHolder(placeholder, CCSizeZero, kCCTextAlignmentLeft, fontName, fontSize);
}

// --- text ----------------------------------------------------------------------------------

void CCTextFieldTTF::setString(const char* text) {
    size_t dropped = 0;
    std::string cleaned = text ? utf8::clean(text, std::strlen(text), &dropped) : std::string();
    if (dropped) CCLog("CCTextFieldTTF: dropped %zu bytes of invalid UTF-8 from the text", dropped);
    if (cleaned == m_inputText) return;
    m_inputText.swap(cleaned);
    m_charCount = int(utf8::charCount(m_inputText));
    refreshShown();
}

void CCTextFieldTTF::setPlaceHolder(const char* placeholder) {
    std::string cleaned = placeholder ? utf8::clean(placeholder, std::strlen(placeholder)) : std::string();
    if (cleaned == m_placeHolder) return;
    m_placeHolder.swap(cleaned);
    if (m_inputText.empty()) refreshShown();
}

void CCTextFieldTTF::setSecureTextEntry(bool secure) {
    if (secure == m_secureTextEntry) return;
    m_secureTextEntry = secure;
    refreshShown();
}

void CCTextFieldTTF::setSecureTextMask(const char* mask) {
    std::string cleaned = mask ? utf8::clean(mask, std::strlen(mask)) : std::string();
    if (cleaned.empty()) {
        CCLog("CCTextFieldTTF: an empty or invalid mask is refused");
        return;
    }
    if (cleaned == m_secureMask) return;
    m_secureMask.swap(cleaned);
    if (m_secureTextEntry) refreshShown();
}

void CCTextFieldTTF::refreshShown() {
    if (m_inputText.empty()) {
        CCLabelTTF::setString(m_placeHolder.c_str());
    } else if (m_secureTextEntry) {
        std::string masks;
        masks.reserve(m_secureMask.size() * size_t(m_charCount));
        for (int i = 0; i < m_charCount; ++i) masks += m_secureMask;
        CCLabelTTF::setString(masks.c_str());
    } else {
        CCLabelTTF::setString(m_inputText.c_str());
    }
}

// --- input method --------------------------------------------------------------------------

bool CCTextFieldTTF::attachWithIME() { return CCIMEDelegate::attachWithIME(); }

bool CCTextFieldTTF::detachWithIME() { return CCIMEDelegate::detachWithIME(); }

bool CCTextFieldTTF::canAttachWithIME() { return !(m_delegate && m_delegate->onTextFieldAttachWithIME(this)); }

bool CCTextFieldTTF::canDetachWithIME() { return !(m_delegate && m_delegate->onTextFieldDetachWithIME(this)); }

void CCTextFieldTTF::insertText(const char* text, int len) {
    if (!text || len <= 0) return;
    size_t dropped = 0;
    std::string cleaned = utf8::clean(text, strnlen(text, size_t(len)), &dropped);
    if (dropped) CCLog("CCTextFieldTTF: dropped %zu bytes of invalid UTF-8 from typed text", dropped);

    size_t newline = cleaned.find('\n');
    std::string part = cleaned.substr(0, newline);
    if (!part.empty() && !(m_delegate && m_delegate->onTextFieldInsertText(this, part.c_str(), int(part.size())))) {
        m_inputText += part;
        m_charCount += int(utf8::charCount(part));
        refreshShown();
    }
    if (newline == std::string::npos) return;
    // Enter finishes the input unless the delegate takes it for itself.
    if (m_delegate && m_delegate->onTextFieldInsertText(this, "\n", 1)) return;
    detachWithIME();
}

void CCTextFieldTTF::deleteBackward() {
    if (m_inputText.empty()) return;
    size_t n = utf8::lastCharLength(m_inputText);
    std::string deleted = m_inputText.substr(m_inputText.size() - n);
    if (m_delegate && m_delegate->onTextFieldDeleteBackward(this, deleted.c_str(), int(n))) return;
    m_inputText.erase(m_inputText.size() - n);
    --m_charCount;
    refreshShown();
}

// --- drawing -------------------------------------------------------------------------------

void CCTextFieldTTF::draw() {
    if (m_delegate && m_delegate->onDraw(this)) return;
    if (!m_inputText.empty()) {
        CCLabelTTF::draw();
        return;
    }
    // The placeholder keeps its own colour whatever the text's colour is.
    ccColor3B textColor = m_displayedColor;
    m_displayedColor = m_colorSpaceHolder;
    CCLabelTTF::draw();
    m_displayedColor = textColor;
}

}  // namespace engine
