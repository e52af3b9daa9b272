// CCPageCurlMesh: the page grid wrapped around the fold's cylinder, its shading and drawing order.
#include "engine/transitions/CCPageCurlMesh.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

const float kPi = 3.14159265358979f;
// The fold's lean from upright at the start of the turn, in radians.
const float kMaxLean = 0.6f;
// The roll's radius, in page widths: at either end, and added mid-turn.
const float kMinRadius = 0.06f;
const float kRadiusSwell = 0.08f;
// Triangles whose projection is smaller than this (in square points) are seen edge-on.
const float kEdgeOnArea = 1e-4f;

float clamp01(float v) { return v < 0.f ? 0.f : (v > 1.f ? 1.f : v); }

uint8_t channel(float brightness) {
    return uint8_t(std::lround(255.f * clamp01(brightness)));
}

}  // namespace

CCPageCurlMesh::CCPageCurlMesh(int columns, int rows)
    : m_columns(std::min(kMaxCells, std::max(1, columns))), m_rows(std::min(kMaxCells, std::max(1, rows))) {
    m_points.assign(size_t(m_columns + 1) * size_t(m_rows + 1), Point3{0, 0, 0});
    m_normals.assign(m_points.size(), Point3{0, 0, 1});
    m_flat.assign(m_points.size(), 1);
}

const CCPageCurlMesh::Point3& CCPageCurlMesh::gridPoint(int column, int row) const {
    column = std::min(m_columns, std::max(0, column));
    row = std::min(m_rows, std::max(0, row));
    return m_points[size_t(index(column, row))];
}

ccColor4B CCPageCurlMesh::frontShade(float facing) {
    const uint8_t v = channel(0.55f + 0.45f * clamp01(facing));
    return ccc4(v, v, v, 255);
}

ccColor4B CCPageCurlMesh::backShade(float facing) {
    // Seen through from behind, paper looks grey and a little cool.
    const float b = 0.42f + 0.28f * clamp01(facing);
    return ccc4(channel(b), channel(b), channel(b * 1.06f), 255);
}

CCPageCurlMesh::Fold CCPageCurlMesh::foldAt(const CCSize& pageSize, float t) {
    t = std::isnan(t) ? 0.f : clamp01(t);
    const float W = pageSize.width > 0 ? pageSize.width : 0.f;
    // Half eased: the page lifts and lands gently but keeps moving all the way.
    const float e = 0.5f * (t + t * t * (3.f - 2.f * t));
    // The fold leans with the bottom-right corner leading, and stands upright as it crosses.
    const float lean = kMaxLean * (1.f - e);
    Fold f;
    f.nx = std::cos(lean);
    f.ny = -std::sin(lean);
    // The roll is widest mid-turn, where the page stands highest.
    f.radius = W * (kMinRadius + kRadiusSwell * std::sin(kPi * t));
    // Starts touching the bottom-right corner (nothing lifted) and ends just far enough left of
    // the spine that the roll and the page turned over beyond it (a mirror image across the fold
    // shifted by half the roll's girth) are both left of it.
    const float start = W * f.nx;
    const float end = -f.radius * 1.6f;
    f.offset = start + (end - start) * e;
    return f;
}

