// Shared set-up of the container tests: a headless host with a UI layer on stage, touch and frame helpers, event recorders.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "support/TestSupport.h"
#include "ui/ui.h"

namespace containers {

// Records every event the containers and widgets send, in order, as short strings.
class Recorder : public engine::CCObject {
public:
    std::vector<std::string> log;
    std::vector<int> scrollEvents, pageEvents, dragEvents;
    std::vector<ui::TouchEventType> touches;
    // Runs inside the general listeners, after recording.
    std::function<void()> then;

    void onScroll(engine::CCObject*, ui::ScrollEventType type) {
        scrollEvents.push_back(type);
        log.push_back("scroll " + std::to_string(type));
        if (then) then();
    }
    void onToTop(engine::CCObject*) { log.push_back("top"); }
    void onToBottom(engine::CCObject*) { log.push_back("bottom"); }
    void onToLeft(engine::CCObject*) { log.push_back("left"); }
    void onToRight(engine::CCObject*) { log.push_back("right"); }

    void onPage(engine::CCObject*, ui::PageEventType type) {
        pageEvents.push_back(type);
        log.push_back("page " + std::to_string(type));
        if (then) then();
    }
    void onPageTurning(engine::CCObject*) { log.push_back("turning"); }

    void onDrag(engine::CCObject*, ui::DragPanelEventType type) {
        dragEvents.push_back(type);
        log.push_back("drag " + std::to_string(type));
        if (then) then();
    }
    void onDragOne(engine::CCObject*) { log.push_back("one"); }

    void onTouch(engine::CCObject*, ui::TouchEventType type) { touches.push_back(type); }

    void listenTo(ui::UIScrollView* v) {
        v->setEventListener(this, scrolleventselector(Recorder::onScroll));
        v->setScrollToTopListener(this, widgeteventselector(Recorder::onToTop));
        v->setScrollToBottomListener(this, widgeteventselector(Recorder::onToBottom));
        v->setScrollToLeftListener(this, widgeteventselector(Recorder::onToLeft));
        v->setScrollToRightListener(this, widgeteventselector(Recorder::onToRight));
    }
    void listenTo(ui::UIPageView* v) {
        v->setEventListener(this, pageeventselector(Recorder::onPage));
        v->setPageTurningListener(this, widgeteventselector(Recorder::onPageTurning));
    }
    void listenTo(ui::UIDragPanel* p) { p->setEventListener(this, dragpaneleventselector(Recorder::onDrag)); }
    void listenToTouches(ui::UIWidget* w) { w->setTouchListener(this, toucheventselector(Recorder::onTouch)); }

    void clear() {
        log.clear();
        scrollEvents.clear();
        pageEvents.clear();
        dragEvents.clear();
        touches.clear();
    }
};

// One headless host per test with a 640 x 960 design area, and a UI layer on stage.
class ContainerTest : public testsupport::EngineTest {
protected:
    static constexpr int kWidth = 640, kHeight = 960;

    void SetUp() override {
        EngineTest::SetUp();
        engine::setLogQuiet(true);
        host = std::make_unique<engine::CCHeadlessHost>(kWidth, kHeight, false);
        engine::CCEGLView::sharedOpenGLView()->setDesignResolutionSize(kWidth, kHeight,
                                                                       engine::kResolutionExactFit);
        ASSERT_TRUE(host->isReady());
        layer = ui::UILayer::create();
        ASSERT_NE(layer, nullptr);
        engine::CCScene* scene = engine::CCScene::create();
        scene->addChild(layer);
        engine::CCDirector::sharedDirector()->runWithScene(scene);
        host->step(1);
    }

    void TearDown() override {
        layer = nullptr;
        host.reset();
        ui::GUIHelper::purgeHelper();
        engine::CCTextureCache::purgeSharedTextureCache();
        engine::CCEGLView::purgeSharedOpenGLView();
        engine::setLogQuiet(false);
        EngineTest::TearDown();
    }

    // A drag from (x0, y0) to (x1, y1) in `moves` equal steps, one frame before each step.
    void dragOverFrames(float x0, float y0, float x1, float y1, int moves, bool release = true) {
        host->touchDown(x0, y0);
        for (int i = 1; i <= moves; ++i) {
            host->step(1);
            host->touchMove(x0 + (x1 - x0) * i / moves, y0 + (y1 - y0) * i / moves);
        }
        if (release) host->touchUp(x1, y1);
    }

    // Frames until done() holds, at most limit; the number of frames taken (limit + 1 if never).
    template <typename Done>
    int framesUntil(Done done, int limit = 600) {
        for (int n = 0; n <= limit; ++n) {
            if (done()) return n;
            host->step(1);
        }
        return limit + 1;
    }

    // A touch-enabled button of w x h with its centre at (x, y) in its parent.
    static ui::UIButton* button(float x, float y, float w = 100, float h = 50) {
        ui::UIButton* b = ui::UIButton::create();
        b->setIgnoreSize(false);
        b->setSize(engine::CCSize(w, h));
        b->setTouchEnabled(true);
        b->setPosition(engine::CCPoint(x, y));
        return b;
    }

    std::unique_ptr<engine::CCHeadlessHost> host;
    ui::UILayer* layer = nullptr;
    // Lives in the fixture: listener targets are not retained.
    Recorder recorder;
};

}  // namespace containers
