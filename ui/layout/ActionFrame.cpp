// ActionFrame: the key frame base, which has no action of its own.
#include "ui/layout/ActionFrame.h"

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"

namespace ui {

ActionFrame* ActionFrame::create() {
    return autoreleasedOrNull(new ActionFrame(), true);
}

engine::CCActionInterval* ActionFrame::getAction(float /*duration*/) {
    engine::CCLog("Need a definition of <getAction> for ActionFrame");
    return nullptr;
}

}  // namespace ui
