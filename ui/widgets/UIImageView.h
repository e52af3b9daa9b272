// The image widget: one picture, plain or nine-slice, that either gives the widget its size or stretches to fill it.
//
//   - Turning nine-slice mode on or off keeps the widget's anchor point on the new image node
//     even when no image was loaded yet.
//   - Loading a new image while in nine-slice mode cuts it with the stored cap insets, so the
//     insets given earlier are not silently lost.
//   - Flips belong to the plain sprite: they are not carried over a nine-slice round trip.
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

class UIImageView : public UIWidget {
public:
    UIImageView() = default;
    ~UIImageView() override;

    static UIImageView* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Also on the image node.
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    // Flips only a plain sprite; a nine-slice image reports false.
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // Refused (nothing happens) for ignore = true while nine-slice is on.
    void setIgnoreSize(bool ignore) override;
    // The image node.
    engine::CCNode* getRendererNode() override;
    // The image's size as loaded.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderer() override;

    // --- new ---------------------------------------------------------------------------------
    // Null or empty names are ignored (the previous image and size stay).
    virtual void loadTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    virtual void setScale9Enable(bool able);
    virtual void setCapInsets(const engine::CCRect& capInsets);

    bool isScale9Enabled() const { return m_scale9Enabled; }
    const engine::CCRect& getCapInsets() const { return m_capInsets; }
    const char* getTextureFile() const { return m_textureFile.c_str(); }
    TextureResType getTextureType() const { return m_imageTexType; }
    const engine::CCSize& getImageTextureSize() const { return m_imageTextureSize; }

private:
    void adaptImage();

    bool m_scale9Enabled = false;
    engine::CCRect m_capInsets;
    engine::CCNode* m_imageRenderer = nullptr;  // owned by the renderer
    std::string m_textureFile;
    TextureResType m_imageTexType = TEX_RES_LOCAL_FILE;
    engine::CCSize m_imageTextureSize;
};

}  // namespace ui
