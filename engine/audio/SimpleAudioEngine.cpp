// The audio engine the book calls: one music channel, one file at a time, on a chosen backend.
#include "engine/audio/SimpleAudioEngine.h"

#include <cmath>
#include <string>

#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/SdlVoiceCapture.h"
#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"

namespace engine {

namespace {
SimpleAudioEngine* s_shared = nullptr;
}  // namespace

SimpleAudioEngine* SimpleAudioEngine::sharedEngine() {
    if (!s_shared) s_shared = new SimpleAudioEngine();
    return s_shared;
}

void SimpleAudioEngine::end() {
    delete s_shared;
    s_shared = nullptr;
}

SimpleAudioEngine::SimpleAudioEngine() : m_backend(std::make_unique<MixerAudioBackend>()) {}

SimpleAudioEngine::~SimpleAudioEngine() {
    if (m_capture) m_capture->stop();
    if (m_backend) m_backend->stop();
}

void SimpleAudioEngine::setBackend(std::unique_ptr<AudioBackend> backend) {
    if (!backend) {
        CCLog("audio: refusing an empty audio backend; keeping the current one");
        return;
    }
    if (m_backend) m_backend->stop();
    // The old backend goes before the new one is used: SDL2_mixer has one music stream.
    m_backend.reset();
    m_backend = std::move(backend);
    m_backend->setVolume(m_volume);
    m_backend->setRate(m_rate);
}

void SimpleAudioEngine::playBackgroundMusic(const char* path, bool loop) {
    if (!path || !*path) {
        // Still a request to replace the music: what played before stops, as for a missing file.
        m_backend->stop();
        CCLog("audio: playBackgroundMusic without a file name");
        return;
    }
    const std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(path);
    m_backend->play(fullPath, path, loop);
}

void SimpleAudioEngine::stopBackgroundMusic(bool /*releaseData*/) { m_backend->stop(); }

void SimpleAudioEngine::pauseBackgroundMusic() { m_backend->pause(); }

void SimpleAudioEngine::resumeBackgroundMusic() { m_backend->resume(); }

bool SimpleAudioEngine::isBackgroundMusicPlaying() { return m_backend->isPlaying(); }

void SimpleAudioEngine::setBackgroundMusicVolume(float volume) {
    if (std::isnan(volume)) return;
    m_volume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    m_backend->setVolume(m_volume);
}

}  // namespace engine

namespace engine {

void SimpleAudioEngine::setNarrationRate(double rate) {
    if (std::isnan(rate)) return;
    m_rate = rate < kSlowestRate ? kSlowestRate : (rate > kFastestRate ? kFastestRate : rate);
    m_backend->setRate(m_rate);
}

bool SimpleAudioEngine::playVoice(const std::vector<std::int16_t>& samples, int sampleRate) {
    return m_backend->playVoice(samples, sampleRate);
}

void SimpleAudioEngine::setVoiceCapture(std::unique_ptr<VoiceCapture> capture) {
    if (m_capture) m_capture->stop();
    m_capture = std::move(capture);
}

VoiceCapture* SimpleAudioEngine::voiceCapture() {
    if (!m_capture) m_capture = std::make_unique<SdlVoiceCapture>();
    return m_capture.get();
}

}  // namespace engine
