// The music channel of headless runs: files "play" for their real duration on a virtual clock.
#include "engine/audio/VirtualClockAudioBackend.h"

#include <cmath>

#include "engine/base/CCLog.h"

namespace engine {

bool VirtualClockAudioBackend::play(const std::string& fullPath, const std::string& name,
                                    bool loop) {
    cutShort();
    const Mp3StreamInfo& info = m_durations.lookup(fullPath);
    if (!info.playable) {
        CCLog("audio: cannot play %s: %s", fullPath.c_str(), info.problem.c_str());
        record(m_now, "fail", name);
        return false;
    }
    m_playing = true;
    m_paused = false;
    m_loop = loop;
    m_name = name;
    m_fullPath = fullPath;
    m_duration = info.durationSeconds / rate();
    m_position = 0.0;
    record(m_now, "play", name);
    return true;
}

bool VirtualClockAudioBackend::playVoice(const std::vector<std::int16_t>& samples, int sampleRate) {
    cutShort();
    if (samples.empty() || sampleRate <= 0) return false;
    m_playing = true;
    m_paused = false;
    m_loop = false;
    m_name = kVoiceName;
    m_fullPath = kVoiceName;
    m_duration = double(samples.size()) / sampleRate;
    m_position = 0.0;
    m_lastVoice = samples;
    m_lastVoiceRate = sampleRate;
    record(m_now, "play", m_name);
    return true;
}

void VirtualClockAudioBackend::cutShort() {
    if (!m_playing) return;
    record(m_now, "stop", m_name);
    m_playing = false;
    m_paused = false;
}

void VirtualClockAudioBackend::stop() { cutShort(); }

bool VirtualClockAudioBackend::isPlaying() { return m_playing; }

void VirtualClockAudioBackend::pause() {
    if (!m_playing || m_paused) return;
    m_paused = true;
    record(m_now, "pause", m_name);
}

void VirtualClockAudioBackend::resume() {
    if (!m_playing || !m_paused) return;
    m_paused = false;
    record(m_now, "resume", m_name);
}

std::string VirtualClockAudioBackend::currentFile() { return m_playing ? m_name : std::string(); }

std::string VirtualClockAudioBackend::currentFullPath() const {
    return m_playing ? m_fullPath : std::string();
}

double VirtualClockAudioBackend::currentDuration() const { return m_playing ? m_duration : 0.0; }

double VirtualClockAudioBackend::currentPosition() const { return m_playing ? m_position : 0.0; }

double VirtualClockAudioBackend::durationOf(const std::string& fullPath) {
    const Mp3StreamInfo& info = m_durations.lookup(fullPath);
    return info.playable ? info.durationSeconds / rate() : -1.0;
}

void VirtualClockAudioBackend::advance(float dt) {
    if (!std::isfinite(dt) || dt <= 0.0f) return;
    const double step = dt;
    const double before = m_now;
    m_now += step;
    if (!m_playing || m_paused) return;
    m_position += step;
    if (m_position < m_duration) return;
    if (m_loop) {
        m_position = std::fmod(m_position, m_duration);
        return;
    }
    // Logged at the moment the file ran out rather than at the end of the frame, so a script
    // can compare it with the recording's length.
    const double endedAt = before + (m_duration - (m_position - step));
    record(endedAt, "end", m_name);
    m_playing = false;
    m_position = 0.0;
}

void VirtualClockAudioBackend::record(double t, const char* op, const std::string& file) {
    m_log.push_back(AudioLogEntry{t, op, file});
}

}  // namespace engine
