// The windowed main loop over SDL: events to touches and text, frames paced at the interval.
//
// Index:
//   - the shared application and the desktop's height
//   - the run
//   - set-up and tear-down
//   - the event pump
//   - frame pacing
#include "engine/host/CCApplication.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "engine/base/CCLog.h"
#include "engine/host/CCKeyInput.h"
#include "engine/scene/CCEGLView.h"
#include "engine/render/CCRenderer.h"
#include "engine/render/sdl/CCSDLRenderer.h"
#include "engine/render/sdl/CCSDLRendererRegistry.h"
#include "engine/scene/CCDirector.h"
#include "engine/text/CCIMEDispatcher.h"

namespace engine {

namespace {
CCApplication* s_application = nullptr;
constexpr int kCaptionHeight = 23;
// Finger ids come after the mouse's touch 0.
constexpr int kFirstFingerTouchId = 1;
// Waits while nothing on screen changes: a frame every idle tick for what runs every frame,
// never a step longer than the director accepts (runFrame cuts steps at a quarter second),
// and events alone while minimised.
constexpr double kIdleTick = 0.1;
constexpr double kMaxIdleWait = 0.2;
constexpr int kBackgroundWaitMs = 250;

double secondsSince(Uint64 counter) {
    return static_cast<double>(SDL_GetPerformanceCounter() - counter) / static_cast<double>(SDL_GetPerformanceFrequency());
}
}  // namespace

// --- the shared application and the desktop's height ---------------------------------------

CCApplication::CCApplication() { s_application = this; }

CCApplication::~CCApplication() {
    if (s_application == this) s_application = nullptr;
}

CCApplication* CCApplication::sharedApplication() { return s_application; }

int CCApplication::fullScreenClientHeight() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 1000;
    SDL_Rect usable;
    int h = 1000;
    if (SDL_GetNumVideoDisplays() > 0 && SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.h > kCaptionHeight)
        h = usable.h - kCaptionHeight;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return h;
}

bool CCApplication::displayAvailable() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    bool shown = driver && SDL_GetNumVideoDisplays() > 0;
    if (shown && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0))
        shown = asked && SDL_strcasecmp(asked, driver) == 0;
    // Kept up when there is a display: the window comes next, and starting the video system
    // again would open and close the window system's helper windows once more.
    if (!shown) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shown;
}

namespace {

// Fingers are reported in normalised window coordinates; touches are in design points.
CCPoint fingerToDesign(const SDL_TouchFingerEvent& f, CCEGLView* view) {
    CCSize frame = view->getFrameSize();
    return view->windowToDesign(f.x * frame.width, f.y * frame.height);
}

int fingerTouchId(SDL_FingerID id) {
    // SDL finger ids are small per-device counters; keep them clear of the mouse's 0.
    return kFirstFingerTouchId + static_cast<int>(id & 0x3fffffff);
}

}  // namespace

// --- the run -----------------------------------------------------------------------------

int CCApplication::run() {
    if (!openWindow()) return 1;
    int exitCode = 0;
    if (!applicationDidFinishLaunching()) {
        exitCode = 1;
        m_quit = true;
    }
    m_lastFrame = SDL_GetPerformanceCounter();
    while (!m_quit) {
        pumpEvents();
        if (m_quit) break;
        runFrame();
    }
    applicationWillTerminate();
    closeWindow();
    return exitCode;
}

// --- set-up and tear-down ------------------------------------------------------------------

bool CCApplication::openWindow() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        CCLog("cannot start the video system: %s", SDL_GetError());
        return false;
    }
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    CCSize frame = view->getFrameSize();
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    m_window = SDL_CreateWindow(view->getViewName().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                static_cast<int>(std::lround(frame.width)),
                                static_cast<int>(std::lround(frame.height)),
                                SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!m_window) {
        CCLog("cannot open a window: %s", SDL_GetError());
        SDL_Quit();
        return false;
    }
    m_sdl = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!m_sdl) m_sdl = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (!m_sdl) {
        CCLog("cannot create a renderer: %s", SDL_GetError());
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
        SDL_Quit();
        return false;
    }
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(m_sdl, &outW, &outH);
    m_renderer = new CCSDLRenderer(m_sdl, view->getDesignResolutionSize(), outW, outH);
    CCRenderer::setCurrent(m_renderer);
    view->setOpenGLReady(true);

    CCIMEDispatcher::sharedDispatcher()->setKeyboardHook([](bool open) {
        if (open)
            SDL_StartTextInput();
        else
            SDL_StopTextInput();
    });
    SDL_StopTextInput();
    return true;
}

void CCApplication::closeWindow() {
    CCDirector::purgeSharedDirector();
    CCIMEDispatcher::sharedDispatcher()->setKeyboardHook(nullptr);
    CCRenderer::setCurrent(nullptr);
    delete m_renderer;
    m_renderer = nullptr;
    CCEGLView::sharedOpenGLView()->setOpenGLReady(false);
    CCSDLRendererRegistry::destroyRenderer(m_sdl);
    m_sdl = nullptr;
    SDL_DestroyWindow(m_window);
    m_window = nullptr;
    SDL_Quit();
}

// --- the event pump ------------------------------------------------------------------------

void CCApplication::pumpEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT: m_quit = true; break;
            case SDL_WINDOWEVENT: onWindowEvent(e); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
            case SDL_MOUSEMOTION: onMouseEvent(e); break;
            case SDL_FINGERDOWN:
            case SDL_FINGERMOTION:
            case SDL_FINGERUP: onFingerEvent(e); break;
            case SDL_TEXTINPUT:
            case SDL_KEYDOWN:
                if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_F11 && !e.key.repeat)
                    toggleFullScreen();
                else
                    onKeyboardEvent(e);
                break;
            default: break;
        }
    }
}

