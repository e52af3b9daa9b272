// Key dispatch: delegates asked by priority until one takes the key, list changes made by a
// delegate while it handles one, keys dropped during a transition, a touch announced to all, and
// keyboard-enabled layers registered only while running.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

std::vector<std::string> g_log;

struct Recorder : CCKeyboardDelegate {
    Recorder(std::string n, bool takes) : name(std::move(n)), takes(takes) {}
    bool keyPressed(int key, int) override {
        g_log.push_back(name + ":" + std::to_string(key));
        if (onKey) onKey();
        return takes;
    }
    void pointerUsed() override { g_log.push_back(name + ":touch"); }
    std::string name;
    bool takes;
    std::function<void()> onKey;
};

struct KeyLayer : CCLayer {
    bool keyPressed(int key, int) override {
        g_log.push_back("layer:" + std::to_string(key));
        return true;
    }
};

class KeyboardDispatch : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        g_log.clear();
    }
};

}  // namespace

TEST_F(KeyboardDispatch, LowerPrioritiesAreAskedFirstUntilOneTakesTheKey) {
    CCKeyboardDispatcher d;
    Recorder late("late", true), early("early", false), middle("middle", true), newcomer("newcomer", false);
    d.addDelegate(&late, 10);
    d.addDelegate(&early, -5);
    d.addDelegate(&middle, 0);
    d.addDelegate(&newcomer, 0);  // before the equal one
    EXPECT_TRUE(d.dispatchKey('a', 0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"early:97", "newcomer:97", "middle:97"}));
    g_log.clear();
    d.removeDelegate(&middle);
    d.dispatchPointerUsed();
    EXPECT_EQ(g_log, (std::vector<std::string>{"early:touch", "newcomer:touch", "late:touch"}));

    // A delegate that removes a later one (its screen leaves) spares it the key; one it adds
    // waits for the next key.
    g_log.clear();
    Recorder added("added", true);
    early.onKey = [&] {
        d.removeDelegate(&newcomer);
        d.addDelegate(&added, -10);
    };
    EXPECT_TRUE(d.dispatchKey('b', 0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"early:98", "late:98"}));
    early.onKey = nullptr;

    g_log.clear();
    d.setDispatchEvents(false);
    EXPECT_FALSE(d.dispatchKey('c', 0));
    EXPECT_TRUE(g_log.empty());
}

TEST_F(KeyboardDispatch, AKeyboardLayerHearsKeysWhileRunningAndATouchIsAnnounced) {
    CCKeyboardDispatcher* d = CCDirector::sharedDirector()->getKeyboardDispatcher();
    CCScene* scene = CCScene::create();
    KeyLayer* layer = new KeyLayer();
    layer->init();
    layer->setKeyboardEnabled(true);
    scene->addChild(layer);
    layer->release();
    EXPECT_FALSE(d->hasDelegate(layer)) << "not before it runs";
    CCDirector::sharedDirector()->runWithScene(scene);
    frames(1);
    EXPECT_TRUE(d->hasDelegate(layer));
    EXPECT_TRUE(d->dispatchKey(keys::kTab, 0));
    EXPECT_EQ(g_log, (std::vector<std::string>{"layer:9"}));
    layer->setKeyboardEnabled(false);
    EXPECT_FALSE(d->hasDelegate(layer));
    layer->setKeyboardEnabled(true);

    Recorder watcher("watcher", false);
    d->addDelegate(&watcher, 100);
    g_log.clear();
    int id = 3;
    float x = 10, y = 10;
    CCEGLView::sharedOpenGLView()->handleTouchesBegin(1, &id, &x, &y);
    CCEGLView::sharedOpenGLView()->handleTouchesMove(1, &id, &x, &y);
    CCEGLView::sharedOpenGLView()->handleTouchesEnd(1, &id, &x, &y);
    EXPECT_EQ(g_log, (std::vector<std::string>{"watcher:touch"})) << "once, when the finger goes down";
    d->removeDelegate(&watcher);

    // During a transition keys are dropped, as touches are; after it the new screen hears them.
    CCScene* next = CCScene::create();
    CCDirector::sharedDirector()->replaceScene(CCTransitionScene::create(0.5f, next));
    frames(2);
    g_log.clear();
    EXPECT_FALSE(d->dispatchKey(keys::kTab, 0));
    frames(40);
    EXPECT_FALSE(d->hasDelegate(layer)) << "gone with its scene";
    EXPECT_TRUE(d->isDispatchEvents());
    EXPECT_TRUE(g_log.empty());
}
