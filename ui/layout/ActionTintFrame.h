// A colour key frame: the renderer is tinted to a colour.
#pragma once

#include "engine/base/ccTypes.h"
#include "ui/layout/ActionFrame.h"

namespace ui {

class ActionTintFrame : public ActionFrame {
public:
    ActionTintFrame() { m_frameKind = FRAME_KIND_TINT; }

    static ActionTintFrame* create();

    engine::CCActionInterval* getAction(float duration) override;

    const engine::ccColor3B& getColor() const { return m_color; }
    void setColor(const engine::ccColor3B& color) { m_color = color; }

private:
    engine::ccColor3B m_color = engine::ccWHITE;
};

}  // namespace ui
