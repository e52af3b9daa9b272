// The director: scene replacement at the next frame with the enter/exit order, pausing, purging.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class DirectorTest : public testsupport::EngineTest {};

std::vector<std::string> g_journal;

struct JournalScene : CCScene {
    explicit JournalScene(std::string n) : name(std::move(n)) { init(); }
    ~JournalScene() override { g_journal.push_back(name + ".destroyed"); }
    void onEnter() override {
        g_journal.push_back(name + ".onEnter");
        CCScene::onEnter();
    }
    void onEnterTransitionDidFinish() override {
        g_journal.push_back(name + ".onEnterTransitionDidFinish");
        CCScene::onEnterTransitionDidFinish();
    }
    void onExitTransitionDidStart() override {
        g_journal.push_back(name + ".onExitTransitionDidStart");
        CCScene::onExitTransitionDidStart();
    }
    void onExit() override {
        g_journal.push_back(name + ".onExit");
        CCScene::onExit();
    }
    void cleanup() override {
        g_journal.push_back(name + ".cleanup");
        CCScene::cleanup();
    }
    std::string name;
};

}  // namespace

TEST_F(DirectorTest, ReplaceSceneTakesEffectNextFrameInLifecycleOrder) {
    g_journal.clear();
    CCDirector* d = CCDirector::sharedDirector();
    JournalScene* a = new JournalScene("a");
    d->runWithScene(a);
    a->release();
    EXPECT_EQ(d->getRunningScene(), nullptr);
    frames(1);
    EXPECT_EQ(d->getRunningScene(), a);
    EXPECT_EQ(g_journal, (std::vector<std::string>{"a.onEnter", "a.onEnterTransitionDidFinish"}));

    g_journal.clear();
    JournalScene* b = new JournalScene("b");
    d->replaceScene(b);
    b->release();
    EXPECT_EQ(d->getRunningScene(), a);
    EXPECT_TRUE(g_journal.empty());
    frames(1);
    EXPECT_EQ(d->getRunningScene(), b);
    EXPECT_EQ(g_journal, (std::vector<std::string>{"a.onExitTransitionDidStart", "a.onExit", "a.cleanup",
                                                   "b.onEnter", "b.onEnterTransitionDidFinish", "a.destroyed"}));
}

TEST_F(DirectorTest, ReplacingTwiceInOneFrameShowsOnlyTheLast) {
    g_journal.clear();
    CCDirector* d = CCDirector::sharedDirector();
    JournalScene* a = new JournalScene("a");
    JournalScene* b = new JournalScene("b");
    d->runWithScene(a);
    d->replaceScene(b);
    a->release();
    EXPECT_EQ(g_journal, (std::vector<std::string>{"a.destroyed"}));
    b->release();
    frames(1);
    EXPECT_EQ(d->getRunningScene(), b);
}

TEST_F(DirectorTest, StoppedAnimationNeitherUpdatesNorDraws) {
    struct Ticker : CCNode {
        int ticks = 0;
        void update(float) override { ++ticks; }
    };
    CCDirector* d = CCDirector::sharedDirector();
    CCScene* s = CCScene::create();
    Ticker* t = new Ticker();
    s->addChild(t);
    t->release();
    t->scheduleUpdate();
    d->runWithScene(s);
    frames(3);
    int before = t->ticks;
    d->stopAnimation();
    frames(5);
    EXPECT_EQ(t->ticks, before);
    d->startAnimation();
    frames(2);
    EXPECT_EQ(t->ticks, before + 2);
}

TEST_F(DirectorTest, AutoreleasePoolIsDrainedAfterEveryFrame) {
    struct Tracked : CCObject {
        bool* gone;
        explicit Tracked(bool* g) : gone(g) {}
        ~Tracked() override { *gone = true; }
    };
    bool gone = false;
    (new Tracked(&gone))->autorelease();
    frames(1);
    EXPECT_TRUE(gone);
}

TEST_F(DirectorTest, WinSizeIsTheDesignSizeAndPurgeCallsTheHooks) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(714.2857f, 940);
    view->setDesignResolutionSize(640, 960, kResolutionExactFit);
    CCDirector* d = CCDirector::sharedDirector();
    d->setOpenGLView(view);
    EXPECT_EQ(d->getWinSize(), CCSize(640, 960));
    EXPECT_EQ(d->getVisibleSize(), CCSize(640, 960));
    EXPECT_EQ(d->getVisibleOrigin(), CCPoint(0, 0));
    // Exact fit: the window's top-left pixel is the design area's top-left corner.
    CCPoint p = view->windowToDesign(0, 0);
    EXPECT_NEAR(p.x, 0, 1e-3);
    EXPECT_NEAR(p.y, 960, 1e-3);
    p = view->windowToDesign(714.2857f, 940);
    EXPECT_NEAR(p.x, 640, 1e-2);
    EXPECT_NEAR(p.y, 0, 1e-2);
    int purged = 0;
    d->addPurgeHook([&purged] { ++purged; });
    d->purgeCachedData();
    EXPECT_EQ(purged, 1);
    d->setOpenGLView(nullptr);
    CCEGLView::purgeSharedOpenGLView();
}

TEST_F(DirectorTest, PurgeCachedDataDropsTexturesNothingUses) {
    std::string dir = testsupport::makeTempDir();
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(IMG_SavePNG(s, (dir + "/a.png").c_str()), 0);
    ASSERT_EQ(IMG_SavePNG(s, (dir + "/b.png").c_str()), 0);
    SDL_FreeSurface(s);
    CCTextureCache* cache = CCTextureCache::sharedTextureCache();
    CCTexture2D* kept = cache->addImage((dir + "/a.png").c_str());
    ASSERT_NE(kept, nullptr);
    kept->retain();
    ASSERT_NE(cache->addImage((dir + "/b.png").c_str()), nullptr);
    CCDirector::sharedDirector()->purgeCachedData();
    EXPECT_EQ(cache->textureForKey((dir + "/a.png").c_str()), kept);
    EXPECT_EQ(cache->textureForKey((dir + "/b.png").c_str()), nullptr);
    kept->release();
    CCTextureCache::purgeSharedTextureCache();
}
