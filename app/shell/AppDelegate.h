// The application delegate: configures the director and shows the contents screen.
#pragma once

#include "engine/base/CCGeometry.h"
#include "engine/host/CCApplication.h"

namespace app {

class AppDelegate : public engine::CCApplication {
public:
    AppDelegate();
    ~AppDelegate() override;

    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
};

// The window's frame size from the usable desktop height h: (h / 1.4, h x 0.94).
engine::CCSize frameSizeForDesktopHeight(int h);

}  // namespace app
