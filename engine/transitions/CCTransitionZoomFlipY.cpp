// CCTransitionZoomFlipY: the pose at each moment, drawn as horizontal strips in perspective.
#include "engine/transitions/CCTransitionZoomFlipY.h"

#include <cmath>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/CCTexture2D.h"

namespace engine {

namespace {

const float kDegToRad = 3.14159265358979f / 180.f;
// The eye's distance from the screen, in screen heights: close enough that the nearer edge of
// the turning scene looks clearly wider than the farther one.
const float kEyeDistance = 1.6f;
// Perspective changes only with height, so strips that are thin in y keep the picture straight.
const int kStrips = 24;

}  // namespace

CCTransitionZoomFlipY* CCTransitionZoomFlipY::create(float duration, CCScene* scene, tOrientation orientation) {
    CCTransitionZoomFlipY* t = new CCTransitionZoomFlipY();
    return autoreleasedOrNull(t, t->initWithDuration(duration, scene, orientation));
}

bool CCTransitionZoomFlipY::initWithDuration(float duration, CCScene* scene, tOrientation orientation) {
    if (!CCTransitionScene::initWithDuration(duration, scene)) return false;
    if (orientation != kCCTransitionOrientationUpOver && orientation != kCCTransitionOrientationDownOver) {
        CCLog("CCTransitionZoomFlipY: orientation %d taken as up-over", int(orientation));
        orientation = kCCTransitionOrientationUpOver;
    }
    m_eOrientation = orientation;
    return true;
}

CCTransitionZoomFlipY::Pose CCTransitionZoomFlipY::getPose() const {
    const float p = getProgress();
    const bool firstHalf = p < 0.5f;
    // How far this half is from facing the viewer: 0 at either end, 1 at the middle.
    const float away = firstHalf ? p * 2.f : (1.f - p) * 2.f;
    // Up-over: the outgoing scene's lower edge swings towards the viewer and over the top, so
    // the incoming one arrives with its upper edge nearer; down-over is the mirror image.
    const int outNear = m_eOrientation == kCCTransitionOrientationDownOver ? 1 : -1;
    Pose pose;
    pose.scene = firstHalf ? m_pOutScene : m_pInScene;
    pose.angle = 90.f * away;
    pose.scale = 1.f - 0.5f * away;
    pose.nearEdge = firstHalf ? outNear : -outNear;
    return pose;
}

void CCTransitionZoomFlipY::draw() {
    m_strips.clear();
    const Pose pose = getPose();
    if (!pose.scene) return;
    if (pose.angle <= 0.f && pose.scale >= 1.f) {
        pose.scene->visit();
        return;
    }
    const float cosA = std::cos(pose.angle * kDegToRad), sinA = std::sin(pose.angle * kDegToRad);
    if (cosA < 1e-4f) return;  // edge-on: nothing of the scene faces the viewer
    CCSDLRenderer* sdl = dynamic_cast<CCSDLRenderer*>(CCRenderer::current());
    CCTexture2D* picture = sdl ? m_snapshot.capture(sdl, pose.scene) : nullptr;
    const CCSize size = sdl ? sdl->getDesignSize() : getContentSize();
    const float cx = size.width / 2, cy = size.height / 2;

    if (!picture) {
        // Squashed and scaled about the centre: the same outline without the perspective.
        const float s = pose.scale, sy = pose.scale * cosA;
        pushVisitTransform(CCAffineTransformMake(s, 0, 0, sy, cx - s * cx, cy - sy * cy));
        pose.scene->visit();
        popVisitTransform();
        return;
    }

    const float eye = kEyeDistance * size.height;
    const CCAffineTransform& toWorld = visitTransform();
    auto place = [&](float x, float y, float v) {
        const float dx = (x - cx) * pose.scale, dy = (y - cy) * pose.scale;
        const float z = float(pose.nearEdge) * dy * sinA;
        const float k = eye / (eye - z);
        const CCPoint w = CCPointApplyAffineTransform(CCPoint(cx + dx * k, cy + dy * cosA * k), toWorld);
        return CCVertex{w.x, w.y, ccc4(255, 255, 255, 255), x > cx ? 1.f : 0.f, v};
    };
    for (int i = 0; i < kStrips; ++i) {
        const float y0 = size.height * float(i) / kStrips, y1 = size.height * float(i + 1) / kStrips;
        const float v0 = 1.f - float(i) / kStrips, v1 = 1.f - float(i + 1) / kStrips;
        const CCVertex bl = place(0, y0, v0), br = place(size.width, y0, v0);
        const CCVertex tl = place(0, y1, v1), tr = place(size.width, y1, v1);
        const CCVertex two[6] = {bl, br, tr, bl, tr, tl};
        m_strips.insert(m_strips.end(), two, two + 6);
    }
    sdl->drawTriangles(picture, m_strips.data(), int(m_strips.size()), BlendMode::None);
}

}  // namespace engine
