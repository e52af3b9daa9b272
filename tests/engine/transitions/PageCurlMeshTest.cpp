// The curl geometry on its own: flat at the start, gone at the end, paper neither stretched nor
// torn in between, the underside darker, and the drawing order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/transitions/CCPageCurlMesh.h"

using namespace engine;

namespace {

const CCSize kPage(640, 960);

float signedArea(const CCVertex* v) { return (v[1].x - v[0].x) * (v[2].y - v[0].y) - (v[2].x - v[0].x) * (v[1].y - v[0].y); }

float distance(const CCPageCurlMesh::Point3& a, const CCPageCurlMesh::Point3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

}  // namespace

TEST(PageCurlMesh, LiesFlatAtTheStartWithThePictureUnchanged) {
    CCPageCurlMesh mesh(16, 24);
    mesh.update(kPage, 0.f, true);
    // Flat paper goes as one rectangle per column, together covering the page exactly once.
    ASSERT_EQ(mesh.triangleCount(), 16 * 2);
    double area = 0;
    for (size_t i = 0; i < mesh.vertices().size(); i += 3) area += signedArea(&mesh.vertices()[i]) / 2;
    EXPECT_NEAR(area, 640.0 * 960.0, 1.0);
    EXPECT_EQ(mesh.backFacingCount(), 0);
    for (int row = 0; row <= 24; ++row) {
        for (int col = 0; col <= 16; ++col) {
            const CCPageCurlMesh::Point3& p = mesh.gridPoint(col, row);
            EXPECT_FLOAT_EQ(p.x, 640.f * col / 16);
            EXPECT_FLOAT_EQ(p.y, 960.f * row / 24);
            EXPECT_EQ(p.z, 0.f);
        }
    }
    for (const CCVertex& v : mesh.vertices()) {
        // Full brightness, and each corner of the texture where its corner of the page is.
        EXPECT_EQ(v.color, ccc4(255, 255, 255, 255));
        EXPECT_NEAR(v.u, v.x / 640.f, 1e-5);
        EXPECT_NEAR(v.v, 1.f - v.y / 960.f, 1e-5);
    }
}

TEST(PageCurlMesh, FlatPaperComesFirstAsColumnRectanglesAndTheFoldInCells) {
    CCPageCurlMesh mesh(16, 24);
    mesh.update(kPage, 0.5f, false);
    const std::vector<CCVertex>& v = mesh.vertices();
    size_t i = 0;
    double flatArea = 0;
    // Leading rectangles: upright, unshaded, one cell wide, several cells tall at most once per column.
    for (; i < v.size(); i += 6) {
        const float z = mesh.triangleDepths()[i / 3];
        if (z != 0.f || v[i].color != ccc4(255, 255, 255, 255)) break;
        // Split from the top-left corner: top left, bottom left, bottom right, then top left,
        // bottom right, top right.
        EXPECT_FLOAT_EQ(v[i + 1].x, v[i].x);
        EXPECT_FLOAT_EQ(v[i + 2].x - v[i + 1].x, 40.f);
        EXPECT_FLOAT_EQ(v[i + 2].y, v[i + 1].y);
        EXPECT_GT(v[i].y, v[i + 1].y);
        EXPECT_EQ(v[i + 3].x, v[i].x);
        EXPECT_EQ(v[i + 3].y, v[i].y);
        EXPECT_EQ(v[i + 4].x, v[i + 2].x);
        EXPECT_EQ(v[i + 4].y, v[i + 2].y);
        EXPECT_FLOAT_EQ(v[i + 5].x, v[i + 2].x);
        EXPECT_FLOAT_EQ(v[i + 5].y, v[i].y);
        flatArea += signedArea(&v[i]) / 2 + signedArea(&v[i + 3]) / 2;
    }
    EXPECT_GT(flatArea, 0.2 * 640 * 960);
    EXPECT_LT(flatArea, 0.8 * 640 * 960);
    // The rest is cells of the grid, one by one.
    const size_t rectangles = i / 6;
    EXPECT_LE(rectangles, 16u);
    EXPECT_GT(v.size() - i, 100u);
}

TEST(PageCurlMesh, PaperIsBentButNeverStretched) {
    // Neighbouring grid points keep their distance on the page, whatever the curl: a fine grid
    // makes the chords across the roll as long as the paper between them.
    CCPageCurlMesh mesh(64, 96);
    const float cellW = 640.f / 64, cellH = 960.f / 96;
    for (float t : {0.1f, 0.3f, 0.5f, 0.7f, 0.9f}) {
        SCOPED_TRACE(t);
        mesh.update(kPage, t, true);
        float worst = 0;
        for (int row = 0; row <= 96; ++row) {
            for (int col = 0; col <= 64; ++col) {
                if (col < 64)
                    worst = std::max(worst, std::fabs(distance(mesh.gridPoint(col, row), mesh.gridPoint(col + 1, row)) -
                                                      cellW) / cellW);
                if (row < 96)
                    worst = std::max(worst, std::fabs(distance(mesh.gridPoint(col, row), mesh.gridPoint(col, row + 1)) -
                                                      cellH) / cellH);
            }
        }
        EXPECT_LT(worst, 0.01f);
    }
}

TEST(PageCurlMesh, BottomRightCornerLiftsFirstAndTheSpineStays) {
    CCPageCurlMesh mesh(16, 24);
    mesh.update(kPage, 0.1f, true);
    EXPECT_GT(mesh.gridPoint(16, 0).z, 0.f);   // bottom right, lifted
    EXPECT_EQ(mesh.gridPoint(16, 24).z, 0.f);  // top right, still down
    for (int row = 0; row <= 24; ++row) {
        EXPECT_EQ(mesh.gridPoint(0, row).z, 0.f);
        EXPECT_FLOAT_EQ(mesh.gridPoint(0, row).x, 0.f);
    }
}

TEST(PageCurlMesh, FoldSweepsLeftUntilThePageHasTurnedOverEntirely) {
    CCPageCurlMesh mesh(16, 24);
    int lastFlat = std::numeric_limits<int>::max();
    float lastOffset = std::numeric_limits<float>::max();
    for (int i = 0; i <= 20; ++i) {
        const float t = i / 20.f;
        mesh.update(kPage, t, true);
        int flat = 0;
        for (int row = 0; row <= 24; ++row)
            for (int col = 0; col <= 16; ++col) flat += mesh.gridPoint(col, row).z == 0.f;
        EXPECT_LE(flat, lastFlat) << "t = " << t;
        const float offset = CCPageCurlMesh::foldAt(kPage, t).offset;
        EXPECT_LT(offset, lastOffset) << "t = " << t;
        lastFlat = flat;
        lastOffset = offset;
    }
    // At the end every point of the page lies left of the spine: nothing of it on the page area.
    mesh.update(kPage, 1.f, true);
    for (int row = 0; row <= 24; ++row)
        for (int col = 0; col <= 16; ++col) EXPECT_LT(mesh.gridPoint(col, row).x, 0.f) << col << ", " << row;
}

TEST(PageCurlMesh, UndersideShowsMidTurnAndIsDarkerThanTheFront) {
    CCPageCurlMesh mesh(16, 24);
    mesh.update(kPage, 0.5f, true);
    ASSERT_GT(mesh.backFacingCount(), 0);
    ASSERT_LT(mesh.backFacingCount(), mesh.triangleCount());
    const ccColor4B brightestBack = CCPageCurlMesh::backShade(1.f);
    const ccColor4B dimmestFront = CCPageCurlMesh::frontShade(0.f);
    int back = 0;
    const std::vector<CCVertex>& v = mesh.vertices();
    for (size_t i = 0; i < v.size(); i += 3) {
        const bool facesAway = signedArea(&v[i]) < 0;
        back += facesAway;
        for (size_t k = i; k < i + 3; ++k) {
            if (facesAway) {
                EXPECT_LE(v[k].color.r, brightestBack.r);
                EXPECT_LE(v[k].color.b, brightestBack.b);
            } else {
                EXPECT_GE(v[k].color.r, dimmestFront.r);
            }
        }
    }
    EXPECT_EQ(back, mesh.backFacingCount());
    // Whatever the angle to the viewer, the underside is the darker side.
    for (float facing : {0.f, 0.25f, 0.5f, 0.75f, 1.f})
        EXPECT_LT(CCPageCurlMesh::backShade(facing).r, CCPageCurlMesh::frontShade(facing).r) << facing;
}

TEST(PageCurlMesh, DepthSortingDrawsBackToFrontAndKeepsEveryTriangle) {
    CCPageCurlMesh sorted(16, 24), grid(16, 24);
    for (float t : {0.2f, 0.5f, 0.8f}) {
        SCOPED_TRACE(t);
        sorted.update(kPage, t, true);
        grid.update(kPage, t, false);
        EXPECT_TRUE(std::is_sorted(sorted.triangleDepths().begin(), sorted.triangleDepths().end()));
        ASSERT_EQ(sorted.triangleCount(), grid.triangleCount());
        double sumSorted = 0, sumGrid = 0;
        for (float d : sorted.triangleDepths()) sumSorted += d;
        for (float d : grid.triangleDepths()) sumGrid += d;
        EXPECT_NEAR(sumSorted, sumGrid, 1e-3 * std::max(1.0, sumGrid));
        EXPECT_FALSE(std::is_sorted(grid.triangleDepths().begin(), grid.triangleDepths().end()));
        // Once part of the page has turned over, that part is drawn last, seen from behind.
        if (t >= 0.5f) {
            const CCVertex* top = &sorted.vertices()[sorted.vertices().size() - 3];
            EXPECT_LT(signedArea(top), 0.f);
        }
    }
}

TEST(PageCurlMesh, BadInputLeavesNothingToDrawOrCountsAsTheNearestEnd) {
    CCPageCurlMesh mesh(16, 24);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    for (const CCSize& size : {CCSize(0, 960), CCSize(640, -1), CCSize(nan, 960), CCSize(640, inf)}) {
        mesh.update(size, 0.5f, true);
        EXPECT_EQ(mesh.triangleCount(), 0);
        EXPECT_TRUE(mesh.triangleDepths().empty());
    }
    // Not a number: the start; beyond the ends: the ends.
    CCPageCurlMesh flat(16, 24);
    flat.update(kPage, 0.f, true);
    mesh.update(kPage, nan, true);
    EXPECT_EQ(mesh.vertices().size(), flat.vertices().size());
    EXPECT_EQ(mesh.backFacingCount(), 0);
    mesh.update(kPage, -3.f, true);
    EXPECT_EQ(mesh.gridPoint(16, 0).z, 0.f);
    CCPageCurlMesh gone(16, 24);
    gone.update(kPage, 1.f, true);
    mesh.update(kPage, 7.f, true);
    EXPECT_EQ(mesh.gridPoint(16, 12).x, gone.gridPoint(16, 12).x);

    // Grid sizes are kept within reason.
    CCPageCurlMesh tiny(0, -4), huge(100000, 3);
    EXPECT_EQ(tiny.columns(), 1);
    EXPECT_EQ(tiny.rows(), 1);
    EXPECT_EQ(huge.columns(), CCPageCurlMesh::kMaxCells);
    tiny.update(kPage, 0.f, true);
    EXPECT_EQ(tiny.triangleCount(), 2);
    EXPECT_FLOAT_EQ(tiny.gridPoint(5, 5).x, 640.f);  // indices outside the grid are clamped
}
