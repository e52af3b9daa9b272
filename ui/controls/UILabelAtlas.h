// The character-map text widget: a string in fixed-size cells cut from one image, sized by the string or stretched to the widget.
//
//   - setAtlasProperties with a null or empty start character, or a null map name, changes
//     nothing: without its first character the map cannot be read.
//   - The start character is the first byte taken as unsigned, so maps beginning above 127
//     work; negative cell sizes count as 0 (the engine then draws nothing).
//   - A null text shows as the empty string.
#pragma once

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

class UICCLabelAtlas;

class UILabelAtlas : public UIWidget {
public:
    UILabelAtlas() = default;
    ~UILabelAtlas() override;

    static UILabelAtlas* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Also on the engine label.
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    // The engine label.
    engine::CCNode* getRendererNode() override;
    // The engine label's size: string length x cell width by the cell height.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderer() override;

    // --- new ---------------------------------------------------------------------------------
    void setAtlasProperties(const char* text, const char* charMapFile, int itemWidth, int itemHeight,
                            const char* startChar);
    // The shown string; the map stays.
    void setStringValue(const char* text);
    const char* getStringValue() const;

    UICCLabelAtlas* getAtlasRenderer() const { return m_atlasRenderer; }

private:
    void adaptLabel();

    UICCLabelAtlas* m_atlasRenderer = nullptr;  // owned by the renderer
};

}  // namespace ui
