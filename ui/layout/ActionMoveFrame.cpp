// ActionMoveFrame: a move to the key frame's position.
#include "ui/layout/ActionMoveFrame.h"

#include "engine/actions/CCActionInterval.h"

namespace ui {

ActionMoveFrame* ActionMoveFrame::create() {
    ActionMoveFrame* frame = new ActionMoveFrame();
    frame->autorelease();
    return frame;
}

engine::CCActionInterval* ActionMoveFrame::getAction(float duration) {
    return engine::CCMoveTo::create(duration, m_position);
}

}  // namespace ui
