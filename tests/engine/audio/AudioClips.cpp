// Real speech recordings for the audio tests, made once per test program with espeak-ng and lame.
#include "AudioClips.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace audiotest {

namespace {

std::string g_reason;

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
void putLe32(std::vector<unsigned char>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<unsigned char>(x >> (8 * i));
}
void putLe16(std::vector<unsigned char>& v, std::size_t at, std::uint16_t x) {
    v[at] = static_cast<unsigned char>(x);
    v[at + 1] = static_cast<unsigned char>(x >> 8);
}

bool run(const std::string& command) {
    if (std::system(command.c_str()) == 0) return true;
    g_reason = "command failed: " + command;
    return false;
}

std::string quoted(const std::string& s) { return "'" + s + "'"; }

bool speak(const std::string& text, const std::string& wav) {
    return run("espeak-ng -w " + quoted(wav) + " " + quoted(text) + " >/dev/null 2>&1");
}

bool encode(const std::string& options, const std::string& wav, const std::string& mp3) {
    return run("lame --quiet " + options + " " + quoted(wav) + " " + quoted(mp3) + " 2>/dev/null");
}

bool describe(Clip& clip, const std::string& wav, const std::string& mp3) {
    clip.wav = wav;
    clip.mp3 = mp3;
    clip.wavSeconds = wavDuration(wav, &clip.wavRate, &clip.wavChannels);
    if (clip.wavSeconds <= 0.0 || !std::filesystem::exists(mp3)) {
        g_reason = "no usable recording " + mp3;
        return false;
    }
    return true;
}

// The mono speech as 16-bit stereo: left as spoken, right at half level, so the channels differ.
bool makeStereo(const std::string& monoWav, const std::string& stereoWav) {
    std::vector<unsigned char> in = readBytes(monoWav);
    int rate = 0, channels = 0;
    if (wavDuration(monoWav, &rate, &channels) <= 0.0 || channels != 1) {
        g_reason = "espeak-ng did not write mono 16-bit PCM";
        return false;
    }
    std::size_t pos = 12, dataAt = 0, dataLen = 0;
    while (pos + 8 <= in.size()) {
        const std::uint32_t len = le32(&in[pos + 4]);
        if (std::memcmp(&in[pos], "data", 4) == 0) {
            dataAt = pos + 8;
            dataLen = std::min<std::size_t>(len, in.size() - dataAt);
            break;
        }
        pos += 8 + len + (len & 1u);
    }
    const std::size_t samples = dataLen / 2;
    std::vector<unsigned char> out(44 + samples * 4);
    std::memcpy(&out[0], "RIFF", 4);
    putLe32(out, 4, std::uint32_t(out.size() - 8));
    std::memcpy(&out[8], "WAVEfmt ", 8);
    putLe32(out, 16, 16);
    putLe16(out, 20, 1);
    putLe16(out, 22, 2);
    putLe32(out, 24, std::uint32_t(rate));
    putLe32(out, 28, std::uint32_t(rate * 4));
    putLe16(out, 32, 4);
    putLe16(out, 34, 16);
    std::memcpy(&out[36], "data", 4);
    putLe32(out, 40, std::uint32_t(samples * 4));
    for (std::size_t i = 0; i < samples; ++i) {
        const auto s = static_cast<std::int16_t>(le16(&in[dataAt + 2 * i]));
        putLe16(out, 44 + 4 * i, static_cast<std::uint16_t>(s));
        putLe16(out, 46 + 4 * i, static_cast<std::uint16_t>(static_cast<std::int16_t>(s / 2)));
    }
    writeBytes(stereoWav, out);
    return true;
}

struct Holder {
    AudioClips clips;
    bool ok = false;
    ~Holder() {
        std::error_code ec;
        if (!clips.dir.empty()) std::filesystem::remove_all(clips.dir, ec);
    }
};

bool make(AudioClips& c) {
    if (std::system("command -v espeak-ng >/dev/null 2>&1") != 0) {
        g_reason = "espeak-ng is not installed";
        return false;
    }
    if (std::system("command -v lame >/dev/null 2>&1") != 0) {
        g_reason = "lame is not installed";
        return false;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "quirel-audio-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        g_reason = "cannot make a temporary directory";
        return false;
    }
    c.dir = pattern;
    const std::string d = c.dir + "/";
    const bool made =
        speak("Hello there", d + "short.wav") &&
        speak("Once upon a time, a little fox walked through the quiet green forest to find "
              "his friend.",
              d + "long.wav") &&
        speak("The fox reads a book.", d + "medium.wav") &&
        makeStereo(d + "short.wav", d + "stereo.wav") &&
        encode("-b 32", d + "short.wav", d + "short_cbr.mp3") &&
        encode("-b 64", d + "short.wav", d + "short_info.mp3") &&
        encode("-b 64 --id3v2-only --tt 'The fox' --pad-id3v2-size 512", d + "short.wav",
               d + "short_id3.mp3") &&
        encode("-b 64", d + "long.wav", d + "long_info.mp3") &&
        encode("-V 5", d + "long.wav", d + "long_vbr.mp3") &&
        encode("-b 128 --resample 44.1 -m j", d + "stereo.wav", d + "stereo44.mp3") &&
        encode("-b 64", d + "medium.wav", d + "medium.mp3");
    if (!made) return false;
    if (!describe(c.shortCbr, d + "short.wav", d + "short_cbr.mp3") ||
        !describe(c.shortInfo, d + "short.wav", d + "short_info.mp3") ||
        !describe(c.shortId3, d + "short.wav", d + "short_id3.mp3") ||
        !describe(c.longInfo, d + "long.wav", d + "long_info.mp3") ||
        !describe(c.longVbr, d + "long.wav", d + "long_vbr.mp3") ||
        !describe(c.stereo44, d + "stereo.wav", d + "stereo44.mp3") ||
        !describe(c.medium, d + "medium.wav", d + "medium.mp3"))
        return false;

    writeBytes(d + "empty.mp3", {});
    writeBytes(d + "random.mp3", randomBytes(48 * 1024, 7));
    const std::string text = "Once upon a time there was no audio in this file at all.\n";
    writeBytes(d + "text.mp3", std::vector<unsigned char>(text.begin(), text.end()));
    // The Info frame and a piece of the first audio frame: nothing a decoder could play.
    std::vector<unsigned char> info = readBytes(c.shortInfo.mp3);
    info.resize(std::min<std::size_t>(info.size(), 300));
    writeBytes(d + "cut_header.mp3", info);
    std::filesystem::copy_file(d + "short.wav", d + "wave.mp3");
    c.badFiles = {{"missing file", d + "no_such_file.mp3"},
                  {"zero-byte file", d + "empty.mp3"},
                  {"random bytes", d + "random.mp3"},
                  {"text renamed .mp3", d + "text.mp3"},
                  {"MP3 cut inside its first frame", d + "cut_header.mp3"},
                  {"WAV renamed .mp3", d + "wave.mp3"},
                  {"a directory", c.dir}};
    return true;
}

}  // namespace

