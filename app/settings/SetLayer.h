// The settings screen: six buttons of "3age/pageset.json" choose the reading mode, confirm or
// cancel it, or leave for the contents screen; the grown-ups' options are rows added in code
// where the layout leaves room (SettingsRows).
#pragma once

#include "engine/scene/CCLayer.h"
#include "ui/widgets/UIWidget.h"

namespace ui {
class Layout;
class UIButton;
class UILayer;
}  // namespace ui

namespace app {

class SettingsRows;

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
    SettingsRows* getRows() { return m_rows; }

private:
    void backToPage();
    // The grown-ups' options: one line each.
    void addRows();

    ui::UILayer* uiLayer = nullptr;
    int pendingReadingMode = 0;
    ui::Layout* rootLayout = nullptr;
    // False when the layout gave none of the buttons that leave the screen (a damaged book).
    bool hasWayOut = false;
    SettingsRows* m_rows = nullptr;
};

}  // namespace app
