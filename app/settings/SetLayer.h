// The settings screen: six buttons of "3age/pageset.json" choose the reading mode, confirm or
// cancel it, or leave for the contents screen.
#pragma once

#include "engine/scene/CCLayer.h"
#include "ui/widgets/UIWidget.h"

namespace ui {
class Layout;
class UIButton;
class UILayer;
}  // namespace ui

namespace app {

// The button shown as selected; null whenever a settings screen is built.
extern ui::UIButton* selectedSettingButton;

class SetLayer : public engine::CCLayer {
public:
    // Builds the whole screen.
    SetLayer();
    ~SetLayer() override;

    void buttonTouchEvent(engine::CCObject* sender, ui::TouchEventType type);

    void onEnter() override;
    void onEnterTransitionDidFinish() override;
    void onExit() override;
    void onExitTransitionDidStart() override;

    int getPendingReadingMode() const { return pendingReadingMode; }
    ui::UILayer* getUILayer() { return uiLayer; }

private:
    void backToPage();

    ui::UILayer* uiLayer = nullptr;
    int pendingReadingMode = 0;
    ui::Layout* rootLayout = nullptr;
    // False when the layout gave none of the buttons that leave the screen (a damaged book).
    bool hasWayOut = false;
};

}  // namespace app
