// Shared set-up of the nine-slice sprite tests: a headless host per test, PNG files written on the spot, pixel probes.
#pragma once

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/base/CCLog.h"
#include "engine/scene/CCEGLView.h"
#include "engine/io/CCFileUtils.h"
#include "engine/host/CCHeadlessHost.h"
#include "engine/render/CCTextureCache.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCScene.h"
#include "engine/sprites/CCSpriteFrameCache.h"
#include "support/PixelHostTest.h"
#include "ui/nodes/CCScale9Sprite.h"

namespace nine {

using engine::ccColor4B;

inline std::string str(const ccColor4B& c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ", " +
           std::to_string(c.a) + ")";
}
inline std::string str(const engine::CCRect& r) {
    std::ostringstream o;
    o << "(" << r.origin.x << ", " << r.origin.y << ", " << r.size.width << ", " << r.size.height << ")";
    return o.str();
}
inline std::string str(const engine::CCSize& s) {
    std::ostringstream o;
    o << s.width << " x " << s.height;
    return o.str();
}
inline std::string str(const engine::CCPoint& p) {
    std::ostringstream o;
    o << "(" << p.x << ", " << p.y << ")";
    return o.str();
}

// Channels within tolerance (blending rounds by a unit or two).
inline ::testing::AssertionResult near(const ccColor4B& actual, const ccColor4B& expected, int tolerance = 3) {
    auto off = [&](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b) ||
        off(actual.a, expected.a))
        return ::testing::AssertionFailure() << "pixel " << str(actual) << " is not near " << str(expected);
    return ::testing::AssertionSuccess();
}

// Exact equality of geometry, printed readably on failure.
template <typename T>
::testing::AssertionResult same(const T& actual, const T& expected) {
    if (actual.equals(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << str(actual) << " is not " << str(expected);
}

const ccColor4B kBackground{0, 0, 0, 255};
const ccColor4B kClear{0, 0, 0, 0};
const ccColor4B kWhite{255, 255, 255, 255};

// A drawn frame read back once, probed by design pixel: (x, y) is the pixel whose bottom-left
// corner is at design point (x, y), origin bottom left (the design area is drawn 1 : 1).
struct Frame {
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ccColor4B at(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) {
            ADD_FAILURE() << "probe (" << x << ", " << y << ") outside the frame";
            return kClear;
        }
        const uint8_t* p = &rgba[(size_t(h - 1 - y) * size_t(w) + size_t(x)) * 4];
        return ccColor4B{p[0], p[1], p[2], p[3]};
    }
};

// A nine-slice sprite shown on the fixture's headless host, with whole frames read back.
class Scale9Test : public testsupport::PixelHostTest {
protected:
    Scale9Test() : PixelHostTest("quirel-nine") {}

    // Puts node into a new running scene and draws one frame.
    void show(engine::CCNode* node) {
        engine::CCScene* scene = engine::CCScene::create();
        scene->addChild(node);
        engine::CCDirector::sharedDirector()->runWithScene(scene);
        host->step(1);
    }

    Frame grab() {
        Frame f;
        EXPECT_TRUE(host->readFrame(f.rgba, f.w, f.h));
        EXPECT_EQ(f.w, kWidth);
        EXPECT_EQ(f.h, kHeight);
        return f;
    }

    static engine::CCSprite* slice(ui::CCScale9Sprite* s, int tag) {
        if (!s->getSheetNode()) return nullptr;
        return dynamic_cast<engine::CCSprite*>(s->getSheetNode()->getChildByTag(tag));
    }
};

// All nine slices by tag, corners first.
inline const int kAllSlices[] = {ui::CCScale9Sprite::kSliceTopLeft,    ui::CCScale9Sprite::kSliceTopRight,
                                 ui::CCScale9Sprite::kSliceBottomLeft, ui::CCScale9Sprite::kSliceBottomRight,
                                 ui::CCScale9Sprite::kSliceTop,        ui::CCScale9Sprite::kSliceBottom,
                                 ui::CCScale9Sprite::kSliceLeft,       ui::CCScale9Sprite::kSliceRight,
                                 ui::CCScale9Sprite::kSliceCentre};

}  // namespace nine
