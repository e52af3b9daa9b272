// A position key frame: the renderer moves to a point.
#pragma once

#include "engine/base/CCGeometry.h"
#include "ui/layout/ActionFrame.h"

namespace ui {

class ActionMoveFrame : public ActionFrame {
public:
    ActionMoveFrame() { m_frameKind = FRAME_KIND_MOVE; }

    static ActionMoveFrame* create();

    // A move to the position, linear in time.
    engine::CCActionInterval* getAction(float duration) override;

    const engine::CCPoint& getPosition() const { return m_position; }
    void setPosition(const engine::CCPoint& position) { m_position = position; }

private:
    engine::CCPoint m_position;
};

}  // namespace ui
