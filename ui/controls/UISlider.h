// The horizontal slider: a bar, a progress image covering it up to the percentage, and a ball that a touch or a drag moves.
//
// The bar is centred on the widget's position; percentage p puts the ball at
// barLength x p / 100 - barLength / 2.
//
//   - With ignoreSize on, nine-slice off and no progress image (0 x 0), the progress image
//     stays at scale 1 instead of being scaled by a division by zero.
//   - While the bar has no length (no bar image, or a size of width 0) touches and drags do
//     not change the percentage: there is no point on the bar to take it from.
//   - A nine-slice progress image at 0 % is hidden: a nine-slice sprite of no length would
//     still draw its caps.
//   - Nine-slice images are stretched to the slider's own size, so turning nine-slice on turns
//     ignoreSize off; turning it off again restores the ignoreSize the slider had before.
//   - New bar and progress nodes keep their anchors even before an image is loaded into them.
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace engine {
class CCSprite;
}

namespace ui {

// The slider's event listener: called on its target with (sender, event).
enum SliderEventType { SLIDER_EVENT_PERCENT_CHANGED = 0 };
typedef void (engine::CCObject::*SEL_SliderEvent)(engine::CCObject*, int);
#define sliderselector(_SELECTOR) static_cast<ui::SEL_SliderEvent>(&_SELECTOR)

class UISlider : public UIWidget {
public:
    UISlider() = default;
    ~UISlider() override;

    static UISlider* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Refused (nothing happens) for ignore = true while nine-slice is on.
    void setIgnoreSize(bool ignore) override;
    // Also jumps the percentage to the touch point.
    bool onTouchBegan(const engine::CCPoint& touchPoint) override;
    // Drags the ball and the percentage; no focus change or TOUCH_MOVED while dragging.
    void onTouchMoved(const engine::CCPoint& touchPoint) override;
    void onTouchEnded(const engine::CCPoint& touchPoint) override;
    // The bar's image node.
    engine::CCNode* getRendererNode() override;
    // The bar's own size.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    void createRenderer() override;
    // Each shows only the ball of that look.
    void showNormalState() override;
    void showPressedState() override;
    void showDisabledState() override;

    // --- new ---------------------------------------------------------------------------------
    // Null or empty names are ignored by every loader.
    void loadBarTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadProgressBarTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadBallNormalTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadBallPressedTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadBallDisabledTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void setScale9Enable(bool able);
    bool isScale9Enabled() const { return m_scale9Enabled; }
    void setBarCapInsets(const engine::CCRect& capInsets);
    void setProgressBarCapInsets(const engine::CCRect& capInsets);
    // Clamped to 0..100.
    void setPercent(int percent);
    int getPercent() const { return m_percent; }
    float getBarLength() const { return m_barLength; }
    // Inspection: the image names and kinds as loaded.
    const char* getBarTextureFile() const { return m_barTextureFile.c_str(); }
    TextureResType getBarTextureType() const { return m_barTexType; }
    const char* getProgressBarTextureFile() const { return m_progressBarTextureFile.c_str(); }
    TextureResType getProgressBarTextureType() const { return m_progressBarTexType; }
    const char* getBallNormalTextureFile() const { return m_ballNormalTextureFile.c_str(); }
    TextureResType getBallNormalTextureType() const { return m_ballNormalTexType; }
    const char* getBallPressedTextureFile() const { return m_ballPressedTextureFile.c_str(); }
    TextureResType getBallPressedTextureType() const { return m_ballPressedTexType; }
    const char* getBallDisabledTextureFile() const { return m_ballDisabledTextureFile.c_str(); }
    TextureResType getBallDisabledTextureType() const { return m_ballDisabledTexType; }

    // Event 0 after a touch or drag set the percentage.
    void setEventListener(engine::CCObject* target, SEL_SliderEvent selector);
    // Called with the sender after a touch or drag set the percentage.
    void setPercentListener(engine::CCObject* target, SEL_WidgetEvent selector);

    engine::CCNode* getProgressBarRenderer() const { return m_progressBarRenderer; }
    engine::CCNode* getBallNode() const { return m_ballNode; }
    engine::CCSprite* getBallNormalSprite() const { return m_ballNormalSprite; }
    engine::CCSprite* getBallPressedSprite() const { return m_ballPressedSprite; }
    engine::CCSprite* getBallDisabledSprite() const { return m_ballDisabledSprite; }

private:
    void loadBallTexture(engine::CCSprite* ball, std::string& file, TextureResType& fileType, const char* name,
                         TextureResType type);
    void adaptBar();
    void adaptProgress();
    // The percentage a world point on the bar stands for; false while the bar has no length.
    bool percentAt(const engine::CCPoint& worldPoint, int& percent, float& nodeX);
    void notifyPercentChanged();

    engine::CCNode* m_barRenderer = nullptr;          // owned by the renderer
    engine::CCNode* m_progressBarRenderer = nullptr;  // owned by the renderer
    engine::CCSize m_progressBarTextureSize;
    engine::CCSprite* m_ballNormalSprite = nullptr;    // owned by the ball node
    engine::CCSprite* m_ballPressedSprite = nullptr;   // owned by the ball node
    engine::CCSprite* m_ballDisabledSprite = nullptr;  // owned by the ball node
    engine::CCNode* m_ballNode = nullptr;              // owned by the renderer
    float m_barLength = 0;
    int m_percent = 0;
    bool m_scale9Enabled = false;
    std::string m_barTextureFile;
    std::string m_progressBarTextureFile;
    std::string m_ballNormalTextureFile;
    std::string m_ballPressedTextureFile;
    std::string m_ballDisabledTextureFile;
    engine::CCRect m_barCapInsets;
    engine::CCRect m_progressBarCapInsets;
    engine::CCObject* m_eventListener = nullptr;
    SEL_SliderEvent m_eventSelector = nullptr;
    TextureResType m_barTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_progressBarTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_ballNormalTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_ballPressedTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_ballDisabledTexType = TEX_RES_LOCAL_FILE;
    engine::CCObject* m_percentListener = nullptr;
    SEL_WidgetEvent m_percentSelector = nullptr;
};

}  // namespace ui
