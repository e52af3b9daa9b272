// CCSDLTextureCopy: uploading a texture's pixels (or making its target) on an SDL_Renderer.
#include "engine/render/sdl/CCSDLTextureCopy.h"

#include <SDL.h>

#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/sdl/CCSDLRendererRegistry.h"

namespace engine {

namespace {

// The software renderer converts pixel by pixel when a target's layout differs from what it is
// drawn onto, several times slower than a copy: give its targets the layout of its output (the
// engine's own surfaces are RGBA32; windows are ARGB8888 or close to it). GPUs do not care.
Uint32 targetFormat(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) &&
        !SDL_RenderGetWindow(renderer))
        return SDL_PIXELFORMAT_RGBA32;
    return SDL_PIXELFORMAT_ARGB8888;
}

SDL_ScaleMode scaleMode(bool antiAlias) { return antiAlias ? SDL_ScaleModeLinear : SDL_ScaleModeNearest; }

}  // namespace

CCSDLTextureCopy::CCSDLTextureCopy(SDL_Renderer* owner, uint64_t generation, SDL_Texture* copy)
    : m_owner(owner), m_generation(generation), m_copy(copy) {}

CCSDLTextureCopy::~CCSDLTextureCopy() {
    // A copy whose renderer has died was freed with it: forget it without touching it.
    if (alive()) SDL_DestroyTexture(m_copy);
}

bool CCSDLTextureCopy::alive() const {
    return m_copy && m_generation != 0 && CCSDLRendererRegistry::liveGeneration(m_owner) == m_generation;
}

SDL_Texture* CCSDLTextureCopy::textureFor(CCTexture2D* texture, SDL_Renderer* renderer) {
    if (!texture || !renderer) return nullptr;
    const uint64_t generation = CCSDLRendererRegistry::generationOf(renderer);
    // A slot another backend filled is replaced like a stale copy.
    auto* copy = dynamic_cast<CCSDLTextureCopy*>(texture->backendSlot());
    if (copy && copy->m_owner == renderer && copy->m_generation == generation) {
        if (copy->m_antiAlias != texture->isAntiAlias()) {
            copy->m_antiAlias = texture->isAntiAlias();
            SDL_SetTextureScaleMode(copy->m_copy, scaleMode(copy->m_antiAlias));
        }
        return copy->m_copy;
    }
    texture->setBackendSlot(nullptr);
    SDL_Texture* made = nullptr;
    const int w = texture->getPixelsWide(), h = texture->getPixelsHigh();
    if (texture->isRenderTarget()) {
        made = SDL_CreateTexture(renderer, targetFormat(renderer), SDL_TEXTUREACCESS_TARGET, w, h);
    } else if (texture->getSurface()) {
        made = SDL_CreateTextureFromSurface(renderer, texture->getSurface());
    } else {
        return nullptr;
    }
    if (!made) {
        CCLog("CCSDLTextureCopy: cannot create a GPU copy of %d x %d pixels (%s)", w, h, SDL_GetError());
        return nullptr;
    }
    SDL_SetTextureBlendMode(made, SDL_BLENDMODE_BLEND);
    copy = new CCSDLTextureCopy(renderer, generation, made);
    copy->m_antiAlias = texture->isAntiAlias();
    SDL_SetTextureScaleMode(made, scaleMode(copy->m_antiAlias));
    texture->setBackendSlot(copy);
    return made;
}

}  // namespace engine
