// The action manager: ownership, tags, pausing, target order, and safety against actions that
// remove actions, add actions or delete targets while the manager is stepping them.
#include "../actions/ActionTestSupport.h"

#include <cmath>
#include <string>

using namespace actiontest;

namespace {

class ActionManagerTest : public ActionTest {
protected:
    CCCallFuncN* callN() { return CCCallFuncN::create(listener, callfuncN_selector(Listener::callN)); }
};

}  // namespace

TEST_F(ActionManagerTest, RetainsActionsUntilTheyFinishThenStopsAndReleasesThem) {
    CCNode* node = makeNode();
    int& stops = newCounter();
    bool& destroyed = newFlag();
    auto* action = new CountingAction(0.5f, &stops, &destroyed);
    run(action, node);
    action->release();  // the manager's reference is the only one now
    EXPECT_EQ(action->getTarget(), node);
    frames(29);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(stops, 0);
    EXPECT_LT(action->lastRatio, 1.f);
    frames(1);
    EXPECT_TRUE(destroyed) << "a finished action is released";
    EXPECT_EQ(stops, 1) << "and stopped once before that";
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionManagerTest, RemovalStopsAndReleasesWithoutTouchingTheTarget) {
    CCNode* node = makeNode();
    int& stops = newCounter();
    bool& destroyed = newFlag();
    auto* action = new CountingAction(1.0f, &stops, &destroyed);
    run(action, node);
    frames(10);
    manager->removeAction(action);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(action->getTarget(), nullptr);
    EXPECT_FALSE(destroyed) << "the test still holds its reference";
    action->release();
    EXPECT_TRUE(destroyed);
    manager->removeAction(nullptr);
    frames(1);
}

TEST_F(ActionManagerTest, TagsFindAndRemoveSingleActions) {
    CCNode* node = makeNode();
    CCMoveBy* move = CCMoveBy::create(1, ccp(60, 0));
    move->setTag(1);
    CCRotateBy* turn = CCRotateBy::create(1, 60);
    turn->setTag(2);
    run(move, node);
    run(turn, node);
    EXPECT_EQ(manager->getActionByTag(2, node), turn);
    EXPECT_EQ(manager->getActionByTag(1, node), move);
    EXPECT_EQ(manager->getActionByTag(3, node), nullptr);
    EXPECT_EQ(manager->getActionByTag(1, nullptr), nullptr);
    frames(30);
    manager->removeActionByTag(1, node);
    EXPECT_EQ(manager->getActionByTag(1, node), nullptr);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
    frames(30);
    EXPECT_NEAR(node->getPositionX(), 30.f, 1e-3f) << "the removed move stayed where it was";
    EXPECT_EQ(node->getRotation(), 60.f);

    // The node's own calls go through the same manager.
    CCMoveBy* again = CCMoveBy::create(1, ccp(1, 0));
    again->setTag(5);
    run(again, node);
    EXPECT_EQ(node->getActionByTag(5), again);
    EXPECT_EQ(node->numberOfRunningActions(), 1u);
    node->stopActionByTag(5);
    EXPECT_EQ(node->numberOfRunningActions(), 0u);
}

TEST_F(ActionManagerTest, PausedTargetKeepsItsActionsWithoutSteppingThem) {
    CCNode* node = makeNode();
    CCNode* other = makeNode();
    run(CCMoveBy::create(1, ccp(60, 0)), node);
    run(CCMoveBy::create(1, ccp(60, 0)), other);
    frames(15);
    manager->pauseTarget(node);
    EXPECT_TRUE(manager->isTargetPaused(node));
    EXPECT_FALSE(manager->isTargetPaused(other));
    frames(30);
    EXPECT_NEAR(node->getPositionX(), 15.f, 1e-3f);
    EXPECT_NEAR(other->getPositionX(), 45.f, 1e-3f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
    manager->resumeTarget(node);
    frames(45);
    EXPECT_EQ(node->getPositionX(), 60.f) << "the paused time did not count";
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
    EXPECT_FALSE(manager->isTargetPaused(nullptr));
}

TEST_F(ActionManagerTest, NodeThatIsNotRunningStartsPausedUntilItEnters) {
    CCNode* node = makeNode();
    node->runAction(CCMoveBy::create(0.5f, ccp(30, 0)));
    EXPECT_TRUE(manager->isTargetPaused(node));
    frames(10);
    EXPECT_EQ(node->getPositionX(), 0.f);
    node->onEnter();
    EXPECT_FALSE(manager->isTargetPaused(node));
    frames(10);
    EXPECT_NEAR(node->getPositionX(), 10.f, 1e-3f);
    node->onExit();
    frames(10);
    EXPECT_NEAR(node->getPositionX(), 10.f, 1e-3f);
    node->onEnter();
    frames(20);
    EXPECT_EQ(node->getPositionX(), 30.f);
    node->onExit();
}

TEST_F(ActionManagerTest, TheSameActionCannotRunTwice) {
    CCNode* a = makeNode();
    CCNode* b = makeNode();
    CCMoveBy* move = CCMoveBy::create(1, ccp(60, 0));
    run(move, a);
    setLogQuiet(true);
    run(move, a);
    run(move, b);
    manager->addAction(nullptr, a, false);
    manager->addAction(CCMoveBy::create(1, ccp(1, 1)), nullptr, false);
    setLogQuiet(false);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(a), 1u);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(b), 0u);
    frames(60);
    EXPECT_EQ(a->getPositionX(), 60.f) << "stepped once per frame, not twice";
}

