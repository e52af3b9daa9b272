// CCTexture2D: decoding into RGBA32 pixels on the CPU; the backend slot's lifetime.
#include "engine/render/CCTexture2D.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/base/CCLog.h"
#include "engine/render/CCTextureSlot.h"

namespace engine {

namespace {

bool sizeAcceptable(int w, int h) {
    return w > 0 && h > 0 && w <= CCTexture2D::kMaxTextureSide && h <= CCTexture2D::kMaxTextureSide;
}

uint32_t readBigEndian32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// A PNG announces its size before any pixel data: refuse absurd ones before the decoder tries
// to allocate them.
bool pngHeaderAcceptable(const std::vector<unsigned char>& bytes, const std::string& path) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return true;  // not a PNG
    if (bytes.size() < 24) {
        CCLog("CCTexture2D: %s is a truncated PNG", path.c_str());
        return false;
    }
    uint32_t w = readBigEndian32(&bytes[16]);
    uint32_t h = readBigEndian32(&bytes[20]);
    if (w > uint32_t(CCTexture2D::kMaxTextureSide) || h > uint32_t(CCTexture2D::kMaxTextureSide)) {
        CCLog("CCTexture2D: %s is %u x %u pixels, larger than %d allowed", path.c_str(), w, h,
              CCTexture2D::kMaxTextureSide);
        return false;
    }
    // Every chunk must lie inside the file and the image must end: the PNG decoder spins for
    // minutes on a chunk whose length runs far past the end of the data.
    size_t pos = 8;
    while (pos + 12 <= bytes.size()) {
        const uint32_t length = readBigEndian32(&bytes[pos]);
        if (length > bytes.size() - pos - 12) {
            CCLog("CCTexture2D: %s is a damaged PNG (a chunk runs past the end)", path.c_str());
            return false;
        }
        if (std::memcmp(&bytes[pos + 4], "IEND", 4) == 0) return true;
        pos += 12 + length;
    }
    CCLog("CCTexture2D: %s is a truncated PNG", path.c_str());
    return false;
}

}  // namespace

CCTexture2D::CCTexture2D() = default;

CCTexture2D::~CCTexture2D() {
    setBackendSlot(nullptr);
    if (m_surface) SDL_FreeSurface(m_surface);
}

void CCTexture2D::setBackendSlot(CCTextureSlot* slot) {
    if (slot == m_backendSlot) return;
    // Cleared before the old slot goes, so nothing it does on the way out finds itself here.
    CCTextureSlot* old = m_backendSlot;
    m_backendSlot = slot;
    delete old;
}

bool CCTexture2D::adoptSurface(SDL_Surface* rgba) {
    // The backend's copy shows the old pixels.
    setBackendSlot(nullptr);
    if (m_surface) SDL_FreeSurface(m_surface);
    m_surface = rgba;
    m_renderTarget = false;
    m_width = rgba ? rgba->w : 0;
    m_height = rgba ? rgba->h : 0;
    return rgba != nullptr;
}

bool CCTexture2D::initWithImageFile(const std::string& fullPath) {
    // A folder opens as a stream on Linux, and reading it then throws instead of failing.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fullPath, ec)) {
        CCLog("CCTexture2D: image %s is not a file", fullPath.c_str());
        return false;
    }
    std::ifstream in(fullPath, std::ios::binary);
    if (!in) {
        CCLog("CCTexture2D: cannot open image %s", fullPath.c_str());
        return false;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        CCLog("CCTexture2D: image %s is empty", fullPath.c_str());
        return false;
    }
    if (!pngHeaderAcceptable(bytes, fullPath)) return false;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    // Only the two formats books use: SDL_image's other decoders (SVG, TGA, XCF ...) would
    // widen what a damaged or hostile file can reach, and its SVG one leaks on bad input.
    SDL_Surface* decoded = nullptr;
    if (rw && IMG_isPNG(rw))
        decoded = IMG_LoadPNG_RW(rw);
    else if (rw && IMG_isJPG(rw))
        decoded = IMG_LoadJPG_RW(rw);
    else if (rw)
        IMG_SetError("neither PNG nor JPEG");
    if (rw) SDL_RWclose(rw);
    if (!decoded) {
        CCLog("CCTexture2D: cannot decode image %s (%s)", fullPath.c_str(), IMG_GetError());
        return false;
    }
    bool ok = initWithSurface(decoded);
    SDL_FreeSurface(decoded);
    if (!ok) {
        CCLog("CCTexture2D: image %s has no usable pixels", fullPath.c_str());
        return false;
    }
    m_path = fullPath;
    return true;
}

bool CCTexture2D::initWithSurface(SDL_Surface* surface) {
    if (!surface) {
        CCLog("CCTexture2D: initWithSurface given no surface");
        return false;
    }
    if (!sizeAcceptable(surface->w, surface->h)) {
        CCLog("CCTexture2D: surface of %d x %d pixels refused", surface->w, surface->h);
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    if (!rgba) {
        CCLog("CCTexture2D: cannot convert surface (%s)", SDL_GetError());
        return false;
    }
    return adoptSurface(rgba);
}

bool CCTexture2D::initWithRGBA(const void* pixels, int w, int h) {
    if (!pixels || !sizeAcceptable(w, h)) {
        CCLog("CCTexture2D: initWithRGBA refused %d x %d pixels%s", w, h, pixels ? "" : " (no data)");
        return false;
    }
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!rgba) {
        CCLog("CCTexture2D: cannot allocate %d x %d pixels (%s)", w, h, SDL_GetError());
        return false;
    }
    const auto* src = static_cast<const unsigned char*>(pixels);
    auto* dst = static_cast<unsigned char*>(rgba->pixels);
    for (int row = 0; row < h; ++row)
        std::memcpy(dst + size_t(row) * size_t(rgba->pitch), src + size_t(row) * size_t(w) * 4, size_t(w) * 4);
    return adoptSurface(rgba);
}

bool CCTexture2D::initAsRenderTarget(int w, int h) {
    if (!sizeAcceptable(w, h)) {
        CCLog("CCTexture2D: render target of %d x %d pixels refused", w, h);
        return false;
    }
    adoptSurface(nullptr);
    m_renderTarget = true;
    m_width = w;
    m_height = h;
    m_path.clear();
    return true;
}

int CCTexture2D::getPixelsWide() const { return m_width; }
int CCTexture2D::getPixelsHigh() const { return m_height; }
CCSize CCTexture2D::getContentSize() const { return CCSize(float(m_width), float(m_height)); }
size_t CCTexture2D::bytesUsed() const { return size_t(m_width) * size_t(m_height) * 4; }

void CCTexture2D::setAntiAliasTexParameters() { m_antiAlias = true; }
void CCTexture2D::setAliasTexParameters() { m_antiAlias = false; }

}  // namespace engine
