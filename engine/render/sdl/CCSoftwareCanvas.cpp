// CCSoftwareCanvas: surface and software renderer made and destroyed together.
#include "engine/render/sdl/CCSoftwareCanvas.h"

#include <SDL.h>

#include "engine/base/CCLog.h"
#include "engine/render/sdl/CCSDLRendererRegistry.h"

namespace engine {

CCSoftwareCanvas::CCSoftwareCanvas(int width, int height) : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        CCLog("CCSoftwareCanvas: size %d x %d refused", width, height);
        return;
    }
    m_surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!m_surface) {
        CCLog("CCSoftwareCanvas: cannot allocate %d x %d pixels (%s)", width, height, SDL_GetError());
        return;
    }
    m_renderer = SDL_CreateSoftwareRenderer(m_surface);
    if (!m_renderer) CCLog("CCSoftwareCanvas: no software renderer (%s)", SDL_GetError());
}

CCSoftwareCanvas::~CCSoftwareCanvas() {
    // Textures drawn here must learn that their GPU copies die with the renderer.
    CCSDLRendererRegistry::destroyRenderer(m_renderer);
    if (m_surface) SDL_FreeSurface(m_surface);
}

}  // namespace engine
