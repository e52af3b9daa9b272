// Shared set-up of the leaf widget tests: a headless host per test, a UI layer holding the widget, images and fonts written on the spot, pixel probes.
#pragma once

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "support/TestSupport.h"
#include "ui/ui.h"

namespace leaf {

using engine::ccColor4B;
using engine::CCPoint;
using engine::CCSize;

inline std::string str(const ccColor4B& c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ", " +
           std::to_string(c.a) + ")";
}

// Colour channels within tolerance (blending and filtering round by a unit or two).
inline ::testing::AssertionResult near(const ccColor4B& actual, const ccColor4B& expected, int tolerance = 3) {
    auto off = [&](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b))
        return ::testing::AssertionFailure() << "pixel " << str(actual) << " is not near " << str(expected);
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult sizeIs(const CCSize& actual, float w, float h) {
    if (std::fabs(actual.width - w) < 1e-3f && std::fabs(actual.height - h) < 1e-3f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "size " << actual.width << " x " << actual.height << " is not " << w
                                         << " x " << h;
}

const ccColor4B kBlack{0, 0, 0, 255}, kWhite{255, 255, 255, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255},
    kBlue{0, 0, 255, 255}, kYellow{255, 255, 0, 255}, kMagenta{255, 0, 255, 255}, kCyan{0, 255, 255, 255},
    kClear{0, 0, 0, 0};

// Counts the events of the controls' own listeners.
class Listener : public engine::CCObject {
public:
    std::vector<int> events;
    std::vector<std::string> calls;
    std::vector<ui::TouchEventType> touches;
    void onEvent(engine::CCObject*, int event) { events.push_back(event); }
    void onTouch(engine::CCObject*, ui::TouchEventType type) { touches.push_back(type); }
    void onSelect(engine::CCObject*) { calls.push_back("select"); }
    void onUnselect(engine::CCObject*) { calls.push_back("unselect"); }
    void onPercent(engine::CCObject*) { calls.push_back("percent"); }
    void onRelease(engine::CCObject*) { calls.push_back("release"); }
    void onCancel(engine::CCObject*) { calls.push_back("cancel"); }
    void onAttach(engine::CCObject*) { calls.push_back("attach"); }
    void onDetach(engine::CCObject*) { calls.push_back("detach"); }
    void onInsert(engine::CCObject*) { calls.push_back("insert"); }
    void onDelete(engine::CCObject*) { calls.push_back("delete"); }
};

// One headless host per test drawing a kWidth x kHeight design area onto as many pixels.
class LeafTest : public testsupport::EngineTest {
protected:
    static constexpr int kWidth = 400, kHeight = 300;

    void SetUp() override {
        EngineTest::SetUp();
        dir = testsupport::makeTempDir("quirel-leaf");
        engine::CCFileUtils::sharedFileUtils()->setResourceRoot(dir);
        engine::setLogObserver([this](const std::string& line) { logs.push_back(line); });
        engine::setLogQuiet(true);
        host = std::make_unique<engine::CCHeadlessHost>(kWidth, kHeight, false);
        engine::CCEGLView::sharedOpenGLView()->setDesignResolutionSize(kWidth, kHeight,
                                                                       engine::kResolutionExactFit);
        ASSERT_TRUE(host->isReady());
    }

    void TearDown() override {
        host.reset();
        ui::GUIHelper::purgeHelper();
        engine::CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        engine::CCTextureCache::purgeSharedTextureCache();
        engine::CCEGLView::purgeSharedOpenGLView();
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
        EngineTest::TearDown();
    }

    // The widget at (x, y) in a UI layer of a new running scene, one frame drawn.
    ui::UILayer* stage(ui::UIWidget* widget, float x, float y) {
        ui::UILayer* layer = ui::UILayer::create();
        EXPECT_NE(layer, nullptr);
        widget->setPosition(CCPoint(x, y));
        EXPECT_TRUE(layer->addWidget(widget));
        engine::CCScene* scene = engine::CCScene::create();
        scene->addChild(layer);
        engine::CCDirector::sharedDirector()->runWithScene(scene);
        host->step(1);
        return layer;
    }

    void redraw() { host->step(1); }

    // The pixel whose centre is at design point (x + 0.5, y + 0.5).
    ccColor4B px(float x, float y) { return host->pixelAt(x + 0.5f, y + 0.5f); }

    // Writes a PNG of w x h pixels, each given by paint(x, y) with y down from the top row.
    template <typename Paint>
    std::string writePNG(const std::string& name, int w, int h, Paint paint) {
        return testsupport::writePng(dir + "/" + name, w, h, paint);
    }

    std::string solidPNG(const std::string& name, int w, int h, ccColor4B c) {
        return writePNG(name, w, h, [c](int, int) { return c; });
    }

    bool logged(const std::string& fragment) const {
        for (const auto& l : logs)
            if (l.find(fragment) != std::string::npos) return true;
        return false;
    }

    std::string dir;
    std::vector<std::string> logs;
    std::unique_ptr<engine::CCHeadlessHost> host;
};

}  // namespace leaf
