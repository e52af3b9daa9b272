// Shared set-up of the widget tests: a headless host and a UI layer on stage per test, PNGs written on the spot, event recorders.
#pragma once

#include <cmath>
#include <cstdlib>
#include <functional>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "support/PixelHostTest.h"
#include "ui/ui.h"

namespace widgets {

using engine::ccColor4B;

inline std::string str(const ccColor4B& c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ", " +
           std::to_string(c.a) + ")";
}

// Channels within tolerance (blending and filtering round by a unit or two).
inline ::testing::AssertionResult near(const ccColor4B& actual, const ccColor4B& expected, int tolerance = 3) {
    auto off = [&](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b))
        return ::testing::AssertionFailure() << "pixel " << str(actual) << " is not near " << str(expected);
    return ::testing::AssertionSuccess();
}

const ccColor4B kBlack{0, 0, 0, 255}, kWhite{255, 255, 255, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255},
    kBlue{0, 0, 255, 255}, kYellow{255, 255, 0, 255}, kMagenta{255, 0, 255, 255}, kCyan{0, 255, 255, 255},
    kGrey{128, 128, 128, 255};

// Records every touch event, push/move/release/cancel callback and, with each touch event, the
// look the sender had at that moment.
class Recorder : public engine::CCObject {
public:
    struct Event {
        engine::CCObject* sender;
        ui::TouchEventType type;
        ui::BrightStyle look;
    };
    std::vector<Event> events;
    std::vector<std::string> callbacks;
    // Runs inside the listener, after recording (to remove widgets, dispose layers ...).
    std::function<void(ui::UIWidget*, ui::TouchEventType)> then;

    void onTouch(engine::CCObject* sender, ui::TouchEventType type) {
        ui::UIWidget* w = static_cast<ui::UIWidget*>(sender);
        events.push_back(Event{sender, type, w->getBrightStyle()});
        if (then) then(w, type);
    }
    void onPush(engine::CCObject*) { callbacks.push_back("push"); }
    void onMove(engine::CCObject*) { callbacks.push_back("move"); }
    void onRelease(engine::CCObject*) { callbacks.push_back("release"); }
    void onCancel(engine::CCObject*) { callbacks.push_back("cancel"); }

    void listenTo(ui::UIWidget* w) { w->setTouchListener(this, toucheventselector(Recorder::onTouch)); }
    void listenToAll(ui::UIWidget* w) {
        listenTo(w);
        w->setPushListener(this, widgeteventselector(Recorder::onPush));
        w->setMoveListener(this, widgeteventselector(Recorder::onMove));
        w->setReleaseListener(this, widgeteventselector(Recorder::onRelease));
        w->setCancelListener(this, widgeteventselector(Recorder::onCancel));
    }
    std::vector<ui::TouchEventType> types() const {
        std::vector<ui::TouchEventType> t;
        for (const auto& e : events) t.push_back(e.type);
        return t;
    }
    std::vector<ui::TouchEventType> typesFrom(engine::CCObject* sender) const {
        std::vector<ui::TouchEventType> t;
        for (const auto& e : events)
            if (e.sender == sender) t.push_back(e.type);
        return t;
    }
};

// A plain widget that counts what the base class calls on it.
class ProbeWidget : public ui::UIWidget {
public:
    static ProbeWidget* create() {
        ProbeWidget* w = new ProbeWidget();
        return engine::autoreleasedOrNull(w, w->init());
    }
    int normalShown = 0, pressedShown = 0, disabledShown = 0, updates = 0, sizeChanges = 0;
    std::vector<std::pair<int, ui::UIWidget*>> childTouches;  // phase, sender
    void showNormalState() override { ++normalShown; }
    void showPressedState() override { ++pressedShown; }
    void showDisabledState() override { ++disabledShown; }
    void onSizeChanged() override { ++sizeChanges; }
    void update(float) override { ++updates; }
    void notifyChildTouch(int phase, ui::UIWidget* sender, const engine::CCPoint& p) override {
        childTouches.emplace_back(phase, sender);
        UIWidget::notifyChildTouch(phase, sender, p);
    }
    void resetCounts() { normalShown = pressedShown = disabledShown = updates = sizeChanges = 0; }
};

// A panel that records the touch phases its descendants report.
class ListeningPanel : public ui::Layout {
public:
    static ListeningPanel* create() {
        ListeningPanel* p = new ListeningPanel();
        return engine::autoreleasedOrNull(p, p->init());
    }
    std::vector<std::pair<int, ui::UIWidget*>> childTouches;
    void notifyChildTouch(int phase, ui::UIWidget* sender, const engine::CCPoint& p) override {
        childTouches.emplace_back(phase, sender);
        Layout::notifyChildTouch(phase, sender, p);
    }
};

// The fixture's headless host with a UI layer on stage, registered with the director's touch
// dispatcher.
class WidgetTest : public testsupport::PixelHostTest {
protected:
    WidgetTest() : PixelHostTest("quirel-widgets") {}

    // A UI layer in a new running scene, one frame drawn.
    ui::UILayer* stage() {
        ui::UILayer* layer = ui::UILayer::create();
        EXPECT_NE(layer, nullptr);
        engine::CCScene* scene = engine::CCScene::create();
        scene->addChild(layer);
        engine::CCDirector::sharedDirector()->runWithScene(scene);
        host->step(1);
        return layer;
    }

    void tap(float x, float y, int id = 0) {
        host->touchDown(x, y, id);
        host->touchUp(x, y, id);
    }

    // Lives in the fixture, outside reference counting: nothing retains a listener target.
    Recorder recorder;
};

}  // namespace widgets
