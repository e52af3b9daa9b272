// WAV files, tones and MP3s for the audio tests.
#include "support/Sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "support/TestSupport.h"

namespace testsupport {

namespace {
void put32(std::string& s, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) s.push_back(char((x >> (8 * i)) & 0xff));
}
void put16(std::string& s, std::uint16_t x) {
    s.push_back(char(x & 0xff));
    s.push_back(char(x >> 8));
}
std::uint32_t get32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
}  // namespace

std::vector<std::int16_t> tone(double hz, double seconds, int rate, double amplitude) {
    const std::size_t n = std::size_t(std::llround(seconds * rate));
    std::vector<std::int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = std::int16_t(std::lround(amplitude * 32767.0 * std::sin(2.0 * M_PI * hz * double(i) / rate)));
    return out;
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate) {
    std::string s = "RIFF";
    const std::uint32_t data = std::uint32_t(samples.size() * 2);
    put32(s, 36 + data);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);
    put16(s, 1);
    put32(s, std::uint32_t(rate));
    put32(s, std::uint32_t(rate * 2));
    put16(s, 2);
    put16(s, 16);
    s += "data";
    put32(s, data);
    for (std::int16_t x : samples) put16(s, std::uint16_t(x));
    std::ofstream f(path, std::ios::binary);
    f << s;
    f.close();
    EXPECT_TRUE(f.good()) << "cannot write " << path;
    return f.good();
}

std::vector<std::int16_t> readWav(const std::string& path, int* rate) {
    std::ifstream f(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) return {};
    std::size_t pos = 12;
    int channels = 0, bits = 0;
    while (pos + 8 <= bytes.size()) {
        const std::uint32_t len = get32(b + pos + 4);
        if (std::memcmp(b + pos, "fmt ", 4) == 0 && len >= 16) {
            channels = b[pos + 10] | (b[pos + 11] << 8);
            if (rate) *rate = int(get32(b + pos + 12));
            bits = b[pos + 22] | (b[pos + 23] << 8);
        } else if (std::memcmp(b + pos, "data", 4) == 0) {
            if (channels != 1 || bits != 16) return {};
            const std::size_t n = std::min<std::size_t>(len, bytes.size() - pos - 8) / 2;
            std::vector<std::int16_t> out(n);
            std::memcpy(out.data(), b + pos + 8, n * 2);
            return out;
        }
        pos += 8 + len + (len & 1u);
    }
    return {};
}

std::string makeMp3(const std::string& path, const std::vector<std::int16_t>& samples, int rate, std::string* why) {
    const std::string wav = path + ".wav";
    if (!writeWav(wav, samples, rate)) return "";
    const ProgramRun r = runProgram("lame --quiet -b 128 '" + wav + "' '" + path + "'");
    if (r.exitCode != 0) {
        if (why) *why = "lame failed or is missing: " + r.err;
        return "";
    }
    return path;
}

std::vector<std::int16_t> speech(const std::string& text, const std::string& scratchDir, int* rate, std::string* why) {
    const std::string wav = scratchDir + "/speech.wav";
    const ProgramRun r = runProgram("espeak-ng -w '" + wav + "' '" + text + "'");
    std::vector<std::int16_t> out = r.exitCode == 0 ? readWav(wav, rate) : std::vector<std::int16_t>();
    if (out.empty() && why) *why = "espeak-ng failed or is missing: " + r.err;
    return out;
}

ToneMeasure measureTone(const std::vector<std::int16_t>& mono, int rate, int threshold) {
    ToneMeasure m;
    std::size_t first = mono.size(), last = 0;
    for (std::size_t i = 0; i < mono.size(); ++i) {
        if (std::abs(int(mono[i])) > threshold) {
            if (first == mono.size()) first = i;
            last = i;
        }
    }
    if (first >= last) return m;
    m.seconds = double(last - first + 1) / rate;
    // The middle 80%: the edges of a stretched tone may fade in or out.
    const std::size_t from = first + (last - first) / 10, to = last - (last - first) / 10;
    int rising = 0;
    bool low = false;
    std::size_t firstRise = 0, lastRise = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (mono[i] < -threshold) low = true;
        if (low && mono[i] > threshold) {
            low = false;
            if (rising == 0) firstRise = i;
            lastRise = i;
            ++rising;
        }
    }
    if (rising > 1) m.hz = double(rising - 1) * rate / double(lastRise - firstRise);
    return m;
}

}  // namespace testsupport
