// Rectangles with inclusive edges, and affine transform algebra.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/engine.h"

using namespace engine;

TEST(Geometry, RectContainsItsEdgesOnAllFourSides) {
    CCRect r(10, 20, 100, 50);
    EXPECT_TRUE(r.containsPoint(ccp(10, 20)));
    EXPECT_TRUE(r.containsPoint(ccp(110, 70)));
    EXPECT_TRUE(r.containsPoint(ccp(110, 20)));
    EXPECT_TRUE(r.containsPoint(ccp(10, 70)));
    EXPECT_FALSE(r.containsPoint(ccp(110.01f, 70)));
    EXPECT_FALSE(r.containsPoint(ccp(9.99f, 40)));
    EXPECT_FALSE(r.containsPoint(ccp(50, 70.01f)));
    EXPECT_TRUE(r.equals(CCRectMake(10, 20, 100, 50)));
    EXPECT_FALSE(r.equals(CCRectMake(10, 20, 100, 51)));
}

TEST(Geometry, RectIntersection) {
    CCRect a(0, 0, 100, 100), b(50, 60, 100, 100), c(200, 200, 5, 5);
    EXPECT_TRUE(a.intersectsRect(b));
    EXPECT_FALSE(a.intersectsRect(c));
    CCRect i = a.intersection(b);
    EXPECT_TRUE(i.equals(CCRectMake(50, 60, 50, 40)));
    EXPECT_EQ(a.intersection(c).size.width, 0);
}

TEST(Geometry, TransformConcatAppliesFirstThenSecond) {
    CCAffineTransform scale = CCAffineTransformScale(CCAffineTransformIdentity, 2, 3);
    CCAffineTransform move = CCAffineTransformTranslate(CCAffineTransformIdentity, 10, 20);
    CCPoint p = CCPointApplyAffineTransform(ccp(1, 1), CCAffineTransformConcat(scale, move));
    EXPECT_FLOAT_EQ(p.x, 12);
    EXPECT_FLOAT_EQ(p.y, 23);
    CCPoint q = CCPointApplyAffineTransform(ccp(1, 1), CCAffineTransformConcat(move, scale));
    EXPECT_FLOAT_EQ(q.x, 22);
    EXPECT_FLOAT_EQ(q.y, 63);
}

TEST(Geometry, InverseRoundTripsAndSingularGivesIdentity) {
    CCAffineTransform t = CCAffineTransformRotate(CCAffineTransformScale(CCAffineTransformTranslate(CCAffineTransformIdentity, 5, -7), 2, 0.5f), 0.7f);
    CCAffineTransform inv = CCAffineTransformInvert(t);
    for (CCPoint p : {ccp(0, 0), ccp(3, 4), ccp(-100, 250)}) {
        CCPoint back = CCPointApplyAffineTransform(CCPointApplyAffineTransform(p, t), inv);
        EXPECT_NEAR(back.x, p.x, 1e-3);
        EXPECT_NEAR(back.y, p.y, 1e-3);
    }
    CCAffineTransform singular = CCAffineTransformScale(CCAffineTransformIdentity, 0, 1);
    EXPECT_TRUE(CCAffineTransformEqualToTransform(CCAffineTransformInvert(singular), CCAffineTransformIdentity));
}

TEST(Geometry, RectThroughRotationIsItsBoundingBox) {
    CCAffineTransform rot = CCAffineTransformRotate(CCAffineTransformIdentity, static_cast<float>(M_PI / 2));
    CCRect r = CCRectApplyAffineTransform(CCRectMake(0, 0, 10, 20), rot);
    EXPECT_NEAR(r.origin.x, -20, 1e-4);
    EXPECT_NEAR(r.origin.y, 0, 1e-4);
    EXPECT_NEAR(r.size.width, 20, 1e-4);
    EXPECT_NEAR(r.size.height, 10, 1e-4);
}
