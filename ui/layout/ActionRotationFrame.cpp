// ActionRotationFrame: a turn to the key frame's angle.
#include "ui/layout/ActionRotationFrame.h"

#include "engine/actions/CCActionInterval.h"

namespace ui {

ActionRotationFrame* ActionRotationFrame::create() {
    ActionRotationFrame* frame = new ActionRotationFrame();
    frame->autorelease();
    return frame;
}

engine::CCActionInterval* ActionRotationFrame::getAction(float duration) {
    return engine::CCRotateTo::create(duration, m_rotation);
}

}  // namespace ui
