// Generation numbers of the live SDL_Renderers.
#include "engine/render/sdl/CCSDLRendererRegistry.h"

#include <unordered_map>

#include <SDL.h>

namespace engine {

namespace {
std::unordered_map<SDL_Renderer*, uint64_t>& live() {
    static std::unordered_map<SDL_Renderer*, uint64_t> m;
    return m;
}
uint64_t s_nextGeneration = 1;
}  // namespace

uint64_t CCSDLRendererRegistry::generationOf(SDL_Renderer* renderer) {
    if (!renderer) return 0;
    auto it = live().find(renderer);
    if (it != live().end()) return it->second;
    uint64_t g = s_nextGeneration++;
    live().emplace(renderer, g);
    return g;
}

uint64_t CCSDLRendererRegistry::liveGeneration(SDL_Renderer* renderer) {
    auto it = live().find(renderer);
    return it == live().end() ? 0 : it->second;
}

void CCSDLRendererRegistry::rendererDestroyed(SDL_Renderer* renderer) { live().erase(renderer); }

void CCSDLRendererRegistry::destroyRenderer(SDL_Renderer* renderer) {
    if (!renderer) return;
    rendererDestroyed(renderer);
    SDL_DestroyRenderer(renderer);
}

}  // namespace engine
