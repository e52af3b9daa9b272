// CCNullRenderer: draws nothing, and the front end's counters say what it was sent, batch for
// batch as the SDL backend is sent it.
#include <vector>

#include "../RenderTestKit.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/null/CCNullRenderer.h"

using namespace engine;
using namespace rendertest;

namespace {

// Two triangles covering the design rectangle (x, y, w, h), mapping the whole texture.
std::vector<CCVertex> quad(float x, float y, float w, float h, Rgba c) {
    ccColor4B col{c.r, c.g, c.b, c.a};
    CCVertex bl{x, y, col, 0, 1}, br{x + w, y, col, 1, 1}, tl{x, y + h, col, 0, 0}, tr{x + w, y + h, col, 1, 0};
    return {bl, br, tl, tl, br, tr};
}

void drawQuad(CCRenderer* r, CCTexture2D* t, float x, float y, float w, float h, Rgba c) {
    auto v = quad(x, y, w, h, c);
    r->drawTriangles(t, v.data(), int(v.size()), BlendMode::Alpha);
}

CCTexture2D* solidTexture(Rgba c) {
    std::vector<uint8_t> px;
    for (int i = 0; i < 16; ++i) px.insert(px.end(), {c.r, c.g, c.b, c.a});
    auto* t = new CCTexture2D();
    EXPECT_TRUE(t->initWithRGBA(px.data(), 4, 4));
    t->autorelease();
    return t;
}

class NullRendererTest : public RenderTest {};

}  // namespace

TEST_F(NullRendererTest, NullRendererCountsAsTheSDLRendererBatches) {
    CCTexture2D* a = solidTexture(kRed);
    CCTexture2D* b = solidTexture(kGreen);
    CCNullRenderer counter;
    for (CCRenderer* r : {static_cast<CCRenderer*>(renderer.get()), static_cast<CCRenderer*>(&counter)}) {
        r->beginFrame();
        drawQuad(r, a, 0, 0, 10, 10, kWhite);
        drawQuad(r, a, 20, 0, 10, 10, kWhite);
        drawQuad(r, b, 40, 0, 10, 10, kWhite);
        r->pushClipRect(CCRect(0, 0, 100, 100));
        drawQuad(r, b, 60, 0, 10, 10, kWhite);
        r->popClipRect();
        drawQuad(r, nullptr, 80, 0, 10, 10, kWhite);
        r->endFrame();
    }
    EXPECT_EQ(counter.drawCallCount(), renderer->drawCallCount());
    EXPECT_EQ(counter.drawCallCount(), 4);
    EXPECT_EQ(counter.triangleCount(), 10);
    EXPECT_EQ(counter.clipDepth(), 0);
}

TEST_F(NullRendererTest, CountersStartAgainEachFrameAndLeftoverClipsAreDropped) {
    CCTexture2D* a = solidTexture(kRed);
    CCNullRenderer counter;
    counter.beginFrame();
    drawQuad(&counter, a, 0, 0, 10, 10, kWhite);
    counter.pushClipRect(CCRect(0, 0, 5, 5));
    counter.pushClipRect(CCRect(1, 1, 5, 5));
    drawQuad(&counter, a, 0, 0, 10, 10, kWhite);
    EXPECT_EQ(counter.clipDepth(), 2);
    counter.endFrame();
    EXPECT_TRUE(logged("2 clip rectangle(s)"));
    EXPECT_EQ(counter.clipDepth(), 0);
    EXPECT_EQ(counter.drawCallCount(), 2);
    EXPECT_EQ(counter.triangleCount(), 4);
    counter.beginFrame();
    EXPECT_EQ(counter.drawCallCount(), 0);
    EXPECT_EQ(counter.triangleCount(), 0);
    drawQuad(&counter, nullptr, 0, 0, 10, 10, kWhite);
    counter.endFrame();
    EXPECT_EQ(counter.drawCallCount(), 1);
    EXPECT_EQ(counter.triangleCount(), 2);
}
