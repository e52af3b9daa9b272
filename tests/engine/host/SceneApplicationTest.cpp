// The one-scene application on a headless host: the launch at its design size, the pause in the
// background, and the size of its desktop window.
#include <gtest/gtest.h>

#include <memory>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

class SceneApplication : public testsupport::EngineTest {
protected:
    void TearDown() override {
        CCEGLView::purgeSharedOpenGLView();
        EngineTest::TearDown();
    }
};

}  // namespace

TEST_F(SceneApplication, LaunchRunsTheMadeSceneAtTheDesignSize) {
    int made = 0;
    CCScene* scene = nullptr;
    CCSceneApplication app(CCSize(160, 240), [&] {
        ++made;
        scene = CCScene::create();
        return scene;
    });
    EXPECT_EQ(CCApplication::sharedApplication(), &app);
    CCHeadlessHost host(320, 480, false);
    ASSERT_TRUE(host.isReady());
    EXPECT_EQ(made, 0);
    EXPECT_TRUE(app.applicationDidFinishLaunching());
    host.step(1);
    EXPECT_EQ(made, 1);
    CCDirector* director = CCDirector::sharedDirector();
    EXPECT_EQ(director->getRunningScene(), scene);
    EXPECT_EQ(director->getOpenGLView(), CCEGLView::sharedOpenGLView());
    EXPECT_EQ(CCEGLView::sharedOpenGLView()->getDesignResolutionSize().width, 160);
    EXPECT_EQ(CCEGLView::sharedOpenGLView()->getDesignResolutionSize().height, 240);
    EXPECT_DOUBLE_EQ(director->getAnimationInterval(), 1.0 / 60);
    EXPECT_TRUE(director->isAnimating());
}

TEST_F(SceneApplication, TheBackgroundStopsTheDirectorsFramesAndTheForegroundRestartsThem) {
    CCSceneApplication app(CCSize(64, 96), [] { return CCScene::create(); });
    CCHeadlessHost host(64, 96, false);
    ASSERT_TRUE(host.isReady());
    app.applicationDidFinishLaunching();
    host.step(1);
    CCDirector* director = CCDirector::sharedDirector();
    app.applicationDidEnterBackground();
    EXPECT_FALSE(director->isAnimating());
    unsigned before = director->getTotalFrames();
    host.step(5);
    EXPECT_EQ(director->getTotalFrames(), before);
    app.applicationWillEnterForeground();
    EXPECT_TRUE(director->isAnimating());
    host.step(5);
    EXPECT_EQ(director->getTotalFrames(), before + 5);
}

TEST_F(SceneApplication, TheDesktopWindowIsAPortraitOfTheUsableHeight) {
    const int h = CCApplication::fullScreenClientHeight();
    CCSize frame = CCSceneApplication::desktopPortraitFrame();
    EXPECT_FLOAT_EQ(frame.height, static_cast<float>(h * 0.94));
    EXPECT_FLOAT_EQ(frame.width, static_cast<float>(h / 1.4));
    EXPECT_LT(frame.width, frame.height);
}
