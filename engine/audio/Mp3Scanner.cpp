// Finds out whether bytes are a playable MP3 stream and how long it plays, without decoding.
#include "engine/audio/Mp3Scanner.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace engine {

namespace {

struct FrameHeader {
    int versionBits = 0;  // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
    int layer = 0;        // 1..3
    int sampleRate = 0;
    int channels = 0;
    int samplesPerFrame = 0;
    std::size_t length = 0;  // whole frame in bytes, header included
};

// kbps by [MPEG 1 ? 0 : 1][layer - 1][index]; index 0 (free format) and 15 are refused.
constexpr int kBitrates[2][3][15] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
};
constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000},   // MPEG 2.5
    {0, 0, 0},              // reserved
    {22050, 24000, 16000},  // MPEG 2
    {44100, 48000, 32000},  // MPEG 1
};

// A sync word alone is common in random bytes; every reserved field is refused too so that
// junk rarely passes, and the chain test below does the rest.
bool parseHeader(const unsigned char* p, FrameHeader& h) {
    const std::uint32_t v = (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) |
                            (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
    if ((v & 0xFFE00000u) != 0xFFE00000u) return false;
    const int versionBits = int((v >> 19) & 3u);
    const int layerBits = int((v >> 17) & 3u);
    const int bitrateIndex = int((v >> 12) & 15u);
    const int rateIndex = int((v >> 10) & 3u);
    const int padding = int((v >> 9) & 1u);
    const int mode = int((v >> 6) & 3u);
    const int emphasis = int(v & 3u);
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3 || emphasis == 2)
        return false;
    h.versionBits = versionBits;
    h.layer = 4 - layerBits;
    h.sampleRate = kSampleRates[versionBits][rateIndex];
    h.channels = mode == 3 ? 1 : 2;
    const bool mpeg1 = versionBits == 3;
    const long bitrate = long(kBitrates[mpeg1 ? 0 : 1][h.layer - 1][bitrateIndex]) * 1000;
    if (h.layer == 1) {
        h.samplesPerFrame = 384;
        h.length = std::size_t((12 * bitrate / h.sampleRate + padding) * 4);
    } else if (h.layer == 2) {
        h.samplesPerFrame = 1152;
        h.length = std::size_t(144 * bitrate / h.sampleRate + padding);
    } else {
        h.samplesPerFrame = mpeg1 ? 1152 : 576;
        h.length = std::size_t((mpeg1 ? 144 : 72) * bitrate / h.sampleRate + padding);
    }
    return h.length > 4;
}

bool sameStream(const FrameHeader& a, const FrameHeader& b) {
    return a.versionBits == b.versionBits && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

std::uint32_t readBE32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) |
           (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

class FrameWalker {
public:
    FrameWalker(const unsigned char* data, std::size_t end) : m_data(data), m_end(end) {}

    // The first offset at or after `from` where `chain` consecutive frames of one stream start
    // (or fewer, when the data ends inside the chain). With a reference, frames must match it.
    bool findSync(std::size_t from, int chain, const FrameHeader* reference, std::size_t& at,
                  FrameHeader& found) const {
        for (std::size_t i = from; i + 4 <= m_end; ++i) {
            if (m_data[i] != 0xFF) continue;
            FrameHeader h;
            if (!parseHeader(m_data + i, h)) continue;
            if (reference && !sameStream(h, *reference)) continue;
            if (chainHolds(i, h, chain)) {
                at = i;
                found = h;
                return true;
            }
        }
        return false;
    }

    bool headerAt(std::size_t pos, FrameHeader& h) const {
        return pos + 4 <= m_end && parseHeader(m_data + pos, h);
    }

private:
    bool chainHolds(std::size_t pos, const FrameHeader& first, int chain) const {
        std::size_t next = pos + first.length;
        for (int k = 1; k < chain; ++k) {
            if (next >= m_end) return true;
            FrameHeader h;
            if (!headerAt(next, h) || !sameStream(h, first)) return false;
            next += h.length;
        }
        return true;
    }

    const unsigned char* m_data;
    std::size_t m_end;
};

// Length of the ID3v2 tag at `pos`, or 0 when there is none; -1 when it claims more bytes
// than there are.
long long id3v2Length(const unsigned char* data, std::size_t pos, std::size_t size) {
    if (pos + 10 > size || std::memcmp(data + pos, "ID3", 3) != 0) return 0;
    const unsigned char* h = data + pos;
    if (h[3] == 0xFF || h[4] == 0xFF) return 0;
    for (int i = 6; i < 10; ++i)
        if (h[i] & 0x80) return 0;  // not syncsafe: not a tag after all
    const long long body = (static_cast<long long>(h[6]) << 21) | (static_cast<long long>(h[7]) << 14) |
                           (static_cast<long long>(h[8]) << 7) | static_cast<long long>(h[9]);
    const long long total = 10 + body + ((h[5] & 0x10) ? 10 : 0);
    if (pos + std::size_t(total) > size) return -1;
    return total;
}

// Where the audio ends once trailing ID3v1 and APE tags are taken off.
std::size_t audioEnd(const unsigned char* data, std::size_t begin, std::size_t size) {
    std::size_t end = size;
    if (end >= begin + 128 && std::memcmp(data + end - 128, "TAG", 3) == 0) end -= 128;
    if (end >= begin + 32 && std::memcmp(data + end - 32, "APETAGEX", 8) == 0) {
        const unsigned char* f = data + end - 32;
        const std::uint32_t tagSize = std::uint32_t(f[12]) | (std::uint32_t(f[13]) << 8) |
                                      (std::uint32_t(f[14]) << 16) | (std::uint32_t(f[15]) << 24);
        const bool hasHeader = (f[23] & 0x80) != 0;
        const std::uint64_t whole = std::uint64_t(tagSize) + (hasHeader ? 32 : 0);
        if (whole >= 32 && whole <= end - begin) end -= std::size_t(whole);
    }
    return end;
}

// Reads the Xing/Info or VBRI frame that encoders put first; true when `frame` is one, so it
// is not counted as audio. Encoder delay and padding come from a LAME-style tag after Xing.
bool readInfoFrame(const unsigned char* frame, const FrameHeader& h, Mp3StreamInfo& info) {
    if (h.layer != 3) return false;
    const bool mpeg1 = h.versionBits == 3;
    const std::size_t sideInfo = mpeg1 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    const std::size_t xing = 4 + sideInfo;
    if (xing + 8 <= h.length &&
        (std::memcmp(frame + xing, "Xing", 4) == 0 || std::memcmp(frame + xing, "Info", 4) == 0)) {
        const std::uint32_t flags = readBE32(frame + xing + 4);
        if ((flags & 1u) && xing + 12 <= h.length) info.declaredFrames = readBE32(frame + xing + 8);
        std::size_t lame = xing + 8;
        if (flags & 1u) lame += 4;
        if (flags & 2u) lame += 4;
        if (flags & 4u) lame += 100;
        if (flags & 8u) lame += 4;
        if (lame + 24 <= h.length &&
            (std::memcmp(frame + lame, "LAME", 4) == 0 || std::memcmp(frame + lame, "Lavf", 4) == 0 ||
             std::memcmp(frame + lame, "Lavc", 4) == 0)) {
            const unsigned char* dp = frame + lame + 21;
            info.encoderDelay = (int(dp[0]) << 4) | (int(dp[1]) >> 4);
            info.encoderPadding = ((int(dp[1]) & 0x0F) << 8) | int(dp[2]);
        }
        return true;
    }
    return 36 + 4 <= h.length && std::memcmp(frame + 36, "VBRI", 4) == 0;
}

}  // namespace

