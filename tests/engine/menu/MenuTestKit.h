// Test kit of the menu tests: a running scene, fingers that touch through the director's
// dispatcher, a receiver of menu callbacks and a layer that records the touches it sees.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/menu/CCMenu.h"
#include "engine/menu/CCMenuItem.h"
#include "support/TestSupport.h"

namespace menukit {

// One finger: down, move and up send the phases through the director's touch dispatcher.
class Finger {
public:
    explicit Finger(int id = 0) : m_id(id), m_touch(new engine::CCTouch()) {}
    ~Finger() { m_touch->release(); }
    Finger(const Finger&) = delete;
    Finger& operator=(const Finger&) = delete;

    void down(float x, float y) { send(x, y, engine::CCTOUCHBEGAN); }
    void move(float x, float y) { send(x, y, engine::CCTOUCHMOVED); }
    void up(float x, float y) { send(x, y, engine::CCTOUCHENDED); }
    void cancel(float x, float y) { send(x, y, engine::CCTOUCHCANCELLED); }
    void tap(float x, float y) {
        down(x, y);
        up(x, y);
    }

private:
    void send(float x, float y, engine::CCTouchPhase phase) {
        if (phase == engine::CCTOUCHBEGAN) {
            // A fresh touch object per press, as the platform makes them.
            m_touch->release();
            m_touch = new engine::CCTouch();
        }
        m_touch->setTouchInfo(m_id, x, y);
        engine::CCSet* set = new engine::CCSet();
        set->addObject(m_touch);
        engine::CCTouchDispatcher* d = engine::CCDirector::sharedDirector()->getTouchDispatcher();
        switch (phase) {
            case engine::CCTOUCHBEGAN: d->touchesBegan(set, nullptr); break;
            case engine::CCTOUCHMOVED: d->touchesMoved(set, nullptr); break;
            case engine::CCTOUCHENDED: d->touchesEnded(set, nullptr); break;
            case engine::CCTOUCHCANCELLED: d->touchesCancelled(set, nullptr); break;
        }
        set->release();
    }

    int m_id;
    engine::CCTouch* m_touch;
};

// The target of menu callbacks: remembers each sender.
class Receiver : public engine::CCObject {
public:
    void onItem(engine::CCObject* sender) { senders.push_back(sender); }
    void onOther(engine::CCObject* sender) { others.push_back(sender); }
    std::vector<engine::CCObject*> senders;
    std::vector<engine::CCObject*> others;
};

// A full-window layer taking all-at-once touches: what reaches it was not swallowed.
class WitnessLayer : public engine::CCLayer {
public:
    static WitnessLayer* create() {
        auto* l = new WitnessLayer();
        l->init();
        l->setTouchEnabled(true);
        return engine::autoreleasedOrNull(l, true);
    }
    void ccTouchesBegan(engine::CCSet*, engine::CCEvent*) override { seen.push_back("began"); }
    void ccTouchesMoved(engine::CCSet*, engine::CCEvent*) override { seen.push_back("moved"); }
    void ccTouchesEnded(engine::CCSet*, engine::CCEvent*) override { seen.push_back("ended"); }
    std::vector<std::string> seen;
};

// A plain item of w x h points centred on (x, y).
inline engine::CCMenuItem* plainItem(Receiver* r, float x, float y, float w = 100, float h = 50) {
    engine::CCMenuItem* item = engine::CCMenuItem::create(r, menu_selector(Receiver::onItem));
    item->setContentSize(engine::CCSize(w, h));
    item->setPosition(engine::CCPoint(x, y));
    return item;
}

// Collects log lines while alive (and keeps standard error quiet).
class LogSink {
public:
    LogSink() {
        engine::setLogQuiet(true);
        engine::setLogObserver([this](const std::string& line) { lines.push_back(line); });
    }
    ~LogSink() {
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
    }
    bool contains(const std::string& needle) const {
        for (const auto& l : lines)
            if (l.find(needle) != std::string::npos) return true;
        return false;
    }
    std::vector<std::string> lines;
};

// Each test gets a fresh director with a running scene.
class MenuTest : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        scene = engine::CCScene::create();
        engine::CCDirector::sharedDirector()->runWithScene(scene);
        frames(1);
        ASSERT_TRUE(scene->isRunning());
        receiver = new Receiver();
    }
    void TearDown() override {
        engine::CCDirector::sharedDirector()->end();
        receiver->release();
        EngineTest::TearDown();
    }
    // A menu at (0, 0), so item positions are window positions.
    engine::CCMenu* addMenu(engine::CCNode* parent = nullptr) {
        engine::CCMenu* menu = engine::CCMenu::create();
        menu->setPosition(engine::CCPointZero);
        (parent ? parent : scene)->addChild(menu);
        return menu;
    }

    engine::CCScene* scene = nullptr;
    Receiver* receiver = nullptr;
};

}  // namespace menukit
