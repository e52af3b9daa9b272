// CCRenderer, the front end: the checks on what it is given, how it gathers batches, and what
// a backend is told (batches, clips, frames), seen through a backend that writes it all down.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/base/CCLog.h"
#include "engine/render/CCRenderer.h"
#include "engine/render/CCTexture2D.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

// Writes down every call the front end makes, in order, as short lines.
class RecordingBackend : public CCRenderer {
public:
    std::vector<std::string> calls;
    std::vector<std::vector<CCVertex>> batches;
    // What the next canDrawWith and applyClip answer.
    bool acceptTextures = true;
    bool clipsDrawable = true;

protected:
    void beginBackendFrame() override { calls.push_back("begin"); }
    void endBackendFrame() override { calls.push_back("end"); }
    bool canDrawWith(CCTexture2D* texture) override {
        calls.push_back(texture ? "can texture" : "can plain");
        return acceptTextures;
    }
    void drawBatch(const CCRenderBatch& batch) override {
        calls.push_back("batch " + std::to_string(batch.vertexCount / 3) + (batch.texture ? " textured" : " plain") +
                        " blend " + std::to_string(int(batch.blend)));
        batches.emplace_back(batch.vertices, batch.vertices + batch.vertexCount);
    }
    bool applyClip(const CCRect* r) override {
        if (!r) {
            calls.push_back("clip none");
        } else {
            char text[96];
            std::snprintf(text, sizeof text, "clip %g %g %g %g", double(r->origin.x), double(r->origin.y),
                          double(r->size.width), double(r->size.height));
            calls.push_back(text);
        }
        return clipsDrawable;
    }

public:
    // Lets a test open and close clip scopes as a backend with render targets does.
    void openScope() { openClipScope(); }
    void closeScope() { closeClipScope(); }
    int scopes() const { return clipScopeCount(); }
};

// Two triangles covering (x, y, w, h).
std::vector<CCVertex> quad(float x, float y, float w, float h) {
    const ccColor4B c = {255, 255, 255, 255};
    CCVertex bl{x, y, c, 0, 1}, br{x + w, y, c, 1, 1}, tl{x, y + h, c, 0, 0}, tr{x + w, y + h, c, 1, 0};
    return {bl, br, tl, tl, br, tr};
}

void draw(CCRenderer& r, CCTexture2D* t, float x, BlendMode blend = BlendMode::Alpha) {
    auto v = quad(x, 0, 10, 10);
    r.drawTriangles(t, v.data(), int(v.size()), blend);
}

// Only the calls of one kind, in order.
std::vector<std::string> only(const std::vector<std::string>& calls, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

class RendererTest : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        setLogObserver([this](const std::string& line) { logs.push_back(line); });
        setLogQuiet(true);
        const uint8_t px[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
        a = new CCTexture2D();
        ASSERT_TRUE(a->initWithRGBA(px, 2, 2));
        b = new CCTexture2D();
        ASSERT_TRUE(b->initWithRGBA(px, 2, 2));
    }
    void TearDown() override {
        safeRelease(a);
        safeRelease(b);
        setLogObserver(nullptr);
        setLogQuiet(false);
        EngineTest::TearDown();
    }
    bool logged(const std::string& fragment) const {
        for (const auto& l : logs)
            if (l.find(fragment) != std::string::npos) return true;
        return false;
    }

    RecordingBackend r;
    CCTexture2D* a = nullptr;
    CCTexture2D* b = nullptr;
    std::vector<std::string> logs;
};

}  // namespace

TEST_F(RendererTest, DrawsSharingTextureAndBlendGatherIntoOneBatchSentAtTheFrameEnd) {
    r.beginFrame();
    draw(r, a, 0);
    draw(r, a, 20);
    draw(r, a, 40);
    EXPECT_TRUE(only(r.calls, "batch").empty()) << "nothing is sent while the batch can still grow";
    r.endFrame();
    EXPECT_EQ(only(r.calls, "batch"), std::vector<std::string>{"batch 6 textured blend 1"});
    ASSERT_EQ(r.batches.size(), 1u);
    EXPECT_FLOAT_EQ(r.batches[0][6].x, 20.f) << "the second draw's vertices follow the first's";
    EXPECT_EQ(r.drawCallCount(), 1);
    EXPECT_EQ(r.triangleCount(), 6);
    // One question to the backend for the batch, not one per draw.
    EXPECT_EQ(only(r.calls, "can").size(), 1u);
    EXPECT_EQ(r.calls.back(), "end");
}

