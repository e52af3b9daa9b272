// ActionFadeFrame: a fade to the key frame's opacity.
#include "ui/layout/ActionFadeFrame.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"

namespace ui {

ActionFadeFrame* ActionFadeFrame::create() {
    return autoreleasedOrNull(new ActionFadeFrame(), true);
}

int ActionFadeFrame::getActionOpacity() const {
    // Through an int first: a float outside the byte range has no defined byte conversion.
    double o = m_opacity;
    int whole = std::isnan(o) ? 0 : o >= INT_MAX ? INT_MAX : o <= INT_MIN ? INT_MIN : static_cast<int>(o);
    return static_cast<uint8_t>(whole);
}

engine::CCActionInterval* ActionFadeFrame::getAction(float duration) {
    return engine::CCFadeTo::create(duration, static_cast<uint8_t>(getActionOpacity()));
}

}  // namespace ui
