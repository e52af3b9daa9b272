// The plain renderer node of every non-panel widget: a colour node whose drawing can be switched off with its subtree.
#pragma once

#include "engine/scene/CCNode.h"

namespace ui {

class GUIRenderer : public engine::CCNodeRGBA {
public:
    GUIRenderer() = default;
    ~GUIRenderer() override;

    static GUIRenderer* create();

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    // Draws nothing, children included, while disabled.
    void visit() override;

private:
    bool m_enabled = true;
};

}  // namespace ui
