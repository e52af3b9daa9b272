// The text widget: one line or area of TrueType text that gives the widget its size or is stretched to it, and may grow while pressed.
//
//   - Font sizes and names the engine's label refuses (not positive, absurdly large, null)
//     leave the label as it was; the size adaptation still runs.
//   - The touch scale is the renderer's scale, so the whole widget grows around its position.
#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/text/CCLabelProtocol.h"
#include "ui/widgets/UIWidget.h"

namespace engine {
class CCLabelTTF;
}

namespace ui {

class UILabel : public UIWidget {
public:
    UILabel() = default;
    ~UILabel() override;

    static UILabel* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Also on the text node.
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // The text node.
    engine::CCNode* getRendererNode() override;
    // The text node's own size.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderer() override;
    // With the touch scale on: the normal scale, and normal + 0.5 while pressed.
    void showNormalState() override;
    void showPressedState() override;

    // --- new ---------------------------------------------------------------------------------
    // Null is ignored.
    void setText(const char* text);
    const char* getStringValue() const;
    void setFontSize(int size);
    float getFontSize() const;
    void setFontName(const char* name);
    const char* getFontName() const;
    // The text box: width 0 means one line per "\n", height 0 as tall as the lines.
    void setAreaSize(const engine::CCSize& size);
    void setHAlignment(engine::CCTextAlignment alignment);
    void setVAlignment(engine::CCVerticalTextAlignment alignment);
    // Takes the renderer's current scale as the normal scale.
    void setTouchScaleEnable(bool enable);
    bool isTouchScaleEnabled() const { return m_touchScaleEnable; }
    float getNormalScale() const { return m_normalScale; }

    engine::CCLabelTTF* getLabelRenderer() const { return m_labelRenderer; }

private:
    void adaptLabel();

    bool m_touchScaleEnable = false;
    float m_normalScale = 1.0f;
    float m_pressedScaleOffset = 0.5f;
    engine::CCLabelTTF* m_labelRenderer = nullptr;  // owned by the renderer
};

}  // namespace ui
