// ActionMoveFrame: a move to the key frame's position.
#include "ui/layout/ActionMoveFrame.h"

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"

namespace ui {

ActionMoveFrame* ActionMoveFrame::create() {
    return autoreleasedOrNull(new ActionMoveFrame(), true);
}

engine::CCActionInterval* ActionMoveFrame::getAction(float duration) {
    return engine::CCMoveTo::create(duration, m_position);
}

}  // namespace ui
