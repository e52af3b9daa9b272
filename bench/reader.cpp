// The reader's costs: building a page layer (cold and warm), frames of a page turn, and the peak
// memory of a whole read-through.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/reader/PageLayer.h"
#include "app/book/ReaderState.h"
#include "app/shell/ScriptDriver.h"
#include "engine/engine.h"
#include "ui/layout/GUIReader.h"
#include "ui/widgets/GUIHelper.h"

using namespace engine;

namespace {

std::string bookDir() { return std::string(QUIREL_BINARY_DIR) + "/book"; }

// Resident-memory high-water mark of this process, in megabytes.
double peakRssMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

std::unique_ptr<app::ScriptDriver> startReader(benchmark::State& state) {
    if (!std::filesystem::exists(bookDir() + "/String.xml")) {
        state.SkipWithError("sample book not generated in this build tree");
        return nullptr;
    }
    setLogQuiet(true);
    app::resetReaderState();
    return std::make_unique<app::ScriptDriver>(bookDir());
}

// Everything a first visit has to load: textures, sheets, the reader's own caches.
void dropCaches() {
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    CCTextureCache::sharedTextureCache()->removeAllTextures();
    ui::GUIHelper::purgeHelper();
}

enum class Visit {
    Warm,  // the page again: everything cached
    Next,  // the page after the one showing, seen for the first time: its pictures were decoded
           // ahead while the previous page showed (as long as a child takes to read it)
    Jump,  // a page reached from the contents, seen for the first time: nothing decoded ahead
};

app::PageLayer* buildPage(int page) {
    app::currentPage = page;
    return new app::TestLayer1();
}

void dropPage(app::PageLayer* layer) {
    layer->release();
    CCPoolManager::sharedPoolManager()->pop();
}

void buildPages(benchmark::State& state, Visit visit) {
    auto driver = startReader(state);
    if (!driver) return;
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    int page = 2;
    for (auto _ : state) {
        if (visit != Visit::Warm) {
            state.PauseTiming();
            dropCaches();
            page = page >= 89 ? 3 : page + 1;
            if (visit == Visit::Next) {
                dropPage(buildPage(page - 1));
                cache->finishDecodingAhead();
            }
            state.ResumeTiming();
        }
        app::PageLayer* layer = buildPage(page);
        benchmark::DoNotOptimize(layer);
        state.PauseTiming();
        dropPage(layer);
        // The next page's pictures, decoding behind the build just measured, must not share the
        // processor with the next measurement.
        cache->finishDecodingAhead();
        state.ResumeTiming();
    }
}

void BM_PageBuildWarm(benchmark::State& state) { buildPages(state, Visit::Warm); }
void BM_PageBuildCold(benchmark::State& state) { buildPages(state, Visit::Next); }
void BM_PageBuildJump(benchmark::State& state) { buildPages(state, Visit::Jump); }
BENCHMARK(BM_PageBuildWarm)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PageBuildCold)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PageBuildJump)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Frames of the 0.5 s page turn between two real pages, drawn by the software renderer.
void BM_PageTurnFrame(benchmark::State& state) {
    auto driver = startReader(state);
    if (!driver) return;
    app::currentPage = 26;
    app::openPageWithoutTransition();
    driver->host().step(2);
    for (auto _ : state) {
        state.PauseTiming();
        app::PageLayer* page = dynamic_cast<app::PageLayer*>(driver->systemLayer());
        if (!page) {
            state.SkipWithError("no page is showing");
            break;
        }
        if (app::currentPage >= 89) app::currentPage = 25;
        page->nextPageCallback(nullptr);
        driver->host().step(1);  // the turn starts
        state.ResumeTiming();
        driver->host().step(28);  // frames in the middle of the turn
        state.PauseTiming();
        driver->host().step(3);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 28);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()) * 28, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageTurnFrame)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// Continuous reading in turn-pages mode from page 2 to page 90; each new page is drawn so its
// textures are really uploaded.
void BM_ReadThroughPeakMemory(benchmark::State& state) {
    auto driver = startReader(state);
    if (!driver) return;
    for (auto _ : state) {
        app::currentPage = 2;
        app::openPageWithoutTransition();
        driver->host().step(2);
        app::PageLayer* page = dynamic_cast<app::PageLayer*>(driver->systemLayer());
        if (page) page->playPauseCallback(page->getPlayPauseItem());
        int lastDrawn = 0;
        for (int second = 0; second < 3000 && !(app::currentPage == 90 && !SimpleAudioEngine::sharedEngine()->isBackgroundMusicPlaying() && app::readingPause); ++second) {
            driver->host().setDrawing(app::currentPage != lastDrawn);
            lastDrawn = app::currentPage;
            driver->host().advance(1.0);
        }
    }
    state.counters["peak_rss_mb"] = peakRssMb();
    state.counters["last_page"] = app::currentPage;
}
BENCHMARK(BM_ReadThroughPeakMemory)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
