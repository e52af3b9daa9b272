// LinearLayoutParameter: creation and copying.
#include "ui/widgets/LinearLayoutParameter.h"

#include "engine/base/CCCreate.h"

namespace ui {

LinearLayoutParameter::~LinearLayoutParameter() = default;

LinearLayoutParameter* LinearLayoutParameter::create() {
    return autoreleasedOrNull(new LinearLayoutParameter(), true);
}

void LinearLayoutParameter::copyFrom(const LayoutParameter* other) {
    LayoutParameter::copyFrom(other);
    if (const LinearLayoutParameter* linear = dynamic_cast<const LinearLayoutParameter*>(other))
        m_gravity = linear->m_gravity;
}

}  // namespace ui
