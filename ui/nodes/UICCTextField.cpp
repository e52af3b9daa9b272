// UICCTextField: the delegate answers, the length cut on character boundaries, and the password mask.
#include "ui/nodes/UICCTextField.h"

#include <cstring>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/text/CCUTF8.h"

namespace ui {

using namespace engine;

UICCTextField::~UICCTextField() {
    // The engine field must not call back into a half-destroyed delegate.
    setDelegate(nullptr);
}

UICCTextField* UICCTextField::create(const char* placeholder, const char* fontName, float fontSize) {
    UICCTextField* field = new UICCTextField();
    const bool initialised = field->initWithPlaceHolder(placeholder, fontName, fontSize);
    if (initialised) field->setDelegate(field);
    return autoreleasedOrNull(field, initialised);
}

// --- delegate ----------------------------------------------------------------------------

bool UICCTextField::onTextFieldAttachWithIME(CCTextFieldTTF*) {
    m_attachPending = true;
    return false;
}

bool UICCTextField::onTextFieldDetachWithIME(CCTextFieldTTF*) {
    m_detachPending = true;
    return false;
}

bool UICCTextField::onTextFieldInsertText(CCTextFieldTTF*, const char* text, int len) {
    if (len == 1 && text && text[0] == '\n') return false;
    m_insertPending = true;
    return m_maxLengthEnabled && getCharCount() >= m_maxLength;
}

bool UICCTextField::onTextFieldDeleteBackward(CCTextFieldTTF*, const char*, int) {
    m_deletePending = true;
    return false;
}

// --- text --------------------------------------------------------------------------------

void UICCTextField::insertText(const char* text, int len) {
    if (!text || len <= 0) return;
    size_t dropped = 0;
    std::string input = utf8::clean(text, strnlen(text, size_t(len)), &dropped);
    if (dropped) CCLog("UICCTextField: dropped %zu bytes of invalid UTF-8 from typed text", dropped);
    if (input.empty()) return;
    if (m_maxLengthEnabled) {
        // Only the text before Enter is stored; Enter itself still finishes the input.
        const size_t newline = input.find('\n');
        std::string part = input.substr(0, newline);
        const long room = long(m_maxLength) - long(getCharCount());
        if (room > 0) part.resize(utf8::bytesForChars(part, size_t(room)));
        input = newline == std::string::npos ? part : part + "\n";
    }
    CCTextFieldTTF::insertText(input.c_str(), int(input.size()));
    refreshMasked();
}

void UICCTextField::deleteBackward() {
    CCTextFieldTTF::deleteBackward();
    refreshMasked();
}

void UICCTextField::setString(const char* text) {
    CCTextFieldTTF::setString(text);
    refreshMasked();
}

void UICCTextField::refreshMasked() {
    if (!m_passwordEnabled || getCharCount() <= 0) {
        refreshShown();
        return;
    }
    const size_t bytes = std::strlen(getString());
    std::string masks;
    masks.reserve(bytes * m_passwordStyleText.size());
    for (size_t i = 0; i < bytes; ++i) masks += m_passwordStyleText;
    CCLabelTTF::setString(masks.c_str());
}

// --- password ----------------------------------------------------------------------------

void UICCTextField::setPasswordEnabled(bool enabled) {
    if (enabled == m_passwordEnabled) return;
    m_passwordEnabled = enabled;
    refreshMasked();
}

bool UICCTextField::isUsableMask(const char* styleText) {
    if (!styleText) return false;
    const size_t n = std::strlen(styleText);
    if (n == 1) {
        const unsigned char c = static_cast<unsigned char>(styleText[0]);
        return c > 32 && c < 127;
    }
    if (n < 2 || n > 4) return false;
    size_t dropped = 0;
    std::string clean = utf8::clean(styleText, n, &dropped);
    if (dropped || utf8::charCount(clean) != 1) return false;
    const std::vector<uint32_t> code = utf8::decode(clean);
    // Multi-byte control characters (U+0080..U+009F) would show nothing useful.
    return code.size() == 1 && code[0] >= 0xA0;
}

void UICCTextField::setPasswordStyleText(const char* styleText) {
    if (!isUsableMask(styleText)) return;
    if (m_passwordStyleText == styleText) return;
    m_passwordStyleText = styleText;
    if (m_passwordEnabled) refreshMasked();
}

void UICCTextField::closeIME() { detachWithIME(); }

}  // namespace ui
