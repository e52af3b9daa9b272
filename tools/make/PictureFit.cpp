// Resampling pictures onto the page with a tent filter: smooth when shrunk, bilinear when enlarged.
#include "tools/make/PictureFit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "tools/bookkit/BookModel.h"

namespace make {

namespace {

constexpr int kJpegQuality = 90;

// The source pixels an output pixel averages, and how much each counts.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

// One output coordinate's taps: a tent as wide as an output pixel is in source pixels (at least
// one), so shrinking averages every source pixel and enlarging interpolates between neighbours.
std::vector<Taps> tapsFor(int sourceSize, int outputSize) {
    const double scale = double(outputSize) / sourceSize;
    const double radius = std::max(1.0, 1.0 / scale);
    std::vector<Taps> all(static_cast<std::size_t>(outputSize));
    for (int o = 0; o < outputSize; ++o) {
        const double centre = (o + 0.5) / scale - 0.5;
        int lo = static_cast<int>(std::ceil(centre - radius));
        int hi = static_cast<int>(std::floor(centre + radius));
        lo = std::clamp(lo, 0, sourceSize - 1);
        hi = std::clamp(hi, 0, sourceSize - 1);
        Taps& t = all[static_cast<std::size_t>(o)];
        t.first = lo;
        double sum = 0;
        for (int s = lo; s <= hi; ++s) {
            const double w = std::max(0.0, 1.0 - std::fabs(s - centre) / radius);
            t.weights.push_back(static_cast<float>(w));
            sum += w;
        }
        if (sum <= 0) {  // a centre beyond the edge: the nearest pixel
            t.first = std::clamp(static_cast<int>(std::lround(centre)), 0, sourceSize - 1);
            t.weights.assign(1, 1.0f);
            sum = 1;
        }
        for (float& w : t.weights) w = static_cast<float>(w / sum);
    }
    return all;
}

}  // namespace

Fit fitPicture(int width, int height) {
    Fit f;
    const double scale = std::min(double(bookkit::kPageWidth) / width, double(bookkit::kPageHeight) / height);
    f.width = std::clamp(static_cast<int>(std::lround(width * scale)), 1, bookkit::kPageWidth);
    f.height = std::clamp(static_cast<int>(std::lround(height * scale)), 1, bookkit::kPageHeight);
    f.x = (bookkit::kPageWidth - f.width) / 2;
    f.y = (bookkit::kPageHeight - f.height) / 2;
    f.scaleX = double(f.width) / width;
    f.scaleY = double(f.height) / height;
    return f;
}

bookkit::RectF fitZone(const Fit& fit, const bookkit::RectF& zone) {
    return bookkit::RectF{static_cast<float>(fit.x + zone.x * fit.scaleX), static_cast<float>(fit.y + zone.y * fit.scaleY),
                          static_cast<float>(zone.w * fit.scaleX), static_cast<float>(zone.h * fit.scaleY)};
}

SDL_Surface* fittedPage(const std::string& bytes, bookkit::Rgba background, std::string& error) {
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* decoded = nullptr;
    if (rw && IMG_isPNG(rw)) {
        decoded = IMG_LoadPNG_RW(rw);
    } else if (rw && IMG_isJPG(rw)) {
        decoded = IMG_LoadJPG_RW(rw);
    }
    if (rw) SDL_RWclose(rw);
    if (!decoded) {
        error = std::string("does not decode: ") + IMG_GetError();
        return nullptr;
    }
    SDL_Surface* source = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    if (!source) {
        error = std::string("cannot convert its pixels: ") + SDL_GetError();
        return nullptr;
    }
    const int sw = source->w, sh = source->h;
    const Fit fit = fitPicture(sw, sh);

    // Premultiplied, so transparent pixels lend no colour to their neighbours.
    const std::vector<Taps> across = tapsFor(sw, fit.width);
    std::vector<float> rows(static_cast<std::size_t>(sh) * fit.width * 4);
    for (int y = 0; y < sh; ++y) {
        const auto* in = static_cast<const std::uint8_t*>(source->pixels) + static_cast<std::size_t>(y) * source->pitch;
        float* out = &rows[static_cast<std::size_t>(y) * fit.width * 4];
        for (int x = 0; x < fit.width; ++x) {
            const Taps& t = across[static_cast<std::size_t>(x)];
            float acc[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < t.weights.size(); ++k) {
                const std::uint8_t* p = in + (t.first + static_cast<int>(k)) * 4;
                const float a = p[3] / 255.0f, w = t.weights[k];
                acc[0] += w * a * p[0];
                acc[1] += w * a * p[1];
                acc[2] += w * a * p[2];
                acc[3] += w * a;
            }
            std::copy(acc, acc + 4, out + x * 4);
        }
    }
    SDL_FreeSurface(source);

    SDL_Surface* page = SDL_CreateRGBSurfaceWithFormat(0, bookkit::kPageWidth, bookkit::kPageHeight, 24,
                                                       SDL_PIXELFORMAT_RGB24);
    if (!page) {
        error = std::string("cannot make the page: ") + SDL_GetError();
        return nullptr;
    }
    for (int y = 0; y < page->h; ++y) {
        auto* row = static_cast<std::uint8_t*>(page->pixels) + static_cast<std::size_t>(y) * page->pitch;
        for (int x = 0; x < page->w; ++x) {
            row[x * 3] = background.r;
            row[x * 3 + 1] = background.g;
            row[x * 3 + 2] = background.b;
        }
    }
    const std::vector<Taps> down = tapsFor(sh, fit.height);
    const float bg[3] = {float(background.r), float(background.g), float(background.b)};
    for (int y = 0; y < fit.height; ++y) {
        const Taps& t = down[static_cast<std::size_t>(y)];
        auto* row = static_cast<std::uint8_t*>(page->pixels) + static_cast<std::size_t>(fit.y + y) * page->pitch;
        for (int x = 0; x < fit.width; ++x) {
            float acc[4] = {0, 0, 0, 0};
            for (std::size_t k = 0; k < t.weights.size(); ++k) {
                const float* p = &rows[(static_cast<std::size_t>(t.first) + k) * fit.width * 4 + x * 4];
                for (int c = 0; c < 4; ++c) acc[c] += t.weights[k] * p[c];
            }
            std::uint8_t* out = row + (fit.x + x) * 3;
            for (int c = 0; c < 3; ++c) {
                const float v = acc[c] + bg[c] * (1.0f - acc[3]);
                out[c] = static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
            }
        }
    }
    return page;
}

bool savePage(SDL_Surface* page, PictureFormat format, const std::string& path, std::string& error) {
    const int status = format == PictureFormat::Jpeg ? IMG_SaveJPG(page, path.c_str(), kJpegQuality)
                                                     : IMG_SavePNG(page, path.c_str());
    if (status != 0) {
        error = "cannot write " + path + ": " + IMG_GetError();
        return false;
    }
    return true;
}

}  // namespace make
