// espeak-ng's synchronous mode: each text is synthesised in the calling thread, its samples handed
// to a callback that collects them.
#include "tools/bookkit/Speech.h"

#include <espeak-ng/speak_lib.h>

namespace bookkit {

namespace {

int sampleRate = 0;

int collect(short* wave, int count, espeak_EVENT* events) {
    if (wave && count > 0 && events && events->user_data) {
        auto* samples = static_cast<std::vector<float>*>(events->user_data);
        for (int i = 0; i < count; ++i) {
            samples->push_back(static_cast<float>(wave[i]) / 32768.0f);
        }
    }
    return 0;  // go on
}

// A voice file name ("en-us"), or a language ("en-gb", "fr") whose best voice is taken. espeak-ng
// answers a language it does not know with the nearest one it has: only one of the same language
// counts, so a misspelt voice is an error and not speech in another tongue.
bool selectVoice(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    if (espeak_SetVoiceByName(name.c_str()) == EE_OK) {
        return true;
    }
    espeak_VOICE wanted{};
    wanted.languages = name.c_str();
    const espeak_VOICE** found = espeak_ListVoices(&wanted);
    if (!found || !found[0] || !found[0]->languages) {
        return false;
    }
    const std::string language = found[0]->languages + 1;  // after the priority byte
    const std::string primary = name.substr(0, name.find('-'));
    if (language.compare(0, primary.size(), primary) != 0) {
        return false;
    }
    return espeak_SetVoiceByName(found[0]->name) == EE_OK;
}

}  // namespace

Speaker::Speaker() = default;

Speaker::~Speaker() {
    if (open_) {
        espeak_Terminate();
    }
}

bool Speaker::open(const Voice& voice, std::string& error) {
    if (!open_) {
        sampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        if (sampleRate <= 0) {
            error = "espeak-ng cannot start (is its data, package espeak-ng-data, installed?)";
            return false;
        }
        espeak_SetSynthCallback(collect);
        open_ = true;
    }
    if (!selectVoice(voice.name)) {
        error = "espeak-ng has no voice \"" + voice.name + "\"";
        return false;
    }
    espeak_SetParameter(espeakRATE, voice.speed, 0);
    espeak_SetParameter(espeakPITCH, voice.pitch, 0);
    return true;
}

bool Speaker::speak(const std::string& text, Pcm& out, std::string& error) {
    out = Pcm{};
    if (!open_) {
        error = "espeak-ng is not started";
        return false;
    }
    std::vector<float> samples;
    const espeak_ERROR rc = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                                         nullptr, &samples);
    if (rc != EE_OK || espeak_Synchronize() != EE_OK) {
        error = "espeak-ng could not speak \"" + text + "\"";
        return false;
    }
    if (samples.empty()) {
        error = "espeak-ng made no sound for \"" + text + "\"";
        return false;
    }
    out.rate = sampleRate;
    out.channels = 1;
    out.samples = std::move(samples);
    return true;
}

}  // namespace bookkit
