// Fixture of the action tests: an action manager of its own, target nodes, and frame stepping.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

namespace actiontest {

using namespace engine;

constexpr float kFrame = 1.0f / 60.0f;

// A node that reports its own destruction, to prove a target really went away.
struct WatchedNode : CCNodeRGBA {
    explicit WatchedNode(bool* destroyed) : destroyed_(destroyed) { init(); }
    ~WatchedNode() override {
        if (destroyed_) *destroyed_ = true;
    }
    bool* destroyed_;
};

// An interval action that counts its stops and reports its destruction.
struct CountingAction : CCActionInterval {
    CountingAction(float duration, int* stops, bool* destroyed) : stops_(stops), destroyed_(destroyed) {
        initWithDuration(duration);
    }
    ~CountingAction() override {
        if (destroyed_) *destroyed_ = true;
    }
    void update(float time) override { lastRatio = time; }
    void stop() override {
        if (stops_) ++*stops_;
        CCActionInterval::stop();
    }
    float lastRatio = -1;
    int* stops_;
    bool* destroyed_;
};

// Receives selector callbacks; records the frame each one arrived on.
struct Listener : CCObject {
    std::function<void(CCNode*)> onNode;
    std::function<void()> onCall;
    std::vector<int> frames;
    int* clock = nullptr;
    void call() {
        frames.push_back(clock ? *clock : -1);
        if (onCall) onCall();
    }
    void callN(CCNode* node) {
        frames.push_back(clock ? *clock : -1);
        if (onNode) onNode(node);
    }
};

class ActionTest : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        manager = new CCActionManager();
        listener = new Listener();
        listener->clock = &frameCount;
    }

    void TearDown() override {
        for (CCNode* n : nodes) n->release();
        nodes.clear();
        for (CCObject* o : kept) o->release();
        kept.clear();
        listener->release();
        CCPoolManager::sharedPoolManager()->pop();
        manager->release();
        EngineTest::TearDown();
    }

    // A target node using this fixture's manager, owned by the fixture.
    CCNodeRGBA* makeNode(float x = 0, float y = 0) {
        auto* node = new CCNodeRGBA();
        node->init();
        adopt(node, x, y);
        return node;
    }

    void adopt(CCNode* node, float x = 0, float y = 0) {
        node->setActionManager(manager);
        node->setPosition(x, y);
        nodes.push_back(node);
    }

    // Keeps an autoreleased object alive past the pool drains of frames().
    template <typename T>
    T* keep(T* object) {
        if (object) {
            object->retain();
            kept.push_back(object);
        }
        return object;
    }

    // Counters and flags that outlive the test body: actions and nodes still alive at
    // TearDown report into them.
    int& newCounter() { return counters.emplace_back(0); }
    bool& newFlag() { return flags.emplace_back(false); }

    void run(CCAction* action, CCNode* target) { manager->addAction(action, target, false); }

    // n frames of dt, draining the autorelease pool after each as the director does.
    void frames(int n, float dt = kFrame) {
        for (int i = 0; i < n; ++i) {
            ++frameCount;
            manager->update(dt);
            CCPoolManager::sharedPoolManager()->pop();
        }
    }

    CCActionManager* manager = nullptr;
    Listener* listener = nullptr;
    std::vector<CCNode*> nodes;
    std::vector<CCObject*> kept;
    std::deque<int> counters;
    std::deque<bool> flags;
    int frameCount = 0;
};

}  // namespace actiontest
