// A text-input label: receives typed UTF-8 text from the input method, shows a placeholder
// while empty, and can mask its text for passwords.
//
// Input rules:
//   - insertText takes UTF-8; bytes that do not form whole characters are dropped, so the
//     text never holds half a character.
//   - "\n" (Enter) is never inserted: the text before it is inserted, then the delegate is
//     asked about "\n" and, unless it refuses, input finishes (the field detaches).
//   - deleteBackward removes the last whole character (all bytes of a multi-byte one).
//   - The delegate may refuse attaching, detaching, an insertion or a deletion by returning
//     true, and may take over drawing (onDraw returning true: the field draws nothing).
#pragma once

#include <string>

#include "engine/text/CCIMEDispatcher.h"
#include "engine/text/CCLabelTTF.h"

namespace engine {

class CCTextFieldTTF;

class CCTextFieldDelegate {
public:
    virtual ~CCTextFieldDelegate() = default;
    // Each returns true to refuse what is about to happen.
    virtual bool onTextFieldAttachWithIME(CCTextFieldTTF* /*sender*/) { return false; }
    virtual bool onTextFieldDetachWithIME(CCTextFieldTTF* /*sender*/) { return false; }
    virtual bool onTextFieldInsertText(CCTextFieldTTF* /*sender*/, const char* /*text*/, int /*nLen*/) { return false; }
    virtual bool onTextFieldDeleteBackward(CCTextFieldTTF* /*sender*/, const char* /*delText*/, int /*nLen*/) {
        return false;
    }
    // True: the delegate drew the field itself.
    virtual bool onDraw(CCTextFieldTTF* /*sender*/) { return false; }
};

class CCTextFieldTTF : public CCLabelTTF, public CCIMEDelegate {
public:
    CCTextFieldTTF();
    ~CCTextFieldTTF() override;

    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const CCSize& dimensions,
                                                    CCTextAlignment alignment, const char* fontName, float fontSize);
    static CCTextFieldTTF* textFieldWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize);
    bool initWithPlaceHolder(const char* placeholder, const CCSize& dimensions, CCTextAlignment alignment,
                             const char* fontName, float fontSize);
    bool initWithPlaceHolder(const char* placeholder, const char* fontName, float fontSize);

    // Not owned; the delegate must outlive the field or be unset first.
    void setDelegate(CCTextFieldDelegate* delegate) { m_delegate = delegate; }
    CCTextFieldDelegate* getDelegate() const { return m_delegate; }

    // The entered text (not what is shown); setString does not ask the delegate.
    void setString(const char* text) override;
    const char* getString() const override { return m_inputText.c_str(); }
    // Characters (not bytes) of the entered text.
    int getCharCount() const { return m_charCount; }

    void setPlaceHolder(const char* placeholder);
    const char* getPlaceHolder() const { return m_placeHolder.c_str(); }
    // The placeholder's colour (grey by default); setColor gives the text's.
    void setColorSpaceHolder(const ccColor3B& color) { m_colorSpaceHolder = color; }
    const ccColor3B& getColorSpaceHolder() const { return m_colorSpaceHolder; }

    // Shows one mask per character instead of the text.
    void setSecureTextEntry(bool secure);
    bool isSecureTextEntry() const { return m_secureTextEntry; }
    void setSecureTextMask(const char* mask);
    const char* getSecureTextMask() const { return m_secureMask.c_str(); }

    // The text shown right now: the placeholder, the masks or the text.
    const char* getShownString() const { return CCLabelTTF::getString(); }

    // Attaching opens the platform's text input; both go through the delegate.
    bool attachWithIME() override;
    bool detachWithIME() override;

    // The input method's calls, public so subclasses and tests can drive them directly.
    void insertText(const char* text, int len) override;
    void deleteBackward() override;
    const char* getContentText() override { return m_inputText.c_str(); }

    void draw() override;

protected:
    bool canAttachWithIME() override;
    bool canDetachWithIME() override;
    // Shows the placeholder, the masks or the text for the current input.
    void refreshShown();

    CCTextFieldDelegate* m_delegate = nullptr;
    std::string m_inputText;
    std::string m_placeHolder;
    int m_charCount = 0;
    ccColor3B m_colorSpaceHolder = {127, 127, 127};
    bool m_secureTextEntry = false;
    std::string m_secureMask = "\xE2\x80\xA2";  // U+2022 BULLET
};

}  // namespace engine
