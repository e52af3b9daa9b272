// What every label shares: the string interface and the text alignment values.
#pragma once

namespace engine {

// Horizontal placement of each line inside the label's box.
enum CCTextAlignment {
    kCCTextAlignmentLeft = 0,
    kCCTextAlignmentCenter = 1,
    kCCTextAlignmentRight = 2,
};

// Vertical placement of the text block inside a box of fixed height.
enum CCVerticalTextAlignment {
    kCCVerticalTextAlignmentTop = 0,
    kCCVerticalTextAlignmentCenter = 1,
    kCCVerticalTextAlignmentBottom = 2,
};

// Menu items and widgets change a label's text without knowing which kind of label it is.
class CCLabelProtocol {
public:
    virtual ~CCLabelProtocol() = default;
    // Null is taken as the empty string.
    virtual void setString(const char* text) = 0;
    virtual const char* getString() const = 0;
};

}  // namespace engine
