// The engine text field inside the text-field widget: its own delegate, with a length limit, a password mask and events kept for the next frame.
//
//   - The length limit counts characters. An insertion is cut to the characters that still
//     fit after the current text, on a character boundary (never inside a multi-byte one);
//     when nothing fits it is passed on whole and the delegate refuses it.
//   - Typed or inserted bytes that are not valid UTF-8 are dropped before the cut, so no half
//     character is ever stored.
//   - The mask is one character: one printable ASCII byte (33..126), or one whole multi-byte
//     UTF-8 character that is not a control character (for example the two bytes of "\xC2\xB7").
//     Anything else ("##", a control character, invalid UTF-8, null) leaves the mask as it was.
//   - The mask is shown once per byte of the text, so a two-byte character shows two masks.
//   - The mask is also shown after setString and after password mode or the mask changes,
//     so a text set by code is never shown in the clear.
#pragma once

#include <string>

#include "engine/text/CCTextFieldTTF.h"

namespace ui {

class UICCTextField : public engine::CCTextFieldTTF, public engine::CCTextFieldDelegate {
public:
    UICCTextField() = default;
    ~UICCTextField() override;

    // An empty field showing the placeholder; autoreleased, or null when it cannot be made.
    static UICCTextField* create(const char* placeholder, const char* fontName, float fontSize);

    // --- the engine field's operations it overrides ------------------------------------------
    void setString(const char* text) override;
    void insertText(const char* text, int len) override;
    void deleteBackward() override;

    // --- delegate answers (true refuses) -----------------------------------------------------
    bool onTextFieldAttachWithIME(engine::CCTextFieldTTF* sender) override;
    bool onTextFieldDetachWithIME(engine::CCTextFieldTTF* sender) override;
    bool onTextFieldInsertText(engine::CCTextFieldTTF* sender, const char* text, int len) override;
    bool onTextFieldDeleteBackward(engine::CCTextFieldTTF* sender, const char* delText, int len) override;

    // --- length limit and password ----------------------------------------------------------
    void setMaxLengthEnabled(bool enabled) { m_maxLengthEnabled = enabled; }
    bool isMaxLengthEnabled() const { return m_maxLengthEnabled; }
    void setMaxLength(int length) { m_maxLength = length; }
    int getMaxLength() const { return m_maxLength; }
    void setPasswordEnabled(bool enabled);
    bool isPasswordEnabled() const { return m_passwordEnabled; }
    void setPasswordStyleText(const char* styleText);
    const char* getPasswordStyleText() const { return m_passwordStyleText.c_str(); }

    // Detaches from the input method (closes the platform's text input).
    void closeIME();

    // --- events since the last frame --------------------------------------------------------
    bool getAttachWithIME() const { return m_attachPending; }
    void setAttachWithIME(bool pending) { m_attachPending = pending; }
    bool getDetachWithIME() const { return m_detachPending; }
    void setDetachWithIME(bool pending) { m_detachPending = pending; }
    bool getInsertText() const { return m_insertPending; }
    void setInsertText(bool pending) { m_insertPending = pending; }
    bool getDeleteBackward() const { return m_deletePending; }
    void setDeleteBackward(bool pending) { m_deletePending = pending; }

    // True for a mask this field accepts (see the decisions above).
    static bool isUsableMask(const char* styleText);

private:
    // The placeholder, the masks or the text, for the current state.
    void refreshMasked();

    bool m_maxLengthEnabled = false;
    int m_maxLength = 0;
    bool m_passwordEnabled = false;
    std::string m_passwordStyleText = "*";
    bool m_attachPending = false;
    bool m_detachPending = false;
    bool m_insertPending = false;
    bool m_deletePending = false;
};

}  // namespace ui
