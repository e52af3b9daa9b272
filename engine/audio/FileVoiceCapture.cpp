// A WAV file heard as the microphone on the host's clock: the file, then silence.
#include "engine/audio/FileVoiceCapture.h"

#include <SDL.h>

#include <cmath>
#include <cstring>

namespace engine {

bool FileVoiceCapture::load(const std::string& path) {
    m_samples.clear();
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &data, &bytes)) {
        m_error = path + ": not a readable WAV file (" + SDL_GetError() + ")";
        return false;
    }
    SDL_AudioCVT cvt;
    const int built = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, spec.freq);
    if (built < 0) {
        SDL_FreeWAV(data);
        m_error = path + ": cannot convert its samples (" + SDL_GetError() + ")";
        return false;
    }
    std::vector<Uint8> buffer(std::size_t(bytes) * std::size_t(built ? cvt.len_mult : 1));
    std::memcpy(buffer.data(), data, bytes);
    SDL_FreeWAV(data);
    std::size_t converted = bytes;
    if (built) {
        cvt.buf = buffer.data();
        cvt.len = int(bytes);
        if (SDL_ConvertAudio(&cvt) != 0) {
            m_error = path + ": cannot convert its samples (" + SDL_GetError() + ")";
            return false;
        }
        converted = std::size_t(cvt.len_cvt);
    }
    m_samples.resize(converted / sizeof(std::int16_t));
    std::memcpy(m_samples.data(), buffer.data(), m_samples.size() * sizeof(std::int16_t));
    m_rate = spec.freq;
    if (m_samples.empty()) {
        m_error = path + ": the WAV file holds no samples";
        return false;
    }
    m_error.clear();
    return true;
}

bool FileVoiceCapture::start() {
    if (m_rate <= 0) {
        m_problem = "no microphone file was loaded";
        return false;
    }
    m_problem.clear();
    m_listening = true;
    m_startedAt = m_clock();
    m_delivered = 0;
    return true;
}

void FileVoiceCapture::take(std::vector<std::int16_t>& out) {
    if (!m_listening) return;
    const double heard = m_clock() - m_startedAt;
    // Rounded, not cut: clock steps such as 0.1 s are not exact in binary.
    const std::size_t due = heard > 0 ? std::size_t(std::llround(heard * m_rate)) : 0;
    for (; m_delivered < due; ++m_delivered)
        out.push_back(m_delivered < m_samples.size() ? m_samples[m_delivered] : std::int16_t(0));
}

}  // namespace engine
