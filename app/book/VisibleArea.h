// The visible rectangle of the view in design points, cached on first use.
#pragma once

#include "engine/base/CCGeometry.h"

namespace app {

class VisibleArea {
public:
    static engine::CCRect rect();
    static engine::CCPoint left();
    static engine::CCPoint right();
    static engine::CCPoint top();
    static engine::CCPoint bottom();
    static engine::CCPoint center();
    // Origin and size; with the book's exact-fit design area (0, 0) and 640 x 960.
    static engine::CCPoint origin();
    static engine::CCSize size();
    // Forgets the cached rectangle (a test that changes the view's design size).
    static void reset();

private:
    static void lazyInit();
};

}  // namespace app
