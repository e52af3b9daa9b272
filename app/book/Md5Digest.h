// MD5 message digest (RFC 1321), used to turn a sentence's audio name into its stored file name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Streaming digest: feed bytes with update(), then take the result once with digest() or
// hexDigest(). The book's recordings are named by this digest, so the output has to match
// any other MD5 byte for byte (lowercase hex, high nibble first).
class Md5Digest {
public:
    Md5Digest();

    void update(const void* data, std::size_t length);
    void update(const std::string& text);

    // Finishes the digest; further updates start nothing new until reset().
    std::array<std::uint8_t, 16> digest();
    std::string hexDigest();
    void reset();

    // One-shot helpers: the digest of the characters of text (no terminator).
    static std::array<std::uint8_t, 16> digestOf(const std::string& text);
    static std::string hexDigest(const std::string& text);

private:
    void transform(const std::uint8_t block[64]);
    void finish();

    std::uint32_t state_[4];
    std::uint64_t bitCount_;
    std::uint8_t buffer_[64];
    std::size_t buffered_;
    bool finished_;
    std::array<std::uint8_t, 16> result_;
};