TEST_F(ActionManagerTest, TargetsAreSteppedInTheOrderTheyFirstGotActions) {
    std::string order;
    CCNode* a = makeNode();
    CCNode* b = makeNode();
    CCNode* c = makeNode();
    auto mark = [&](char ch) { return CCCallFunc::create([&order, ch] { order += ch; }); };
    run(mark('b'), b);
    run(mark('a'), a);
    run(mark('c'), c);
    frames(1);
    EXPECT_EQ(order, "bac");

    order.clear();
    run(CCDelayTime::create(10), a);
    run(CCDelayTime::create(10), c);
    run(CCDelayTime::create(10), b);
    run(mark('c'), c);
    run(mark('b'), b);
    run(mark('a'), a);
    frames(1);
    EXPECT_EQ(order, "acb") << "the earlier elements were purged; their new ones follow the new order";
}

TEST_F(ActionManagerTest, CallbackThatStopsAllActionsOfItsTarget) {
    CCNode* node = makeNode();
    CCNode* other = makeNode();
    int& stops = newCounter();
    run(CCMoveBy::create(2, ccp(120, 0)), node);
    run(CCSequence::create(CCDelayTime::create(0.5f), callN(), CCMoveBy::create(1, ccp(0, 99)), nullptr), node);
    auto* counting = new CountingAction(2, &stops, nullptr);
    run(counting, node);
    counting->release();
    run(CCMoveBy::create(1, ccp(60, 0)), other);
    listener->onNode = [](CCNode* n) { n->stopAllActions(); };
    frames(30);
    EXPECT_EQ(listener->frames, std::vector<int>{30});
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
    EXPECT_EQ(stops, 1) << "the action after the stepping one was stopped too";
    float x = node->getPositionX();
    EXPECT_NEAR(x, 30.f, 1e-3f);
    frames(30);
    EXPECT_EQ(node->getPositionX(), x);
    EXPECT_EQ(node->getPositionY(), 0.f) << "the rest of the stopped sequence never ran";
    EXPECT_EQ(other->getPositionX(), 60.f);
}

TEST_F(ActionManagerTest, NothingAfterAStoppingCallbackRunsInTheSameStep) {
    CCNode* node = makeNode();
    int later = 0;
    // All in one step: the stop comes from inside the sequence's own update.
    run(CCSequence::create(CCCallFuncN::create([](CCNode* n) { n->stopAllActions(); }),
                           CCCallFunc::create([&later] { ++later; }), CCPlace::create(ccp(5, 5)), nullptr),
        node);
    CCNode* other = makeNode();
    run(CCRepeat::create(CCSequence::create(CCCallFuncN::create([](CCNode* n) { n->stopAllActions(); }),
                                            CCCallFunc::create([&later] { ++later; }), nullptr),
                         3),
        other);
    frames(2);
    EXPECT_EQ(later, 0);
    EXPECT_EQ(node->getPosition(), ccp(0, 0));
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(other), 0u);
}

