// The application delegate: installs the screens, configures the director and shows the
// contents screen.
#pragma once

#include <string>

#include "app/shell/ScreenBuilder.h"
#include "app/shell/StartupCheck.h"
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
    // Ends the start-up book check (its thread must not outlive the media libraries).
    void applicationWillTerminate() override;

    // Makes the launch start a check of bookDir beside the main loop (StartupCheck); off unless
    // asked, so the many readers tests start stay quiet.
    void checkBookAtLaunch(const std::string& bookDir) { m_bookToCheck = bookDir; }
    // The running check, or null.
    StartupCheck* startupCheck() { return m_check; }

private:
    ScreenBuilder m_screens;
    std::string m_bookToCheck;
    StartupCheck* m_check = nullptr;
};

// The window's frame size from the usable desktop height h: (h / 1.4, h x 0.94).
engine::CCSize frameSizeForDesktopHeight(int h);

}  // namespace app
