// The reader's process entry: the command line, the window's size and title, and the main loop.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/book/RememberedState.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/BookDirectory.h"
#include "engine/engine.h"

namespace {

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: quirel [--scan SECONDS] [BOOK_DIR]\n"
                 "Opens the picture-book reader on BOOK_DIR, or on the sample book when none is given.\n"
                 "The page last read and the reading mode are remembered per book in\n"
                 "$XDG_STATE_HOME/quirel (by default ~/.local/state/quirel).\n"
                 "  --scan SECONDS  one-switch scanning: the focus moves on by itself every SECONDS\n"
                 "                  (0 < SECONDS <= 60) and Space chooses\n"
                 "  --help          show this text and exit\n"
                 "  --version       show the version and exit\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string bookDir = app::defaultBookDirectory();
    bool bookGiven = false;
    float scanSeconds = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quirel %s\n", QUIREL_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--scan") == 0) {
            if (i + 1 >= argc || !app::parseScanSeconds(argv[i + 1], &scanSeconds)) {
                std::fprintf(stderr, "quirel: --scan needs seconds above 0 and at most 60\n");
                usage(stderr);
                return 2;
            }
            ++i;
            continue;
        }
        if (argv[i][0] == '-') {
            std::fprintf(stderr, "quirel: unknown option %s\n", argv[i]);
            usage(stderr);
            return 2;
        }
        if (bookGiven) {
            usage(stderr);
            return 2;
        }
        bookDir = argv[i];
        bookGiven = true;
    }
    std::string problem = app::checkBookDirectory(bookDir);
    if (!problem.empty()) {
        std::fprintf(stderr, "quirel: %s\n", problem.c_str());
        return 2;
    }
    app::useBookDirectory(bookDir);
    const std::string stateFolder = app::defaultStateFolder();
    if (!stateFolder.empty()) app::rememberBook(stateFolder, bookDir, scanSeconds);

    app::AppDelegate delegate;
    delegate.checkBookAtLaunch(bookDir);
    engine::CCEGLView* view = engine::CCEGLView::sharedOpenGLView();
    view->setViewName("quirel");
    engine::CCSize frame = app::frameSizeForDesktopHeight(engine::CCApplication::fullScreenClientHeight());
    view->setFrameSize(frame.width, frame.height);
    return engine::CCApplication::sharedApplication()->run();
}
