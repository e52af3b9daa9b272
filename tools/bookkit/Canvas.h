// Off-screen drawing surface for the book's pictures: filled shapes, wrapped text, PNG/JPEG output.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

namespace bookkit {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

inline Rgba rgba(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return Rgba{r, g, b, a};
}
// Mixes toward white (t > 0) or black (t < 0) by |t| in 0..1.
Rgba shade(Rgba c, float t);
Rgba withAlpha(Rgba c, std::uint8_t a);

struct RectF {
    float x = 0, y = 0, w = 0, h = 0;
};

// The file fontconfig picks for a pattern such as "Liberation Sans:style=Bold" (empty when none);
// fontconfig must be initialised (FcInit).
std::string matchFontFile(const char* pattern);

// The two faces the pictures use, opened once from the files fontconfig names.
class Fonts {
public:
    ~Fonts();
    // Finds "Liberation Sans" (regular and bold) or whatever the desktop substitutes for it.
    bool open(std::string& error);
    TTF_Font* get(bool bold, int pixelSize);
    const std::string& regularPath() const { return regularPath_; }

private:
    std::string regularPath_;
    std::string boldPath_;
    std::map<std::pair<bool, int>, TTF_Font*> cache_;
    bool opened_ = false;
};

enum class Align { Left, Center, Right };

// Text rendered once so it can be measured before it is placed.
class TextImage {
public:
    TextImage() = default;
    TextImage(TTF_Font* font, const std::string& text, Rgba color, int wrapWidth, Align align);
    TextImage(TextImage&& other) noexcept;
    TextImage& operator=(TextImage&& other) noexcept;
    TextImage(const TextImage&) = delete;
    TextImage& operator=(const TextImage&) = delete;
    ~TextImage();

    int width() const { return surface_ ? surface_->w : 0; }
    int height() const { return surface_ ? surface_->h : 0; }
    SDL_Surface* surface() const { return surface_; }

private:
    SDL_Surface* surface_ = nullptr;
};

// Coordinates are in output pixels, origin top left. Drawing happens at `supersample` times the
// output size and is averaged down on save, which gives the shapes smooth edges.
class Canvas {
public:
    Canvas(int width, int height, Rgba background, int supersample = 2);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return renderer_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    int supersample() const { return scale_; }

    void fillRect(float x, float y, float w, float h, Rgba c);
    void fillRoundRect(float x, float y, float w, float h, float radius, Rgba c);
    void fillCircle(float cx, float cy, float r, Rgba c);
    void fillEllipse(float cx, float cy, float rx, float ry, Rgba c);
    void fillTriangle(float x1, float y1, float x2, float y2, float x3, float y3, Rgba c);
    // A convex polygon, fanned from its first point.
    void fillPolygon(const std::vector<SDL_FPoint>& points, Rgba c);
    void fillRing(float cx, float cy, float r, float thickness, Rgba c);
    // The upper half of a ring, for rainbows and smiles (flip for a smile).
    void fillArc(float cx, float cy, float r, float thickness, float fromDeg, float toDeg, Rgba c);
    void line(float x1, float y1, float x2, float y2, float thickness, Rgba c);
    void roundRectOutline(float x, float y, float w, float h, float radius, float thickness, Rgba c);

    // Text from fonts opened at supersampled sizes: pass the output size, the canvas scales it.
    TextImage makeText(Fonts& fonts, bool bold, int size, const std::string& text, Rgba color,
                       int wrapWidth = 0, Align align = Align::Left);
    // Draws text with its top-left corner at (x, y) in output pixels.
    void drawText(const TextImage& text, float x, float y);
    // Draws a picture (or the part `from` of it, in its pixels) scaled (smoothly) into the
    // rectangle, blending its alpha.
    void drawImage(SDL_Surface* image, float x, float y, float w, float h, const SDL_Rect* from = nullptr);
    // Limits drawing to a rectangle in output pixels; nullptr draws everywhere again.
    void setClip(const SDL_Rect* clip);
    // Output-pixel size of a text made by makeText.
    float textWidth(const TextImage& text) const { return float(text.width()) / scale_; }
    float textHeight(const TextImage& text) const { return float(text.height()) / scale_; }

    // Averages down to the output size; the surface is owned by the canvas.
    SDL_Surface* resolve();
    bool savePng(const std::string& path, std::string& error);
    bool saveJpg(const std::string& path, int quality, std::string& error);

private:
    void geometry(const std::vector<SDL_Vertex>& vertices);

    int width_;
    int height_;
    int scale_;
    bool opaque_;
    SDL_Surface* big_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Surface* small_ = nullptr;
};

}  // namespace bookkit
