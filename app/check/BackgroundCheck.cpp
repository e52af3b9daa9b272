// The check's thread: lowered priority, the report handed over through an atomic flag.
#include "app/check/BackgroundCheck.h"

#include <sys/resource.h>
#include <unistd.h>

#include "app/check/BookCheck.h"
#include "engine/render/CCImageFile.h"

namespace app {

namespace {

// The niceness the check runs at: the main loop, the audio and the child's touches come first.
constexpr int kCheckNiceness = 10;

}  // namespace

BackgroundCheck::BackgroundCheck(const std::string& bookDir) {
    engine::prepareImageDecoding();
    m_thread = std::thread(&BackgroundCheck::run, this, bookDir);
}

BackgroundCheck::~BackgroundCheck() { stop(); }

void BackgroundCheck::run(std::string bookDir) {
    // On Linux a priority set for the thread's own id applies to that thread alone.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kCheckNiceness);
    CheckControl control;
    control.stop = &m_stop;
    m_report = checkBook(bookDir, control);
    engine::endImageDecodingOnThisThread();
    m_ended.store(true, std::memory_order_release);
}

void BackgroundCheck::wait() {
    if (m_thread.joinable()) m_thread.join();
}

void BackgroundCheck::stop() {
    m_stop.store(true);
    wait();
}

}  // namespace app
