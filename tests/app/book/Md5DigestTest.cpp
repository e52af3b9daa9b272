// Checks Md5Digest against the RFC 1321 test suite and against the system's md5sum at block edges.
#include "app/book/Md5Digest.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Vector {
    const char* message;
    const char* digest;
};

// The test suite of RFC 1321, appendix A.5.
const Vector kRfc1321Suite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

// An independent MD5 for lengths the RFC suite does not reach; empty when md5sum is missing.
std::string systemMd5(const std::string& message) {
    char path[] = "/tmp/quirel-md5-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        return "";
    }
    FILE* file = fdopen(fd, "wb");
    std::fwrite(message.data(), 1, message.size(), file);
    std::fclose(file);
    std::string command = std::string("md5sum ") + path + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[128];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            out += buffer;
        }
        pclose(pipe);
    }
    std::remove(path);
    return out.size() >= 32 ? out.substr(0, 32) : "";
}

std::string patterned(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char>('a' + (i * 7 + i / 13) % 26));
    }
    return text;
}

}  // namespace

TEST(Md5Digest, MatchesEveryRfc1321Vector) {
    for (const Vector& v : kRfc1321Suite) {
        EXPECT_EQ(Md5Digest::hexDigest(v.message), v.digest) << "message \"" << v.message << "\"";
    }
}

TEST(Md5Digest, StreamedInAnyChunkingGivesTheSameDigest) {
    // Chunk sizes chosen to straddle the 64-byte block and the 56-byte padding edge.
    for (const Vector& v : kRfc1321Suite) {
        const std::string message = v.message;
        for (std::size_t chunk : {1u, 3u, 7u, 55u, 56u, 63u, 64u, 65u}) {
            Md5Digest md5;
            for (std::size_t at = 0; at < message.size(); at += chunk) {
                md5.update(message.substr(at, chunk));
            }
            EXPECT_EQ(md5.hexDigest(), v.digest) << "chunk " << chunk << " of \"" << message << "\"";
        }
    }
}

TEST(Md5Digest, RawDigestIsTheHexDigestHighNibbleFirst) {
    const auto raw = Md5Digest::digestOf("abc");
    const std::string hex = Md5Digest::hexDigest("abc");
    ASSERT_EQ(hex.size(), 32u);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        EXPECT_EQ(std::stoi(hex.substr(i * 2, 2), nullptr, 16), raw[i]) << "byte " << i;
    }
}

TEST(Md5Digest, HexOutputIsLowercase) {
    for (const Vector& v : kRfc1321Suite) {
        for (char c : Md5Digest::hexDigest(v.message)) {
            EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) << c;
        }
    }
}

TEST(Md5Digest, FinishedDigestIgnoresLaterInputUntilReset) {
    Md5Digest md5;
    md5.update("abc");
    EXPECT_EQ(md5.hexDigest(), "900150983cd24fb0d6963f7d28e17f72");
    md5.update("more");
    EXPECT_EQ(md5.hexDigest(), "900150983cd24fb0d6963f7d28e17f72");
    md5.reset();
    md5.update("a");
    EXPECT_EQ(md5.hexDigest(), "0cc175b9c0f1b6a831c399e269772661");
}

TEST(Md5Digest, AgreesWithMd5sumAroundEveryPaddingEdge) {
    if (systemMd5("a").empty()) {
        GTEST_SKIP() << "md5sum is not available";
    }
    for (std::size_t length : {54u, 55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u, 1000u}) {
        const std::string message = patterned(length);
        EXPECT_EQ(Md5Digest::hexDigest(message), systemMd5(message)) << "length " << length;
    }
}

TEST(Md5Digest, BytesAboveSevenBitsAreHashedUnsigned) {
    if (systemMd5("a").empty()) {
        GTEST_SKIP() << "md5sum is not available";
    }
    std::string message;
    for (int i = 0; i < 256; ++i) {
        message.push_back(static_cast<char>(i));
    }
    EXPECT_EQ(Md5Digest::hexDigest(message), systemMd5(message));
}

TEST(Md5Digest, AudioNamesAgreeWithMd5sum) {
    // The stored recordings are named by these digests, so any other MD5 must give the same.
    if (systemMd5("a").empty()) {
        GTEST_SKIP() << "md5sum is not available";
    }
    for (const char* name : {"mc053.mp3", "mc123.mp3", "mc1215.mp3", "mc8912.mp3"}) {
        EXPECT_EQ(Md5Digest::hexDigest(name), systemMd5(name)) << name;
    }
}
