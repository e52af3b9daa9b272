// Keeps SDL, SDL_image and SDL_ttf initialised while a book tool runs (no window, no sound).
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

namespace bookkit {

struct MediaLibraries {
    bool ok = false;
    MediaLibraries() {
        ok = SDL_Init(0) == 0 && TTF_Init() == 0 && (IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG) & IMG_INIT_PNG) != 0;
    }
    ~MediaLibraries() {
        IMG_Quit();
        TTF_Quit();
        SDL_Quit();
    }
    MediaLibraries(const MediaLibraries&) = delete;
    MediaLibraries& operator=(const MediaLibraries&) = delete;
};

}  // namespace bookkit
