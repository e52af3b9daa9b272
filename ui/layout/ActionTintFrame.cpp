// ActionTintFrame: a tint to the key frame's colour.
#include "ui/layout/ActionTintFrame.h"

#include "engine/actions/CCActionInterval.h"

namespace ui {

ActionTintFrame* ActionTintFrame::create() {
    ActionTintFrame* frame = new ActionTintFrame();
    frame->autorelease();
    return frame;
}

engine::CCActionInterval* ActionTintFrame::getAction(float duration) {
    return engine::CCTintTo::create(duration, m_color.r, m_color.g, m_color.b);
}

}  // namespace ui
