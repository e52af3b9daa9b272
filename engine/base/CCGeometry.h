// Points, sizes and rectangles in design points, and their helpers.
#pragma once

namespace engine {

class CCPoint {
public:
    float x = 0, y = 0;

    CCPoint() = default;
    CCPoint(float x_, float y_) : x(x_), y(y_) {}

    void setPoint(float x_, float y_) { x = x_; y = y_; }
    bool equals(const CCPoint& o) const { return x == o.x && y == o.y; }
    bool fuzzyEquals(const CCPoint& o, float variance) const;

    CCPoint operator+(const CCPoint& o) const { return CCPoint(x + o.x, y + o.y); }
    CCPoint operator-(const CCPoint& o) const { return CCPoint(x - o.x, y - o.y); }
    CCPoint operator-() const { return CCPoint(-x, -y); }
    CCPoint operator*(float a) const { return CCPoint(x * a, y * a); }
    CCPoint operator/(float a) const { return CCPoint(x / a, y / a); }
    bool operator==(const CCPoint& o) const { return equals(o); }
    bool operator!=(const CCPoint& o) const { return !equals(o); }

    float getLength() const;
    float getLengthSq() const { return x * x + y * y; }
    float getDistance(const CCPoint& o) const { return (*this - o).getLength(); }
    float dot(const CCPoint& o) const { return x * o.x + y * o.y; }
    CCPoint lerp(const CCPoint& o, float t) const { return *this * (1.f - t) + o * t; }
};

class CCSize {
public:
    float width = 0, height = 0;

    CCSize() = default;
    CCSize(float w, float h) : width(w), height(h) {}

    void setSize(float w, float h) { width = w; height = h; }
    bool equals(const CCSize& o) const { return width == o.width && height == o.height; }
    bool operator==(const CCSize& o) const { return equals(o); }
    bool operator!=(const CCSize& o) const { return !equals(o); }
    CCSize operator*(float a) const { return CCSize(width * a, height * a); }
};

class CCRect {
public:
    CCPoint origin;
    CCSize size;

    CCRect() = default;
    CCRect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}

    void setRect(float x, float y, float w, float h) { origin.setPoint(x, y); size.setSize(w, h); }
    float getMinX() const { return origin.x; }
    float getMidX() const { return origin.x + size.width / 2.f; }
    float getMaxX() const { return origin.x + size.width; }
    float getMinY() const { return origin.y; }
    float getMidY() const { return origin.y + size.height / 2.f; }
    float getMaxY() const { return origin.y + size.height; }
    bool equals(const CCRect& o) const { return origin.equals(o.origin) && size.equals(o.size); }
    bool operator==(const CCRect& o) const { return equals(o); }
    // Edges count as inside on all four sides.
    bool containsPoint(const CCPoint& p) const;
    bool intersectsRect(const CCRect& o) const;
    // The common part of two rectangles; zero size when they do not overlap.
    CCRect intersection(const CCRect& o) const;
    CCRect unionWithRect(const CCRect& o) const;
};

inline CCPoint ccp(float x, float y) { return CCPoint(x, y); }
inline CCPoint CCPointMake(float x, float y) { return CCPoint(x, y); }
inline CCSize CCSizeMake(float w, float h) { return CCSize(w, h); }
inline CCRect CCRectMake(float x, float y, float w, float h) { return CCRect(x, y, w, h); }

extern const CCPoint CCPointZero;
extern const CCSize CCSizeZero;
extern const CCRect CCRectZero;

inline CCPoint ccpAdd(const CCPoint& a, const CCPoint& b) { return a + b; }
inline CCPoint ccpSub(const CCPoint& a, const CCPoint& b) { return a - b; }
inline CCPoint ccpMult(const CCPoint& a, float s) { return a * s; }
inline CCPoint ccpNeg(const CCPoint& a) { return -a; }
inline float ccpDistance(const CCPoint& a, const CCPoint& b) { return a.getDistance(b); }
inline float ccpLength(const CCPoint& a) { return a.getLength(); }

}  // namespace engine
