// The parameter of a child in a relative layout: where it goes (align 0 to 19), against which sibling, and its own name.
//
// Align values: 0-2 top left (the default place); 3 top right; 4 bottom left; 5 centre;
// 6 top, centred across; 7 left, centred up and down; against the sibling named by
// relativeWidgetName: 8 left of it, tops level; 10 left of it, bottoms level; 11 right of it,
// tops level; 13 right of it, bottoms level; 14 above it, lefts level; 16 above it, rights
// level; 17 below it, lefts level; 19 below it, rights level. 9, 12, 15 and 18 take the
// default place and only the margins of their group (8-10, 11-13, 14-16, 17-19).
#pragma once

#include <string>

#include "ui/widgets/LayoutParameter.h"

namespace ui {

typedef int RelativeAlign;

class RelativeLayoutParameter : public LayoutParameter {
public:
    RelativeLayoutParameter() = default;
    ~RelativeLayoutParameter() override;

    static RelativeLayoutParameter* create();

    void setAlign(RelativeAlign align) { m_align = align; }
    RelativeAlign getAlign() const { return m_align; }
    // Null is taken as empty (no sibling).
    void setRelativeToWidgetName(const char* name) { m_relativeWidgetName = name ? name : ""; }
    const char* getRelativeToWidgetName() const { return m_relativeWidgetName.c_str(); }
    // Null is taken as empty (no sibling can name this child).
    void setRelativeName(const char* name) { m_relativeName = name ? name : ""; }
    const char* getRelativeName() const { return m_relativeName.c_str(); }

    void copyFrom(const LayoutParameter* other) override;

private:
    RelativeAlign m_align = 0;
    std::string m_relativeWidgetName;
    std::string m_relativeName;
};

}  // namespace ui