TEST_F(RendererTest, ATextureOrBlendChangeStartsANewBatch) {
    r.beginFrame();
    draw(r, a, 0);
    draw(r, b, 20);
    draw(r, b, 40, BlendMode::Additive);
    draw(r, nullptr, 60, BlendMode::Additive);
    draw(r, nullptr, 80, BlendMode::Additive);
    draw(r, a, 100);
    r.endFrame();
    EXPECT_EQ(only(r.calls, "batch"),
              (std::vector<std::string>{"batch 2 textured blend 1", "batch 2 textured blend 1",
                                        "batch 2 textured blend 3", "batch 4 plain blend 3",
                                        "batch 2 textured blend 1"}));
    EXPECT_EQ(r.drawCallCount(), 5);
    EXPECT_EQ(r.triangleCount(), 12);
}

TEST_F(RendererTest, ClipChangesEndTheBatchAndReachTheBackendIntersected) {
    r.beginFrame();
    draw(r, a, 0);
    r.pushClipRect(CCRect(0, 0, 100, 100));
    draw(r, a, 20);
    // Negative extents are the same area from the other corner; intersected with the outer clip.
    r.pushClipRect(CCRect(150, 150, -100, -100));
    EXPECT_EQ(r.clipDepth(), 2);
    draw(r, a, 40);
    r.popClipRect();
    draw(r, a, 60);
    r.popClipRect();
    draw(r, a, 80);
    r.endFrame();
    std::vector<std::string> expected = {"begin", "clip none", "can texture", "batch 2 textured blend 1",
                                         "clip 0 0 100 100", "can texture", "batch 2 textured blend 1",
                                         "clip 50 50 50 50", "can texture", "batch 2 textured blend 1",
                                         "clip 0 0 100 100", "can texture", "batch 2 textured blend 1",
                                         "clip none", "can texture", "batch 2 textured blend 1", "end"};
    EXPECT_EQ(r.calls, expected);
    EXPECT_EQ(r.drawCallCount(), 5);
    EXPECT_EQ(r.clipDepth(), 0);
}

TEST_F(RendererTest, BadArgumentsAreDroppedWithoutLosingTheirNeighbours) {
    std::vector<CCVertex> v = quad(0, 0, 10, 10);
    std::vector<CCVertex> bad = quad(20, 0, 10, 10);
    bad[1].y = std::nanf("");
    bad[5].x = -1e30f;
    v.insert(v.end(), bad.begin(), bad.end());
    std::vector<CCVertex> after = quad(40, 0, 10, 10);
    v.insert(v.end(), after.begin(), after.end());
    v.push_back(after[0]);  // a rest of one vertex is ignored
    r.beginFrame();
    r.drawTriangles(a, v.data(), int(v.size()), BlendMode::Alpha);
    r.drawTriangles(a, v.data(), 2, BlendMode::Alpha);
    r.drawTriangles(a, nullptr, 6, BlendMode::Alpha);
    r.drawTriangles(a, v.data(), -3, BlendMode::Alpha);
    r.endFrame();
    EXPECT_EQ(r.triangleCount(), 4);
    ASSERT_EQ(r.batches.size(), 1u);
    ASSERT_EQ(r.batches[0].size(), 12u);
    EXPECT_FLOAT_EQ(r.batches[0][3].x, 0.f);
    EXPECT_FLOAT_EQ(r.batches[0][6].x, 40.f) << "the good triangles after the bad ones are kept";
    for (const CCVertex& x : r.batches[0]) EXPECT_TRUE(std::isfinite(x.x) && std::isfinite(x.y));
}

TEST_F(RendererTest, ATextureWithNothingToShowDrawsNothing) {
    auto* empty = new CCTexture2D();
    r.beginFrame();
    draw(r, empty, 0);
    r.endFrame();
    EXPECT_EQ(r.triangleCount(), 0);
    EXPECT_TRUE(only(r.calls, "can").empty()) << "the backend is not even asked";
    auto* target = new CCTexture2D();
    ASSERT_TRUE(target->initAsRenderTarget(4, 4));
    r.beginFrame();
    draw(r, target, 0);
    r.endFrame();
    EXPECT_EQ(r.triangleCount(), 2) << "a render target has no pixels on the CPU but shows what was drawn into it";
    empty->release();
    target->release();
}

