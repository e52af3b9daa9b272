// An offscreen RGBA surface with SDL's software renderer on it: headless drawing and screenshots.
#pragma once

struct SDL_Surface;
struct SDL_Renderer;

namespace engine {

class CCSoftwareCanvas {
public:
    // A width x height canvas; valid() is false (with a log line) when it cannot be made.
    CCSoftwareCanvas(int width, int height);
    ~CCSoftwareCanvas();
    CCSoftwareCanvas(const CCSoftwareCanvas&) = delete;
    CCSoftwareCanvas& operator=(const CCSoftwareCanvas&) = delete;

    bool valid() const { return m_renderer != nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    SDL_Surface* surface() const { return m_surface; }
    SDL_Renderer* renderer() const { return m_renderer; }

private:
    int m_width, m_height;
    SDL_Surface* m_surface = nullptr;
    SDL_Renderer* m_renderer = nullptr;
};

}  // namespace engine
