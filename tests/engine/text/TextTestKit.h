// Test kit of the text tests: a headless canvas that draws a node and reads its pixels back,
// log capture, and image files written on the fly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/sdl/CCSoftwareCanvas.h"

namespace textkit {

struct Rgba {
    uint8_t r, g, b, a;
};

// Ink bounds in design points (x to the right, y up), inclusive pixel cells.
struct Box {
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
    int count = 0;
    bool empty() const { return count == 0; }
    int width() const { return empty() ? 0 : maxX - minX + 1; }
    int height() const { return empty() ? 0 : maxY - minY + 1; }
    double centerX() const { return (minX + maxX + 1) / 2.0; }
    double centerY() const { return (minY + maxY + 1) / 2.0; }
};

// A w x h pixel canvas whose design size is w x h points, so one point is one pixel.
class Canvas {
public:
    Canvas(int w, int h) : m_canvas(w, h), m_renderer(m_canvas.renderer(), engine::CCSize(float(w), float(h)), w, h) {}

    bool valid() const { return m_canvas.valid(); }

    // Draws the node alone on black and keeps the pixels.
    void draw(engine::CCNode* node) {
        engine::CCRenderer* previous = engine::CCRenderer::current();
        engine::CCRenderer::setCurrent(&m_renderer);
        m_renderer.beginFrame();
        node->visit();
        m_renderer.readPixels(m_pixels, m_w, m_h);
        m_renderer.setPresentOnEndFrame(false);
        m_renderer.endFrame();
        engine::CCRenderer::setCurrent(previous);
    }

    // The pixel whose cell spans design points [x, x+1) x [y, y+1).
    Rgba at(int x, int y) const {
        if (x < 0 || y < 0 || x >= m_w || y >= m_h) return Rgba{0, 0, 0, 0};
        size_t i = (size_t(m_h - 1 - y) * size_t(m_w) + size_t(x)) * 4;
        return Rgba{m_pixels[i], m_pixels[i + 1], m_pixels[i + 2], m_pixels[i + 3]};
    }

    Box ink(const std::function<bool(const Rgba&)>& isInk) const {
        Box b;
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) {
                if (!isInk(at(x, y))) continue;
                b.minX = std::min(b.minX, x);
                b.maxX = std::max(b.maxX, x);
                b.minY = std::min(b.minY, y);
                b.maxY = std::max(b.maxY, y);
                ++b.count;
            }
        return b;
    }
    // Anything brighter than the black background.
    Box ink() const {
        return ink([](const Rgba& p) { return p.r > 40 || p.g > 40 || p.b > 40; });
    }
    // Ink inside the design-point rectangle [x0, x1] x [y0, y1].
    Box inkIn(int x0, int y0, int x1, int y1) const {
        Box clipped;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                Rgba p = at(x, y);
                if (p.r > 40 || p.g > 40 || p.b > 40) {
                    clipped.minX = std::min(clipped.minX, x);
                    clipped.maxX = std::max(clipped.maxX, x);
                    clipped.minY = std::min(clipped.minY, y);
                    clipped.maxY = std::max(clipped.maxY, y);
                    ++clipped.count;
                }
            }
        return clipped;
    }
    // Horizontal bands of ink separated by empty rows (text lines, roughly).
    int inkBands() const {
        int bands = 0;
        bool inBand = false;
        for (int y = m_h - 1; y >= 0; --y) {
            bool any = false;
            for (int x = 0; x < m_w && !any; ++x) {
                Rgba p = at(x, y);
                any = p.r > 40 || p.g > 40 || p.b > 40;
            }
            if (any && !inBand) ++bands;
            inBand = any;
        }
        return bands;
    }

private:
    engine::CCSoftwareCanvas m_canvas;
    engine::CCSDLRenderer m_renderer;
    std::vector<uint8_t> m_pixels;
    int m_w = 0, m_h = 0;
};

// Collects log lines while alive (and keeps standard error quiet).
class LogCapture {
public:
    LogCapture() {
        engine::setLogQuiet(true);
        engine::setLogObserver([this](const std::string& line) { lines.push_back(line); });
    }
    ~LogCapture() {
        engine::setLogObserver(nullptr);
        engine::setLogQuiet(false);
    }
    bool contains(const std::string& needle) const {
        for (const auto& l : lines)
            if (l.find(needle) != std::string::npos) return true;
        return false;
    }
    size_t countContaining(const std::string& needle) const {
        size_t n = 0;
        for (const auto& l : lines)
            if (l.find(needle) != std::string::npos) ++n;
        return n;
    }
    std::vector<std::string> lines;
};

// An RGBA image of w x h pixels, transparent, with rectangles painted by the caller.
class Image {
public:
    Image(int w, int h) : m_surface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32)) {
        SDL_FillRect(m_surface, nullptr, SDL_MapRGBA(m_surface->format, 0, 0, 0, 0));
    }
    ~Image() { SDL_FreeSurface(m_surface); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    // x, y from the top-left corner, as image files store them.
    void fill(int x, int y, int w, int h, Rgba c) {
        SDL_Rect r{x, y, w, h};
        SDL_FillRect(m_surface, &r, SDL_MapRGBA(m_surface->format, c.r, c.g, c.b, c.a));
    }
    void savePNG(const std::string& path) const { ASSERT_EQ(IMG_SavePNG(m_surface, path.c_str()), 0) << path; }

private:
    SDL_Surface* m_surface;
};

inline bool near(const Rgba& p, const Rgba& q, int tolerance = 8) {
    return std::abs(p.r - q.r) <= tolerance && std::abs(p.g - q.g) <= tolerance && std::abs(p.b - q.b) <= tolerance;
}

}  // namespace textkit
