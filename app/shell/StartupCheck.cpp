// Watching the start-up book check from the main loop.
#include "app/shell/StartupCheck.h"

#include "app/check/BackgroundCheck.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCScheduler.h"

using namespace engine;

namespace app {

namespace {

// How often the main loop looks whether the check has ended; the check takes about a second.
constexpr float kWatchInterval = 0.25f;

}  // namespace

StartupCheck::StartupCheck(const std::string& bookDir) : m_check(std::make_unique<BackgroundCheck>(bookDir)) {
    CCDirector::sharedDirector()->getScheduler()->scheduleSelector(schedule_selector(StartupCheck::watch), this,
                                                                   kWatchInterval, false);
    m_watching = true;
}

StartupCheck::~StartupCheck() {
    // The scheduler holds a reference while it watches, so the watch has ended by now; the
    // thread still has to be waited for.
    m_check->stop();
}

void StartupCheck::watch(float) {
    if (!m_check->ended()) return;
    logSummary();
    stop();
}

void StartupCheck::logSummary() {
    if (!m_summary.empty()) return;
    m_summary = summaryLine(m_check->report());
    CCLog("%s", m_summary.c_str());
}

std::string StartupCheck::finish() {
    m_check->wait();
    logSummary();
    return m_summary;
}

void StartupCheck::stop() {
    if (m_check->ended()) logSummary();
    m_check->stop();
    if (m_watching) {
        m_watching = false;
        // Last: the scheduler may hold the last reference but one.
        CCDirector::sharedDirector()->getScheduler()->unscheduleSelector(schedule_selector(StartupCheck::watch), this);
    }
}

}  // namespace app
