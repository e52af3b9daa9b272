// The image loader: file checks, a guard against PNGs that would make the decoder spin or
// allocate absurdly, and SDL_image's PNG and JPEG decoders only.
#include "engine/render/CCImageFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

namespace engine {

namespace {

uint32_t readBigEndian32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// A PNG announces its size before any pixel data: refuse absurd ones before the decoder tries
// to allocate them. Empty when the bytes may go to the decoder.
std::string pngHeaderProblem(const std::vector<unsigned char>& bytes) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0) return std::string();  // not a PNG
    if (bytes.size() < 24) return "is a truncated PNG";
    const uint32_t w = readBigEndian32(&bytes[16]);
    const uint32_t h = readBigEndian32(&bytes[20]);
    if (w > uint32_t(kMaxImageSide) || h > uint32_t(kMaxImageSide))
        return "is " + std::to_string(w) + " x " + std::to_string(h) + " pixels, larger than " +
               std::to_string(kMaxImageSide) + " allowed";
    // Every chunk must lie inside the file and the image must end: the PNG decoder spins for
    // minutes on a chunk whose length runs far past the end of the data.
    size_t pos = 8;
    while (pos + 12 <= bytes.size()) {
        const uint32_t length = readBigEndian32(&bytes[pos]);
        if (length > bytes.size() - pos - 12) return "is a damaged PNG (a chunk runs past the end)";
        if (std::memcmp(&bytes[pos + 4], "IEND", 4) == 0) return std::string();
        pos += 12 + length;
    }
    return "is a truncated PNG";
}

// Opaque RGB pixels (what a PNG without alpha decodes to) with an opaque alpha byte added: the
// same result as SDL's general conversion, which goes pixel by pixel through format lookups and
// takes several times longer on a page picture.
SDL_Surface* rgbaFromRgb(SDL_Surface* rgb) {
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, rgb->w, rgb->h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!rgba) return nullptr;
    for (int y = 0; y < rgb->h; ++y) {
        const auto* in = static_cast<const unsigned char*>(rgb->pixels) + size_t(y) * size_t(rgb->pitch);
        auto* out = static_cast<unsigned char*>(rgba->pixels) + size_t(y) * size_t(rgba->pitch);
        for (int x = 0; x < rgb->w; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 255;
        }
    }
    return rgba;
}

}  // namespace

SDL_Surface* decodeImageFile(const std::string& fullPath, std::string* problem) {
    std::string ignored;
    std::string& why = problem ? *problem : ignored;
    why.clear();
    // A folder opens as a stream on Linux, and reading it then throws instead of failing.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fullPath, ec)) {
        why = std::filesystem::exists(fullPath, ec) ? "is not a file" : "is missing";
        return nullptr;
    }
    std::ifstream in(fullPath, std::ios::binary | std::ios::ate);
    if (!in) {
        why = "cannot be opened";
        return nullptr;
    }
    // In one read: a byte-by-byte stream iterator costs more than a page picture's inflating.
    std::vector<unsigned char> bytes;
    const std::streamoff size = in.tellg();
    if (size > 0) {
        bytes.resize(size_t(size));
        in.seekg(0);
        if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) bytes.resize(size_t(std::max<std::streamsize>(0, in.gcount())));
    }
    if (bytes.empty()) {
        why = "is empty";
        return nullptr;
    }
    why = pngHeaderProblem(bytes);
    if (!why.empty()) return nullptr;
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
        why = std::string("cannot be decoded (") + IMG_GetError() + ")";
        return nullptr;
    }
    if (decoded->w <= 0 || decoded->h <= 0 || decoded->w > kMaxImageSide || decoded->h > kMaxImageSide) {
        why = "has no usable pixels (" + std::to_string(decoded->w) + " x " + std::to_string(decoded->h) + ")";
        SDL_FreeSurface(decoded);
        return nullptr;
    }
    SDL_Surface* rgba = decoded->format->format == SDL_PIXELFORMAT_RGB24 ? rgbaFromRgb(decoded)
                                                                        : SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    if (!rgba) why = std::string("cannot be converted to RGBA (") + SDL_GetError() + ")";
    return rgba;
}

void prepareImageDecoding() { IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG); }

void endImageDecodingOnThisThread() { SDL_TLSCleanup(); }

}  // namespace engine
