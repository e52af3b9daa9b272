// The layer that shows a widget tree: owns the root widget and the touch router, and takes touches one by one.
//
// The root counts as running from init on, whether or not the layer is on stage; touches
// arrive only between the layer's onEnter and onExit, through the engine's one-by-one
// registration (its priority and swallowing, unchanged).
#pragma once

#include "engine/scene/CCLayer.h"

namespace ui {

class UIRootWidget;
class UITouchRouter;
class UIWidget;

class UILayer : public engine::CCLayer {
public:
    UILayer() = default;
    ~UILayer() override;

    static UILayer* create();

    bool init() override;
    void onEnter() override;
    void onExit() override;
    // Also shows or hides the root widget.
    void setVisible(bool visible) override;

    bool ccTouchBegan(engine::CCTouch* touch, engine::CCEvent* event) override;
    void ccTouchMoved(engine::CCTouch* touch, engine::CCEvent* event) override;
    void ccTouchEnded(engine::CCTouch* touch, engine::CCEvent* event) override;
    void ccTouchCancelled(engine::CCTouch* touch, engine::CCEvent* event) override;

    // Removes every widget from the root.
    virtual void clear();
    // Leaves the parent node, with cleanup.
    virtual void dispose();

    // The root's addChild: false for null or refused widgets.
    bool addWidget(UIWidget* widget);
    UIRootWidget* getRootWidget() const { return m_rootWidget; }
    UITouchRouter* getInputRouter() const { return m_inputRouter; }
    // The first widget of that name, root first, depth first; null for none.
    UIWidget* getWidgetByName(const char* name);

private:
    UIRootWidget* m_rootWidget = nullptr;
    UITouchRouter* m_inputRouter = nullptr;
};

}  // namespace ui
