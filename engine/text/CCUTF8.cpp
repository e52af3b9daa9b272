// UTF-8 cleaning, counting and decoding, strict per RFC 3629.
#include "engine/text/CCUTF8.h"

namespace engine {
namespace utf8 {

namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed character starting at p (at most `left` bytes available), 0 when
// the bytes there do not form one. The second-byte ranges rule out overlong forms, surrogates
// and values above U+10FFFF (RFC 3629, section 4).
size_t sequenceLength(const unsigned char* p, size_t left) {
    unsigned char b = p[0];
    if (b == 0) return 0;
    if (b < 0x80) return 1;
    size_t need;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 3;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (left < need) return 0;
    if (p[1] < lo || p[1] > hi) return 0;
    for (size_t i = 2; i < need; ++i)
        if (!isContinuation(p[i])) return 0;
    return need;
}

}  // namespace

std::string clean(const char* bytes, size_t len, size_t* dropped) {
    std::string out;
    size_t lost = 0;
    if (bytes) {
        out.reserve(len);
        const auto* p = reinterpret_cast<const unsigned char*>(bytes);
        size_t i = 0;
        while (i < len) {
            size_t n = sequenceLength(p + i, len - i);
            if (n == 0) {
                ++lost;
                ++i;
                continue;
            }
            out.append(bytes + i, n);
            i += n;
        }
    }
    if (dropped) *dropped = lost;
    return out;
}

size_t charCount(const std::string& valid) {
    size_t n = 0;
    for (unsigned char b : valid)
        if (!isContinuation(b)) ++n;
    return n;
}

size_t lastCharLength(const std::string& valid) {
    if (valid.empty()) return 0;
    size_t i = valid.size() - 1;
    while (i > 0 && isContinuation(static_cast<unsigned char>(valid[i]))) --i;
    return valid.size() - i;
}

size_t bytesForChars(const std::string& valid, size_t chars) {
    size_t seen = 0;
    for (size_t i = 0; i < valid.size(); ++i) {
        if (isContinuation(static_cast<unsigned char>(valid[i]))) continue;
        if (seen == chars) return i;
        ++seen;
    }
    return valid.size();
}

std::vector<uint32_t> decode(const std::string& valid) {
    std::vector<uint32_t> out;
    out.reserve(valid.size());
    const auto* p = reinterpret_cast<const unsigned char*>(valid.data());
    size_t i = 0, n = valid.size();
    while (i < n) {
        size_t len = sequenceLength(p + i, n - i);
        if (len == 0) {  // not expected for cleaned text; skip rather than misread
            ++i;
            continue;
        }
        uint32_t cp;
        switch (len) {
            case 1: cp = p[i]; break;
            case 2: cp = (uint32_t(p[i] & 0x1F) << 6) | (p[i + 1] & 0x3F); break;
            case 3: cp = (uint32_t(p[i] & 0x0F) << 12) | (uint32_t(p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F); break;
            default:
                cp = (uint32_t(p[i] & 0x07) << 18) | (uint32_t(p[i + 1] & 0x3F) << 12) |
                     (uint32_t(p[i + 2] & 0x3F) << 6) | (p[i + 3] & 0x3F);
                break;
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

std::string encode(uint32_t cp) {
    std::string out;
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return out;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
    return out;
}

std::string cutToBytes(const std::string& valid, size_t bytes) {
    if (valid.size() <= bytes) return valid;
    size_t cut = bytes;
    while (cut > 0 && isContinuation(static_cast<unsigned char>(valid[cut]))) --cut;
    return valid.substr(0, cut);
}

}  // namespace utf8
}  // namespace engine
