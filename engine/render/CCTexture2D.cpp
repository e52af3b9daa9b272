// CCTexture2D: RGBA32 pixels on the CPU from files, surfaces and raw bytes; the backend slot's lifetime.
#include "engine/render/CCTexture2D.h"

#include <cstring>

#include <SDL.h>

#include "engine/base/CCLog.h"
#include "engine/render/CCImageFile.h"
#include "engine/render/CCTextureSlot.h"

namespace engine {

namespace {

bool sizeAcceptable(int w, int h) {
    return w > 0 && h > 0 && w <= CCTexture2D::kMaxTextureSide && h <= CCTexture2D::kMaxTextureSide;
}

}  // namespace

namespace {
uint64_t s_lastStamp = 0;
}

CCTexture2D::CCTexture2D() { restamp(); }

void CCTexture2D::restamp() { m_stamp = ++s_lastStamp; }

CCTexture2D::~CCTexture2D() {
    setBackendSlot(nullptr);
    restamp();
    if (m_surface) SDL_FreeSurface(m_surface);
}

void CCTexture2D::setBackendSlot(CCTextureSlot* slot) {
    if (slot == m_backendSlot) return;
    // Cleared before the old slot goes, so nothing it does on the way out finds itself here.
    CCTextureSlot* old = m_backendSlot;
    m_backendSlot = slot;
    delete old;
}

bool CCTexture2D::adoptSurface(SDL_Surface* rgba) {
    // The backend's copy shows the old pixels.
    setBackendSlot(nullptr);
    restamp();
    if (m_surface) SDL_FreeSurface(m_surface);
    m_surface = rgba;
    m_renderTarget = false;
    m_width = rgba ? rgba->w : 0;
    m_height = rgba ? rgba->h : 0;
    return rgba != nullptr;
}

bool CCTexture2D::initWithImageFile(const std::string& fullPath) {
    std::string problem;
    SDL_Surface* rgba = decodeImageFile(fullPath, &problem);
    if (!rgba) {
        CCLog("CCTexture2D: image %s %s", fullPath.c_str(), problem.c_str());
        return false;
    }
    return initWithDecodedImage(rgba, fullPath);
}

bool CCTexture2D::initWithDecodedImage(SDL_Surface* rgba, const std::string& fullPath) {
    adoptSurface(rgba);
    m_path = fullPath;
    return true;
}

bool CCTexture2D::initWithSurface(SDL_Surface* surface) {
    if (!surface) {
        CCLog("CCTexture2D: initWithSurface given no surface");
        return false;
    }
    if (!sizeAcceptable(surface->w, surface->h)) {
        CCLog("CCTexture2D: surface of %d x %d pixels refused", surface->w, surface->h);
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    if (!rgba) {
        CCLog("CCTexture2D: cannot convert surface (%s)", SDL_GetError());
        return false;
    }
    return adoptSurface(rgba);
}

bool CCTexture2D::initWithRGBA(const void* pixels, int w, int h) {
    if (!pixels || !sizeAcceptable(w, h)) {
        CCLog("CCTexture2D: initWithRGBA refused %d x %d pixels%s", w, h, pixels ? "" : " (no data)");
        return false;
    }
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!rgba) {
        CCLog("CCTexture2D: cannot allocate %d x %d pixels (%s)", w, h, SDL_GetError());
        return false;
    }
    const auto* src = static_cast<const unsigned char*>(pixels);
    auto* dst = static_cast<unsigned char*>(rgba->pixels);
    for (int row = 0; row < h; ++row)
        std::memcpy(dst + size_t(row) * size_t(rgba->pitch), src + size_t(row) * size_t(w) * 4, size_t(w) * 4);
    return adoptSurface(rgba);
}

bool CCTexture2D::initAsRenderTarget(int w, int h) {
    if (!sizeAcceptable(w, h)) {
        CCLog("CCTexture2D: render target of %d x %d pixels refused", w, h);
        return false;
    }
    adoptSurface(nullptr);
    m_renderTarget = true;
    m_width = w;
    m_height = h;
    m_path.clear();
    return true;
}

int CCTexture2D::getPixelsWide() const { return m_width; }
int CCTexture2D::getPixelsHigh() const { return m_height; }
CCSize CCTexture2D::getContentSize() const { return CCSize(float(m_width), float(m_height)); }
size_t CCTexture2D::bytesUsed() const { return size_t(m_width) * size_t(m_height) * 4; }

void CCTexture2D::setAntiAliasTexParameters() {
    if (!m_antiAlias) restamp();
    m_antiAlias = true;
}

void CCTexture2D::setAliasTexParameters() {
    if (m_antiAlias) restamp();
    m_antiAlias = false;
}

}  // namespace engine
