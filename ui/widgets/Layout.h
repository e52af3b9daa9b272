// The panel: a container widget with an optional colour, gradient or image background, clipping, and child arranging.
//
// Index:
//   - background colour kinds (solid layer, gradient layer) at z-order -2
//   - background image (plain or nine-slice sprite) at z-order -1, centred
//   - clipping (the renderer is a RectClippingNode)
//   - arranging: absolute, column, row, relative (read from the children's parameters)
//
// Behaviour:
//   - backGroundImageTextureSize is the image's size as loaded (its source size for a
//     nine-slice image), before the nine-slice image is stretched to the panel.
//   - Opacities are clamped to 0..255; colour vectors with non-finite parts are ignored.
//   - Arranging happens only on size changes (setSize, setSizePercent, setIgnoreSize, entering):
//     setLayoutType and new parameters take effect at the next size change.
#pragma once

#include <string>

#include "engine/scene/CCLayer.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

class RectClippingNode;

enum BackGroundColorType { BG_COLOR_NONE = 0, BG_COLOR_SOLID = 1, BG_COLOR_GRADIENT = 2 };

enum LayoutType {
    LAYOUT_TYPE_ABSOLUTE = 0,
    LAYOUT_TYPE_LINEAR_VERTICAL = 1,
    LAYOUT_TYPE_LINEAR_HORIZONTAL = 2,
    LAYOUT_TYPE_RELATIVE = 3,
};

class Layout : public UIWidget {
public:
    Layout();
    ~Layout() override;

    static Layout* create();

    // --- widget operations it overrides ------------------------------------------------------
    // Applied to the background image (the clipping renderer has no colour of its own).
    void setColor(const engine::ccColor3B& color) override;
    void setOpacity(int opacity) override;
    // The rectangle (0, 0) to (size) in the renderer's space; the anchor does not count.
    bool hitTest(const engine::CCPoint& worldPoint) override;
    // The renderer's content size, which follows the panel's size.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderer() override;

    // --- panel operations --------------------------------------------------------------------
    virtual void setClipAble(bool able);
    virtual bool isClipAble() const { return m_clipAble; }
    virtual void setLayoutType(LayoutType type);
    virtual LayoutType getLayoutType() const { return m_layoutType; }
    virtual void arrangeChildren();
    // The same as setClipAble.
    virtual void setClippingFlag(bool able);

    // --- background --------------------------------------------------------------------------
    void setBackGroundScale9Enable(bool able);
    bool isBackGroundScale9Enable() const { return m_backGroundScale9Enable; }
    // Null or empty names are ignored.
    void setBackGroundImage(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void setBackGroundImageCapInsets(const engine::CCRect& capInsets);
    const engine::CCRect& getBackGroundImageCapInsets() const { return m_backGroundImageCapInsets; }
    void setBackGroundColorType(BackGroundColorType type);
    BackGroundColorType getBackGroundColorType() const { return m_colorType; }
    void setBackGroundColor(const engine::ccColor3B& color);
    void setBackGroundColor(const engine::ccColor3B& startColor, const engine::ccColor3B& endColor);
    void setBackGroundColorOpacity(int opacity);
    void setBackGroundColorVector(const engine::CCPoint& vector);
    const engine::ccColor3B& getBackGroundColor() const { return m_color; }
    const engine::ccColor3B& getBackGroundStartColor() const { return m_startColor; }
    const engine::ccColor3B& getBackGroundEndColor() const { return m_endColor; }
    int getBackGroundColorOpacity() const { return m_colorOpacity; }
    const engine::CCPoint& getBackGroundColorVector() const { return m_alongVector; }
    const engine::CCSize& getBackGroundImageTextureSize() const { return m_backGroundImageTextureSize; }
    const char* getBackGroundImageFileName() const { return m_backGroundImageFileName.c_str(); }
    TextureResType getBackGroundImageTextureType() const { return m_bgImageTexType; }

    // Inspection of the background nodes (null when absent).
    engine::CCNode* getBackGroundImage() const { return m_backGroundImage; }
    engine::CCLayerColor* getColorRender() const { return m_colorRender; }
    engine::CCLayerGradient* getGradientRender() const { return m_gradientRender; }
    RectClippingNode* getClippingRenderer() const;

protected:
    void arrangeLinearVertical();
    void arrangeLinearHorizontal();
    void arrangeRelative();
    // Makes the background image node of the current kind and adds it to the renderer.
    void createBackGroundImageNode();

    bool m_clipAble = false;
    bool m_backGroundScale9Enable = false;
    engine::CCNode* m_backGroundImage = nullptr;  // owned by the renderer
    std::string m_backGroundImageFileName;
    engine::CCRect m_backGroundImageCapInsets;
    BackGroundColorType m_colorType = BG_COLOR_NONE;
    TextureResType m_bgImageTexType = TEX_RES_LOCAL_FILE;
    engine::CCLayerColor* m_colorRender = nullptr;        // owned by the renderer
    engine::CCLayerGradient* m_gradientRender = nullptr;  // owned by the renderer
    engine::ccColor3B m_color = engine::ccWHITE;
    engine::ccColor3B m_startColor = engine::ccWHITE;
    engine::ccColor3B m_endColor = engine::ccWHITE;
    engine::CCPoint m_alongVector = engine::CCPoint(0, -1);
    int m_colorOpacity = 255;
    engine::CCSize m_backGroundImageTextureSize;
    LayoutType m_layoutType = LAYOUT_TYPE_ABSOLUTE;
};

}  // namespace ui
