// The geometry of a curling page: a grid over the page wrapped around a cylinder lying on it,
// as shaded triangles in the order they must be drawn.
//
// The page lies in its own space, x from 0 (the spine, left edge) to the page width and y from
// 0 (bottom) to the page height, z towards the viewer. A fold line crosses the page; the paper
// before it stays flat, the paper past it rolls up around a cylinder lying along the fold and,
// past half a turn, lies turned over on top, underside up. As the curl advances the fold sweeps
// from the bottom-right corner to beyond the spine, leaning less as it goes, so the corner lifts
// first and the page ends turned over entirely, left of the spine, off the page area.
// The picture is seen straight from above (orthographic), so z only orders and shades.
#pragma once

#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/render/CCRenderer.h"

namespace engine {

class CCPageCurlMesh {
public:
    struct Point3 {
        float x, y, z;
    };

    // The fold at one moment: the paper at p with p.x * nx + p.y * ny > offset is past it, and
    // rolls around a cylinder of this radius.
    struct Fold {
        float nx, ny, offset, radius;
    };

    static constexpr int kMaxCells = 256;

    // Where the fold is at curl amount t, for a page of this size.
    static Fold foldAt(const CCSize& pageSize, float t);

    // A grid of columns x rows cells; each count is kept between 1 and kMaxCells.
    explicit CCPageCurlMesh(int columns = 16, int rows = 24);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    // Bends the grid for curl amount t: 0 lies flat, 1 has turned over entirely (the page is
    // then to the left of the spine, off the page area). An empty or non-finite page size leaves
    // no triangles; t outside 0..1 or NaN counts as the nearest end (NaN as 0).
    // With depthSorted the triangles are drawn from the farthest to the nearest; without, the
    // flat paper and then the bent cells in grid order (column by column from the spine), which
    // is cheaper but may draw paper over paper that is really above it.
    void update(const CCSize& pageSize, float t, bool depthSorted);

    // The bent position of grid vertex (column, row), 0 <= column <= columns(), 0 <= row <= rows().
    const Point3& gridPoint(int column, int row) const;
    // 3 vertices per triangle in drawing order, in page space; the texture coordinates cover the
    // whole texture with v = 0 at the top edge of the page. Paper still lying flat comes first, as
    // one rectangle per grid column; triangles seen edge-on are left out.
    const std::vector<CCVertex>& vertices() const { return m_vertices; }
    int triangleCount() const { return int(m_vertices.size() / 3); }
    // The mean depth of each triangle, in drawing order.
    const std::vector<float>& triangleDepths() const { return m_depths; }
    // How many triangles show the underside of the paper (drawn darker).
    int backFacingCount() const { return m_backFacing; }

    // Shading of the two sides of the paper: the side facing the light keeps the picture's
    // colours, turning away from it darkens; the underside is a dimmer grey.
    static ccColor4B frontShade(float facing);
    static ccColor4B backShade(float facing);

private:
    struct Tri {
        int a, b, c;  // grid indices
        float depth;
        int order;
    };
    int index(int column, int row) const { return row * (m_columns + 1) + column; }

    int m_columns, m_rows;
    std::vector<Point3> m_points;
    std::vector<Point3> m_normals;
    std::vector<char> m_flat;  // per grid point: not past the fold, so unmoved
    std::vector<CCVertex> m_vertices;
    std::vector<float> m_depths;
    std::vector<Tri> m_tris;
    int m_backFacing = 0;
};

}  // namespace engine
