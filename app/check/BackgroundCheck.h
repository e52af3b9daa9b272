// The book check on a thread of its own, at low priority, so the reader starts and runs while
// it looks at every file. Owned by the main thread: it asks whether the check has ended, reads
// the report once it has, and stops it (waiting for the thread) before the media libraries go.
#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "app/check/CheckReport.h"

namespace app {

class BackgroundCheck {
public:
    // Starts checking bookDir. Sets up the image decoders first, on the calling thread.
    explicit BackgroundCheck(const std::string& bookDir);
    // Stops the check and waits for its thread.
    ~BackgroundCheck();
    BackgroundCheck(const BackgroundCheck&) = delete;
    BackgroundCheck& operator=(const BackgroundCheck&) = delete;

    // The check has ended (or was stopped) and its report may be read.
    bool ended() const { return m_ended.load(std::memory_order_acquire); }
    // Blocks until the check has ended.
    void wait();
    // Asks the check to end after the file it is reading, and waits for it. A report cut short
    // this way says so (finished is false).
    void stop();
    // Only once ended().
    const CheckReport& report() const { return m_report; }

private:
    void run(std::string bookDir);

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_ended{false};
    CheckReport m_report;
    std::thread m_thread;
};

}  // namespace app
