// Runs the engine without a window: software rendering on a surface, a virtual clock of fixed
// 1/60 s frames, injected touches and text, and frames written to PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/base/ccTypes.h"

struct SDL_Surface;
struct SDL_Renderer;

namespace engine {

class CCSDLRenderer;
class VirtualClockAudioBackend;

class CCHeadlessHost {
public:
    static constexpr float kFrame = 1.0f / 60.0f;

    // Draws at width x height pixels; the view's frame size becomes that size. With
    // virtualAudio the audio engine plays on the virtual clock (durations from the files).
    explicit CCHeadlessHost(int width = 640, int height = 960, bool virtualAudio = true);
    ~CCHeadlessHost();
    CCHeadlessHost(const CCHeadlessHost&) = delete;
    CCHeadlessHost& operator=(const CCHeadlessHost&) = delete;

    // False when the surface or the software renderer could not be made.
    bool isReady() const { return m_renderer != nullptr; }

    // Advances n frames of 1/60 s: audio clock, then one director frame (update, draw, drain).
    void step(int frames = 1);
    // Advances whole frames covering at least seconds.
    void advance(double seconds);
    double virtualTime() const { return m_time; }
    unsigned long frameCount() const { return m_frames; }

    // Touches in design points, origin bottom left; each is delivered at once (no frame step).
    void touchDown(float x, float y, int id = 0);
    void touchMove(float x, float y, int id = 0);
    void touchUp(float x, float y, int id = 0);
    void touchCancel(float x, float y, int id = 0);
    // Typed text and keys for the attached text-input delegate.
    void insertText(const std::string& utf8);
    void deleteBackward();
    // One key press (an SDL key code, CCKeyModifier bits), delivered as the window delivers it.
    void keyPress(int key, int modifiers = 0);

    // The last drawn frame.
    bool saveFrame(const std::string& pngPath);
    bool readFrame(std::vector<uint8_t>& rgba, int& width, int& height);
    // The colour at a design point of the last drawn frame.
    ccColor4B pixelAt(float x, float y);

    // With drawing off, frames still update and walk nothing through a rasteriser: long runs
    // (a whole read-through) take seconds instead of minutes. On by default.
    void setDrawing(bool drawing) { m_drawing = drawing; }
    bool isDrawing() const { return m_drawing; }

    CCSDLRenderer* renderer() { return m_renderer; }
    VirtualClockAudioBackend* audio() { return m_audio; }

private:
    SDL_Surface* m_surface = nullptr;
    SDL_Renderer* m_sdl = nullptr;
    CCSDLRenderer* m_renderer = nullptr;
    VirtualClockAudioBackend* m_audio = nullptr;  // owned by the audio engine
    bool m_drawing = true;
    double m_time = 0;
    unsigned long m_frames = 0;
    int m_width, m_height;
};

}  // namespace engine
