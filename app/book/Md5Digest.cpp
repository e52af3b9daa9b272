// MD5 message digest (RFC 1321): block transform, padding and hexadecimal output.
#include "app/book/Md5Digest.h"

#include <cstring>

namespace {

// Per-round shift amounts and the sine-derived constants of RFC 1321, section 3.4.
constexpr std::uint32_t kShift[64] = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
    5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21,
};

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

inline std::uint32_t rotateLeft(std::uint32_t x, std::uint32_t n) {
    return (x << n) | (x >> (32 - n));
}

}  // namespace

Md5Digest::Md5Digest() {
    reset();
}

void Md5Digest::reset() {
    state_[0] = 0x67452301;
    state_[1] = 0xefcdab89;
    state_[2] = 0x98badcfe;
    state_[3] = 0x10325476;
    bitCount_ = 0;
    buffered_ = 0;
    finished_ = false;
    result_.fill(0);
}

void Md5Digest::update(const std::string& text) {
    update(text.data(), text.size());
}

void Md5Digest::update(const void* data, std::size_t length) {
    if (finished_ || length == 0) {
        return;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bitCount_ += static_cast<std::uint64_t>(length) * 8u;

    if (buffered_ > 0) {
        std::size_t take = 64 - buffered_;
        if (take > length) {
            take = length;
        }
        std::memcpy(buffer_ + buffered_, bytes, take);
        buffered_ += take;
        bytes += take;
        length -= take;
        if (buffered_ < 64) {
            return;
        }
        transform(buffer_);
        buffered_ = 0;
    }
    while (length >= 64) {
        transform(bytes);
        bytes += 64;
        length -= 64;
    }
    if (length > 0) {
        std::memcpy(buffer_, bytes, length);
        buffered_ = length;
    }
}

void Md5Digest::transform(const std::uint8_t block[64]) {
    // Words are little-endian regardless of the host, so decode byte by byte.
    std::uint32_t m[16];
    for (int i = 0; i < 16; ++i) {
        m[i] = static_cast<std::uint32_t>(block[i * 4]) |
               (static_cast<std::uint32_t>(block[i * 4 + 1]) << 8) |
               (static_cast<std::uint32_t>(block[i * 4 + 2]) << 16) |
               (static_cast<std::uint32_t>(block[i * 4 + 3]) << 24);
    }
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t f;
        int g;
        if (i < 16) {
            f = (b & c) | (~b & d);
            g = i;
        } else if (i < 32) {
            f = (d & b) | (~d & c);
            g = (5 * i + 1) % 16;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) % 16;
        }
        std::uint32_t next = b + rotateLeft(a + f + kSine[i] + m[g], kShift[i]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void Md5Digest::finish() {
    if (finished_) {
        return;
    }
    // The length is taken before padding, which update() would otherwise count as message.
    const std::uint64_t bits = bitCount_;
    std::uint8_t pad[72] = {0x80};
    std::size_t padLength = (buffered_ < 56) ? (56 - buffered_) : (120 - buffered_);
    update(pad, padLength);
    std::uint8_t lengthBytes[8];
    for (int i = 0; i < 8; ++i) {
        lengthBytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    update(lengthBytes, 8);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            result_[i * 4 + j] = static_cast<std::uint8_t>(state_[i] >> (8 * j));
        }
    }
    finished_ = true;
}

std::array<std::uint8_t, 16> Md5Digest::digest() {
    finish();
    return result_;
}

std::string Md5Digest::hexDigest() {
    static const char kHex[] = "0123456789abcdef";
    finish();
    std::string out;
    out.reserve(32);
    for (std::uint8_t byte : result_) {
        out.push_back(kHex[byte >> 4]);
        out.push_back(kHex[byte & 0x0f]);
    }
    return out;
}

std::array<std::uint8_t, 16> Md5Digest::digestOf(const std::string& text) {
    Md5Digest md5;
    md5.update(text);
    return md5.digest();
}

std::string Md5Digest::hexDigest(const std::string& text) {
    Md5Digest md5;
    md5.update(text);
    return md5.hexDigest();
}
