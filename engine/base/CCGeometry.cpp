// Geometry helpers of CCPoint, CCSize and CCRect.
#include "engine/base/CCGeometry.h"

#include <algorithm>
#include <cmath>

namespace engine {

const CCPoint CCPointZero(0, 0);
const CCSize CCSizeZero(0, 0);
const CCRect CCRectZero(0, 0, 0, 0);

bool CCPoint::fuzzyEquals(const CCPoint& o, float variance) const {
    return std::fabs(x - o.x) <= variance && std::fabs(y - o.y) <= variance;
}

float CCPoint::getLength() const { return std::sqrt(x * x + y * y); }

bool CCRect::containsPoint(const CCPoint& p) const {
    return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
}

bool CCRect::intersectsRect(const CCRect& o) const {
    return !(getMaxX() < o.getMinX() || o.getMaxX() < getMinX() || getMaxY() < o.getMinY() ||
             o.getMaxY() < getMinY());
}

CCRect CCRect::intersection(const CCRect& o) const {
    float x0 = std::max(getMinX(), o.getMinX());
    float y0 = std::max(getMinY(), o.getMinY());
    float x1 = std::min(getMaxX(), o.getMaxX());
    float y1 = std::min(getMaxY(), o.getMaxY());
    if (x1 <= x0 || y1 <= y0) return CCRect(x0, y0, 0, 0);
    return CCRect(x0, y0, x1 - x0, y1 - y0);
}

CCRect CCRect::unionWithRect(const CCRect& o) const {
    float x0 = std::min(getMinX(), o.getMinX());
    float y0 = std::min(getMinY(), o.getMinY());
    float x1 = std::max(getMaxX(), o.getMaxX());
    float y1 = std::max(getMaxY(), o.getMaxY());
    return CCRect(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace engine
