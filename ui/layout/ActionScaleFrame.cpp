// ActionScaleFrame: a scale to the key frame's two factors.
#include "ui/layout/ActionScaleFrame.h"

#include "engine/actions/CCActionInterval.h"

namespace ui {

ActionScaleFrame* ActionScaleFrame::create() {
    ActionScaleFrame* frame = new ActionScaleFrame();
    frame->autorelease();
    return frame;
}

engine::CCActionInterval* ActionScaleFrame::getAction(float duration) {
    return engine::CCScaleTo::create(duration, m_scaleX, m_scaleY);
}

}  // namespace ui