void CCApplication::onWindowEvent(const SDL_Event& e) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    // The window system may have lost what the window showed: the next frame draws it again.
    if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
        e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_MAXIMIZED)
        m_renderer->invalidateOutput();
    if (e.window.event == SDL_WINDOWEVENT_MINIMIZED && !m_minimised) {
        m_minimised = true;
        applicationDidEnterBackground();
    } else if ((e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SHOWN) &&
               m_minimised) {
        m_minimised = false;
        applicationWillEnterForeground();
    } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        int w = e.window.data1, h = e.window.data2;
        view->setFrameSize(static_cast<float>(w), static_cast<float>(h));
        int outW = 0, outH = 0;
        SDL_GetRendererOutputSize(m_sdl, &outW, &outH);
        m_renderer->setOutputSize(outW, outH);
        m_renderer->invalidateOutput();
    } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST && m_mouseDown) {
        m_mouseDown = false;
        view->cancelAllTouches();
    }
}

// The left button is touch 0: down begins it, motion while down moves it, up ends it.
void CCApplication::onMouseEvent(const SDL_Event& e) {
    if (e.type != SDL_MOUSEMOTION && e.button.button != SDL_BUTTON_LEFT) return;
    if (e.type == SDL_MOUSEMOTION && !m_mouseDown) return;
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    int id = 0;
    int mx = e.type == SDL_MOUSEMOTION ? e.motion.x : e.button.x;
    int my = e.type == SDL_MOUSEMOTION ? e.motion.y : e.button.y;
    CCPoint p = view->windowToDesign(static_cast<float>(mx), static_cast<float>(my));
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        m_mouseDown = true;
        view->handleTouchesBegin(1, &id, &p.x, &p.y);
    } else if (e.type == SDL_MOUSEBUTTONUP) {
        m_mouseDown = false;
        view->handleTouchesEnd(1, &id, &p.x, &p.y);
    } else {
        view->handleTouchesMove(1, &id, &p.x, &p.y);
    }
}

void CCApplication::onFingerEvent(const SDL_Event& e) {
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    int id = fingerTouchId(e.tfinger.fingerId);
    CCPoint p = fingerToDesign(e.tfinger, view);
    if (e.type == SDL_FINGERDOWN)
        view->handleTouchesBegin(1, &id, &p.x, &p.y);
    else if (e.type == SDL_FINGERUP)
        view->handleTouchesEnd(1, &id, &p.x, &p.y);
    else
        view->handleTouchesMove(1, &id, &p.x, &p.y);
}

// Typed text goes to the text-input delegate; keys go their way in (deliverKeyPress). A held
// key repeats only into a text field: a screen acts once per press.
void CCApplication::onKeyboardEvent(const SDL_Event& e) {
    CCIMEDispatcher* ime = CCIMEDispatcher::sharedDispatcher();
    if (e.type == SDL_TEXTINPUT) {
        int len = static_cast<int>(SDL_strlen(e.text.text));
        ime->dispatchInsertText(e.text.text, len);
        return;
    }
    if (e.key.repeat && !ime->hasAttachedDelegate()) return;
    deliverKeyPress(static_cast<int>(e.key.keysym.sym), modifiersFromSDL(e.key.keysym.mod));
}

void CCApplication::toggleFullScreen() {
    // The desktop's own mode: no mode switch, and the size change arrives as a window event.
    const bool full = (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (SDL_SetWindowFullscreen(m_window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        CCLog("cannot change to %s: %s", full ? "a window" : "full screen", SDL_GetError());
    else
        CCLog("window: %s", full ? "windowed" : "full screen");
}

// --- frame pacing --------------------------------------------------------------------------

void CCApplication::runFrame() {
    CCDirector* director = CCDirector::sharedDirector();
    const Uint64 start = SDL_GetPerformanceCounter();
    stepDirector();

    // Until the next frame is due: the rest of the animation interval while the picture
    // changes, otherwise until the next scheduled change, or at once when an event comes.
    const double interval = director->getAnimationInterval();
    const double spent = secondsSince(start);
    if (!director->isAnimating()) {
        SDL_WaitEventTimeout(nullptr, kBackgroundWaitMs);  // in the background: events only
        return;
    }
    const double wait = std::min(std::max(director->secondsUntilNextChange(kIdleTick), interval), kMaxIdleWait);
    if (spent >= wait) return;
    const Uint32 ms = static_cast<Uint32>(std::ceil((wait - spent) * 1000.0));
    if (wait <= interval) {
        SDL_Delay(ms);
    } else if (SDL_WaitEventTimeout(nullptr, static_cast<int>(ms)) == 1) {
        // An event ended the wait: the clock catches up first, so that what the event starts
        // (an action, say) begins from its start rather than from the time spent waiting.
        stepDirector();
    }
}

void CCApplication::stepDirector() {
    const Uint64 now = SDL_GetPerformanceCounter();
    double dt = static_cast<double>(now - m_lastFrame) / static_cast<double>(SDL_GetPerformanceFrequency());
    m_lastFrame = now;
    // A long stall (a debugger, a suspended machine) must not become one giant step.
    if (dt > 0.25) dt = 0.25;
    m_renderer->setDesignSize(CCEGLView::sharedOpenGLView()->getDesignResolutionSize());
    CCDirector::sharedDirector()->mainLoop(static_cast<float>(dt));
}

}  // namespace engine
