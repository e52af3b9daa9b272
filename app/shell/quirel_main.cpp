// The reader's process entry: the command line, the window's size and title, and the main loop.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/book/NarrationSettings.h"
#include "app/book/RememberedState.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/BookDirectory.h"
#include "engine/engine.h"

namespace {

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: quirel [--rate R] [--echo] [--scan SECONDS] [BOOK_DIR]\n"
                 "Opens the picture-book reader on BOOK_DIR, or on the sample book when none is given.\n"
                 "F11 switches between a window and full screen. The page last read, the reading mode,\n"
                 "the speed and say it back are remembered per book in $XDG_STATE_HOME/quirel (by default\n"
                 "~/.local/state/quirel); --rate and --echo given here win for this run.\n"
                 "  --rate R        narration speed, 0.5 to 1.5 in steps of 0.1 (pitch kept; default 1)\n"
                 "  --echo          say it back: after each sentence read aloud, listen to the child and\n"
                 "                  play the voice back (kept in memory only)\n"
                 "  --scan SECONDS  one-switch scanning: the focus moves on by itself every SECONDS\n"
                 "                  (0 < SECONDS <= 60) and Space chooses\n"
                 "  --help          show this text and exit\n"
                 "  --version       show the version and exit\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string bookDir = app::defaultBookDirectory();
    bool bookGiven = false;
    double rate = 0;  // 0: not given, the remembered speed (or 1) stays
    bool echo = false;
    float scanSeconds = 0;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("quirel %s\n", QUIREL_VERSION);
            return 0;
        }
        if (std::strcmp(arg, "--rate") == 0) {
            if (i + 1 >= argc || !app::parseNarrationRate(argv[i + 1], &rate)) {
                std::fprintf(stderr, "quirel: --rate %s: give 0.5 to 1.5 in steps of 0.1\n",
                             i + 1 < argc ? argv[i + 1] : "(missing)");
                return 2;
            }
            ++i;
        } else if (std::strcmp(arg, "--scan") == 0) {
            if (i + 1 >= argc || !app::parseScanSeconds(argv[i + 1], &scanSeconds)) {
                std::fprintf(stderr, "quirel: --scan needs seconds above 0 and at most 60\n");
                usage(stderr);
                return 2;
            }
            ++i;
        } else if (std::strcmp(arg, "--echo") == 0) {
            echo = true;
        } else if (arg[0] == '-') {
            std::fprintf(stderr, "quirel: unknown option %s\n", arg);
            usage(stderr);
            return 2;
        } else if (bookGiven) {
            usage(stderr);
            return 2;
        } else {
            bookDir = arg;
            bookGiven = true;
        }
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
    const std::string stateFolder = app::defaultStateFolder();
    if (!stateFolder.empty()) app::rememberBook(stateFolder, bookDir, scanSeconds);
    // What the command line gives explicitly wins over what the state folder remembered.
    if (rate > 0) app::setNarrationRate(rate);
    if (echo) app::setEchoReading(true);

    app::AppDelegate delegate;
    delegate.checkBookAtLaunch(bookDir);
    engine::CCEGLView* view = engine::CCEGLView::sharedOpenGLView();
    view->setViewName("quirel");
    engine::CCSize frame = app::frameSizeForDesktopHeight(engine::CCApplication::fullScreenClientHeight());
    view->setFrameSize(frame.width, frame.height);
    return engine::CCApplication::sharedApplication()->run();
}
