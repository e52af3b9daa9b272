// Reference counting, autorelease pools and the retaining containers.
#include <gtest/gtest.h>

#include "engine/engine.h"

using namespace engine;

namespace {

// Counts destructions so tests can see exactly when an object goes.
struct Tracked : CCObject {
    explicit Tracked(int* deaths) : deaths(deaths) {}
    ~Tracked() override { ++*deaths; }
    int* deaths;
};

}  // namespace

TEST(ObjectModel, ReleaseDeletesAtZeroAndRetainKeepsAlive) {
    int deaths = 0;
    Tracked* o = new Tracked(&deaths);
    EXPECT_EQ(o->retainCount(), 1u);
    o->retain();
    o->release();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(o->retainCount(), 1u);
    o->release();
    EXPECT_EQ(deaths, 1);
}

TEST(ObjectModel, AutoreleasedObjectLivesUntilThePoolDrains) {
    int deaths = 0;
    Tracked* o = new Tracked(&deaths);
    o->autorelease();
    EXPECT_EQ(deaths, 0);
    EXPECT_TRUE(CCPoolManager::sharedPoolManager()->currentPool()->contains(o));
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
}

TEST(ObjectModel, RetainedAutoreleasedObjectSurvivesTheDrain) {
    int deaths = 0;
    Tracked* o = new Tracked(&deaths);
    o->autorelease();
    o->retain();
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(o->retainCount(), 1u);
    o->release();
    EXPECT_EQ(deaths, 1);
}

TEST(ObjectModel, AutoreleasingTwiceReleasesTwice) {
    int deaths = 0;
    Tracked* o = new Tracked(&deaths);
    o->retain();
    o->autorelease();
    o->autorelease();
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
}

TEST(ObjectModel, NestedPoolDrainsOnlyItsOwnObjects) {
    int deaths = 0;
    Tracked* outer = new Tracked(&deaths);
    outer->autorelease();
    CCPoolManager::sharedPoolManager()->push();
    Tracked* inner = new Tracked(&deaths);
    inner->autorelease();
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 2);
}

TEST(ObjectModel, ObjectAutoreleasedDuringADrainWaitsForTheNextDrain) {
    // An object whose destructor autoreleases another object, as containers of autoreleased
    // values do when they go.
    struct Releaser : CCObject {
        CCObject* held;
        explicit Releaser(CCObject* h) : held(h) {}
        ~Releaser() override { held->autorelease(); }
    };
    int deaths = 0;
    Tracked* t = new Tracked(&deaths);
    (new Releaser(t))->autorelease();
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 0);
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
}

TEST(Containers, ArrayRetainsWhatItHoldsAndReleasesOnRemoval) {
    int deaths = 0;
    Tracked* a = new Tracked(&deaths);
    Tracked* b = new Tracked(&deaths);
    CCArray* arr = new CCArray();
    arr->addObject(a);
    arr->insertObject(b, 0);
    arr->addObject(nullptr);
    a->release();
    b->release();
    ASSERT_EQ(arr->count(), 2u);
    EXPECT_EQ(arr->objectAtIndex(0), b);
    EXPECT_EQ(arr->lastObject(), a);
    EXPECT_EQ(arr->objectAtIndex(7), nullptr);
    EXPECT_TRUE(arr->containsObject(a));
    arr->removeObject(b);
    EXPECT_EQ(deaths, 1);
    arr->insertObject(b = new Tracked(&deaths), 99);  // past the end appends
    b->release();
    EXPECT_EQ(arr->lastObject(), b);
    arr->release();
    EXPECT_EQ(deaths, 3);
}

TEST(Containers, DictionaryKeepsInsertionOrderAndOneKeyKind) {
    CCDictionary* d = CCDictionary::create();
    d->setObject(CCString::create("one"), "b");
    d->setObject(CCString::create("two"), "a");
    d->setObject(CCString::create("uno"), "b");  // replaces, keeps its place
    d->setObject(CCString::create("int"), static_cast<intptr_t>(5));  // other key kind: ignored
    ASSERT_EQ(d->count(), 2u);
    CCArray* keys = d->allKeys();
    EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(0))->getCString(), "b");
    EXPECT_STREQ(static_cast<CCString*>(keys->objectAtIndex(1))->getCString(), "a");
    EXPECT_STREQ(d->valueForKey("b")->getCString(), "uno");
    EXPECT_STREQ(d->valueForKey("missing")->getCString(), "");
    EXPECT_EQ(d->objectForKey("missing"), nullptr);
    d->removeObjectForKey("b");
    EXPECT_EQ(d->objectForKey("b"), nullptr);
    EXPECT_STREQ(d->valueForKey("a")->getCString(), "two");

    CCDictionary* ints = CCDictionary::create();
    ints->setObject(CCInteger::create(7), static_cast<intptr_t>(3));
    EXPECT_EQ(static_cast<CCInteger*>(ints->objectForKey(static_cast<intptr_t>(3)))->getValue(), 7);
    EXPECT_EQ(ints->objectForKey("3"), nullptr);
    CCPoolManager::sharedPoolManager()->pop();
}

TEST(Containers, SetKeepsFirstAddedFirstAndNoDuplicates) {
    CCSet* s = CCSet::create();
    CCString* a = CCString::create("a");
    CCString* b = CCString::create("b");
    s->addObject(b);
    s->addObject(a);
    s->addObject(b);
    EXPECT_EQ(s->count(), 2);
    EXPECT_EQ(*s->begin(), b);
    s->removeObject(b);
    EXPECT_EQ(*s->begin(), a);
    CCPoolManager::sharedPoolManager()->pop();
}

TEST(Containers, StringFormattingAndNumbers) {
    CCString* s = CCString::createWithFormat("page %d of %s", 12, "ninety");
    EXPECT_STREQ(s->getCString(), "page 12 of ninety");
    EXPECT_EQ(s->length(), 17u);
    EXPECT_EQ(CCString::create("42abc")->intValue(), 42);
    EXPECT_FLOAT_EQ(CCString::create("0.25")->floatValue(), 0.25f);
    EXPECT_TRUE(CCString::create("true")->boolValue());
    EXPECT_FALSE(CCString::create("0")->boolValue());
    std::string big(100000, 'x');
    EXPECT_EQ(CCString::createWithFormat("%s", big.c_str())->length(), 100000u);
    CCPoolManager::sharedPoolManager()->pop();
}
