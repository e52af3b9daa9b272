// The parameter of a child in a relative layout: where it goes (one of the twenty aligns), against which sibling, and its own name.
//
// The aligns against the panel place the child at a corner, the centre or a side's middle; the
// aligns against a sibling (the one whose relative name is relativeWidgetName) place it beside
// that sibling with one pair of edges level, the margins of both set between them. The numbers
// are what layout data stores and never change; a number outside 0 .. 19, like an align
// against a sibling that cannot be found, takes the default place.
#pragma once

#include <string>

#include "ui/widgets/LayoutParameter.h"

namespace ui {

// The underlying type is int so that any stored number, known or not, is a value of the type.
enum RelativeAlign : int {
    // The default place, the panel's top left corner; 1 and 2 name the same place.
    RELATIVE_ALIGN_NONE = 0,
    RELATIVE_ALIGN_PARENT_TOP_LEFT = 1,
    RELATIVE_ALIGN_PARENT_TOP_LEFT_ALT = 2,
    RELATIVE_ALIGN_PARENT_TOP_RIGHT = 3,
    RELATIVE_ALIGN_PARENT_BOTTOM_LEFT = 4,
    RELATIVE_ALIGN_PARENT_CENTER = 5,
    // Top, centred across.
    RELATIVE_ALIGN_PARENT_TOP_CENTER = 6,
    // Left, centred up and down.
    RELATIVE_ALIGN_PARENT_LEFT_MIDDLE = 7,
    // Left of the sibling (8 .. 10): tops level, or bottoms level. The middle one of each group
    // of three has no place of its own: it takes the default place moved by its group's margins.
    RELATIVE_ALIGN_LEFT_OF_TOP = 8,
    RELATIVE_ALIGN_LEFT_OF_MARGINS_ONLY = 9,
    RELATIVE_ALIGN_LEFT_OF_BOTTOM = 10,
    // Right of the sibling (11 .. 13): tops level, or bottoms level.
    RELATIVE_ALIGN_RIGHT_OF_TOP = 11,
    RELATIVE_ALIGN_RIGHT_OF_MARGINS_ONLY = 12,
    RELATIVE_ALIGN_RIGHT_OF_BOTTOM = 13,
    // Above the sibling (14 .. 16): lefts level, or rights level.
    RELATIVE_ALIGN_ABOVE_LEFT = 14,
    RELATIVE_ALIGN_ABOVE_MARGINS_ONLY = 15,
    RELATIVE_ALIGN_ABOVE_RIGHT = 16,
    // Below the sibling (17 .. 19): lefts level, or rights level.
    RELATIVE_ALIGN_BELOW_LEFT = 17,
    RELATIVE_ALIGN_BELOW_MARGINS_ONLY = 18,
    RELATIVE_ALIGN_BELOW_RIGHT = 19,
};

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
    RelativeAlign m_align = RELATIVE_ALIGN_NONE;
    std::string m_relativeWidgetName;
    std::string m_relativeName;
};

}  // namespace ui
