// Reading a publication into a book folder: everything checked first (the publication, its
// clips against their audio), then each page drawn at its viewport, its narration joined into
// sentences, and the book made by the book maker exactly as quirel-make makes one.
#pragma once

#include <string>
#include <vector>

namespace epub {

struct ImportResult {
    int exitCode = 1;  // 0 made, 1 bad input or output, 130 interrupted
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
    int pages = 0;
    int sentences = 0;
};

// Makes OUT_DIR from the publication IN. `progress` prints a line a page as it is drawn.
ImportResult importPublication(const std::string& in, const std::string& outDir, bool progress);

}  // namespace epub
