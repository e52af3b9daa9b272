// The application: opens the window, calls the delegate, runs the main loop until the window closes.
#pragma once

namespace engine {

class CCApplicationProtocol {
public:
    virtual ~CCApplicationProtocol() = default;
    // Called once the window and renderer exist; false ends the run.
    virtual bool applicationDidFinishLaunching() = 0;
    virtual void applicationDidEnterBackground() = 0;
    virtual void applicationWillEnterForeground() = 0;
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

private:
    bool m_quit = false;
};

}  // namespace engine
