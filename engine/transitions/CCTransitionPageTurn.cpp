// CCTransitionPageTurn: draws the page underneath, then the moving page's picture bent by the
// curl mesh, back to front when the director's depth test is on.
#include "engine/transitions/CCTransitionPageTurn.h"

#include "engine/base/CCCreate.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/CCTexture2D.h"
#include "engine/scene/CCDirector.h"

namespace engine {

CCTransitionPageTurn* CCTransitionPageTurn::create(float duration, CCScene* scene, bool backwards) {
    CCTransitionPageTurn* t = new CCTransitionPageTurn();
    return autoreleasedOrNull(t, t->initWithDuration(duration, scene, backwards));
}

bool CCTransitionPageTurn::initWithDuration(float duration, CCScene* scene, bool backwards) {
    if (!CCTransitionScene::initWithDuration(duration, scene)) return false;
    m_bBack = backwards;
    return true;
}

float CCTransitionPageTurn::getCurlAmount() const {
    const float p = getProgress();
    return m_bBack ? 1.f - p : p;
}

void CCTransitionPageTurn::draw() {
    CCScene* page = m_bBack ? m_pInScene : m_pOutScene;
    CCScene* under = m_bBack ? m_pOutScene : m_pInScene;
    const float curl = getCurlAmount();
    m_world.clear();

    // A flat page hides everything under it and is exactly its scene: no texture needed.
    if (curl <= 0.f && page) {
        page->visit();
        return;
    }
    CCSDLRenderer* sdl = dynamic_cast<CCSDLRenderer*>(CCRenderer::current());
    // The page underneath comes from its own snapshot: redrawn only when it changes, and then
    // copied each frame at memory speed instead of rasterising every sprite of the page again.
    CCTexture2D* underPicture = sdl && under ? m_underSnapshot.capture(sdl, under) : nullptr;
    if (underPicture)
        drawWholeOutput(sdl, underPicture);
    else if (under)
        under->visit();
    if (!page || curl >= 1.f) return;

    CCTexture2D* picture = sdl ? m_snapshot.capture(sdl, page) : nullptr;
    if (!picture) {
        page->visit();
        return;
    }
    m_mesh.update(sdl->getDesignSize(), curl, CCDirector::sharedDirector()->isDepthTest());
    const CCAffineTransform& toWorld = visitTransform();
    m_world = m_mesh.vertices();
    for (CCVertex& v : m_world) {
        const CCPoint w = CCPointApplyAffineTransform(CCPoint(v.x, v.y), toWorld);
        v.x = w.x;
        v.y = w.y;
    }
    // The picture is opaque: nothing to blend, and copying is the software renderer's fast path.
    if (!m_world.empty()) sdl->drawTriangles(picture, m_world.data(), int(m_world.size()), BlendMode::None);
}

void CCTransitionPageTurn::drawWholeOutput(CCSDLRenderer* sdl, CCTexture2D* picture) {
    // The snapshot holds the world as the output shows it, texel for pixel: one unshaded,
    // unblended rectangle over the design area puts it back exactly.
    const CCSize size = sdl->getDesignSize();
    const ccColor4B white = ccc4(255, 255, 255, 255);
    const CCVertex bl{0, 0, white, 0, 1}, br{size.width, 0, white, 1, 1};
    const CCVertex tl{0, size.height, white, 0, 0}, tr{size.width, size.height, white, 1, 0};
    // Split from the top-left corner, the pair SDL's software renderer copies as a rectangle.
    const CCVertex quad[6] = {tl, bl, br, tl, br, tr};
    sdl->drawTriangles(picture, quad, 6, BlendMode::None);
}

}  // namespace engine
