// Affine transform helpers.
#include "engine/base/CCAffineTransform.h"

#include <algorithm>
#include <cmath>

namespace engine {

const CCAffineTransform CCAffineTransformIdentity = {1, 0, 0, 1, 0, 0};

CCAffineTransform CCAffineTransformMake(float a, float b, float c, float d, float tx, float ty) {
    return CCAffineTransform{a, b, c, d, tx, ty};
}

CCAffineTransform CCAffineTransformMakeIdentity() { return CCAffineTransformIdentity; }

CCPoint CCPointApplyAffineTransform(const CCPoint& p, const CCAffineTransform& t) {
    return CCPoint(t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty);
}

CCSize CCSizeApplyAffineTransform(const CCSize& s, const CCAffineTransform& t) {
    return CCSize(t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height);
}

CCRect CCRectApplyAffineTransform(const CCRect& r, const CCAffineTransform& t) {
    const CCPoint corners[4] = {
        CCPointApplyAffineTransform(CCPoint(r.getMinX(), r.getMinY()), t),
        CCPointApplyAffineTransform(CCPoint(r.getMaxX(), r.getMinY()), t),
        CCPointApplyAffineTransform(CCPoint(r.getMinX(), r.getMaxY()), t),
        CCPointApplyAffineTransform(CCPoint(r.getMaxX(), r.getMaxY()), t),
    };
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const CCPoint& p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

CCAffineTransform CCAffineTransformTranslate(const CCAffineTransform& t, float tx, float ty) {
    return CCAffineTransform{t.a, t.b, t.c, t.d, t.tx + t.a * tx + t.c * ty, t.ty + t.b * tx + t.d * ty};
}

CCAffineTransform CCAffineTransformRotate(const CCAffineTransform& t, float radians) {
    float s = std::sin(radians), c = std::cos(radians);
    return CCAffineTransform{t.a * c + t.c * s, t.b * c + t.d * s, t.c * c - t.a * s, t.d * c - t.b * s,
                             t.tx, t.ty};
}

CCAffineTransform CCAffineTransformScale(const CCAffineTransform& t, float sx, float sy) {
    return CCAffineTransform{t.a * sx, t.b * sx, t.c * sy, t.d * sy, t.tx, t.ty};
}

CCAffineTransform CCAffineTransformConcat(const CCAffineTransform& t1, const CCAffineTransform& t2) {
    return CCAffineTransform{t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
                             t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
                             t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

bool CCAffineTransformEqualToTransform(const CCAffineTransform& t1, const CCAffineTransform& t2) {
    return t1.a == t2.a && t1.b == t2.b && t1.c == t2.c && t1.d == t2.d && t1.tx == t2.tx && t1.ty == t2.ty;
}

CCAffineTransform CCAffineTransformInvert(const CCAffineTransform& t) {
    float det = t.a * t.d - t.b * t.c;
    if (det == 0 || !std::isfinite(det)) return CCAffineTransformIdentity;
    float inv = 1.f / det;
    return CCAffineTransform{inv * t.d, -inv * t.b, -inv * t.c, inv * t.a,
                             inv * (t.c * t.ty - t.d * t.tx), inv * (t.b * t.tx - t.a * t.ty)};
}

}  // namespace engine
