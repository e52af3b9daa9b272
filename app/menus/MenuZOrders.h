// Drawing order within the contents screen and the unit menus: entries above the screen's own
// pictures, the focus ring above every entry.
#pragma once

namespace app {

// An entry's z order is this plus its place in the list, so the order tells which entry it is.
constexpr int kEntryZOrderBase = 10000;
constexpr int kFocusZOrder = 100000;

}  // namespace app
