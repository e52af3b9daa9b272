// What the book maker's tests share: sources on disk (pictures drawn with the book kit, recordings
// of known length in every format), quirel-make and quirel-drive run as child processes, and the
// made book's files read back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <json/json.h>

#include "support/ReaderDrive.h"
#include "tools/bookkit/Canvas.h"

namespace maketest {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string makerPath();
// Runs quirel-make with `arguments`, each passed as it is.
RunResult runMaker(const std::vector<std::string>& arguments);

// A width x height picture filled with `fill`, a white disc in its middle, as PNG or JPEG (by
// the extension of `path`).
void writePicture(const std::string& path, int width, int height, bookkit::Rgba fill);
// A tone of `seconds` at 44.1 kHz stereo, in the format the extension names.
void writeRecording(const std::string& path, double seconds, double hz = 440.0);

// The reader headless on a made book, shared with the other book tools' tests.
using testsupport::drive;
using testsupport::playedSeconds;

// Every regular file under `root` (hidden ones too), relative path to bytes.
std::map<std::string, std::string> filesUnder(const std::string& root);
// Entries of `dir` whose names start with '.' (leftover staging folders).
std::vector<std::string> hiddenEntries(const std::string& dir);

std::string readFile(const std::string& path);

}  // namespace maketest
