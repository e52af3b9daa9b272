// The microphone through SDL's audio capture device: queued capture, converted by SDL to mono
// 16-bit at a fixed rate.
#include "engine/audio/SdlVoiceCapture.h"

#include "engine/base/CCLog.h"

namespace engine {

SdlVoiceCapture::~SdlVoiceCapture() { stop(); }

bool SdlVoiceCapture::start() {
    stop();
    m_problem.clear();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_problem = std::string("no audio system (") + SDL_GetError() + ")";
        return false;
    }
    m_ownsAudioSubsystem = true;
    const char* driver = SDL_GetCurrentAudioDriver();
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = kSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    SDL_AudioSpec have;
    m_device = SDL_OpenAudioDevice(nullptr, 1, &want, &have, 0);
    if (m_device == 0) {
        m_problem = std::string("no microphone could be opened (audio driver ") + (driver ? driver : "none") +
                    ": " + SDL_GetError() + ")";
        stop();
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    CCLog("audio: listening on the microphone (audio driver %s)", driver ? driver : "none");
    return true;
}

void SdlVoiceCapture::stop() {
    if (m_device != 0) SDL_CloseAudioDevice(m_device);
    m_device = 0;
    if (m_ownsAudioSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_ownsAudioSubsystem = false;
}

void SdlVoiceCapture::take(std::vector<std::int16_t>& out) {
    if (m_device == 0) return;
    std::int16_t block[2048];
    for (;;) {
        const Uint32 got = SDL_DequeueAudio(m_device, block, sizeof block);
        if (got == 0) break;
        out.insert(out.end(), block, block + got / sizeof(std::int16_t));
    }
}

}  // namespace engine
