// The application delegate: installs the screens, configures the director and shows the
// contents screen.
#pragma once

#include "app/shell/ScreenBuilder.h"
#include "engine/base/CCGeometry.h"
#include "engine/host/CCApplication.h"

namespace app {

class AppDelegate : public engine::CCApplication {
public:
    // Installs this application's screens for every navigation; the destructor uninstalls them.
    AppDelegate();
    ~AppDelegate() override;

    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;

private:
    ScreenBuilder m_screens;
};

// The window's frame size from the usable desktop height h: (h / 1.4, h x 0.94).
engine::CCSize frameSizeForDesktopHeight(int h);

}  // namespace app
