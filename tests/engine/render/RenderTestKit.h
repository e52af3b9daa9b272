// Headless drawing for tests: a software canvas, the SDL renderer on it, image files made on the
// spot, and pixel probes in design points.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/sdl/CCSoftwareCanvas.h"
#include "engine/render/CCTextureCache.h"
#include "engine/scene/CCNode.h"
#include "engine/sprites/CCSpriteFrameCache.h"
#include "support/TestSupport.h"

namespace rendertest {

struct Rgba {
    uint8_t r, g, b, a;
};

inline std::ostream& operator<<(std::ostream& os, const Rgba& c) {
    return os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

// Channels within tolerance of each other (filtering and blending round by a unit or two).
inline ::testing::AssertionResult near(const Rgba& actual, const Rgba& expected, int tolerance = 3) {
    auto off = [&](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b) ||
        off(actual.a, expected.a))
        return ::testing::AssertionFailure() << "pixel " << actual << " is not near " << expected;
    return ::testing::AssertionSuccess();
}

const Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255}, kWhite{255, 255, 255, 255},
    kBlack{0, 0, 0, 255}, kYellow{255, 255, 0, 255}, kMagenta{255, 0, 255, 255}, kCyan{0, 255, 255, 255};

// A test with a design area of designW x designH points drawn onto outW x outH pixels.
class RenderTest : public testsupport::EngineTest {
protected:
    explicit RenderTest(int designW = 320, int designH = 480, int outW = 320, int outH = 480)
        : m_designW(designW), m_designH(designH), m_outW(outW), m_outH(outH) {}

    void SetUp() override {
        EngineTest::SetUp();
        dir = testsupport::makeTempDir("quirel-render");
        engine::CCFileUtils::sharedFileUtils()->setResourceRoot(dir);
        engine::setLogObserver([this](const std::string& line) { logs.push_back(line); });
        engine::setLogQuiet(true);
        canvas = std::make_unique<engine::CCSoftwareCanvas>(m_outW, m_outH);
        ASSERT_TRUE(canvas->valid());
        renderer = std::make_unique<engine::CCSDLRenderer>(
            canvas->renderer(), engine::CCSize(float(m_designW), float(m_designH)), m_outW, m_outH);
        engine::CCRenderer::setCurrent(renderer.get());
    }

    void TearDown() override {
        engine::CCRenderer::setCurrent(nullptr);
        renderer.reset();
        canvas.reset();
        engine::CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        engine::CCTextureCache::purgeSharedTextureCache();
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
        EngineTest::TearDown();
    }

    // One frame of the tree, read back into pixels.
    void render(engine::CCNode* root) {
        renderer->beginFrame();
        if (root) root->visit();
        renderer->endFrame();
        int w = 0, h = 0;
        ASSERT_TRUE(renderer->readPixels(pixels, w, h));
        ASSERT_EQ(w, m_outW);
        ASSERT_EQ(h, m_outH);
    }

    Rgba pixel(int px, int py) const {
        if (px < 0 || py < 0 || px >= m_outW || py >= m_outH) {
            ADD_FAILURE() << "probe (" << px << ", " << py << ") outside the canvas";
            return Rgba{0, 0, 0, 0};
        }
        const uint8_t* p = &pixels[(size_t(py) * size_t(m_outW) + size_t(px)) * 4];
        return Rgba{p[0], p[1], p[2], p[3]};
    }

    // The pixel under a design point (origin bottom left).
    Rgba at(float x, float y) const {
        float sx = float(m_outW) / float(m_designW), sy = float(m_outH) / float(m_designH);
        return pixel(int(x * sx), int((float(m_designH) - y) * sy));
    }

    // Writes a PNG of w x h pixels, each given by paint(x, y) with y down from the top row.
    template <typename Paint>
    std::string writePNG(const std::string& name, int w, int h, Paint paint) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
        EXPECT_NE(s, nullptr);
        if (!s) return std::string();
        for (int y = 0; y < h; ++y) {
            auto* row = static_cast<uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch);
            for (int x = 0; x < w; ++x) {
                Rgba c = paint(x, y);
                row[x * 4 + 0] = c.r;
                row[x * 4 + 1] = c.g;
                row[x * 4 + 2] = c.b;
                row[x * 4 + 3] = c.a;
            }
        }
        std::string path = dir + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(s);
        return path;
    }

    std::string writeSolidPNG(const std::string& name, int w, int h, Rgba c) {
        return writePNG(name, w, h, [c](int, int) { return c; });
    }

    bool logged(const std::string& fragment) const {
        for (const auto& l : logs)
            if (l.find(fragment) != std::string::npos) return true;
        return false;
    }

    std::string dir;
    std::vector<std::string> logs;
    std::vector<uint8_t> pixels;
    std::unique_ptr<engine::CCSoftwareCanvas> canvas;
    std::unique_ptr<engine::CCSDLRenderer> renderer;

private:
    int m_designW, m_designH, m_outW, m_outH;
};

}  // namespace rendertest
