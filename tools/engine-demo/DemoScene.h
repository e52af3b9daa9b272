// The engine demo scene: sprites, a label, colour layers, a clipped spinner and a menu.
#pragma once

#include "engine/scene/CCLayer.h"
#include "engine/scene/CCScene.h"

namespace engine {
class CCLabelTTF;
class CCLayerColor;
}  // namespace engine

class DemoLayer : public engine::CCLayer {
public:
    DemoLayer();
    // Tapping the menu item counts the taps in the caption and toggles the swatch colour.
    void onTap(engine::CCObject* sender);
    int taps() const { return m_taps; }
    engine::CCLayerColor* swatch() { return m_swatch; }

    // Where the tap target and the swatch sit, in design points.
    static engine::CCPoint buttonPosition();
    static engine::CCPoint swatchCentre();

private:
    engine::CCLabelTTF* m_caption = nullptr;
    engine::CCLayerColor* m_swatch = nullptr;
    int m_taps = 0;
};

// A scene holding a DemoLayer, autoreleased.
engine::CCScene* createDemoScene();
