// ActionRotationFrame: a turn to the key frame's angle.
#include "ui/layout/ActionRotationFrame.h"

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"

namespace ui {

ActionRotationFrame* ActionRotationFrame::create() {
    return autoreleasedOrNull(new ActionRotationFrame(), true);
}

engine::CCActionInterval* ActionRotationFrame::getAction(float duration) {
    return engine::CCRotateTo::create(duration, m_rotation);
}

}  // namespace ui
