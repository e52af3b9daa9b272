// 2D affine transforms: | a c tx ; b d ty |, applied as x' = a x + c y + tx, y' = b x + d y + ty.
#pragma once

#include "engine/base/CCGeometry.h"

namespace engine {

struct CCAffineTransform {
    float a, b, c, d;
    float tx, ty;
};

CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty);
CCAffineTransform CCAffineTransformMakeIdentity();
extern const CCAffineTransform CCAffineTransformIdentity;

CCPoint CCPointApplyAffineTransform(const CCPoint& p, const CCAffineTransform& t);
CCSize CCSizeApplyAffineTransform(const CCSize& s, const CCAffineTransform& t);
// The axis-aligned box around the transformed rectangle.
CCRect CCRectApplyAffineTransform(const CCRect& r, const CCAffineTransform& t);

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty);
CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float radians);
CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy);
// t1 applied first, then t2.
CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2);
bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2);
// The inverse; a singular transform (zero scale) gives the identity rather than infinities.
CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t);

}  // namespace engine