void CCPageCurlMesh::update(const CCSize& pageSize, float t, bool depthSorted) {
    m_vertices.clear();
    m_depths.clear();
    m_tris.clear();
    m_backFacing = 0;
    const float W = pageSize.width, H = pageSize.height;
    if (!(W > 0) || !(H > 0) || !std::isfinite(W) || !std::isfinite(H)) return;
    t = std::isnan(t) ? 0.f : clamp01(t);

    const Fold fold = foldAt(pageSize, t);
    const float rho = fold.radius;
    const float halfTurn = kPi * rho;

    for (int row = 0; row <= m_rows; ++row) {
        const float y = H * float(row) / float(m_rows);
        for (int col = 0; col <= m_columns; ++col) {
            const float x = W * float(col) / float(m_columns);
            Point3& p = m_points[size_t(index(col, row))];
            // How far past the fold line this point of the page lies, measured across the fold.
            const float s = x * fold.nx + y * fold.ny - fold.offset;
            m_flat[size_t(index(col, row))] = s <= 0.f;
            if (s <= 0.f) {
                p = Point3{x, y, 0.f};
                continue;
            }
            // The foot of the point on the fold line, then around the cylinder or, past half a
            // turn, back over the page lying flat on top.
            const float fx = x - s * fold.nx, fy = y - s * fold.ny;
            float across, z;
            if (s < halfTurn) {
                const float a = s / rho;
                across = rho * std::sin(a);
                z = rho * (1.f - std::cos(a));
            } else {
                across = -(s - halfTurn);
                z = 2.f * rho;
            }
            p = Point3{fx + across * fold.nx, fy + across * fold.ny, z};
        }
    }

    // Normals from the neighbours (one-sided at the edges). The cylinder touches the page along
    // the fold, so paper up to the fold faces straight up.
    for (int row = 0; row <= m_rows; ++row) {
        for (int col = 0; col <= m_columns; ++col) {
            if (m_flat[size_t(index(col, row))]) {
                m_normals[size_t(index(col, row))] = Point3{0, 0, 1};
                continue;
            }
            const Point3& xa = m_points[size_t(index(std::max(0, col - 1), row))];
            const Point3& xb = m_points[size_t(index(std::min(m_columns, col + 1), row))];
            const Point3& ya = m_points[size_t(index(col, std::max(0, row - 1)))];
            const Point3& yb = m_points[size_t(index(col, std::min(m_rows, row + 1)))];
            const float ux = xb.x - xa.x, uy = xb.y - xa.y, uz = xb.z - xa.z;
            const float vx = yb.x - ya.x, vy = yb.y - ya.y, vz = yb.z - ya.z;
            Point3 n{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
            const float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
            m_normals[size_t(index(col, row))] = len > 0 ? Point3{n.x / len, n.y / len, n.z / len} : Point3{0, 0, 1};
        }
    }

    // Two triangles per cell, counter-clockwise on the flat page. Paper that still lies flat is
    // the lowest layer whatever the order, so it goes first, one rectangle per column: a software
    // renderer copies a few big rectangles far faster than hundreds of small cells. Those are
    // split along the diagonal from the top-left corner, first the half below it, which is the
    // pair SDL's software renderer recognises as a rectangle and copies texel for pixel instead
    // of filling two triangles. The bent cells follow in grid order, column by column.
    int order = 0;
    auto addQuad = [&](int bl, int br, int tr, int tl, bool rectangle) {
        const int bent[2][3] = {{bl, br, tr}, {bl, tr, tl}};
        const int upright[2][3] = {{tl, bl, br}, {tl, br, tr}};
        for (const auto& c : rectangle ? upright : bent) {
            const Point3 &a = m_points[size_t(c[0])], &b = m_points[size_t(c[1])], &d = m_points[size_t(c[2])];
            m_tris.push_back(Tri{c[0], c[1], c[2], (a.z + b.z + d.z) / 3.f, order++});
        }
    };
    auto cellFlat = [&](int col, int row) {
        return m_flat[size_t(index(col, row))] && m_flat[size_t(index(col + 1, row))] &&
               m_flat[size_t(index(col, row + 1))] && m_flat[size_t(index(col + 1, row + 1))];
    };
    for (int col = 0; col < m_columns; ++col) {
        for (int row = 0; row < m_rows;) {
            if (!cellFlat(col, row)) {
                ++row;
                continue;
            }
            int end = row + 1;
            while (end < m_rows && cellFlat(col, end)) ++end;
            addQuad(index(col, row), index(col + 1, row), index(col + 1, end), index(col, end), true);
            row = end;
        }
    }
    for (int col = 0; col < m_columns; ++col)
        for (int row = 0; row < m_rows; ++row)
            if (!cellFlat(col, row))
                addQuad(index(col, row), index(col + 1, row), index(col + 1, row + 1), index(col, row + 1), false);
    if (depthSorted) {
        std::sort(m_tris.begin(), m_tris.end(), [](const Tri& l, const Tri& r) {
            return l.depth != r.depth ? l.depth < r.depth : l.order < r.order;
        });
    }

    m_vertices.reserve(m_tris.size() * 3);
    m_depths.reserve(m_tris.size());
    for (const Tri& tri : m_tris) {
        const int ids[3] = {tri.a, tri.b, tri.c};
        const Point3 &a = m_points[size_t(ids[0])], &b = m_points[size_t(ids[1])], &c = m_points[size_t(ids[2])];
        const float area2 = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (!(std::fabs(area2) > 2 * kEdgeOnArea)) continue;
        const bool back = area2 < 0;  // the winding turned over: the underside faces the viewer
        m_backFacing += back;
        for (int id : ids) {
            const int col = id % (m_columns + 1), row = id / (m_columns + 1);
            const Point3& p = m_points[size_t(id)];
            const float facing = m_normals[size_t(id)].z;
            CCVertex v;
            v.x = p.x;
            v.y = p.y;
            v.color = back ? backShade(-facing) : frontShade(facing);
            v.u = float(col) / float(m_columns);
            v.v = 1.f - float(row) / float(m_rows);
            m_vertices.push_back(v);
        }
        m_depths.push_back(tri.depth);
    }
}

}  // namespace engine
