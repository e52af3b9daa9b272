// The brace-written geometry of sprite sheets: exact readings and refusals.
#include <gtest/gtest.h>

#include "engine/sprites/CCGeometryStrings.h"

using namespace engine;

TEST(GeometryStrings, WellFormedTextReadsExactly) {
    CCRect r;
    ASSERT_TRUE(parseRectString("{{1,2},{3,4}}", r));
    EXPECT_EQ(r, CCRect(1, 2, 3, 4));
    ASSERT_TRUE(parseRectString("  { { -1.5 , 2e1 } , { 3 , 4.25 } }  ", r));
    EXPECT_EQ(r, CCRect(-1.5f, 20, 3, 4.25f));
    CCPoint p;
    ASSERT_TRUE(parsePointString("{7,-8}", p));
    EXPECT_EQ(p, CCPoint(7, -8));
    CCSize s;
    ASSERT_TRUE(parseSizeString("{30, 40}", s));
    EXPECT_EQ(s, CCSize(30, 40));
}

TEST(GeometryStrings, MalformedTextIsRefusedAndLeavesTheOutputAlone) {
    CCRect r(9, 9, 9, 9);
    for (const char* bad : {"", "{}", "{{a,b},{c}}", "{{1,2},{3}}", "{{1,2},{3,4}", "{{1,2},{3,4}}x", "{{1,2}{3,4}}",
                            "{{1,2},{3,4},{5,6}}", "{{nan,2},{3,4}}", "{{inf,2},{3,4}}", "{{1e39,2},{3,4}}",
                            "1,2,3,4"}) {
        EXPECT_FALSE(parseRectString(bad, r)) << bad;
        EXPECT_EQ(r, CCRect(9, 9, 9, 9)) << bad;
    }
    CCPoint p(5, 5);
    EXPECT_FALSE(parsePointString("{1}", p));
    EXPECT_FALSE(parsePointString("{1,2,3}", p));
    EXPECT_FALSE(parsePointString("{{1,2}}", p));
    EXPECT_EQ(p, CCPoint(5, 5));
}

TEST(GeometryStrings, LenientFormsGiveZeroForBadText) {
    EXPECT_EQ(CCRectFromString("{{1,2},{3,4}}"), CCRect(1, 2, 3, 4));
    EXPECT_EQ(CCRectFromString("{{1,2},{3}}"), CCRect());
    EXPECT_EQ(CCPointFromString(nullptr), CCPoint());
    EXPECT_EQ(CCSizeFromString("{5,6}"), CCSize(5, 6));
    EXPECT_EQ(CCSizeFromString("{5,x}"), CCSize());
}
