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
#include "support/PixelHostTest.h"
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

// A widget staged on the headless host of the fixture.
class LeafTest : public testsupport::PixelHostTest {
protected:
    LeafTest() : PixelHostTest("quirel-leaf") {}

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
};

}  // namespace leaf
