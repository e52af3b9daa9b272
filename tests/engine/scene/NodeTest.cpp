// Scene-graph nodes: z-order, transforms, space conversion, child management and lifecycle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class NodeTest : public testsupport::EngineTest {};

std::vector<CCNode*> childrenOf(CCNode* n) {
    std::vector<CCNode*> out;
    for (CCObject* o : *n->getChildren()) out.push_back(static_cast<CCNode*>(o));
    return out;
}

// Records lifecycle calls into a shared journal.
struct Probe : CCNode {
    Probe(std::string name, std::vector<std::string>* journal) : name(std::move(name)), journal(journal) {}
    void onEnter() override {
        journal->push_back(name + ".onEnter");
        CCNode::onEnter();
    }
    void onEnterTransitionDidFinish() override {
        journal->push_back(name + ".onEnterTransitionDidFinish");
        CCNode::onEnterTransitionDidFinish();
    }
    void onExitTransitionDidStart() override {
        journal->push_back(name + ".onExitTransitionDidStart");
        CCNode::onExitTransitionDidStart();
    }
    void onExit() override {
        journal->push_back(name + ".onExit");
        CCNode::onExit();
    }
    void cleanup() override {
        journal->push_back(name + ".cleanup");
        CCNode::cleanup();
    }
    std::string name;
    std::vector<std::string>* journal;
};

}  // namespace

TEST_F(NodeTest, EqualZOrdersKeepArrivalOrder) {
    CCNode* parent = CCNode::create();
    CCNode* a = CCNode::create();
    CCNode* b = CCNode::create();
    CCNode* c = CCNode::create();
    CCNode* d = CCNode::create();
    parent->addChild(a, 1);
    parent->addChild(b, 0);
    parent->addChild(c, 1);
    parent->addChild(d, -1);
    EXPECT_EQ(childrenOf(parent), (std::vector<CCNode*>{d, b, a, c}));
    // Reordering to an equal z-order puts the child after its new equals.
    parent->reorderChild(a, 1);
    EXPECT_EQ(childrenOf(parent), (std::vector<CCNode*>{d, b, c, a}));
    b->setZOrder(5);
    EXPECT_EQ(childrenOf(parent), (std::vector<CCNode*>{d, c, a, b}));
    EXPECT_EQ(b->getZOrder(), 5);
}

TEST_F(NodeTest, AnchorPointLandsOnThePosition) {
    CCNode* n = CCNode::create();
    n->setContentSize(CCSize(100, 50));
    n->setAnchorPoint(ccp(0.5f, 0.5f));
    n->setPosition(ccp(200, 300));
    CCRect box = n->boundingBox();
    EXPECT_FLOAT_EQ(box.origin.x, 150);
    EXPECT_FLOAT_EQ(box.origin.y, 275);
    CCPoint anchorWorld = n->convertToWorldSpace(ccp(50, 25));
    EXPECT_FLOAT_EQ(anchorWorld.x, 200);
    EXPECT_FLOAT_EQ(anchorWorld.y, 300);
}

TEST_F(NodeTest, IgnoredAnchorPlacesByBottomLeftCorner) {
    CCLayer* layer = CCLayer::create();
    layer->setContentSize(CCSize(640, 960));
    layer->setPosition(ccp(10, 20));
    CCPoint origin = layer->convertToWorldSpace(ccp(0, 0));
    EXPECT_FLOAT_EQ(origin.x, 10);
    EXPECT_FLOAT_EQ(origin.y, 20);
}

