// The touch protocol every scrolling container follows: press, drag step, release, and touches that begin on a child.
//
// A container sees its own touches through the widget touch phases and its descendants'
// touches through notifyChildTouch; both end up in these four operations, so a drag that
// starts on a button inside the container still moves the container.
#pragma once

#include "engine/base/CCGeometry.h"

namespace ui {

class UIWidget;

class UIScrollInterface {
public:
    virtual ~UIScrollInterface();

    // Points are in world coordinates, as the touch router hands them out.
    virtual void onScrollPress(const engine::CCPoint& touchPoint) = 0;
    virtual void onScrollMove(const engine::CCPoint& touchPoint) = 0;
    virtual void onScrollRelease(const engine::CCPoint& touchPoint) = 0;
    // touchState: 0 began, 1 moved, 2 ended, 3 cancelled (the TouchEventType numbers).
    virtual void onChildTouch(int touchState, UIWidget* sender, const engine::CCPoint& touchPoint) = 0;
};

}  // namespace ui
