// A scene: the root of what the director shows, sized to the window and placed at its origin.
#pragma once

#include "engine/scene/CCNode.h"

namespace engine {

class CCScene : public CCNode {
public:
    CCScene();
    static CCScene* create();
    bool init() override;
    // Transitions answer true; the director then leaves the incoming scene's entry to them.
    virtual bool isTransitionScene() const { return false; }
    // The scene a transition brings in (and has entered already); null for plain scenes.
    virtual CCScene* enteringScene() { return nullptr; }
};

}  // namespace engine
