// Off-screen drawing for the book's pictures over SDL's software renderer, fonts found by fontconfig.
#include "tools/bookkit/Canvas.h"

#include <algorithm>
#include <cmath>

#include <SDL_image.h>
#include <fontconfig/fontconfig.h>

namespace bookkit {

namespace {

constexpr float kPi = 3.14159265358979f;

SDL_Color toColor(Rgba c) {
    return SDL_Color{c.r, c.g, c.b, c.a};
}

// Segment count that keeps a circle of radius r (in drawing pixels) round to the eye.
int segmentsFor(float r) {
    return std::clamp(static_cast<int>(r * 0.8f), 16, 160);
}

}  // namespace

std::string matchFontFile(const char* pattern) {
    std::string file;
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (!pat) {
        return file;
    }
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
            file = reinterpret_cast<const char*>(path);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pat);
    return file;
}

Rgba shade(Rgba c, float t) {
    auto mix = [t](std::uint8_t v) {
        float target = t > 0 ? 255.0f : 0.0f;
        float f = std::fabs(t);
        return static_cast<std::uint8_t>(std::lround(v + (target - v) * f));
    };
    return Rgba{mix(c.r), mix(c.g), mix(c.b), c.a};
}

Rgba withAlpha(Rgba c, std::uint8_t a) {
    c.a = a;
    return c;
}

// ---------------------------------------------------------------------------------------------

Fonts::~Fonts() {
    for (auto& entry : cache_) {
        TTF_CloseFont(entry.second);
    }
    if (opened_) {
        FcFini();
    }
}

bool Fonts::open(std::string& error) {
    if (!FcInit()) {
        error = "fontconfig could not be initialised";
        return false;
    }
    opened_ = true;
    regularPath_ = matchFontFile("Liberation Sans:style=Regular");
    boldPath_ = matchFontFile("Liberation Sans:style=Bold");
    if (regularPath_.empty()) {
        error = "fontconfig found no font for \"Liberation Sans\" (install fonts-liberation2)";
        return false;
    }
    if (boldPath_.empty()) {
        boldPath_ = regularPath_;
    }
    if (!get(false, 20)) {
        error = "cannot open font " + regularPath_ + ": " + TTF_GetError();
        return false;
    }
    return true;
}

TTF_Font* Fonts::get(bool bold, int pixelSize) {
    auto key = std::make_pair(bold, pixelSize);
    auto it = cache_.find(key);
    if (it != cache_.end()) {
        return it->second;
    }
    TTF_Font* font = TTF_OpenFont((bold ? boldPath_ : regularPath_).c_str(), pixelSize);
    if (font) {
        // Grayscale anti-aliasing only: subpixel hinting would tie the bytes to the machine's settings.
        TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
        cache_[key] = font;
    }
    return font;
}

// ---------------------------------------------------------------------------------------------

TextImage::TextImage(TTF_Font* font, const std::string& text, Rgba color, int wrapWidth, Align align) {
    if (!font || text.empty()) {
        return;
    }
    int wrapped = TTF_WRAPPED_ALIGN_LEFT;
    if (align == Align::Center) {
        wrapped = TTF_WRAPPED_ALIGN_CENTER;
    } else if (align == Align::Right) {
        wrapped = TTF_WRAPPED_ALIGN_RIGHT;
    }
    TTF_SetFontWrappedAlign(font, wrapped);
    surface_ = wrapWidth > 0 ? TTF_RenderUTF8_Blended_Wrapped(font, text.c_str(), toColor(color), wrapWidth)
                             : TTF_RenderUTF8_Blended(font, text.c_str(), toColor(color));
}

TextImage::TextImage(TextImage&& other) noexcept : surface_(other.surface_) {
    other.surface_ = nullptr;
}

TextImage& TextImage::operator=(TextImage&& other) noexcept {
    if (this != &other) {
        if (surface_) {
            SDL_FreeSurface(surface_);
        }
        surface_ = other.surface_;
        other.surface_ = nullptr;
    }
    return *this;
}