TEST_F(ActionManagerTest, CallbackThatRemovesItsOwnActionMidSequence) {
    CCNode* node = makeNode();
    CCSequence* seq = CCSequence::create(callN(), CCMoveBy::create(1, ccp(60, 0)), nullptr);
    listener->onNode = [&](CCNode*) { manager->removeAction(seq); };
    run(seq, node);
    frames(5);
    EXPECT_EQ(listener->frames, std::vector<int>{1});
    EXPECT_EQ(node->getPositionX(), 0.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionManagerTest, CallbackThatDeletesItsTarget) {
    auto* parent = makeNode();
    bool& destroyed = newFlag();
    auto* child = new WatchedNode(&destroyed);
    child->setActionManager(manager);
    parent->addChild(child);
    child->release();  // the parent holds the last reference
    CCNode* later = makeNode();

    child->runAction(CCRotateBy::create(2, 90));  // not running: starts paused
    manager->resumeTarget(child);
    run(CCSequence::create(CCDelayTime::create(0.5f), callN(), CCMoveBy::create(1, ccp(60, 0)), nullptr), child);
    run(CCScaleTo::create(2, 3), child);
    run(CCMoveBy::create(1, ccp(60, 0)), later);
    listener->onNode = [](CCNode* n) { n->removeFromParent(); };
    frames(29);
    EXPECT_FALSE(destroyed);
    frames(1);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(parent->getChildrenCount(), 0u);
    EXPECT_NEAR(later->getPositionX(), 30.f, 1e-3f) << "targets after the deleted one are still stepped";
    frames(30);
    EXPECT_EQ(later->getPositionX(), 60.f);
    EXPECT_EQ(listener->frames.size(), 1u);
}

TEST_F(ActionManagerTest, RemoveSelfAtTheEndOfASequenceDeletesTheTarget) {
    auto* parent = makeNode();
    bool& destroyed = newFlag();
    auto* child = new WatchedNode(&destroyed);
    child->setActionManager(manager);
    parent->addChild(child);
    child->release();
    run(CCSequence::create(CCFadeOut::create(0.25f), CCRemoveSelf::create(), nullptr), child);
    frames(14);
    EXPECT_FALSE(destroyed);
    frames(1);
    EXPECT_TRUE(destroyed);
    frames(1);
}

TEST_F(ActionManagerTest, CallbackThatDeletesAnotherTarget) {
    auto* parent = makeNode();
    bool& firstGone = newFlag();
    bool& lastGone = newFlag();
    auto* first = new WatchedNode(&firstGone);
    auto* last = new WatchedNode(&lastGone);
    for (CCNode* n : {static_cast<CCNode*>(first), static_cast<CCNode*>(last)}) {
        n->setActionManager(manager);
        parent->addChild(n);
        n->release();
    }
    CCNode* killer = makeNode();
    run(CCMoveBy::create(1, ccp(60, 0)), first);
    run(CCCallFunc::create([&] {
            first->removeFromParent();  // already stepped this frame
            last->removeFromParent();   // not yet stepped this frame
        }),
        killer);
    run(CCMoveBy::create(1, ccp(60, 0)), last);
    frames(1);
    EXPECT_TRUE(firstGone);
    EXPECT_TRUE(lastGone);
    frames(2);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(killer), 0u);
}

TEST_F(ActionManagerTest, CallbackThatAddsAnActionStartsItNextFrame) {
    CCNode* node = makeNode();
    listener->onNode = [](CCNode* n) { n->getActionManager()->addAction(CCMoveBy::create(0.5f, ccp(30, 0)), n, false); };
    run(CCSequence::create(CCDelayTime::create(0.5f), callN(), nullptr), node);
    frames(30);
    EXPECT_EQ(listener->frames, std::vector<int>{30});
    EXPECT_EQ(node->getPositionX(), 0.f) << "an action added during the update waits for the next one";
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
    frames(29);
    EXPECT_LT(node->getPositionX(), 30.f);
    frames(1);
    EXPECT_EQ(node->getPositionX(), 30.f);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}

TEST_F(ActionManagerTest, CallbackThatStopsEverythingThenStartsAgain) {
    CCNode* node = makeNode();
    CCNode* other = makeNode();
    run(CCMoveBy::create(1, ccp(60, 0)), other);
    listener->onNode = [&](CCNode* n) {
        manager->removeAllActions();
        manager->addAction(CCRotateBy::create(0.5f, 30), n, false);
    };
    run(CCSequence::create(CCDelayTime::create(0.25f), callN(), CCMoveBy::create(1, ccp(0, 10)), nullptr), node);
    frames(15);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(other), 0u);
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 1u);
    frames(30);
    EXPECT_EQ(node->getRotation(), 30.f);
    EXPECT_EQ(node->getPositionY(), 0.f);
    EXPECT_LT(other->getPositionX(), 60.f);
}

TEST_F(ActionManagerTest, UnusableFrameTimesStepByNothing) {
    CCNode* node = makeNode();
    run(CCMoveBy::create(1, ccp(60, 0)), node);
    setLogQuiet(true);
    manager->update(NAN);
    manager->update(-1);
    manager->update(INFINITY);
    setLogQuiet(false);
    EXPECT_EQ(node->getPositionX(), 0.f);
    frames(60);
    EXPECT_EQ(node->getPositionX(), 60.f);
}

TEST_F(ActionManagerTest, NodeCleanupAndDestructionRemoveItsActions) {
    bool& destroyed = newFlag();
    bool& actionGone = newFlag();
    auto* node = new WatchedNode(&destroyed);
    node->setActionManager(manager);
    auto* action = new CountingAction(5, nullptr, &actionGone);
    manager->addAction(action, node, false);
    action->release();
    frames(2);
    node->cleanup();
    EXPECT_TRUE(actionGone);
    manager->addAction(CCMoveBy::create(1, ccp(1, 0)), node, false);
    node->release();
    EXPECT_TRUE(destroyed);
    frames(2);  // stepping after the target is gone touches nothing of it
    EXPECT_EQ(manager->numberOfRunningActionsInTarget(node), 0u);
}
