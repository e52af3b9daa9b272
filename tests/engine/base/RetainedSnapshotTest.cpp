// CCRetainedSnapshot: the walk sees the list as it was, each element alive while it is visited.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class RetainedSnapshotTest : public testsupport::EngineTest {};

// Journals its visits and its destruction.
struct Entry : CCObject {
    Entry(std::string name, std::vector<std::string>* journal) : name(std::move(name)), journal(journal) {}
    ~Entry() override { journal->push_back("~" + name); }
    void visit() { journal->push_back(name); }
    std::string name;
    std::vector<std::string>* journal;
};

// Adds a new entry to the array, which then holds the only reference.
Entry* addNew(CCArray* array, const std::string& name, std::vector<std::string>* journal) {
    auto* e = new Entry(name, journal);
    array->addObject(e);
    e->release();
    return e;
}

// A node that journals its onEnter and destruction, with a hook run inside onEnter.
struct Child : CCNode {
    Child(std::string name, std::vector<std::string>* journal) : name(std::move(name)), journal(journal) {}
    ~Child() override { journal->push_back("~" + name); }
    void onEnter() override {
        journal->push_back(name + ".onEnter");
        if (hook) hook();
        CCNode::onEnter();
    }
    std::string name;
    std::vector<std::string>* journal;
    std::function<void()> hook;
};

Child* addChildTo(CCNode* parent, const std::string& name, std::vector<std::string>* journal) {
    auto* c = new Child(name, journal);
    parent->addChild(c);
    c->release();
    return c;
}

}  // namespace

TEST_F(RetainedSnapshotTest, ANullListIsAnEmptySnapshot) {
    CCRetainedSnapshot<CCObject> snapshot(nullptr);
    EXPECT_TRUE(snapshot.empty());
    EXPECT_EQ(snapshot.size(), 0u);
    int calls = 0;
    snapshot.forEachThenRelease([&](CCObject*) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST_F(RetainedSnapshotTest, RetainsEachElementUntilReleased) {
    std::vector<std::string> journal;
    CCArray* array = new CCArray();
    Entry* a = addNew(array, "a", &journal);
    Entry* b = addNew(array, "b", &journal);
    {
        CCRetainedSnapshot<Entry> snapshot(array);
        ASSERT_EQ(snapshot.size(), 2u);
        EXPECT_EQ(snapshot[0], a);
        EXPECT_EQ(snapshot[1], b);
        EXPECT_EQ(a->retainCount(), 2u);
        array->release();  // the list goes; the snapshot still holds both
        EXPECT_TRUE(journal.empty());
        EXPECT_EQ(a->retainCount(), 1u);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"~a", "~b"}));  // released in order when it goes
}

TEST_F(RetainedSnapshotTest, AWalkSurvivesACallbackThatRemovesAndAddsSiblings) {
    std::vector<std::string> journal;
    CCArray* array = new CCArray();
    addNew(array, "a", &journal);
    Entry* b = addNew(array, "b", &journal);
    Entry* c = addNew(array, "c", &journal);
    CCRetainedSnapshot<Entry> snapshot(array);
    for (Entry* e : snapshot) {
        e->visit();
        if (e->name == "a") {
            // Drops both later siblings from the list (their last other reference) and adds two.
            array->removeObject(b);
            array->removeObject(c);
            addNew(array, "d", &journal);
            addNew(array, "e", &journal);
        }
    }
    // Exactly the elements that were there, in their order; none destroyed while walked.
    EXPECT_EQ(journal, (std::vector<std::string>{"a", "b", "c"}));
    snapshot.releaseAll();
    EXPECT_TRUE(snapshot.empty());
    EXPECT_EQ(journal, (std::vector<std::string>{"a", "b", "c", "~b", "~c"}));
    ASSERT_EQ(array->count(), 3u);  // a, d, e
    array->release();
    EXPECT_EQ(journal.size(), 8u);
}

TEST_F(RetainedSnapshotTest, ForEachThenReleaseLetsEachElementGoRightAfterItsCall) {
    std::vector<std::string> journal;
    CCArray* array = new CCArray();
    Entry* a = addNew(array, "a", &journal);
    addNew(array, "b", &journal);
    CCRetainedSnapshot<Entry> snapshot(array);
    snapshot.forEachThenRelease([&](Entry* e) {
        e->visit();
        if (e == a) array->removeObject(a);  // a's own call drops its last other reference
    });
    EXPECT_EQ(journal, (std::vector<std::string>{"a", "~a", "b"}));
    EXPECT_TRUE(snapshot.empty());
    EXPECT_EQ(array->count(), 1u);
    array->release();
    EXPECT_EQ(journal.back(), "~b");
}

TEST_F(RetainedSnapshotTest, ANodeEnteringItsChildrenSurvivesAChildThatRemovesAndAddsSiblings) {
    std::vector<std::string> journal;
    CCNode* parent = new CCNode();
    Child* a = addChildTo(parent, "a", &journal);
    Child* b = addChildTo(parent, "b", &journal);
    addChildTo(parent, "c", &journal);
    a->hook = [&] {
        parent->removeChild(b, true);            // b's last reference outside the walk goes
        addChildTo(parent, "d", &journal);        // entered at once: the parent is running
    };
    parent->onEnter();
    // b is still entered from the walk's copy, then goes as soon as its call returns; d is not
    // walked again.
    EXPECT_EQ(journal, (std::vector<std::string>{"a.onEnter", "d.onEnter", "b.onEnter", "~b", "c.onEnter"}));
    ASSERT_EQ(parent->getChildrenCount(), 3u);
    parent->onExit();
    parent->cleanup();
    parent->release();
}
