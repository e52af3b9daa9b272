// ActionTintFrame: a tint to the key frame's colour.
#include "ui/layout/ActionTintFrame.h"

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"

namespace ui {

ActionTintFrame* ActionTintFrame::create() {
    return autoreleasedOrNull(new ActionTintFrame(), true);
}

engine::CCActionInterval* ActionTintFrame::getAction(float duration) {
    return engine::CCTintTo::create(duration, m_color.r, m_color.g, m_color.b);
}

}  // namespace ui
