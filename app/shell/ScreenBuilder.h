// The reader's screens as the navigation asks for them: builds each screen in its scene and
// replaces the running scene with it, through the transition that screen enters with.
#pragma once

#include "app/navigation/Screens.h"

namespace app {

class ScreenBuilder : public Screens {
public:
    void showContents() override;
    void showUnitMenu() override;
    void showPage(PageTwin twin, PageEntry entry, int direction) override;
    void showSettings() override;
};

}  // namespace app