TEST_F(NodeTest, WorldAndNodeSpaceRoundTripThroughNestedTransforms) {
    CCNode* root = CCNode::create();
    CCNode* mid = CCNode::create();
    CCNode* leaf = CCNode::create();
    root->addChild(mid);
    mid->addChild(leaf);
    root->setPosition(ccp(100, 100));
    root->setScale(2);
    mid->setRotation(90);
    mid->setContentSize(CCSize(40, 40));
    mid->setAnchorPoint(ccp(0.5f, 0.5f));
    leaf->setPosition(ccp(10, 0));
    leaf->setScaleX(0.5f);
    leaf->setScaleY(3);
    for (CCPoint p : {ccp(0, 0), ccp(7, -3), ccp(123, 456)}) {
        CCPoint world = leaf->convertToWorldSpace(p);
        CCPoint back = leaf->convertToNodeSpace(world);
        EXPECT_NEAR(back.x, p.x, 1e-3);
        EXPECT_NEAR(back.y, p.y, 1e-3);
    }
    // Rotation is clockwise: the mid node's +x axis points down in its parent.
    CCPoint p = mid->convertToWorldSpace(ccp(30, 20));  // 10 right of the anchor
    EXPECT_NEAR(p.x, 100, 1e-3);
    EXPECT_NEAR(p.y, 100 - 2 * 10, 1e-3);
}

TEST_F(NodeTest, AddingToARunningParentEntersTheChildAndRemovingExitsAndCleansIt) {
    std::vector<std::string> journal;
    CCScene* scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    frames(1);
    ASSERT_TRUE(scene->isRunning());
    Probe* p = new Probe("p", &journal);
    scene->addChild(p);
    p->release();
    EXPECT_TRUE(p->isRunning());
    EXPECT_EQ(journal, (std::vector<std::string>{"p.onEnter", "p.onEnterTransitionDidFinish"}));
    journal.clear();
    p->retain();
    scene->removeChild(p, true);
    EXPECT_FALSE(p->isRunning());
    EXPECT_EQ(journal, (std::vector<std::string>{"p.onExitTransitionDidStart", "p.onExit", "p.cleanup"}));
    EXPECT_EQ(p->getParent(), nullptr);
    p->release();
}

TEST_F(NodeTest, RemoveAllChildrenOnARunningSubtreeStopsTheirTimers) {
    struct Ticker : CCNode {
        int ticks = 0;
        void update(float) override { ++ticks; }
    };
    CCScene* scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    frames(1);
    CCNode* holder = CCNode::create();
    scene->addChild(holder);
    Ticker* t = new Ticker();
    holder->addChild(t);
    t->scheduleUpdate();
    frames(2);
    EXPECT_EQ(t->ticks, 2);
    t->retain();
    holder->removeAllChildrenWithCleanup(true);
    frames(3);
    EXPECT_EQ(t->ticks, 2);
    EXPECT_EQ(holder->getChildrenCount(), 0u);
    t->release();
    t->release();
}

TEST_F(NodeTest, BadChildrenAreIgnored) {
    engine::setLogQuiet(true);
    CCNode* a = CCNode::create();
    CCNode* b = CCNode::create();
    CCNode* c = CCNode::create();
    a->addChild(nullptr);
    a->addChild(b);
    c->addChild(b);  // already has a parent
    a->addChild(a);  // itself
    EXPECT_EQ(a->getChildrenCount(), 1u);
    EXPECT_EQ(c->getChildrenCount(), 0u);
    a->removeChild(c, true);  // not a child
    a->removeChild(nullptr, true);
    EXPECT_EQ(a->getChildrenCount(), 1u);
    EXPECT_EQ(b->getParent(), a);
    engine::setLogQuiet(false);
}

TEST_F(NodeTest, ExitPausesTimersAndEnterResumesThem) {
    struct Ticker : CCNode {
        int ticks = 0;
        void tick(float) { ++ticks; }
    };
    CCScene* scene = CCScene::create();
    CCDirector::sharedDirector()->runWithScene(scene);
    frames(1);
    Ticker* t = new Ticker();
    t->schedule(schedule_selector(Ticker::tick));
    scene->addChild(t);
    t->release();
    frames(3);
    int before = t->ticks;
    EXPECT_GT(before, 0);
    t->retain();
    scene->removeChild(t, false);  // no cleanup: timers are kept but paused
    frames(3);
    EXPECT_EQ(t->ticks, before);
    scene->addChild(t);
    frames(3);
    EXPECT_GT(t->ticks, before);
    t->release();
}
