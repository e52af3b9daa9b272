// An application that shows one scene at a fixed design size: the launch of the small programs
// that show a single scene, in a window or on a headless host.
#pragma once

#include <functional>
#include <string>

#include "engine/base/CCGeometry.h"
#include "engine/host/CCApplication.h"

namespace engine {

class CCScene;

class CCSceneApplication : public CCApplication {
public:
    // makeScene is called once, at launch, and returns the scene to run (autoreleased).
    using SceneMaker = std::function<CCScene*()>;
    CCSceneApplication(const CCSize& designSize, SceneMaker makeScene);

    // Gives the director the shared view at the design size (exact fit) and a 1/60 s frame
    // interval, and runs the scene. On a headless host, call it once the host exists.
    bool applicationDidFinishLaunching() override;
    // The director's animation stops in the background and starts again in the foreground.
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;

    // Names the window and gives it frame size, then runs it (see CCApplication::run).
    int runInWindow(const std::string& title, const CCSize& frame);
    // A portrait window as tall as the desktop allows: 0.94 of the usable height high and
    // 1/1.4 of it wide.
    static CCSize desktopPortraitFrame();

private:
    CCSize m_designSize;
    SceneMaker m_makeScene;
};

}  // namespace engine
