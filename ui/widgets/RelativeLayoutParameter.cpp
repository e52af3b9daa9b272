// RelativeLayoutParameter: creation and copying.
#include "ui/widgets/RelativeLayoutParameter.h"

#include "engine/base/CCCreate.h"

namespace ui {

RelativeLayoutParameter::~RelativeLayoutParameter() = default;

RelativeLayoutParameter* RelativeLayoutParameter::create() {
    return autoreleasedOrNull(new RelativeLayoutParameter(), true);
}

void RelativeLayoutParameter::copyFrom(const LayoutParameter* other) {
    LayoutParameter::copyFrom(other);
    if (const RelativeLayoutParameter* relative = dynamic_cast<const RelativeLayoutParameter*>(other)) {
        m_align = relative->m_align;
        m_relativeWidgetName = relative->m_relativeWidgetName;
        m_relativeName = relative->m_relativeName;
    }
}

}  // namespace ui
