// Drawing cost: a software-rendered 640 x 960 frame of 1,000 sheet sprites, and the CPU walk of
// a typical page through the counting renderer.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"
#include "engine/render/null/CCNullRenderer.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/sdl/CCSoftwareCanvas.h"
#include "engine/render/CCTextureCache.h"
#include "engine/scene/CCNode.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCSpriteBatchNode.h"
#include "engine/sprites/CCSpriteFrameCache.h"

using namespace engine;

namespace {

const int kWidth = 640, kHeight = 960;

// A resource folder of its own, holding the images the benchmarks draw.
class BenchFiles {
public:
    BenchFiles() {
        m_dir = (std::filesystem::temp_directory_path() / ("quirel-bench-render-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(m_dir);
        CCFileUtils::sharedFileUtils()->setResourceRoot(m_dir);
        writeSheet();
        writeImage("page.png", kWidth, kHeight, 0xff, 0xee, 0xcc);
        writeImage("button.png", 120, 48, 0x33, 0x88, 0xdd);
        writeImage("label.png", 300, 40, 0x22, 0x22, 0x22);
    }
    ~BenchFiles() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

private:
    void save(SDL_Surface* s, const std::string& name) {
        if (IMG_SavePNG(s, (m_dir + "/" + name).c_str()) != 0) std::fprintf(stderr, "cannot write %s\n", name.c_str());
        SDL_FreeSurface(s);
    }

    void writeImage(const std::string& name, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
        save(s, name);
    }

    // Eight 48 x 48 frames with transparent corners, in a 256 x 128 sheet.
    void writeSheet() {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 256, 128, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(s, nullptr, 0);
        std::string frames;
        for (int i = 0; i < 8; ++i) {
            int x = (i % 4) * 64, y = (i / 4) * 64;
            SDL_Rect body{x + 4, y + 4, 40, 40};
            SDL_FillRect(s, &body, SDL_MapRGBA(s->format, Uint8(40 * i), Uint8(255 - 30 * i), 128, 255));
            frames += "<key>f" + std::to_string(i) + ".png</key><dict><key>frame</key><string>{{" + std::to_string(x) +
                      "," + std::to_string(y) + "},{48,48}}</string><key>offset</key><string>{0,0}</string>"
                      "<key>rotated</key><false/><key>sourceSize</key><string>{48,48}</string></dict>";
        }
        save(s, "sheet.png");
        std::ofstream(m_dir + "/sheet.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>frames</key><dict>"
            << frames
            << "</dict><key>metadata</key><dict><key>format</key><integer>2</integer>"
               "<key>textureFileName</key><string>sheet.png</string></dict></dict></plist>";
    }

    std::string m_dir;
};

BenchFiles& files() {
    static BenchFiles f;
    return f;
}

// A deterministic spread of positions.
struct Lcg {
    uint32_t state = 12345;
    float next(float range) {
        state = state * 1664525u + 1013904223u;
        return float(state >> 8) / float(1u << 24) * range;
    }
};

void BM_SoftwareFrameOf1000SheetSprites(benchmark::State& state) {
    files();
    setLogQuiet(true);
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("sheet.plist");
    CCSoftwareCanvas canvas(kWidth, kHeight);
    CCSDLRenderer renderer(canvas.renderer(), CCSize(kWidth, kHeight), kWidth, kHeight);
    CCRenderer::setCurrent(&renderer);
    CCNode* root = CCNode::create();
    root->retain();
    CCSpriteBatchNode* batch = CCSpriteBatchNode::create("sheet.png", 1000);
    root->addChild(batch);
    Lcg lcg;
    for (int i = 0; i < 1000; ++i) {
        CCSprite* s = CCSprite::createWithSpriteFrameName(("f" + std::to_string(i % 8) + ".png").c_str());
        s->setPosition(CCPoint(lcg.next(kWidth), lcg.next(kHeight)));
        batch->addChild(s);
    }
    for (auto _ : state) {
        renderer.beginFrame();
        root->visit();
        renderer.endFrame();
    }
    state.counters["draw_calls"] = renderer.drawCallCount();
    state.counters["triangles"] = renderer.triangleCount();
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    CCRenderer::setCurrent(nullptr);
    root->release();
    CCPoolManager::sharedPoolManager()->pop();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
}
BENCHMARK(BM_SoftwareFrameOf1000SheetSprites)->Unit(benchmark::kMillisecond);

void BM_PageWalkThroughCountingRenderer(benchmark::State& state) {
    files();
    setLogQuiet(true);
    CCNullRenderer renderer;
    CCRenderer::setCurrent(&renderer);
    CCNode* root = CCNode::create();
    root->retain();
    CCSprite* page = CCSprite::create("page.png");
    page->setPosition(CCPoint(kWidth / 2, kHeight / 2));
    root->addChild(page);
    CCNode* buttons = CCNode::create();
    root->addChild(buttons, 1);
    for (int i = 0; i < 20; ++i) {
        CCSprite* b = CCSprite::create("button.png");
        b->setPosition(CCPoint(80.f + float(i % 4) * 160.f, 120.f + float(i / 4) * 160.f));
        buttons->addChild(b);
    }
    for (int i = 0; i < 3; ++i) {
        CCSprite* label = CCSprite::create("label.png");
        label->setPosition(CCPoint(kWidth / 2, 900.f - float(i) * 50.f));
        root->addChild(label, 2);
    }
    for (auto _ : state) {
        renderer.beginFrame();
        root->visit();
        renderer.endFrame();
    }
    state.counters["triangles"] = renderer.triangleCount();
    state.counters["draw_calls"] = renderer.drawCallCount();
    CCRenderer::setCurrent(nullptr);
    root->release();
    CCPoolManager::sharedPoolManager()->pop();
    CCTextureCache::purgeSharedTextureCache();
}
BENCHMARK(BM_PageWalkThroughCountingRenderer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
