// The per-child parameter that a panel's arranging layouts read: the base, holding the child's margins.
//
// Parameters are created with create() and handed to a widget with setLayoutParameter, which
// retains them; one parameter may be shared by several widgets. copyFrom copies the fields of
// another parameter of the same class (or of a base part), for callers that want their own.
#pragma once

#include "engine/base/CCObject.h"

namespace ui {

// Left, top, right, bottom, in points.
struct LayoutMargin {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;

    LayoutMargin() = default;
    LayoutMargin(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    bool equals(const LayoutMargin& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

class LayoutParameter : public engine::CCObject {
public:
    LayoutParameter() = default;
    ~LayoutParameter() override;

    static LayoutParameter* create();

    // Non-finite components are taken as 0.
    void setMargin(const LayoutMargin& margin);
    const LayoutMargin& getMargin() const { return m_margin; }

    virtual void copyFrom(const LayoutParameter* other);

protected:
    LayoutMargin m_margin;
};

}  // namespace ui
