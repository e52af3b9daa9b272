// The progress bar: one image shown up to a percentage of its length, growing from the left or the right edge.
//
// The image is a plain sprite cut to the percentage through its texture rectangle, or a
// nine-slice sprite shortened to the percentage of the bar's length. The bar is centred on the
// widget's position.
//
//   - A plain bar is stretched by the size of its whole image, not by the size of the part
//     shown: a 50 % bar that is resized keeps showing half of its new length.
//   - Loading an image keeps the current percentage on screen (the new image is cut at once).
//   - A nine-slice bar is stretched to the bar's own size, so turning nine-slice on turns
//     ignoreSize off; turning it off again restores the ignoreSize the bar had before.
//   - A nine-slice bar at 0 % is hidden: a nine-slice sprite of no length would still draw
//     its caps.
//   - Directions other than 0 and 1 are stored and change nothing on screen.
//   - A cut of a rotated sprite-sheet frame stays rotated (its image's left part is shown).
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

class UILoadingBar : public UIWidget {
public:
    UILoadingBar() = default;
    ~UILoadingBar() override;

    static UILoadingBar* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Refused (nothing happens) for ignore = true while nine-slice is on.
    void setIgnoreSize(bool ignore) override;
    // The bar's image node.
    engine::CCNode* getRendererNode() override;
    // The image's size as loaded.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    bool init() override;
    void createRenderer() override;

    // --- new ---------------------------------------------------------------------------------
    // 0: grows from the left edge; 1: from the right edge (the plain image is mirrored).
    void setDirection(int direction);
    int getDirection() const { return m_direction; }
    // Null or empty names are ignored.
    void loadTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void setScale9Enable(bool able);
    bool isScale9Enabled() const { return m_scale9Enabled; }
    void setCapInsets(const engine::CCRect& capInsets);
    const engine::CCRect& getCapInsets() const { return m_capInsets; }
    // Ignored outside 0..100 and while the bar has no length.
    void setPercent(int percent);
    int getPercent() const { return m_percent; }
    float getTotalLength() const { return m_totalLength; }
    const char* getTextureFile() const { return m_textureFile.c_str(); }
    TextureResType getTextureType() const { return m_barTexType; }

private:
    // Anchor, mirror and position of the image for the current direction.
    void placeBar();
    void adaptBar();
    // Shows the current percentage of the image (cut or shortened).
    void showPercent();

    int m_direction = 0;
    int m_percent = 100;
    float m_totalLength = 0;
    engine::CCNode* m_barRenderer = nullptr;  // owned by the renderer
    TextureResType m_barTexType = TEX_RES_LOCAL_FILE;
    engine::CCSize m_barTextureSize;
    bool m_scale9Enabled = false;
    engine::CCRect m_capInsets;
    std::string m_textureFile;
};

}  // namespace ui
