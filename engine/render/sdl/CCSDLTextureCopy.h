// A texture's copy on an SDL_Renderer, made the first time that renderer draws it and kept in
// the texture's backend slot: remade when another renderer draws it or its pixels change,
// destroyed with the texture, and never touched once its renderer is gone.
#pragma once

#include <cstdint>

#include "engine/render/CCTextureSlot.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace engine {

class CCTexture2D;

class CCSDLTextureCopy : public CCTextureSlot {
public:
    // The copy of texture for renderer, made on first use with the texture's sampling; null (with
    // a log line for a real failure) when it cannot be made, or for an empty texture. A render
    // target's copy is an SDL target texture whose contents start transparent black.
    static SDL_Texture* textureFor(CCTexture2D* texture, SDL_Renderer* renderer);

    ~CCSDLTextureCopy() override;

private:
    CCSDLTextureCopy(SDL_Renderer* owner, uint64_t generation, SDL_Texture* copy);
    bool alive() const;

    SDL_Renderer* m_owner;
    // The owner's registration when the copy was made: a renderer destroyed and another created
    // at the same address has a new one, so the old copy is known to be gone.
    uint64_t m_generation;
    SDL_Texture* m_copy;
    bool m_antiAlias = true;  // the sampling last given to the copy
};

}  // namespace engine
