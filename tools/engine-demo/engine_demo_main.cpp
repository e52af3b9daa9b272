// quirel-engine-demo: the engine demo scene in a window, or headless driven by a script.
//
//   quirel-engine-demo                      opens a window (640 x 960 design, exact fit)
//   quirel-engine-demo --headless SCRIPT    runs on the virtual clock the scripted host's
//                                           commands ("tap X Y", "wait SECONDS", "shot FILE.png", ...)
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "DemoScene.h"
#include "engine/engine.h"

using namespace engine;

namespace {

const CCSize kDesignSize(640, 960);

// Failures go to standard error as "line N: cannot run 'LINE'", or "line N: WHY" for a line
// whose work failed; the run goes on.
void reportOnStandardError(std::ostream&, const CCHostScript::Failure& f) {
    if (f.refused)
        std::fprintf(stderr, "line %d: cannot run '%s'\n", f.number, f.text.c_str());
    else
        std::fprintf(stderr, "line %d: %s\n", f.number, f.why.c_str());
}

int runHeadless(const char* scriptPath) {
    std::ifstream script(scriptPath);
    if (!script) {
        std::fprintf(stderr, "quirel-engine-demo: cannot read %s\n", scriptPath);
        return 2;
    }
    CCSceneApplication app(kDesignSize, createDemoScene);
    CCHeadlessHost host(640, 960, true);
    app.applicationDidFinishLaunching();
    host.step(1);
    CCHostScript commands(host);
    commands.setFailureReport(reportOnStandardError);
    commands.run(script, std::cout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--headless") == 0) return runHeadless(argv[2]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: quirel-engine-demo [--headless SCRIPT]\n");
        return 2;
    }
    CCSceneApplication app(kDesignSize, createDemoScene);
    return app.runInWindow("quirel engine demo", CCSceneApplication::desktopPortraitFrame());
}
