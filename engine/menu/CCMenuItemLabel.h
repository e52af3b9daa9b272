// Menu items shown by a label: any label node (CCMenuItemLabel), or a TrueType label made
// from a string with the process-wide menu font settings (CCMenuItemFont).
//
// Looks: selected = the item grows to 1.2 times its scale; disabled = the label turns grey
// (the item's colour still tints it); enabling again restores the label's colour.
#pragma once

#include <string>

#include "engine/menu/CCMenuItem.h"

namespace engine {

class CCMenuItemLabel : public CCMenuItem {
public:
    CCMenuItemLabel() = default;
    ~CCMenuItemLabel() override = default;

    // A null label gives an item of size 0 x 0 (with a log line).
    static CCMenuItemLabel* create(CCNode* label, CCObject* target, SEL_MenuHandler selector);
    static CCMenuItemLabel* create(CCNode* label);
    bool initWithLabel(CCNode* label, CCObject* target, SEL_MenuHandler selector);

    // The label becomes a child placed at the item's bottom-left corner; the item takes its size.
    void setLabel(CCNode* label);
    CCNode* getLabel() const { return m_pLabel; }
    // Sets the label's string (when it is a label) and takes its new size.
    void setString(const char* text);

    void setDisabledColor(const ccColor3B& color);
    const ccColor3B& getDisabledColor() const { return m_tDisabledColor; }

    void activate() override;
    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

    static constexpr float kZoomFactor = 1.2f;

protected:
    CCNode* m_pLabel = nullptr;  // a child of this item
    ccColor3B m_tDisabledColor = {126, 126, 126};
    ccColor3B m_tColorBackup = ccWHITE;
    float m_fOriginalScale = 1.f;
};

class CCMenuItemFont : public CCMenuItemLabel {
public:
    CCMenuItemFont() = default;

    // Defaults for items made after the call: 32 and "Marker Felt" (resolved like any font
    // name). Sizes that are not positive are refused with a log line.
    static void setFontSize(unsigned int size);
    static unsigned int fontSize();
    static void setFontName(const char* name);
    static const char* fontName();

    static CCMenuItemFont* create(const char* value);
    static CCMenuItemFont* create(const char* value, CCObject* target, SEL_MenuHandler selector);
    bool initWithString(const char* value, CCObject* target, SEL_MenuHandler selector);

    // This item's own font, applied at once.
    void setFontSizeObj(unsigned int size);
    unsigned int fontSizeObj() const { return m_uFontSize; }
    void setFontNameObj(const char* name);
    const char* fontNameObj() const { return m_strFontName.c_str(); }

private:
    void applyFont();

    unsigned int m_uFontSize = 32;
    std::string m_strFontName;
};

}  // namespace engine
