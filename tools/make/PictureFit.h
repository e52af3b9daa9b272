// Fitting a picture of any size into the reader's 640 x 960 page: scaled to fit whole, keeping its
// shape, centred, the rest of the page filled with the background; zones follow the same scale.
#pragma once

#include <string>

#include "tools/bookkit/Canvas.h"
#include "tools/make/SourceFiles.h"

struct SDL_Surface;

namespace make {

// Where a width x height picture lands on the page: whole output pixels, so the picture's edges
// are sharp, and zones map by exactly the scale the pixels were resampled with.
struct Fit {
    int x = 0, y = 0;          // top-left corner on the page, pixels from the top left
    int width = 0, height = 0;  // size on the page
    double scaleX = 1, scaleY = 1;
};

Fit fitPicture(int width, int height);
// A zone in picture pixels as a box in page pixels (origin top left).
bookkit::RectF fitZone(const Fit& fit, const bookkit::RectF& zone);

// Decodes `bytes` (PNG or JPEG) and draws it fitted onto a 640 x 960 page of `background`; a
// transparent picture shows the background through. Null with `error` when it does not decode.
// The caller frees the surface.
SDL_Surface* fittedPage(const std::string& bytes, bookkit::Rgba background, std::string& error);

// Writes a page as PNG or as JPEG (photographs stay photographs: a tenth of the size).
bool savePage(SDL_Surface* page, PictureFormat format, const std::string& path, std::string& error);

}  // namespace make
