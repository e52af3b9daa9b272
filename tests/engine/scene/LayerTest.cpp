// Layers: touch registration follows the running state, the two touch modes, colour layers.
#include <gtest/gtest.h>

#include <vector>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class LayerTest : public testsupport::EngineTest {};

struct TouchLayer : CCLayer {
    std::vector<CCPoint> began, ended;
    int touchesBegan = 0;
    bool ccTouchBegan(CCTouch* t, CCEvent*) override {
        began.push_back(t->getLocation());
        return true;
    }
    void ccTouchEnded(CCTouch* t, CCEvent*) override { ended.push_back(t->getLocation()); }
    void ccTouchesBegan(CCSet* s, CCEvent*) override { touchesBegan += s->count(); }
};

void tap(float x, float y, int id = 0) {
    CCEGLView* v = CCEGLView::sharedOpenGLView();
    v->handleTouchesBegin(1, &id, &x, &y);
    v->handleTouchesEnd(1, &id, &x, &y);
}

}  // namespace

TEST_F(LayerTest, OneByOneLayerGetsTouchesOnlyWhileRunning) {
    TouchLayer* layer = new TouchLayer();
    layer->init();
    layer->setTouchMode(kCCTouchesOneByOne);
    layer->setTouchEnabled(true);
    CCScene* scene = CCScene::create();
    scene->addChild(layer);
    layer->release();
    tap(10, 20);
    EXPECT_TRUE(layer->began.empty());  // not running yet: not registered
    CCDirector::sharedDirector()->runWithScene(scene);
    frames(1);
    tap(10, 20);
    ASSERT_EQ(layer->began.size(), 1u);
    EXPECT_EQ(layer->began[0], ccp(10, 20));
    EXPECT_EQ(layer->ended.size(), 1u);
    layer->setTouchEnabled(false);
    tap(30, 40);
    EXPECT_EQ(layer->began.size(), 1u);
    layer->setTouchEnabled(true);
    layer->retain();
    scene->removeChild(layer, true);
    tap(30, 40);
    EXPECT_EQ(layer->began.size(), 1u);
    EXPECT_FALSE(CCDirector::sharedDirector()->getTouchDispatcher()->hasDelegate(layer));
    layer->release();
}

TEST_F(LayerTest, AllAtOnceLayerSeesWhatNoSwallowingLayerClaimed) {
    TouchLayer* below = new TouchLayer();
    below->init();
    below->setTouchEnabled(true);  // all at once
    TouchLayer* above = new TouchLayer();
    above->init();
    above->setTouchMode(kCCTouchesOneByOne);
    CCScene* scene = CCScene::create();
    scene->addChild(below);
    scene->addChild(above);
    below->release();
    above->release();
    CCDirector::sharedDirector()->runWithScene(scene);
    frames(1);
    tap(5, 5);
    EXPECT_EQ(below->touchesBegan, 1);
    above->setTouchEnabled(true);
    tap(5, 5, 1);
    EXPECT_EQ(below->touchesBegan, 1);  // swallowed by the one-by-one layer
    EXPECT_EQ(above->began.size(), 1u);
}

TEST_F(LayerTest, GradientCornersRunFromStartToEnd) {
    CCLayerGradient* g = CCLayerGradient::create(ccc4(255, 0, 0, 255), ccc4(0, 0, 255, 255));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->getStartColor(), ccc3(255, 0, 0));
    EXPECT_EQ(g->getEndColor(), ccc3(0, 0, 255));
    EXPECT_EQ(g->getVector(), ccp(0, -1));
    CCLayerColor* c = CCLayerColor::create(ccc4(10, 20, 30, 128), 100, 50);
    EXPECT_EQ(c->getContentSize(), CCSize(100, 50));
    EXPECT_EQ(c->getOpacity(), 128);
    EXPECT_EQ(c->getColor(), ccc3(10, 20, 30));
}
