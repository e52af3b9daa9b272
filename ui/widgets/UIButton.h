// The push button: normal, pressed and disabled images (plain or nine-slice) picked by the widget's look, and a title.
//
// Index:
//   - image loading (file or sprite frame) and the size adaptation of each image
//   - nine-slice mode and cap insets
//   - the three looks, with the optional press zoom
//   - title text, colour, font, and its placement at the centre of the button's box
//
// Behaviour:
//   - The title is re-centred on every size change as well as on setAnchorPoint, so a
//     button anchored off-centre keeps its title centred after it is resized.
//   - A null title text is taken as empty; font sizes and names the label refuses are ignored.
#pragma once

#include <string>

#include "engine/text/CCLabelTTF.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

class UIButton : public UIWidget {
public:
    UIButton() = default;
    ~UIButton() override;

    static UIButton* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // The widget colour, then the title back to its own colour.
    void setColor(const engine::ccColor3B& color) override;
    // Refused (nothing happens) for ignore = true while nine-slice is on.
    void setIgnoreSize(bool ignore) override;
    // The image of the current look; null before any look was applied.
    engine::CCNode* getRendererNode() override;
    // The normal image's size as loaded.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderer() override;
    void showNormalState() override;
    void showPressedState() override;
    void showDisabledState() override;

    // --- new ---------------------------------------------------------------------------------
    virtual void setScale9Enable(bool able);

    // Null or empty names are ignored (the previous image stays).
    void loadNormalTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadPressedTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadDisabledTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadTextures(const char* normal, const char* pressed, const char* disabled,
                      TextureResType type = TEX_RES_LOCAL_FILE);

    void setCapInsets(const engine::CCRect& capInsets);
    void setNormalCapInsets(const engine::CCRect& capInsets);
    void setPressedCapInsets(const engine::CCRect& capInsets);
    void setDisabledCapInsets(const engine::CCRect& capInsets);
    const engine::CCRect& getNormalCapInsets() const { return m_capInsetsNormal; }
    const engine::CCRect& getPressedCapInsets() const { return m_capInsetsPressed; }
    const engine::CCRect& getDisabledCapInsets() const { return m_capInsetsDisabled; }
    bool isScale9Enabled() const { return m_scale9Enabled; }

    void setPressZoomEnabled(bool enabled) { m_pressZoomEnabled = enabled; }
    bool isPressZoomEnabled() const { return m_pressZoomEnabled; }

    void setTitleText(const char* text);
    const char* getTitleText() const;
    void setTitleColor(const engine::ccColor3B& color);
    const engine::ccColor3B& getTitleColor() const { return m_titleColor; }
    void setTitleFontSize(float size);
    float getTitleFontSize() const;
    void setTitleFontName(const char* fontName);
    const char* getTitleFontName() const;

    // Inspection.
    engine::CCNode* getNormalRenderer() const { return m_normalRenderer; }
    engine::CCNode* getPressedRenderer() const { return m_pressedRenderer; }
    engine::CCNode* getDisabledRenderer() const { return m_disabledRenderer; }
    engine::CCLabelTTF* getTitleRenderer() const { return m_titleRenderer; }
    const engine::CCSize& getNormalTextureSize() const { return m_normalTextureSize; }
    const engine::CCSize& getPressedTextureSize() const { return m_pressedTextureSize; }
    const engine::CCSize& getDisabledTextureSize() const { return m_disabledTextureSize; }
    const char* getNormalFileName() const { return m_normalFileName.c_str(); }
    const char* getPressedFileName() const { return m_pressedFileName.c_str(); }
    const char* getDisabledFileName() const { return m_disabledFileName.c_str(); }
    TextureResType getNormalTextureType() const { return m_normalTexType; }
    TextureResType getPressedTextureType() const { return m_pressedTexType; }
    TextureResType getDisabledTextureType() const { return m_disabledTexType; }

private:
    // One of the three images: its node, name, type, insets and loaded size.
    struct ImageSlot {
        engine::CCNode** node;
        std::string* fileName;
        TextureResType* texType;
        engine::CCRect* capInsets;
        engine::CCSize* textureSize;
    };
    ImageSlot normalSlot();
    ImageSlot pressedSlot();
    ImageSlot disabledSlot();
    void loadTexture(ImageSlot slot, const char* name, TextureResType type, bool decidesSize);
    void adaptImage(ImageSlot slot, bool decidesSize);
    void applyCapInsets(ImageSlot slot, const engine::CCRect& capInsets);
    engine::CCNode* makeImageNode() const;
    void placeTitle();
    void zoomImages(float scale);

    engine::CCNode* m_normalRenderer = nullptr;    // owned by the renderer
    engine::CCNode* m_pressedRenderer = nullptr;   // owned by the renderer
    engine::CCNode* m_disabledRenderer = nullptr;  // owned by the renderer
    engine::CCLabelTTF* m_titleRenderer = nullptr;  // owned by the renderer
    std::string m_normalFileName;
    std::string m_pressedFileName;
    std::string m_disabledFileName;
    bool m_scale9Enabled = false;
    engine::CCRect m_capInsetsNormal;
    engine::CCRect m_capInsetsPressed;
    engine::CCRect m_capInsetsDisabled;
    TextureResType m_normalTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_pressedTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_disabledTexType = TEX_RES_LOCAL_FILE;
    engine::CCSize m_normalTextureSize;
    engine::CCSize m_pressedTextureSize;
    engine::CCSize m_disabledTextureSize;
    bool m_pressZoomEnabled = false;
    engine::ccColor3B m_titleColor = engine::ccWHITE;
};

}  // namespace ui