TEST_F(RendererTest, WhatTheBackendCannotDrawIsDroppedUncounted) {
    r.beginFrame();
    r.acceptTextures = false;
    draw(r, a, 0);
    draw(r, a, 20);
    r.acceptTextures = true;
    draw(r, a, 40);
    r.endFrame();
    EXPECT_EQ(only(r.calls, "can").size(), 3u) << "a refused texture is asked about again";
    EXPECT_EQ(r.triangleCount(), 2);
    EXPECT_EQ(r.drawCallCount(), 1);
}

TEST_F(RendererTest, NothingIsDrawnUnderAClipWithoutAreaOrOneTheBackendCannotDrawUnder) {
    r.beginFrame();
    r.pushClipRect(CCRect(0, 0, 50, 50));
    r.pushClipRect(CCRect(100, 100, 50, 50));  // disjoint: no area left
    draw(r, a, 0);
    r.popClipRect();
    r.clipsDrawable = false;  // e.g. a clip that rounds to no pixel at all
    r.pushClipRect(CCRect(0, 0, 0.1f, 0.1f));
    draw(r, a, 0);
    r.clipsDrawable = true;
    r.popClipRect();
    draw(r, a, 0);
    r.popClipRect();
    r.pushClipRect(CCRect(std::nanf(""), 0, 10, 10));  // unusable: no area
    draw(r, a, 0);
    r.popClipRect();
    r.endFrame();
    EXPECT_EQ(r.triangleCount(), 2);
    EXPECT_EQ(r.drawCallCount(), 1);
}

TEST_F(RendererTest, StrayPopsAndLeftoverClipsAreRepairedWithALogLine) {
    r.beginFrame();
    r.popClipRect();
    EXPECT_TRUE(logged("popClipRect without"));
    r.pushClipRect(CCRect(0, 0, 10, 10));
    r.endFrame();
    EXPECT_TRUE(logged("frame ended with 1 clip rectangle"));
    EXPECT_EQ(r.clipDepth(), 0);
    EXPECT_EQ(r.calls.back(), "clip none");
    logs.clear();
    r.beginFrame();
    EXPECT_FALSE(logged("clip rectangle"));
}

TEST_F(RendererTest, AScopeStartsWithoutClipsAndRestoresTheEnclosingOnesWhenClosed) {
    r.beginFrame();
    r.pushClipRect(CCRect(0, 0, 10, 10));
    draw(r, a, 0);
    r.openScope();
    EXPECT_EQ(r.clipDepth(), 0);
    EXPECT_EQ(r.calls.back(), "clip none");
    EXPECT_EQ(only(r.calls, "batch").size(), 1u) << "opening a scope sends the batch gathered before";
    r.popClipRect();
    EXPECT_TRUE(logged("popClipRect without")) << "the enclosing clip is out of reach inside the scope";
    r.pushClipRect(CCRect(200, 200, 10, 10));
    EXPECT_EQ(r.calls.back(), "clip 200 200 10 10") << "not intersected with the enclosing scope's clip";
    r.closeScope();
    EXPECT_EQ(r.calls.back(), "clip 0 0 10 10");
    EXPECT_EQ(r.clipDepth(), 1);
    r.popClipRect();
    r.openScope();
    r.endFrame();
    EXPECT_EQ(r.scopes(), 0) << "a scope left open is closed with the frame";
}

TEST_F(RendererTest, AnUnsentBatchFromBeforeTheFrameIsDropped) {
    draw(r, a, 0);
    r.beginFrame();
    r.endFrame();
    EXPECT_TRUE(only(r.calls, "batch").empty());
    EXPECT_EQ(r.drawCallCount(), 0);
    EXPECT_EQ(r.triangleCount(), 0);
}

TEST_F(RendererTest, FlushSendsNowAndTheNextDrawStartsAnotherBatch) {
    r.beginFrame();
    draw(r, a, 0);
    r.flush();
    EXPECT_EQ(only(r.calls, "batch").size(), 1u);
    r.flush();
    EXPECT_EQ(only(r.calls, "batch").size(), 1u) << "an empty flush sends nothing";
    draw(r, a, 20);
    r.endFrame();
    EXPECT_EQ(r.drawCallCount(), 2);
}

TEST_F(RendererTest, ADestroyedRendererIsNoLongerCurrent) {
    auto* other = new RecordingBackend();
    CCRenderer::setCurrent(other);
    EXPECT_EQ(CCRenderer::current(), other);
    delete other;
    EXPECT_EQ(CCRenderer::current(), nullptr);
}
