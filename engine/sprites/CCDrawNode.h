// Plain-colour shapes kept until cleared: filled polygons with borders, segments, dots.
// Clipping nodes read its shapes' extent to know their clip rectangle.
#pragma once

#include <vector>

#include "engine/render/CCRenderer.h"
#include "engine/scene/CCNode.h"

namespace engine {

class CCDrawNode : public CCNode {
public:
    CCDrawNode() = default;
    ~CCDrawNode() override;

    static CCDrawNode* create();
    bool init() override;

    // A dot of the given radius centred on pos.
    void drawDot(const CCPoint& pos, float radius, const ccColor4F& color);
    // A thick line with round ends, radius half its thickness.
    void drawSegment(const CCPoint& from, const CCPoint& to, float radius, const ccColor4F& color);
    // A polygon filled as a fan from its first corner (exact for convex ones), outlined
    // borderWidth to each side of its edges when borderWidth > 0.
    void drawPolygon(const CCPoint* verts, unsigned int count, const ccColor4F& fillColor, float borderWidth,
                     const ccColor4F& borderColor);
    void clear();

    void setBlendFunc(BlendMode blend) { m_blend = blend; }
    BlendMode getBlendFunc() const { return m_blend; }

    // The box around every shape drawn since the last clear (transparent ones included), in
    // node space; false when there is none.
    bool getDrawnBounds(CCRect& out) const;
    unsigned int getTriangleCount() const { return static_cast<unsigned int>(m_vertices.size() / 3); }

    void draw() override;

private:
    struct Vertex {
        float x, y;
        ccColor4B color;
    };
    void addTriangle(const CCPoint& a, const CCPoint& b, const CCPoint& c, const ccColor4B& color);
    void addQuad(const CCPoint& a, const CCPoint& b, const CCPoint& c, const CCPoint& d, const ccColor4B& color);
    void includeInBounds(float minX, float minY, float maxX, float maxY);

    std::vector<Vertex> m_vertices;      // triangles in node space
    std::vector<CCVertex> m_worldScratch;
    bool m_hasBounds = false;
    float m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    BlendMode m_blend = BlendMode::Alpha;
};

}  // namespace engine
