// quirel-engine-demo: the engine demo scene in a window, or headless driven by a script.
//
//   quirel-engine-demo                      opens a window (640 x 960 design, exact fit)
//   quirel-engine-demo --headless SCRIPT    runs on the virtual clock; SCRIPT lines are
//                                           "tap X Y", "wait SECONDS", "shot FILE.png"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "DemoScene.h"
#include "engine/engine.h"

using namespace engine;

namespace {

class DemoApp : public CCApplication {
public:
    bool applicationDidFinishLaunching() override {
        CCDirector* d = CCDirector::sharedDirector();
        d->setOpenGLView(CCEGLView::sharedOpenGLView());
        CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
        d->setAnimationInterval(1.0 / 60);
        d->runWithScene(createDemoScene());
        return true;
    }
    void applicationDidEnterBackground() override { CCDirector::sharedDirector()->stopAnimation(); }
    void applicationWillEnterForeground() override { CCDirector::sharedDirector()->startAnimation(); }
};

int runHeadless(const char* scriptPath) {
    std::ifstream script(scriptPath);
    if (!script) {
        std::fprintf(stderr, "quirel-engine-demo: cannot read %s\n", scriptPath);
        return 2;
    }
    CCEGLView::sharedOpenGLView()->setDesignResolutionSize(640, 960, kResolutionExactFit);
    CCHeadlessHost host(640, 960, true);
    CCDirector::sharedDirector()->runWithScene(createDemoScene());
    host.step(1);
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        std::istringstream in(line);
        std::string cmd;
        in >> cmd;
        float x, y;
        double s;
        std::string file;
        if (cmd.empty() || cmd[0] == '#') continue;
        if (cmd == "tap" && (in >> x >> y)) {
            host.touchDown(x, y);
            host.step(1);
            host.touchUp(x, y);
            host.step(1);
        } else if (cmd == "wait" && (in >> s) && std::isfinite(s) && s >= 0) {
            host.advance(s);
        } else if (cmd == "shot" && (in >> file)) {
            if (!host.saveFrame(file)) std::fprintf(stderr, "line %d: cannot write %s\n", number, file.c_str());
        } else {
            std::fprintf(stderr, "line %d: cannot run '%s'\n", number, line.c_str());
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--headless") == 0) return runHeadless(argv[2]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: quirel-engine-demo [--headless SCRIPT]\n");
        return 2;
    }
    DemoApp app;
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->setViewName("quirel engine demo");
    int h = CCApplication::fullScreenClientHeight();
    view->setFrameSize(static_cast<float>(h / 1.4), static_cast<float>(h * 0.94));
    return app.run();
}
