// CCDrawNode: shapes triangulated once in node space, transformed to world space at each draw.
#include "engine/sprites/CCDrawNode.h"

#include <algorithm>
#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"

namespace engine {

namespace {

const int kCircleSegments = 24;
const float kPi = 3.14159265358979323846f;

uint8_t channel(float v) {
    if (!(v > 0.f)) return 0;
    if (v >= 1.f) return 255;
    return static_cast<uint8_t>(std::lround(v * 255.f));
}

ccColor4B toBytes(const ccColor4F& c) { return ccColor4B{channel(c.r), channel(c.g), channel(c.b), channel(c.a)}; }

bool finitePoint(const CCPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

CCDrawNode::~CCDrawNode() = default;

CCDrawNode* CCDrawNode::create() {
    auto* node = new CCDrawNode();
    return autoreleasedOrNull(node, node->init());
}

bool CCDrawNode::init() {
    clear();
    m_blend = BlendMode::Alpha;
    return CCNode::init();
}

void CCDrawNode::clear() {
    m_vertices.clear();
    m_hasBounds = false;
}

bool CCDrawNode::getDrawnBounds(CCRect& out) const {
    if (!m_hasBounds) return false;
    out = CCRect(m_minX, m_minY, m_maxX - m_minX, m_maxY - m_minY);
    return true;
}

void CCDrawNode::includeInBounds(float minX, float minY, float maxX, float maxY) {
    if (!m_hasBounds) {
        m_minX = minX; m_minY = minY; m_maxX = maxX; m_maxY = maxY;
        m_hasBounds = true;
        return;
    }
    m_minX = std::min(m_minX, minX);
    m_minY = std::min(m_minY, minY);
    m_maxX = std::max(m_maxX, maxX);
    m_maxY = std::max(m_maxY, maxY);
}

void CCDrawNode::addTriangle(const CCPoint& a, const CCPoint& b, const CCPoint& c, const ccColor4B& color) {
    m_vertices.push_back(Vertex{a.x, a.y, color});
    m_vertices.push_back(Vertex{b.x, b.y, color});
    m_vertices.push_back(Vertex{c.x, c.y, color});
}

void CCDrawNode::addQuad(const CCPoint& a, const CCPoint& b, const CCPoint& c, const CCPoint& d,
                         const ccColor4B& color) {
    addTriangle(a, b, c, color);
    addTriangle(a, c, d, color);
}

void CCDrawNode::drawDot(const CCPoint& pos, float radius, const ccColor4F& color) {
    if (!finitePoint(pos) || !std::isfinite(radius) || radius <= 0) {
        CCLog("CCDrawNode: drawDot with an unusable centre or radius");
        return;
    }
    includeInBounds(pos.x - radius, pos.y - radius, pos.x + radius, pos.y + radius);
    ccColor4B c = toBytes(color);
    if (c.a == 0) return;
    CCPoint previous(pos.x + radius, pos.y);
    for (int i = 1; i <= kCircleSegments; ++i) {
        float angle = 2.f * kPi * float(i) / float(kCircleSegments);
        CCPoint next(pos.x + radius * std::cos(angle), pos.y + radius * std::sin(angle));
        addTriangle(pos, previous, next, c);
        previous = next;
    }
}

void CCDrawNode::drawSegment(const CCPoint& from, const CCPoint& to, float radius, const ccColor4F& color) {
    if (!finitePoint(from) || !finitePoint(to) || !std::isfinite(radius) || radius <= 0) {
        CCLog("CCDrawNode: drawSegment with unusable ends or radius");
        return;
    }
    includeInBounds(std::min(from.x, to.x) - radius, std::min(from.y, to.y) - radius,
                    std::max(from.x, to.x) + radius, std::max(from.y, to.y) + radius);
    ccColor4B c = toBytes(color);
    if (c.a == 0) return;
    CCPoint d = to - from;
    float length = d.getLength();
    if (length > 0) {
        CCPoint normal(-d.y / length * radius, d.x / length * radius);
        addQuad(from + normal, to + normal, to - normal, from - normal, c);
    }
    drawDot(from, radius, color);
    drawDot(to, radius, color);
}

void CCDrawNode::drawPolygon(const CCPoint* verts, unsigned int count, const ccColor4F& fillColor, float borderWidth,
                             const ccColor4F& borderColor) {
    if (!verts || count < 3) {
        CCLog("CCDrawNode: drawPolygon needs at least 3 corners (got %u)", verts ? count : 0);
        return;
    }
    float minX = verts[0].x, minY = verts[0].y, maxX = minX, maxY = minY;
    for (unsigned int i = 0; i < count; ++i) {
        if (!finitePoint(verts[i])) {
            CCLog("CCDrawNode: drawPolygon corner %u is not a finite point", i);
            return;
        }
        minX = std::min(minX, verts[i].x);
        minY = std::min(minY, verts[i].y);
        maxX = std::max(maxX, verts[i].x);
        maxY = std::max(maxY, verts[i].y);
    }
    bool outlined = std::isfinite(borderWidth) && borderWidth > 0;
    float grow = outlined ? borderWidth : 0.f;
    includeInBounds(minX - grow, minY - grow, maxX + grow, maxY + grow);

    ccColor4B fill = toBytes(fillColor);
    if (fill.a > 0)
        for (unsigned int i = 1; i + 1 < count; ++i) addTriangle(verts[0], verts[i], verts[i + 1], fill);

    ccColor4B border = toBytes(borderColor);
    if (!outlined || border.a == 0) return;
    for (unsigned int i = 0; i < count; ++i) {
        const CCPoint& a = verts[i];
        const CCPoint& b = verts[(i + 1) % count];
        CCPoint d = b - a;
        float length = d.getLength();
        if (length <= 0) continue;
        // Each edge runs on past its corners by the border width, so corners are filled.
        CCPoint along = d / length * borderWidth;
        CCPoint normal(-along.y, along.x);
        CCPoint a0 = a - along, b0 = b + along;
        addQuad(a0 + normal, b0 + normal, b0 - normal, a0 - normal, border);
    }
}

void CCDrawNode::draw() {
    CCRenderer* renderer = CCRenderer::current();
    if (!renderer || m_vertices.empty()) return;
    const CCAffineTransform& t = visitTransform();
    m_worldScratch.resize(m_vertices.size());
    for (size_t i = 0; i < m_vertices.size(); ++i) {
        const Vertex& v = m_vertices[i];
        CCVertex& w = m_worldScratch[i];
        w.x = t.a * v.x + t.c * v.y + t.tx;
        w.y = t.b * v.x + t.d * v.y + t.ty;
        w.color = v.color;
        w.u = w.v = 0;
    }
    renderer->drawTriangles(nullptr, m_worldScratch.data(), int(m_worldScratch.size()), m_blend);
}

}  // namespace engine
