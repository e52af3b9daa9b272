// The music channel on a real audio device through SDL2_mixer, silent but on time without one.
#include "engine/audio/MixerAudioBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>

#include "engine/base/CCLog.h"

namespace engine {

namespace {
// Small enough that the end of a sentence is noticed within a few hundredths of a second.
constexpr int kChunkSamples = 1024;
}  // namespace

MixerAudioBackend::MixerAudioBackend(bool openDevice)
    : m_device(openDevice ? Device::Unopened : Device::Unavailable) {}

MixerAudioBackend::~MixerAudioBackend() {
    release();
    closeDevice();
}

bool MixerAudioBackend::ensureDevice() {
    if (m_device != Device::Unopened) return m_device == Device::Open;
    m_device = Device::Unavailable;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        CCLog("audio: no audio system (%s); recordings play silently", SDL_GetError());
        return false;
    }
    m_ownsAudioSubsystem = true;
    const int wanted = MIX_INIT_MP3;
    if ((Mix_Init(wanted) & wanted) == wanted) {
        m_ownsDecoders = true;
    } else {
        // Loading will fail per file and fall back to silent playback; say why once here.
        CCLog("audio: no MP3 decoder in SDL2_mixer (%s)", Mix_GetError());
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, kChunkSamples) != 0) {
        CCLog("audio: cannot open an audio device (%s); recordings play silently", Mix_GetError());
        closeDevice();
        return false;
    }
    m_device = Device::Open;
    Mix_VolumeMusic(int(std::lround(m_volume * MIX_MAX_VOLUME)));
    return true;
}

void MixerAudioBackend::closeDevice() {
    if (m_device == Device::Open) Mix_CloseAudio();
    if (m_ownsDecoders) Mix_Quit();
    if (m_ownsAudioSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_ownsDecoders = false;
    m_ownsAudioSubsystem = false;
    if (m_device == Device::Open) m_device = Device::Unavailable;
}

void MixerAudioBackend::release() {
    if (m_music) {
        Mix_HaltMusic();
        Mix_FreeMusic(m_music);
        m_music = nullptr;
    }
    m_source = Source::None;
    m_paused = false;
    m_name.clear();
}

std::uint64_t MixerAudioBackend::clockMs() const { return SDL_GetTicks64(); }

bool MixerAudioBackend::play(const std::string& fullPath, const std::string& name, bool loop) {
    release();
    // The scanner is the gatekeeper for both ways of playing: the decoder would happily try to
    // play random bytes named .mp3, and the silent clock needs the duration anyway.
    const Mp3StreamInfo& info = m_durations.lookup(fullPath);
    if (!info.playable) {
        CCLog("audio: cannot play %s: %s", fullPath.c_str(), info.problem.c_str());
        return false;
    }
    m_name = name;
    m_loop = loop;
    if (ensureDevice()) {
        if (Mix_Music* music = Mix_LoadMUS(fullPath.c_str())) {
            if (Mix_PlayMusic(music, loop ? -1 : 0) == 0) {
                m_music = music;
                m_source = Source::Mixer;
                return true;
            }
            CCLog("audio: SDL2_mixer cannot start %s (%s); playing it silently", fullPath.c_str(),
                  Mix_GetError());
            Mix_FreeMusic(music);
        } else {
            CCLog("audio: SDL2_mixer cannot load %s (%s); playing it silently", fullPath.c_str(),
                  Mix_GetError());
        }
    }
    m_source = Source::Clock;
    m_duration = info.durationSeconds;
    m_startMs = clockMs();
    m_pausedTotalMs = 0;
    return true;
}

void MixerAudioBackend::stop() { release(); }

bool MixerAudioBackend::isPlaying() {
    switch (m_source) {
    case Source::None:
        return false;
    case Source::Mixer:
        if (Mix_PlayingMusic()) return true;
        release();
        return false;
    case Source::Clock: {
        if (m_loop) return true;
        const std::uint64_t now = m_paused ? m_pausedAtMs : clockMs();
        const double elapsed = double(now - m_startMs - m_pausedTotalMs) / 1000.0;
        if (elapsed < m_duration) return true;
        release();
        return false;
    }
    }
    return false;
}

void MixerAudioBackend::setVolume(float volume) {
    m_volume = volume;
    if (m_device == Device::Open) Mix_VolumeMusic(int(std::lround(volume * MIX_MAX_VOLUME)));
}

void MixerAudioBackend::pause() {
    if (m_paused || !isPlaying()) return;
    m_paused = true;
    if (m_source == Source::Mixer) Mix_PauseMusic();
    else m_pausedAtMs = clockMs();
}

void MixerAudioBackend::resume() {
    if (!m_paused || m_source == Source::None) return;
    m_paused = false;
    if (m_source == Source::Mixer) Mix_ResumeMusic();
    else m_pausedTotalMs += clockMs() - m_pausedAtMs;
}

std::string MixerAudioBackend::currentFile() { return isPlaying() ? m_name : std::string(); }

double MixerAudioBackend::currentDuration() const {
    if (m_source == Source::Clock) return m_duration;
    if (m_source == Source::Mixer && m_music) {
        const double d = Mix_MusicDuration(m_music);
        return d > 0.0 ? d : 0.0;
    }
    return 0.0;
}

}  // namespace engine
