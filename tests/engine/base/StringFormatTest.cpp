// printf-style formatting into a std::string: formatString and its two users, CCString and CCLog.
#include <gtest/gtest.h>

#include <cstdarg>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class StringFormatTest : public testsupport::EngineTest {};

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string s = formatString(fmt, args);
    va_end(args);
    return s;
}

}  // namespace

TEST_F(StringFormatTest, FormatsLikePrintf) {
    EXPECT_EQ(format("%d-%s-%.2f-%c-%x", 42, "ab", 1.5, 'z', 255), "42-ab-1.50-z-ff");
    EXPECT_EQ(format("plain"), "plain");
    EXPECT_EQ(format("%s", ""), "");
    EXPECT_EQ(format("%5d|%-3s|", 7, "a"), "    7|a  |");
}

TEST_F(StringFormatTest, LongResultsAreNotCut) {
    const std::string big(100000, 'q');
    std::string s = format("<%s>%d", big.c_str(), 12345);
    ASSERT_EQ(s.size(), big.size() + 2 + 5);
    EXPECT_EQ(s.front(), '<');
    EXPECT_EQ(s.substr(s.size() - 6), ">12345");
    EXPECT_EQ(s.substr(1, big.size()), big);
    // A width alone can make the text long.
    EXPECT_EQ(format("%70000d", 1).size(), 70000u);
}

TEST_F(StringFormatTest, EmbeddedNulCharactersAreKept) {
    std::string s = format("a%cb", '\0');
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1], '\0');
}

TEST_F(StringFormatTest, CCStringCreateWithFormatTakesLongText) {
    const std::string big(20000, 'w');
    CCString* s = CCString::createWithFormat("%s/%05d", big.c_str(), 42);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getCString(), big + "/00042");
}

TEST_F(StringFormatTest, CCLogHandsTheWholeLongLineToTheObserver) {
    std::vector<std::string> lines;
    setLogObserver([&](const std::string& line) { lines.push_back(line); });
    setLogQuiet(true);
    const std::string big(9000, 'k');
    CCLog("start %s end %d", big.c_str(), -3);
    setLogQuiet(false);
    setLogObserver(nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "start " + big + " end -3");
}
