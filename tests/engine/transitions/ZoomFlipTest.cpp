// The zoom flip on screen: which scene each half shows, how far it has shrunk and turned, which
// edge leads for each orientation, and the frames at the middle and the end.
#include <cmath>

#include "TransitionTestKit.h"

using namespace engine;
using namespace transitiontest;

namespace {

const ccColor4B kClear = {0, 0, 0, 255};

// Pixels of row y that are not the clear colour.
int drawnWidth(const Frame& f, int y) {
    int n = 0;
    for (int x = 0; x < f.width; ++x) n += !sameColour(f.at(x, y), kClear);
    return n;
}

// First and last rows that have anything drawn in them; -1 when none.
void drawnRows(const Frame& f, int& top, int& bottom) {
    top = bottom = -1;
    for (int y = 0; y < f.height; ++y) {
        if (drawnWidth(f, y) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
    }
}

class ZoomFlip : public HostTest {
protected:
    CCTransitionZoomFlipY* start(tOrientation orientation, float duration = 0.5f) {
        director()->runWithScene(bandedPage(kRed, kCream));
        host->step(1);
        director()->setDepthTest(false);
        if (flip) flip->release();
        flip = CCTransitionZoomFlipY::create(duration, bandedPage(kGreen, kBlue), orientation);
        EXPECT_NE(flip, nullptr);
        flip->retain();
        director()->replaceScene(flip);
        return flip;
    }

    void TearDown() override {
        if (flip) flip->release();
        HostTest::TearDown();
    }

    CCTransitionZoomFlipY* flip = nullptr;
};

}  // namespace

TEST_F(ZoomFlip, EachHalfShowsOnlyItsOwnScene) {
    start(kCCTransitionOrientationDownOver);
    for (int f = 1; f <= 30; ++f) {
        host->step(1);
        if (f == 15) continue;  // edge-on: nothing of either
        const Frame shot = frame();
        const double a = shot.share(kRed, 3) + shot.share(kCream, 3);
        const double b = shot.share(kGreen, 3) + shot.share(kBlue, 3);
        if (f < 15) {
            EXPECT_GT(a, 0.005) << "frame " << f;
            EXPECT_EQ(b, 0.0) << "frame " << f;
            EXPECT_EQ(flip->getPose().scene, flip->getOutScene());
        } else {
            EXPECT_GT(b, 0.005) << "frame " << f;
            EXPECT_EQ(a, 0.0) << "frame " << f;
            EXPECT_EQ(flip->getPose().scene, flip->getInScene());
        }
    }
}

TEST_F(ZoomFlip, MiddleFrameIsBackgroundAndEndFrameIsTheIncomingSceneAlone) {
    start(kCCTransitionOrientationUpOver);
    host->step(15);
    const Frame middle = frame();
    EXPECT_FLOAT_EQ(flip->getPose().angle, 90.f);
    EXPECT_FLOAT_EQ(flip->getPose().scale, 0.5f);
    EXPECT_GT(middle.share(kClear, 0), 0.99);

    host->step(15);
    const Frame last = frame();  // the transition's own last frame
    ASSERT_EQ(director()->getRunningScene(), flip);
    host->step(1);
    const Frame after = frame();
    ASSERT_FALSE(director()->getRunningScene()->isTransitionScene());
    director()->replaceScene(bandedPage(kGreen, kBlue));
    host->step(1);
    const Frame alone = frame();
    EXPECT_EQ(alone.share(kGreen) + alone.share(kBlue), 1.0);
    EXPECT_EQ(last.differenceFrom(alone), 0.0);
    EXPECT_EQ(after.differenceFrom(alone), 0.0);
}

TEST_F(ZoomFlip, ShrinksToHalfAndSquashesAsTheCosineOfTheTurn) {
    start(kCCTransitionOrientationUpOver);
    for (int f : {4, 10, 14, 16, 20, 26}) {
        SCOPED_TRACE(f);
        host->step(f - int(host->frameCount()) + 1);  // host frame 1 showed scene A alone
        const CCTransitionZoomFlipY::Pose pose = flip->getPose();
        const float away = f < 15 ? f / 15.f : (30 - f) / 15.f;
        EXPECT_NEAR(pose.scale, 1.f - 0.5f * away, 1e-4);
        EXPECT_NEAR(pose.angle, 90.f * away, 1e-3);
        const Frame shot = frame();
        // Along the horizontal middle line nothing moves towards or away from the viewer, so the
        // width there is the scale alone.
        EXPECT_NEAR(drawnWidth(shot, kHeight / 2), kWidth * pose.scale, 2.0);
        // The height follows the cosine of the turn; perspective adds a few percent.
        int top = 0, bottom = 0;
        drawnRows(shot, top, bottom);
        const double expected = kHeight * pose.scale * std::cos(pose.angle * 3.14159265 / 180);
        EXPECT_NEAR(bottom - top + 1, expected, expected * 0.08 + 2);
    }
}

TEST_F(ZoomFlip, OrientationChoosesWhichEdgeComesTowardsTheViewer) {
    for (tOrientation o : {kCCTransitionOrientationUpOver, kCCTransitionOrientationDownOver}) {
        SCOPED_TRACE(int(o));
        start(o);
        int widths[2][2];  // [first half, second half][upper edge, lower edge]
        for (int half = 0; half < 2; ++half) {
            host->step(half == 0 ? 8 : 14);  // frames 8 and 22: 53 % turned each
            const Frame shot = frame();
            int top = 0, bottom = 0;
            drawnRows(shot, top, bottom);
            ASSERT_GT(bottom - top, 10);
            widths[half][0] = drawnWidth(shot, top + 1);
            widths[half][1] = drawnWidth(shot, bottom - 1);
        }
        // Up-over: the outgoing scene's lower edge swings towards the viewer (looks wider) and the
        // incoming scene arrives upper edge first; down-over is the mirror image.
        const bool upOver = o == kCCTransitionOrientationUpOver;
        EXPECT_EQ(widths[0][1] > widths[0][0] + 4, upOver);
        EXPECT_EQ(widths[0][0] > widths[0][1] + 4, !upOver);
        EXPECT_EQ(widths[1][0] > widths[1][1] + 4, upOver);
        EXPECT_EQ(widths[1][1] > widths[1][0] + 4, !upOver);
        EXPECT_EQ(flip->getPose().nearEdge, upOver ? 1 : -1);
        host->step(10);
        flip->release();
        flip = nullptr;
    }
}
