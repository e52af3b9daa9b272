// LayoutParameter: creation, margins and copying.
#include "ui/widgets/LayoutParameter.h"

#include <cmath>

#include "engine/base/CCCreate.h"

namespace ui {

LayoutParameter::~LayoutParameter() = default;

LayoutParameter* LayoutParameter::create() {
    return autoreleasedOrNull(new LayoutParameter(), true);
}

void LayoutParameter::setMargin(const LayoutMargin& margin) {
    auto fix = [](float v) { return std::isfinite(v) ? v : 0.0f; };
    m_margin = LayoutMargin(fix(margin.left), fix(margin.top), fix(margin.right), fix(margin.bottom));
}

void LayoutParameter::copyFrom(const LayoutParameter* other) {
    if (other) m_margin = other->m_margin;
}

}  // namespace ui