TextImage::~TextImage() {
    if (surface_) {
        SDL_FreeSurface(surface_);
    }
}

// ---------------------------------------------------------------------------------------------

Canvas::Canvas(int width, int height, Rgba background, int supersample)
    : width_(width), height_(height), scale_(std::max(1, supersample)), opaque_(background.a == 255) {
    big_ = SDL_CreateRGBSurfaceWithFormat(0, width_ * scale_, height_ * scale_, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!big_) {
        return;
    }
    SDL_FillRect(big_, nullptr, SDL_MapRGBA(big_->format, background.r, background.g, background.b, background.a));
    renderer_ = SDL_CreateSoftwareRenderer(big_);
    if (renderer_) {
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    }
}

Canvas::~Canvas() {
    if (renderer_) {
        SDL_DestroyRenderer(renderer_);
    }
    if (small_) {
        SDL_FreeSurface(small_);
    }
    if (big_) {
        SDL_FreeSurface(big_);
    }
}

void Canvas::geometry(const std::vector<SDL_Vertex>& vertices) {
    if (renderer_ && !vertices.empty()) {
        // Opaque fills skip blending: the software renderer then writes pixels directly instead
        // of composing each triangle through a temporary surface.
        const bool opaque = vertices.front().color.a == 255;
        SDL_SetRenderDrawBlendMode(renderer_, opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        SDL_RenderGeometry(renderer_, nullptr, vertices.data(), static_cast<int>(vertices.size()), nullptr, 0);
    }
}

void Canvas::fillRect(float x, float y, float w, float h, Rgba c) {
    if (!renderer_ || w <= 0 || h <= 0) {
        return;
    }
    SDL_SetRenderDrawBlendMode(renderer_, c.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
    SDL_FRect r{x * scale_, y * scale_, w * scale_, h * scale_};
    SDL_RenderFillRectF(renderer_, &r);
}

void Canvas::fillTriangle(float x1, float y1, float x2, float y2, float x3, float y3, Rgba c) {
    SDL_Color col = toColor(c);
    const float s = float(scale_);
    std::vector<SDL_Vertex> v = {
        {{x1 * s, y1 * s}, col, {0, 0}},
        {{x2 * s, y2 * s}, col, {0, 0}},
        {{x3 * s, y3 * s}, col, {0, 0}},
    };
    geometry(v);
}

void Canvas::fillPolygon(const std::vector<SDL_FPoint>& points, Rgba c) {
    if (points.size() < 3) {
        return;
    }
    SDL_Color col = toColor(c);
    const float s = float(scale_);
    std::vector<SDL_Vertex> v;
    v.reserve((points.size() - 2) * 3);
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        v.push_back({{points[0].x * s, points[0].y * s}, col, {0, 0}});
        v.push_back({{points[i].x * s, points[i].y * s}, col, {0, 0}});
        v.push_back({{points[i + 1].x * s, points[i + 1].y * s}, col, {0, 0}});
    }
    geometry(v);
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, Rgba c) {
    if (rx <= 0 || ry <= 0) {
        return;
    }
    const int n = segmentsFor(std::max(rx, ry) * scale_);
    std::vector<SDL_FPoint> pts;
    pts.reserve(n);
    for (int i = 0; i < n; ++i) {
        float a = 2 * kPi * i / n;
        pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    fillPolygon(pts, c);
}

void Canvas::fillCircle(float cx, float cy, float r, Rgba c) {
    fillEllipse(cx, cy, r, r, c);
}

void Canvas::fillArc(float cx, float cy, float r, float thickness, float fromDeg, float toDeg, Rgba c) {
    if (r <= 0 || thickness <= 0) {
        return;
    }
    const float inner = std::max(0.0f, r - thickness);
    const float span = toDeg - fromDeg;
    const int n = std::max(4, static_cast<int>(segmentsFor(r * scale_) * std::fabs(span) / 360.0f));
    SDL_Color col = toColor(c);
    const float s = float(scale_);
    std::vector<SDL_Vertex> v;
    v.reserve(n * 6);
    for (int i = 0; i < n; ++i) {
        float a0 = (fromDeg + span * i / n) * kPi / 180.0f;
        float a1 = (fromDeg + span * (i + 1) / n) * kPi / 180.0f;
        SDL_FPoint o0{(cx + r * std::cos(a0)) * s, (cy - r * std::sin(a0)) * s};
        SDL_FPoint o1{(cx + r * std::cos(a1)) * s, (cy - r * std::sin(a1)) * s};
        SDL_FPoint i0{(cx + inner * std::cos(a0)) * s, (cy - inner * std::sin(a0)) * s};
        SDL_FPoint i1{(cx + inner * std::cos(a1)) * s, (cy - inner * std::sin(a1)) * s};
        v.push_back({o0, col, {0, 0}});
        v.push_back({o1, col, {0, 0}});
        v.push_back({i1, col, {0, 0}});
        v.push_back({o0, col, {0, 0}});
        v.push_back({i1, col, {0, 0}});
        v.push_back({i0, col, {0, 0}});
    }
    geometry(v);
}

void Canvas::fillRing(float cx, float cy, float r, float thickness, Rgba c) {
    fillArc(cx, cy, r, thickness, 0.0f, 360.0f, c);
}

void Canvas::line(float x1, float y1, float x2, float y2, float thickness, Rgba c) {
    float dx = x2 - x1, dy = y2 - y1;
    float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0) {
        return;
    }
    float nx = -dy / len * thickness * 0.5f, ny = dx / len * thickness * 0.5f;
    fillPolygon({{x1 + nx, y1 + ny}, {x2 + nx, y2 + ny}, {x2 - nx, y2 - ny}, {x1 - nx, y1 - ny}}, c);
}

void Canvas::fillRoundRect(float x, float y, float w, float h, float radius, Rgba c) {
    radius = std::min({radius, w * 0.5f, h * 0.5f});
    if (radius <= 0.5f) {
        fillRect(x, y, w, h, c);
        return;
    }
    const int quarter = std::max(4, segmentsFor(radius * scale_) / 4);
    if (c.a == 255) {
        // Opaque: one convex polygon, written straight into the pixels.
        std::vector<SDL_FPoint> pts;
        auto arc = [&](float cx, float cy, float startDeg) {
            for (int i = 0; i <= quarter; ++i) {
                float a = (startDeg + 90.0f * i / quarter) * kPi / 180.0f;
                pts.push_back({cx + radius * std::cos(a), cy + radius * std::sin(a)});
            }
        };
        arc(x + w - radius, y + radius, 270.0f);
        arc(x + w - radius, y + h - radius, 0.0f);
        arc(x + radius, y + h - radius, 90.0f);
        arc(x + radius, y + radius, 180.0f);
        fillPolygon(pts, c);
        return;
    }
    // Translucent: three rectangles and four corner fans that do not overlap, so each pixel is
    // blended once, and the software renderer blends small corner triangles instead of triangles
    // spanning the whole box (each blended triangle costs a pass over its bounding box).
    fillRect(x + radius, y, w - 2 * radius, h, c);
    fillRect(x, y + radius, radius, h - 2 * radius, c);
    fillRect(x + w - radius, y + radius, radius, h - 2 * radius, c);
    auto corner = [&](float cx, float cy, float startDeg) {
        std::vector<SDL_FPoint> pts = {{cx, cy}};
        for (int i = 0; i <= quarter; ++i) {
            float a = (startDeg + 90.0f * i / quarter) * kPi / 180.0f;
            pts.push_back({cx + radius * std::cos(a), cy + radius * std::sin(a)});
        }
        fillPolygon(pts, c);
    };
    corner(x + w - radius, y + radius, 270.0f);
    corner(x + w - radius, y + h - radius, 0.0f);
    corner(x + radius, y + h - radius, 90.0f);
    corner(x + radius, y + radius, 180.0f);
}

void Canvas::roundRectOutline(float x, float y, float w, float h, float radius, float t, Rgba c) {
    radius = std::min({radius, w * 0.5f, h * 0.5f});
    fillRect(x + radius, y, w - 2 * radius, t, c);
    fillRect(x + radius, y + h - t, w - 2 * radius, t, c);
    fillRect(x, y + radius, t, h - 2 * radius, c);
    fillRect(x + w - t, y + radius, t, h - 2 * radius, c);
    fillArc(x + radius, y + radius, radius, t, 90.0f, 180.0f, c);
    fillArc(x + w - radius, y + radius, radius, t, 0.0f, 90.0f, c);
    fillArc(x + radius, y + h - radius, radius, t, 180.0f, 270.0f, c);
    fillArc(x + w - radius, y + h - radius, radius, t, 270.0f, 360.0f, c);
}

TextImage Canvas::makeText(Fonts& fonts, bool bold, int size, const std::string& text, Rgba color,
                           int wrapWidth, Align align) {
    return TextImage(fonts.get(bold, size * scale_), text, color, wrapWidth * scale_, align);
}

void Canvas::drawText(const TextImage& text, float x, float y) {
    if (!renderer_ || !text.surface()) {
        return;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, text.surface());
    if (!texture) {
        return;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_Rect dst{static_cast<int>(std::lround(x * scale_)), static_cast<int>(std::lround(y * scale_)),
                 text.width(), text.height()};
    SDL_RenderCopy(renderer_, texture, nullptr, &dst);
    // The renderer batches commands; flush before the texture goes away.
    SDL_RenderFlush(renderer_);
    SDL_DestroyTexture(texture);
}

void Canvas::drawImage(SDL_Surface* image, float x, float y, float w, float h, const SDL_Rect* from) {
    if (!renderer_ || !image || w <= 0 || h <= 0) {
        return;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, image);
    if (!texture) {
        return;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    SDL_FRect dst{x * scale_, y * scale_, w * scale_, h * scale_};
    SDL_RenderCopyF(renderer_, texture, from, &dst);
    SDL_RenderFlush(renderer_);
    SDL_DestroyTexture(texture);
}

void Canvas::setClip(const SDL_Rect* clip) {
    if (!renderer_) {
        return;
    }
    if (!clip) {
        SDL_RenderSetClipRect(renderer_, nullptr);
        return;
    }
    SDL_Rect scaled{clip->x * scale_, clip->y * scale_, clip->w * scale_, clip->h * scale_};
    SDL_RenderSetClipRect(renderer_, &scaled);
}

SDL_Surface* Canvas::resolve() {
    if (!renderer_) {
        return nullptr;
    }
    SDL_RenderFlush(renderer_);
    if (scale_ == 1) {
        return big_;
    }
    if (!small_) {
        small_ = SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_ARGB8888);
    }
    if (!small_) {
        return nullptr;
    }
    // Linear filtering at exactly 1/2 samples between pixel pairs: a 2 x 2 box average.
    if (SDL_SoftStretchLinear(big_, nullptr, small_, nullptr) != 0) {
        return nullptr;
    }
    return small_;
}

bool Canvas::savePng(const std::string& path, std::string& error) {
    SDL_Surface* out = resolve();
    if (!out) {
        error = std::string("drawing failed: ") + SDL_GetError();
        return false;
    }
    // Pictures on an opaque page need no alpha channel: a quarter fewer bytes to compress.
    SDL_Surface* rgb = opaque_ ? SDL_ConvertSurfaceFormat(out, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
    const int rc = IMG_SavePNG(rgb ? rgb : out, path.c_str());
    if (rgb) {
        SDL_FreeSurface(rgb);
    }
    if (rc != 0) {
        error = "cannot write " + path + ": " + IMG_GetError();
        return false;
    }
    return true;
}

bool Canvas::saveJpg(const std::string& path, int quality, std::string& error) {
    SDL_Surface* out = resolve();
    if (!out) {
        error = std::string("drawing failed: ") + SDL_GetError();
        return false;
    }
    if (IMG_SaveJPG(out, path.c_str(), quality) != 0) {
        error = "cannot write " + path + ": " + IMG_GetError();
        return false;
    }
    return true;
}

}  // namespace bookkit
