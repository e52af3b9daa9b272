// The parameter of a child in a column or a row: its margins and the side it keeps to across the line.
#pragma once

#include "ui/widgets/LayoutParameter.h"

namespace ui {

enum LinearGravity {
    GRAVITY_NONE = 0,
    GRAVITY_LEFT = 1,
    GRAVITY_TOP = 2,
    GRAVITY_RIGHT = 3,
    GRAVITY_BOTTOM = 4,
    GRAVITY_CENTER_VERTICAL = 5,
    GRAVITY_CENTER_HORIZONTAL = 6,
};

class LinearLayoutParameter : public LayoutParameter {
public:
    LinearLayoutParameter() = default;
    ~LinearLayoutParameter() override;

    static LinearLayoutParameter* create();

    void setGravity(LinearGravity gravity) { m_gravity = gravity; }
    LinearGravity getGravity() const { return m_gravity; }

    void copyFrom(const LayoutParameter* other) override;

private:
    LinearGravity m_gravity = GRAVITY_NONE;
};

}  // namespace ui
