// Decoding a PNG or JPEG file into RGBA32 pixels: the one image loader behind textures and the
// book checker.
//
// It touches no engine object and writes no log line, so it may run on any thread: the reader's
// start-up book check decodes every picture beside the main loop. (SDL_image sets itself up on
// first use; call prepareImageDecoding on the main thread before decoding elsewhere.)
#pragma once

#include <string>

struct SDL_Surface;

namespace engine {

// Largest width or height accepted from any image; bigger images are refused.
constexpr int kMaxImageSide = 8192;

// The file's pixels as a new RGBA32 surface the caller frees (SDL_FreeSurface), or null with
// *problem saying why, worded to follow the file's name ("is a truncated PNG").
SDL_Surface* decodeImageFile(const std::string& fullPath, std::string* problem);

// Sets up the PNG and JPEG decoders, so that later decodes on other threads find them ready.
void prepareImageDecoding();

// Frees what SDL kept for the calling thread (its error text): a thread that decoded images and is
// not one of SDL's own calls this before it ends, or that memory is lost with the thread.
void endImageDecodingOnThisThread();

}  // namespace engine
