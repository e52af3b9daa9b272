// Two-phase creation: autoreleasedOrNull hands back a good object autoreleased and deletes a failed one.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class CreateTest : public testsupport::EngineTest {};

// A class whose inits are protected and overloaded, created the way the engine's classes are.
class Made : public CCObject {
public:
    explicit Made(int* deaths) : m_deaths(deaths) {}
    ~Made() override { ++*m_deaths; }

    static Made* create(int* deaths) {
        auto* made = new Made(deaths);
        return autoreleasedOrNull(made, made->init());
    }
    static Made* create(int* deaths, bool succeed) {
        auto* made = new Made(deaths);
        return autoreleasedOrNull(made, made->init(succeed));
    }

    int initCalls() const { return m_initCalls; }

protected:
    bool init() { return init(true); }
    bool init(bool succeed) {
        ++m_initCalls;
        return succeed;
    }

private:
    int* m_deaths;
    int m_initCalls = 0;
};

size_t pending() { return CCPoolManager::sharedPoolManager()->pendingCount(); }

}  // namespace

TEST_F(CreateTest, AFailedInitGivesNullAndDestroysTheObjectAtOnce) {
    int deaths = 0;
    const size_t before = pending();
    Made* made = Made::create(&deaths, false);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(deaths, 1);             // deleted right there, not left for the pool
    EXPECT_EQ(pending(), before);     // and never handed to it
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
}

TEST_F(CreateTest, AGoodInitGivesAnAutoreleasedObjectThatLivesUntilThePoolDrains) {
    int deaths = 0;
    const size_t before = pending();
    Made* made = Made::create(&deaths);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->initCalls(), 1);
    EXPECT_EQ(made->retainCount(), 1u);
    EXPECT_TRUE(CCPoolManager::sharedPoolManager()->currentPool()->contains(made));
    EXPECT_EQ(pending(), before + 1);
    EXPECT_EQ(deaths, 0);
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 1);
}

TEST_F(CreateTest, ACreateThatCannotFailPassesTrue) {
    int deaths = 0;
    Made* made = autoreleasedOrNull(new Made(&deaths), true);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->initCalls(), 0);
    made->retain();
    CCPoolManager::sharedPoolManager()->pop();
    EXPECT_EQ(deaths, 0);
    made->release();
    EXPECT_EQ(deaths, 1);
}

TEST_F(CreateTest, EngineCreatesGoThroughIt) {
    setLogQuiet(true);
    const size_t before = pending();
    // Failing inits: no name for a frame's file, no scene for a transition.
    EXPECT_EQ(CCSpriteFrame::create("", CCRect(0, 0, 4, 4)), nullptr);
    EXPECT_EQ(CCTransitionScene::create(0.5f, nullptr), nullptr);
    EXPECT_EQ(pending(), before);
    setLogQuiet(false);
    // Good ones land in the pool.
    CCLayerColor* layer = CCLayerColor::create(ccc4(1, 2, 3, 4), 10, 20);
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(CCPoolManager::sharedPoolManager()->currentPool()->contains(layer));
    EXPECT_EQ(layer->getContentSize().width, 10);
    CCArray* array = CCArray::create();
    ASSERT_NE(array, nullptr);
    EXPECT_TRUE(CCPoolManager::sharedPoolManager()->currentPool()->contains(array));
    EXPECT_EQ(pending(), before + 2);
}
