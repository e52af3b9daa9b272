// The reader's process entry: the command line, the window's size and title, and the main loop.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/shell/AppDelegate.h"
#include "app/shell/BookDirectory.h"
#include "engine/engine.h"

namespace {

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: quirel [BOOK_DIR]\n"
                 "Opens the picture-book reader on BOOK_DIR, or on the sample book when none is given.\n"
                 "F11 switches between a window and full screen.\n"
                 "  --help     show this text and exit\n"
                 "  --version  show the version and exit\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string bookDir = app::defaultBookDirectory();
    if (argc > 2) {
        usage(stderr);
        return 2;
    }
    if (argc == 2) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[1], "--version") == 0) {
            std::printf("quirel %s\n", QUIREL_VERSION);
            return 0;
        }
        if (argv[1][0] == '-') {
            std::fprintf(stderr, "quirel: unknown option %s\n", argv[1]);
            usage(stderr);
            return 2;
        }
        bookDir = argv[1];
    }
    std::string problem = app::checkBookDirectory(bookDir);
    if (!problem.empty()) {
        std::fprintf(stderr, "quirel: %s\n", problem.c_str());
        return 2;
    }
    problem = app::missingBookParts(bookDir);
    if (!problem.empty()) {
        std::fprintf(stderr, "quirel: %s\n", problem.c_str());
        return 2;
    }
    if (!engine::CCApplication::displayAvailable()) {
        std::fprintf(stderr, "quirel: no display found (is DISPLAY or WAYLAND_DISPLAY set?); "
                             "for scripted runs use quirel-drive\n");
        return 2;
    }
    app::useBookDirectory(bookDir);

    app::AppDelegate delegate;
    delegate.checkBookAtLaunch(bookDir);
    engine::CCEGLView* view = engine::CCEGLView::sharedOpenGLView();
    view->setViewName("quirel");
    engine::CCSize frame = app::frameSizeForDesktopHeight(engine::CCApplication::fullScreenClientHeight());
    view->setFrameSize(frame.width, frame.height);
    return engine::CCApplication::sharedApplication()->run();
}