const AudioClips* AudioClips::get() {
    static Holder holder;
    static bool tried = false;
    if (!tried) {
        tried = true;
        holder.ok = make(holder.clips);
    }
    return holder.ok ? &holder.clips : nullptr;
}

const std::string& AudioClips::reason() { return g_reason; }

double wavDuration(const std::string& path, int* rate, int* channels) {
    const std::vector<unsigned char> b = readBytes(path);
    if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0)
        return -1.0;
    std::uint32_t byteRate = 0;
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        std::uint32_t len = le32(&b[pos + 4]);
        if (std::memcmp(&b[pos], "fmt ", 4) == 0 && pos + 24 <= b.size()) {
            if (channels) *channels = le16(&b[pos + 10]);
            if (rate) *rate = int(le32(&b[pos + 12]));
            byteRate = le32(&b[pos + 16]);
        } else if (std::memcmp(&b[pos], "data", 4) == 0) {
            // A writer that streams leaves the length open; then the data runs to the end.
            const std::size_t available = b.size() - (pos + 8);
            if (len == 0 || len == 0xFFFFFFFFu || len > available) len = std::uint32_t(available);
            return byteRate ? double(len) / double(byteRate) : -1.0;
        }
        pos += 8 + std::size_t(len) + (len & 1u);
    }
    return -1.0;
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<unsigned char> randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<unsigned char> v(n);
    for (auto& x : v) x = static_cast<unsigned char>(rng() & 0xFFu);
    return v;
}

}  // namespace audiotest
