// The headless host: the software renderer on a surface and a virtual clock driving the director.
#include "engine/host/CCHeadlessHost.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualClockAudioBackend.h"
#include "engine/base/CCLog.h"
#include "engine/host/CCKeyInput.h"
#include "engine/scene/CCEGLView.h"
#include "engine/render/CCRenderer.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/sdl/CCSDLRendererRegistry.h"
#include "engine/scene/CCDirector.h"
#include "engine/text/CCIMEDispatcher.h"

namespace engine {

CCHeadlessHost::CCHeadlessHost(int width, int height, bool virtualAudio)
    : m_width(std::max(1, width)), m_height(std::max(1, height)) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setFrameSize(static_cast<float>(m_width), static_cast<float>(m_height));
    m_surface = SDL_CreateRGBSurfaceWithFormat(0, m_width, m_height, 32, SDL_PIXELFORMAT_RGBA32);
    if (m_surface) m_sdl = SDL_CreateSoftwareRenderer(m_surface);
    if (!m_sdl) {
        CCLog("headless host: cannot create a software renderer: %s", SDL_GetError());
    } else {
        m_renderer = new CCSDLRenderer(m_sdl, view->getDesignResolutionSize(), m_width, m_height);
        m_renderer->setPresentOnEndFrame(false);
        CCRenderer::setCurrent(m_renderer);
    }
    CCDirector::sharedDirector()->setOpenGLView(view);
    if (virtualAudio) {
        auto backend = std::make_unique<VirtualClockAudioBackend>();
        m_audio = backend.get();
        SimpleAudioEngine::sharedEngine()->setBackend(std::move(backend));
    }
}

CCHeadlessHost::~CCHeadlessHost() {
    CCEGLView::sharedOpenGLView()->cancelAllTouches();
    CCDirector::purgeSharedDirector();
    if (m_audio) SimpleAudioEngine::end();
    if (CCRenderer::current() == m_renderer) CCRenderer::setCurrent(nullptr);
    delete m_renderer;
    if (m_sdl) CCSDLRendererRegistry::destroyRenderer(m_sdl);
    if (m_surface) SDL_FreeSurface(m_surface);
}

void CCHeadlessHost::step(int frames) {
    CCDirector* director = CCDirector::sharedDirector();
    for (int i = 0; i < frames; ++i) {
        m_time += kFrame;
        ++m_frames;
        if (m_audio) m_audio->advance(kFrame);
        if (m_renderer && m_drawing) {
            // The design size may have been set after the host was made.
            m_renderer->setDesignSize(CCEGLView::sharedOpenGLView()->getDesignResolutionSize());
            CCRenderer::setCurrent(m_renderer);
        } else {
            CCRenderer::setCurrent(nullptr);
        }
        director->mainLoop(kFrame);
    }
}

void CCHeadlessHost::advance(double seconds) {
    if (!(seconds > 0) || !std::isfinite(seconds)) return;
    step(static_cast<int>(std::ceil(seconds / kFrame - 1e-6)));
}

void CCHeadlessHost::touchDown(float x, float y, int id) {
    CCEGLView::sharedOpenGLView()->handleTouchesBegin(1, &id, &x, &y);
}
void CCHeadlessHost::touchMove(float x, float y, int id) {
    CCEGLView::sharedOpenGLView()->handleTouchesMove(1, &id, &x, &y);
}
void CCHeadlessHost::touchUp(float x, float y, int id) {
    CCEGLView::sharedOpenGLView()->handleTouchesEnd(1, &id, &x, &y);
}
void CCHeadlessHost::touchCancel(float x, float y, int id) {
    CCEGLView::sharedOpenGLView()->handleTouchesCancel(1, &id, &x, &y);
}

void CCHeadlessHost::insertText(const std::string& utf8) {
    CCIMEDispatcher::sharedDispatcher()->dispatchInsertText(utf8.data(), static_cast<int>(utf8.size()));
}

void CCHeadlessHost::deleteBackward() { CCIMEDispatcher::sharedDispatcher()->dispatchDeleteBackward(); }

void CCHeadlessHost::keyPress(int key, int modifiers) { deliverKeyPress(key, modifiers); }

bool CCHeadlessHost::saveFrame(const std::string& pngPath) { return m_renderer && m_renderer->savePNG(pngPath); }

bool CCHeadlessHost::readFrame(std::vector<uint8_t>& rgba, int& width, int& height) {
    return m_renderer && m_renderer->readPixels(rgba, width, height);
}

ccColor4B CCHeadlessHost::pixelAt(float x, float y) {
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    if (!readFrame(rgba, w, h)) return ccc4(0, 0, 0, 0);
    CCPoint p = m_renderer->designToPixel(CCPoint(x, y));
    int px = std::min(w - 1, std::max(0, static_cast<int>(std::floor(p.x))));
    int py = std::min(h - 1, std::max(0, static_cast<int>(std::floor(p.y))));
    const uint8_t* c = &rgba[(static_cast<size_t>(py) * w + px) * 4];
    return ccc4(c[0], c[1], c[2], c[3]);
}

}  // namespace engine
