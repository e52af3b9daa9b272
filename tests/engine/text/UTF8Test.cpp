// UTF-8 cleaning, counting and decoding against the well-formedness rules.
#include <gtest/gtest.h>

#include "engine/text/CCUTF8.h"

using namespace engine;

TEST(UTF8, CleanKeepsWellFormedCharactersAndDropsEverythingElse) {
    struct Case {
        std::string in, out;
        size_t dropped;
    };
    const Case cases[] = {
        {"plain", "plain", 0},
        {"caf\xC3\xA9", "caf\xC3\xA9", 0},
        {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC", 0},
        {"\xF0\x9F\x90\xBB!", "\xF0\x9F\x90\xBB!", 0},
        {"a\xC3", "a", 1},                          // cut off at the end
        {"\xE6\x97z", "z", 2},                      // cut off in the middle
        {"\x80\xBFx", "x", 2},                      // stray continuation bytes
        {"\xC0\xAF", "", 2},                        // overlong '/'
        {"\xE0\x80\xAF", "", 3},                    // overlong, three bytes
        {"\xED\xA0\x80", "", 3},                    // surrogate
        {"\xF4\x90\x80\x80", "", 4},                // beyond U+10FFFF
        {"\xFF\xFEok", "ok", 2},
        {std::string("a\0b", 3), "ab", 1},          // NUL is not text
    };
    for (const Case& c : cases) {
        size_t dropped = 99;
        EXPECT_EQ(utf8::clean(c.in, &dropped), c.out) << c.in;
        EXPECT_EQ(dropped, c.dropped) << c.in;
    }
}

TEST(UTF8, CountsAndLastCharactersFollowCharactersNotBytes) {
    const std::string s = "a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x90\xBB";  // a, é, 日, bear
    EXPECT_EQ(utf8::charCount(s), 4u);
    EXPECT_EQ(utf8::lastCharLength(s), 4u);
    EXPECT_EQ(utf8::lastCharLength(s.substr(0, 6)), 3u);
    EXPECT_EQ(utf8::lastCharLength("a"), 1u);
    EXPECT_EQ(utf8::lastCharLength(""), 0u);
    EXPECT_EQ(utf8::bytesForChars(s, 0), 0u);
    EXPECT_EQ(utf8::bytesForChars(s, 2), 3u);
    EXPECT_EQ(utf8::bytesForChars(s, 3), 6u);
    EXPECT_EQ(utf8::bytesForChars(s, 10), s.size());
    // A byte limit inside a character cuts before it.
    EXPECT_EQ(utf8::cutToBytes(s, 2), "a");
    EXPECT_EQ(utf8::cutToBytes(s, 5), "a\xC3\xA9");
    EXPECT_EQ(utf8::cutToBytes(s, 6), s.substr(0, 6));
    EXPECT_EQ(utf8::cutToBytes(s, 0), "");
    EXPECT_EQ(utf8::cutToBytes(s, 99), s);
}

TEST(UTF8, DecodeAndEncodeRoundTrip) {
    const std::vector<uint32_t> points = {0x41, 0xE9, 0x65E5, 0x1F43B, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF};
    std::string text;
    for (uint32_t p : points) text += utf8::encode(p);
    EXPECT_EQ(utf8::clean(text), text);
    EXPECT_EQ(utf8::decode(text), points);
    EXPECT_EQ(utf8::encode(0xD800), "");
    EXPECT_EQ(utf8::encode(0x110000), "");
    EXPECT_EQ(utf8::encode(0), "");
}
