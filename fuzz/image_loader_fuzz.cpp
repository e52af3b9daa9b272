// libFuzzer entry for the image path: each input is an image file, decoded into a texture and put on a sprite.
#include <cstddef>
#include <cstdint>
#include <string>

#include <SDL.h>

#include "engine/engine.h"
#include "fuzz_scratch.h"

using namespace engine;

namespace {
std::string g_image;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setLogQuiet(true);
    g_image = fuzzscratch::folder("image") + "/image.png";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzscratch::write(g_image, data, size);
    auto* texture = new CCTexture2D();
    if (texture->initWithImageFile(g_image)) {
        // The decoded pixels must be as large as the texture says.
        SDL_Surface* s = texture->getSurface();
        if (s && s->h > 0) {
            const auto* row = static_cast<const unsigned char*>(s->pixels) + size_t(s->h - 1) * size_t(s->pitch);
            volatile unsigned char last = row[size_t(s->w) * 4 - 1];
            (void)last;
        }
        if (CCSprite* sprite = CCSprite::createWithTexture(texture)) (void)sprite->getContentSize();
    }
    texture->release();
    CCPoolManager::sharedPoolManager()->pop();
    return 0;
}
