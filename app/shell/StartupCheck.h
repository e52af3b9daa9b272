// The book check the reader runs when it starts: on its own thread (BackgroundCheck), watched
// from the main loop, which logs its one-line summary through the engine's log once it ends,
// so a broken book is explained in the log rather than shown as blank pages.
#pragma once

#include <memory>
#include <string>

#include "engine/base/CCObject.h"

namespace app {

class BackgroundCheck;

class StartupCheck : public engine::CCObject {
public:
    // Starts checking bookDir and watches the check from the director's scheduler.
    explicit StartupCheck(const std::string& bookDir);
    ~StartupCheck() override;

    // Waits for the check to end, logs its summary if that has not happened yet, and returns it.
    std::string finish();
    // Ends the watch: logs the summary of a check that has ended; stops one that has not,
    // without a line. Call before the director goes.
    void stop();

private:
    void watch(float elapsed);
    void logSummary();

    std::unique_ptr<BackgroundCheck> m_check;
    std::string m_summary;  // empty until logged
    bool m_watching = false;
};

}  // namespace app
