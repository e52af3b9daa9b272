// The bitmap-font text widget: a string in a font described by a .fnt file, sized by the text or stretched to the widget.
//
//   - Texts given before a font file are ignored (the layout reader sets the font first).
//   - A font file the engine cannot use still counts as set: later texts are stored in the
//     engine label, which shows nothing without a font.
#pragma once

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace engine {
class CCLabelBMFont;
}

namespace ui {

class UILabelBMFont : public UIWidget {
public:
    UILabelBMFont() = default;
    ~UILabelBMFont() override;

    static UILabelBMFont* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Also on the engine label.
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    // The engine label.
    engine::CCNode* getRendererNode() override;
    // The engine label's box.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderer() override;

    // --- new ---------------------------------------------------------------------------------
    // Null or empty names are ignored. Clears the text.
    void setFontFile(const char* file);
    // Only once a font file has been set; null is ignored.
    void setText(const char* text);
    const char* getStringValue() const;
    bool isFontFileSet() const { return m_fontFileSet; }

    engine::CCLabelBMFont* getFontRenderer() const { return m_fontRenderer; }

private:
    void adaptLabel();

    engine::CCLabelBMFont* m_fontRenderer = nullptr;  // owned by the renderer
    bool m_fontFileSet = false;
};

}  // namespace ui
