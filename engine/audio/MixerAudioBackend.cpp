// The music channel on a real audio device through SDL2_mixer, silent but on time without one.
#include "engine/audio/MixerAudioBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstring>

#include "engine/audio/TimeStretch.h"
#include "engine/base/CCLog.h"

namespace engine {

namespace {
// Small enough that the end of a sentence is noticed within a few hundredths of a second.
constexpr int kChunkSamples = 1024;
// The mixer channel of stretched recordings and voices (the music stream is separate).
constexpr int kChunkChannel = 0;

struct PcmFormat {
    SDL_AudioFormat format;
    int channels;
    int rate;
};

PcmFormat deviceFormat() {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    return PcmFormat{format, channels, rate};
}

// Whole buffers from one sample format to another; empty when SDL cannot convert them.
std::vector<std::uint8_t> convertPcm(const void* data, std::size_t bytes, const PcmFormat& from, const PcmFormat& to) {
    SDL_AudioCVT cvt;
    const int built = SDL_BuildAudioCVT(&cvt, from.format, Uint8(from.channels), from.rate, to.format,
                                        Uint8(to.channels), to.rate);
    const auto* first = static_cast<const std::uint8_t*>(data);
    if (built < 0) return {};
    if (built == 0) return std::vector<std::uint8_t>(first, first + bytes);
    cvt.len = int(bytes);
    std::vector<std::uint8_t> buffer(bytes * std::size_t(cvt.len_mult));
    std::memcpy(buffer.data(), data, bytes);
    cvt.buf = buffer.data();
    if (SDL_ConvertAudio(&cvt) != 0) return {};
    buffer.resize(std::size_t(cvt.len_cvt));
    return buffer;
}

std::size_t frameBytes(const PcmFormat& f) { return std::size_t(SDL_AUDIO_BITSIZE(f.format) / 8) * std::size_t(f.channels); }
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
    if (m_chunk) {
        Mix_HaltChannel(kChunkChannel);
        // A chunk over our own buffer: freeing it leaves the buffer to us.
        Mix_FreeChunk(m_chunk);
        m_chunk = nullptr;
    }
    m_samples.clear();
    m_samples.shrink_to_fit();
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
    const double rate = this->rate();
    if (ensureDevice()) {
        if (rate != 1.0) {
            if (loadStretched(fullPath, rate) && startChunk(loop)) return true;
        } else if (Mix_Music* music = Mix_LoadMUS(fullPath.c_str())) {
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
    startClock(info.durationSeconds / rate);
    return true;
}

bool MixerAudioBackend::loadStretched(const std::string& fullPath, double rate) {
    Mix_Chunk* decoded = Mix_LoadWAV(fullPath.c_str());
    if (!decoded) {
        CCLog("audio: SDL2_mixer cannot decode %s (%s); playing it silently", fullPath.c_str(), Mix_GetError());
        return false;
    }
    const PcmFormat device = deviceFormat();
    const PcmFormat floats{AUDIO_F32SYS, device.channels, device.rate};
    std::vector<std::uint8_t> in = convertPcm(decoded->abuf, decoded->alen, device, floats);
    Mix_FreeChunk(decoded);
    if (in.empty() || device.channels <= 0) {
        CCLog("audio: cannot prepare %s for stretching (%s); playing it silently", fullPath.c_str(), SDL_GetError());
        return false;
    }
    const std::size_t frames = in.size() / frameBytes(floats);
    const std::vector<float> stretched =
        stretchKeepingPitch(reinterpret_cast<const float*>(in.data()), frames, device.channels, device.rate, rate);
    m_samples = convertPcm(stretched.data(), stretched.size() * sizeof(float), floats, device);
    return !m_samples.empty();
}

bool MixerAudioBackend::startChunk(bool loop) {
    const PcmFormat device = deviceFormat();
    m_chunkSeconds = double(m_samples.size() / frameBytes(device)) / device.rate;
    m_chunk = Mix_QuickLoad_RAW(m_samples.data(), Uint32(m_samples.size()));
    if (m_chunk && Mix_PlayChannel(kChunkChannel, m_chunk, loop ? -1 : 0) == kChunkChannel) {
        Mix_Volume(kChunkChannel, int(std::lround(m_volume * MIX_MAX_VOLUME)));
        m_source = Source::Chunk;
        return true;
    }
    CCLog("audio: SDL2_mixer cannot start %s (%s); playing it silently", m_name.c_str(), Mix_GetError());
    if (m_chunk) Mix_FreeChunk(m_chunk);
    m_chunk = nullptr;
    m_samples.clear();
    return false;
}

void MixerAudioBackend::startClock(double seconds) {
    m_source = Source::Clock;
    m_duration = seconds;
    m_startMs = clockMs();
    m_pausedTotalMs = 0;
}

bool MixerAudioBackend::playVoice(const std::vector<std::int16_t>& samples, int sampleRate) {
    release();
    if (samples.empty() || sampleRate <= 0) return false;
    m_name = kVoiceName;
    m_loop = false;
    const double seconds = double(samples.size()) / sampleRate;
    if (ensureDevice()) {
        m_samples = convertPcm(samples.data(), samples.size() * sizeof(std::int16_t),
                               PcmFormat{AUDIO_S16SYS, 1, sampleRate}, deviceFormat());
        if (!m_samples.empty() && startChunk(false)) return true;
    }
    startClock(seconds);
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
    case Source::Chunk:
        if (Mix_Playing(kChunkChannel)) return true;
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
    if (m_device != Device::Open) return;
    Mix_VolumeMusic(int(std::lround(volume * MIX_MAX_VOLUME)));
    Mix_Volume(kChunkChannel, int(std::lround(volume * MIX_MAX_VOLUME)));
}

void MixerAudioBackend::pause() {
    if (m_paused || !isPlaying()) return;
    m_paused = true;
    if (m_source == Source::Mixer) Mix_PauseMusic();
    else if (m_source == Source::Chunk) Mix_Pause(kChunkChannel);
    else m_pausedAtMs = clockMs();
}

void MixerAudioBackend::resume() {
    if (!m_paused || m_source == Source::None) return;
    m_paused = false;
    if (m_source == Source::Mixer) Mix_ResumeMusic();
    else if (m_source == Source::Chunk) Mix_Resume(kChunkChannel);
    else m_pausedTotalMs += clockMs() - m_pausedAtMs;
}

std::string MixerAudioBackend::currentFile() { return isPlaying() ? m_name : std::string(); }

double MixerAudioBackend::currentDuration() const {
    if (m_source == Source::Clock) return m_duration;
    if (m_source == Source::Chunk) return m_chunkSeconds;
    if (m_source == Source::Mixer && m_music) {
        const double d = Mix_MusicDuration(m_music);
        return d > 0.0 ? d : 0.0;
    }
    return 0.0;
}

}  // namespace engine
