// CCSceneSnapshot: one render target per transition, redrawn on the frames whose scene drawing
// differs from the one it holds.
#include "engine/transitions/CCSceneSnapshot.h"

#include <SDL.h>

#include "engine/base/CCLog.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/CCTexture2D.h"
#include "engine/scene/CCNode.h"

namespace engine {

CCSceneSnapshot::~CCSceneSnapshot() { safeRelease(m_texture); }

bool CCSceneSnapshot::holdsDrawingOf(CCSDLRenderer* renderer, CCNode* node) {
    // The walk is cheap next to rasterising a page: a software renderer spends its time on
    // pixels, and most transitions move two pages that do not change while they move.
    CCRenderer* drawing = CCRenderer::current();
    CCRenderer::setCurrent(&m_recorder);
    m_recorder.beginFrame();
    if (node) node->visit();
    m_recorder.endFrame();
    CCRenderer::setCurrent(drawing);
    const bool same = m_recorder.matchesKept() && m_heldClear == renderer->getClearColor() && m_heldDesign.equals(renderer->getDesignSize());
    if (same) return true;
    m_recorder.keep();
    m_heldClear = renderer->getClearColor();
    m_heldDesign = renderer->getDesignSize();
    return false;
}

CCTexture2D* CCSceneSnapshot::capture(CCSDLRenderer* renderer, CCNode* node) {
    if (!renderer || !renderer->sdlRenderer() || m_failed) return nullptr;
    const int w = renderer->getOutputWidth(), h = renderer->getOutputHeight();
    if (!m_texture || m_texture->getPixelsWide() != w || m_texture->getPixelsHigh() != h) {
        safeRelease(m_texture);
        m_recorder.forget();
        m_texture = new CCTexture2D();
        if (!m_texture->initAsRenderTarget(w, h)) {
            safeRelease(m_texture);
            m_failed = true;
            CCLog("CCSceneSnapshot: no %d x %d render target; the scene is drawn flat", w, h);
            return nullptr;
        }
        ++m_made;
    }
    if (holdsDrawingOf(renderer, node)) return m_texture;
    if (!renderer->pushRenderTarget(m_texture, false)) {
        m_failed = true;
        m_recorder.forget();
        CCLog("CCSceneSnapshot: cannot draw into the render target; the scene is drawn flat");
        return nullptr;
    }
    // The frame the scene would have on screen starts as the clear colour; a transparent start
    // would let what lies under the bent page shine through its empty parts. SDL's clear fills
    // the whole target at memory speed, where a drawn rectangle would go through the blender.
    const ccColor4B c = renderer->getClearColor();
    SDL_Renderer* sdl = renderer->sdlRenderer();
    SDL_SetRenderDrawColor(sdl, c.r, c.g, c.b, 255);
    SDL_RenderClear(sdl);
    if (node) node->visit();
    renderer->popRenderTarget();
    ++m_redraws;
    return m_texture;
}

}  // namespace engine
