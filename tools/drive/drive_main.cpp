// quirel-drive [--resources DIR] [--state DIR] [--scan SECONDS] [--rate R] [--echo]
// [--mic FILE.wav] [SCRIPT]: runs the reader headless and executes a script.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "app/book/NarrationSettings.h"
#include "app/shell/BookDirectory.h"
#include "app/shell/ScriptDriver.h"

int main(int argc, char** argv) {
    std::string resources = app::defaultBookDirectory();
    std::string script;
    app::ScriptDriver::Options options;
    std::string mic;
    double rate = 0;  // 0: not given, the remembered speed (or 1) stays
    bool echo = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: quirel-drive [--resources DIR] [--state DIR] [--scan SECONDS] [--rate R] [--echo]\n"
                        "                    [--mic FILE.wav] [SCRIPT]\n"
                        "Runs the reader headless on the virtual clock and executes SCRIPT (or standard input).\n"
                        "Checks the book beside it, as the reader does, and logs the summary to standard error;\n"
                        "the script command 'bookcheck' waits for the check and prints that summary.\n"
                        "  --state DIR     remember the page, reading mode, speed and echo in DIR, as the reader does in\n"
                        "                  its state folder (without it nothing is read or written there)\n"
                        "  --scan SECONDS  one-switch scanning: the focus moves on every SECONDS (0 < SECONDS <= 60)\n"
                        "  --rate R        narration speed, 0.5 to 1.5 in steps of 0.1 (pitch kept)\n"
                        "  --echo          say it back: after each sentence, listen and play the voice back\n"
                        "  --mic FILE.wav  the microphone: FILE.wav is heard from each start of listening\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--resources") == 0 && i + 1 < argc) {
            resources = argv[++i];
        } else if (std::strcmp(argv[i], "--state") == 0 && i + 1 < argc) {
            options.stateFolder = argv[++i];
            if (options.stateFolder.empty()) {
                std::fprintf(stderr, "quirel-drive: --state needs a folder\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--scan") == 0 && i + 1 < argc) {
            if (!app::parseScanSeconds(argv[++i], &options.scanSeconds)) {
                std::fprintf(stderr, "quirel-drive: --scan needs seconds above 0 and at most 60, not '%s'\n", argv[i]);
                return 2;
            }
        } else if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) {
            if (!app::parseNarrationRate(argv[++i], &rate)) {
                std::fprintf(stderr, "quirel-drive: --rate %s: give 0.5 to 1.5 in steps of 0.1\n", argv[i]);
                return 2;
            }
        } else if (std::strcmp(argv[i], "--echo") == 0) {
            echo = true;
        } else if (std::strcmp(argv[i], "--mic") == 0 && i + 1 < argc) {
            mic = argv[++i];
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "quirel-drive: unknown option %s\n", argv[i]);
            return 2;
        } else if (script.empty()) {
            script = argv[i];
        } else {
            std::fprintf(stderr, "quirel-drive: more than one script given\n");
            return 2;
        }
    }
    std::string problem = app::checkBookDirectory(resources);
    if (!problem.empty()) {
        std::fprintf(stderr, "quirel-drive: %s\n", problem.c_str());
        return 2;
    }
    std::ifstream file;
    if (!script.empty()) {
        file.open(script);
        if (!file) {
            std::fprintf(stderr, "quirel-drive: cannot read script %s\n", script.c_str());
            return 2;
        }
    }
    app::ScriptDriver driver(resources, true, options);
    // What the command line gives explicitly wins over what the state folder remembered.
    if (rate > 0) app::setNarrationRate(rate);
    if (echo) app::setEchoReading(true);
    if (!mic.empty()) {
        std::string error;
        if (!driver.useMicrophoneFile(mic, &error)) {
            std::fprintf(stderr, "quirel-drive: %s\n", error.c_str());
            return 1;
        }
    }
    driver.runScript(script.empty() ? std::cin : file, std::cout);
    return 0;
}
