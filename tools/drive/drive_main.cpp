// quirel-drive [--resources DIR] [SCRIPT]: runs the reader headless and executes a script.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "app/shell/BookDirectory.h"
#include "app/shell/ScriptDriver.h"

int main(int argc, char** argv) {
    std::string resources = app::defaultBookDirectory();
    std::string script;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: quirel-drive [--resources DIR] [SCRIPT]\n"
                        "Runs the reader headless on the virtual clock and executes SCRIPT (or standard input).\n"
                        "Checks the book beside it, as the reader does, and logs the summary to standard error;\n"
                        "the script command 'bookcheck' waits for the check and prints that summary.\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--resources") == 0 && i + 1 < argc) {
            resources = argv[++i];
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
    app::ScriptDriver driver(resources, true);
    driver.runScript(script.empty() ? std::cin : file, std::cout);
    return 0;
}