Mp3StreamInfo Mp3Scanner::scan(const unsigned char* data, std::size_t size) {
    Mp3StreamInfo info;
    if (!data || size == 0) {
        info.problem = "empty file";
        return info;
    }
    std::size_t begin = 0;
    for (;;) {
        const long long tag = id3v2Length(data, begin, size);
        if (tag < 0) {
            info.problem = "ID3v2 tag runs past the end of the file";
            return info;
        }
        if (tag == 0) break;
        begin += std::size_t(tag);
    }
    const std::size_t end = audioEnd(data, begin, size);
    FrameWalker walker(data, end);

    // Three frames in a row before trusting the first: a lone sync word is too easy to find.
    std::size_t pos = 0;
    FrameHeader first;
    if (!walker.findSync(begin, 3, nullptr, pos, first)) {
        info.problem = "no MPEG audio frames";
        return info;
    }
    info.sampleRate = first.sampleRate;
    info.channels = first.channels;
    info.samplesPerFrame = first.samplesPerFrame;
    if (pos + first.length <= end && readInfoFrame(data + pos, first, info)) {
        info.hasInfoFrame = true;
        pos += first.length;
    }

    long long frames = 0;
    while (pos + 4 <= end) {
        FrameHeader h;
        if (walker.headerAt(pos, h) && sameStream(h, first)) {
            if (pos + h.length > end) {
                info.endsInsideFrame = true;  // a cut-off last frame cannot be decoded
                break;
            }
            ++frames;
            pos += h.length;
            continue;
        }
        std::size_t next = 0;
        if (!walker.findSync(pos + 1, 2, &first, next, h)) break;
        pos = next;
    }
    info.audioFrames = frames;
    if (frames == 0) {
        info.problem = "no complete MPEG audio frame";
        return info;
    }
    const long long total = frames * first.samplesPerFrame;
    long long samples = total;
    const long long trimmed = static_cast<long long>(info.encoderDelay) + info.encoderPadding;
    if (trimmed > 0 && trimmed < total) {
        samples -= trimmed;
    } else {
        // A gapless decoder ignores delay and padding that do not fit the stream; so do we.
        info.encoderDelay = 0;
        info.encoderPadding = 0;
    }
    info.durationSeconds = double(samples) / double(first.sampleRate);
    info.playable = info.durationSeconds > 0.0;
    if (!info.playable) info.problem = "no audio samples";
    return info;
}

Mp3StreamInfo Mp3Scanner::scanFile(const std::string& path) {
    Mp3StreamInfo info;
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) {
        info.problem = "file not found";
        return info;
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        info.problem = "not a regular file";
        return info;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        info.problem = "cannot read the file size";
        return info;
    }
    if (size > kMaxFileBytes) {
        info.problem = "file too large for a recording";
        return info;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in || (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)))) {
        info.problem = "cannot read the file";
        return info;
    }
    return scan(bytes.data(), bytes.size());
}

}  // namespace engine
