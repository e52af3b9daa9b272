// Which SDL_Renderers are alive, so a texture never uses a GPU copy whose renderer is gone.
//
// SDL frees a renderer's textures when the renderer is destroyed, and a new renderer may be
// created at the same address. Each live renderer therefore carries a generation number: a
// texture remembers the generation its GPU copy was made under and treats a mismatch as "that
// copy died with its renderer" (never touching the dangling pointer).
#pragma once

#include <cstdint>

struct SDL_Renderer;

namespace engine {

class CCSDLRendererRegistry {
public:
    // The renderer's generation, registering it on first sight; never 0 for a non-null renderer.
    static uint64_t generationOf(SDL_Renderer* renderer);
    // The renderer's generation, or 0 when it is not registered (destroyed or never seen).
    static uint64_t liveGeneration(SDL_Renderer* renderer);
    // Must be called before the renderer is destroyed (destroyRenderer does both).
    static void rendererDestroyed(SDL_Renderer* renderer);
    // Notifies, then SDL_DestroyRenderer; safe on null.
    static void destroyRenderer(SDL_Renderer* renderer);
};

}  // namespace engine
