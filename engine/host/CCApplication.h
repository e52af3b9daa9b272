// The application: opens the window, calls the delegate, runs the main loop until the window closes.
#pragma once

#include <cstdint>

struct SDL_Window;
struct SDL_Renderer;
union SDL_Event;

namespace engine {

class CCSDLRenderer;

class CCApplicationProtocol {
public:
    virtual ~CCApplicationProtocol() = default;
    // Called once the window and renderer exist; false ends the run.
    virtual bool applicationDidFinishLaunching() = 0;
    virtual void applicationDidEnterBackground() = 0;
    virtual void applicationWillEnterForeground() = 0;
    // Called once the main loop has ended, while the window and the media libraries still work:
    // the place to stop work running beside the loop.
    virtual void applicationWillTerminate() {}
};

class CCApplication : public CCApplicationProtocol {
public:
    // Registers this object as the one shared application.
    CCApplication();
    ~CCApplication() override;
    static CCApplication* sharedApplication();

    // Creates the window (title and size from the shared view), calls
    // applicationDidFinishLaunching and runs frames at the director's animation interval until
    // the window is closed. Returns the process exit code: 0, or 1 when no window could be made.
    int run();
    // Asks the running main loop to end after the current frame.
    void quit() { m_quit = true; }

    // The height a full-screen window's client area can have: the primary display's usable
    // height less one window caption, or 1000 when no display can be asked.
    static int fullScreenClientHeight();
    // Whether a window can be opened at all: a display the video system reaches. The offscreen
    // and dummy drivers count only when SDL_VIDEODRIVER names them (a window nobody sees is not
    // a display). When there is one, the video system stays started for the window to come.
    static bool displayAvailable();

private:
    // Set-up: the video system, the window, its renderer as the current one, the on-screen
    // keyboard hook. False (logged, everything undone) when any of them cannot be made.
    bool openWindow();
    // Tear-down: the director, the hook, the renderer and the window, in that order.
    void closeWindow();

    // The event pump: every waiting event, handed on as touches, text, keys and window changes.
    void pumpEvents();
    void onWindowEvent(const SDL_Event& e);
    void onMouseEvent(const SDL_Event& e);
    void onFingerEvent(const SDL_Event& e);
    void onKeyboardEvent(const SDL_Event& e);
    // F11: the window fills the screen, or goes back to its own size.
    void toggleFullScreen();

    // Frame pacing: one director frame for the time since the last (a long stall cut to a
    // quarter second), then a sleep for what is left of the animation interval; while the
    // picture stands still, a wait for the next event or the director's next scheduled change.
    void runFrame();
    // One director frame for the time since the last.
    void stepDirector();

    bool m_quit = false;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_sdl = nullptr;
    CCSDLRenderer* m_renderer = nullptr;
    bool m_mouseDown = false;  // the left button is down: mouse motion is a touch moving
    bool m_minimised = false;
    uint64_t m_lastFrame = 0;  // performance counter at the start of the last frame
};

}  // namespace engine
