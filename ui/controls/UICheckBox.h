// The two-state toggle: box, pressed box, cross and the disabled box and cross; a release over the box toggles the selection.
//
//   - The normal and pressed looks show the cross exactly when the box is selected, so a
//     selected box that is disabled and enabled again shows its cross at once.
//   - Images loaded after setAnchorPoint take the widget's anchor point, as every image of
//     every widget does, so the box and its cross never drift apart.
//   - setSelectedState changes the selection without any listener call (for code that
//     restores a saved state); touches are the only way that reports a change.
#pragma once

#include <string>

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace engine {
class CCSprite;
}

namespace ui {

// The selection listener: called on its target with (sender, event).
enum CheckBoxEventType { CHECKBOX_EVENT_SELECTED = 0, CHECKBOX_EVENT_UNSELECTED = 1 };
typedef void (engine::CCObject::*SEL_CheckBoxEvent)(engine::CCObject*, int);
#define checkboxselector(_SELECTOR) static_cast<ui::SEL_CheckBoxEvent>(&_SELECTOR)

class UICheckBox : public UIWidget {
public:
    UICheckBox() = default;
    ~UICheckBox() override;

    static UICheckBox* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Also on all five sprites.
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    // Flip all five sprites; the box's flags are reported.
    void setFlipX(bool flipX) override;
    bool isFlipX() override;
    void setFlipY(bool flipY) override;
    bool isFlipY() override;
    // A release over the box toggles it; a release elsewhere only notifies the parent.
    void onTouchEnded(const engine::CCPoint& touchPoint) override;
    // The box sprite.
    engine::CCNode* getRendererNode() override;
    // The box image's size.
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    // A new check box is unselected.
    bool init() override;
    void createRenderer() override;
    void showNormalState() override;
    void showPressedState() override;
    void showDisabledState() override;

    // --- new ---------------------------------------------------------------------------------
    // Null or empty names are ignored by every loader.
    void loadBackGroundBoxTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadBackGroundBoxSelectedTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadFrontCrossTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadBackGroundBoxDisabledTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);
    void loadFrontCrossDisabledTexture(const char* name, TextureResType type = TEX_RES_LOCAL_FILE);

    bool isSelected() const { return m_selected; }
    // Inspection: the kind of each image as loaded.
    TextureResType getBackGroundBoxTextureType() const { return m_boxTexType; }
    TextureResType getBackGroundBoxSelectedTextureType() const { return m_boxSelectedTexType; }
    TextureResType getFrontCrossTextureType() const { return m_crossTexType; }
    TextureResType getBackGroundBoxDisabledTextureType() const { return m_boxDisabledTexType; }
    TextureResType getFrontCrossDisabledTextureType() const { return m_crossDisabledTexType; }
    void setSelectedState(bool selected);

    // Event 0 when the box became selected, 1 when it became unselected.
    void setCheckListener(engine::CCObject* target, SEL_CheckBoxEvent selector);
    void setSelectListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setUnselectListener(engine::CCObject* target, SEL_WidgetEvent selector);

    engine::CCSprite* getBoxSprite() const { return m_boxSprite; }
    engine::CCSprite* getBoxSelectedSprite() const { return m_boxSelectedSprite; }
    engine::CCSprite* getCrossSprite() const { return m_crossSprite; }
    engine::CCSprite* getBoxDisabledSprite() const { return m_boxDisabledSprite; }
    engine::CCSprite* getCrossDisabledSprite() const { return m_crossDisabledSprite; }

private:
    void loadSprite(engine::CCSprite* sprite, TextureResType& typeField, const char* name, TextureResType type);
    void adaptSprite(engine::CCSprite* sprite);
    void showCross();

    engine::CCSprite* m_boxSprite = nullptr;            // owned by the renderer
    engine::CCSprite* m_boxSelectedSprite = nullptr;    // owned by the renderer
    engine::CCSprite* m_crossSprite = nullptr;          // owned by the renderer
    engine::CCSprite* m_boxDisabledSprite = nullptr;    // owned by the renderer
    engine::CCSprite* m_crossDisabledSprite = nullptr;  // owned by the renderer
    bool m_selected = true;
    engine::CCObject* m_checkListener = nullptr;
    SEL_CheckBoxEvent m_checkSelector = nullptr;
    TextureResType m_boxTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_boxSelectedTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_crossTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_boxDisabledTexType = TEX_RES_LOCAL_FILE;
    TextureResType m_crossDisabledTexType = TEX_RES_LOCAL_FILE;
    engine::CCObject* m_selectListener = nullptr;
    SEL_WidgetEvent m_selectSelector = nullptr;
    engine::CCObject* m_unselectListener = nullptr;
    SEL_WidgetEvent m_unselectSelector = nullptr;
};

}  // namespace ui
