// Frames per second of scene transitions between two full-screen picture pages on the headless
// host at 640 x 960: the page turn both ways, the zoom flip, and a still page for comparison.
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCEGLView.h"
#include "engine/host/CCHeadlessHost.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCScene.h"
#include "engine/sprites/CCSprite.h"
#include "engine/transitions/CCTransitionPageTurn.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"

using namespace engine;

namespace {

const int kWidth = 640, kHeight = 960;
// Half a second of 1/60 s frames, as the reader's page turns last.
const int kTurnFrames = 30;

// A picture with a pattern in it (so that no copy can take a shortcut for plain colour).
CCTexture2D* patternTexture(int w, int h, uint8_t tint, bool roundCorners) {
    std::vector<uint8_t> px(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t(y) * size_t(w) + size_t(x)) * 4];
            const bool check = ((x / 32) + (y / 32)) % 2 == 0;
            p[0] = uint8_t(check ? 240 : (x * 255 / w));
            p[1] = uint8_t(check ? tint : (y * 255 / h));
            p[2] = uint8_t((x ^ y) & 0xff);
            const int dx = x < 8 ? 8 - x : (x >= w - 8 ? x - (w - 9) : 0);
            const int dy = y < 8 ? 8 - y : (y >= h - 8 ? y - (h - 9) : 0);
            p[3] = roundCorners && dx * dx + dy * dy > 64 ? 0 : 255;
        }
    }
    CCTexture2D* t = new CCTexture2D();
    t->initWithRGBA(px.data(), w, h);
    return t;
}

// A page: a full-screen image and twenty small pictures over it (the sentence buttons).
CCScene* makePage(CCTexture2D* background, CCTexture2D* button) {
    CCScene* scene = CCScene::create();
    CCSprite* page = CCSprite::createWithTexture(background);
    page->setPosition(CCPoint(kWidth / 2, kHeight / 2));
    scene->addChild(page);
    for (int i = 0; i < 20; ++i) {
        CCSprite* b = CCSprite::createWithTexture(button);
        b->setPosition(CCPoint(90.f + float(i % 4) * 150.f, 110.f + float(i / 4) * 170.f));
        scene->addChild(b, 1);
    }
    scene->retain();
    return scene;
}

enum class Show { TurnForward, TurnBackward, ZoomFlip, StillPage };

void runTransitions(benchmark::State& state, Show show) {
    setLogQuiet(true);
    long frames = 0;
    {
        CCHeadlessHost host(kWidth, kHeight);
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(kWidth, kHeight, kResolutionExactFit);
        CCDirector* director = CCDirector::sharedDirector();
        CCTexture2D* backgrounds[2] = {patternTexture(kWidth, kHeight, 200, false),
                                       patternTexture(kWidth, kHeight, 60, false)};
        CCTexture2D* button = patternTexture(96, 64, 120, true);
        CCScene* pages[2] = {makePage(backgrounds[0], button), makePage(backgrounds[1], button)};
        director->runWithScene(pages[0]);
        host.step(1);
        int shown = 0;

        for (auto _ : state) {
            if (show == Show::StillPage) {
                host.step(kTurnFrames);
            } else {
                CCScene* next = pages[1 - shown];
                director->setDepthTest(show != Show::ZoomFlip);
                CCScene* t = nullptr;
                if (show == Show::ZoomFlip)
                    t = CCTransitionZoomFlipY::create(0.5f, next, kCCTransitionOrientationUpOver);
                else
                    t = CCTransitionPageTurn::create(0.5f, next, show == Show::TurnBackward);
                director->replaceScene(t);
                host.step(kTurnFrames);
                // The hand-over frame draws the new page alone: not part of the turn.
                state.PauseTiming();
                host.step(1);
                if (director->getRunningScene() != next) state.SkipWithError("the turn did not end on time");
                shown = 1 - shown;
                state.ResumeTiming();
            }
            frames += kTurnFrames;
        }
        for (CCScene* p : pages) p->release();
        for (CCTexture2D* t : backgrounds) t->release();
        button->release();
    }
    state.counters["fps"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
    CCPoolManager::sharedPoolManager()->pop();
    CCTextureCache::purgeSharedTextureCache();
}

void BM_PageTurnForward(benchmark::State& state) { runTransitions(state, Show::TurnForward); }
void BM_PageTurnBackward(benchmark::State& state) { runTransitions(state, Show::TurnBackward); }
void BM_ZoomFlip(benchmark::State& state) { runTransitions(state, Show::ZoomFlip); }
void BM_StillPage(benchmark::State& state) { runTransitions(state, Show::StillPage); }

BENCHMARK(BM_PageTurnForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageTurnBackward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomFlip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StillPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
