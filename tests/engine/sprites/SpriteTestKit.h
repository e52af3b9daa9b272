// The sprite tests' picture: four coloured quadrants, so any mirroring or turning shows.
#pragma once

#include "../render/RenderTestKit.h"

namespace spritetest {

using rendertest::Rgba;
using rendertest::kBlue;
using rendertest::kGreen;
using rendertest::kRed;
using rendertest::kYellow;

// A 40 x 20 image in four quadrants: red top left, green top right, blue bottom left, yellow
// bottom right. Any mirroring or turning shows as quadrants in the wrong place.
inline Rgba quadrant(int x, int y) {
    bool right = x >= 20, bottom = y >= 10;
    if (!bottom) return right ? kGreen : kRed;
    return right ? kYellow : kBlue;
}

}  // namespace spritetest
