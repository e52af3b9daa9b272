// ActionScaleFrame: a scale to the key frame's two factors.
#include "ui/layout/ActionScaleFrame.h"

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"

namespace ui {

ActionScaleFrame* ActionScaleFrame::create() {
    return autoreleasedOrNull(new ActionScaleFrame(), true);
}

engine::CCActionInterval* ActionScaleFrame::getAction(float duration) {
    return engine::CCScaleTo::create(duration, m_scaleX, m_scaleY);
}

}  // namespace ui
