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
    if (under) under->visit();
    if (!page || curl >= 1.f) return;

    CCSDLRenderer* sdl = dynamic_cast<CCSDLRenderer*>(CCRenderer::current());
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

}  // namespace engine
