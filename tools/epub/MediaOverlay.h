// A Media Overlay (SMIL): the publication's narration, one `par` a spoken piece, each naming the
// element of a content document it reads and the clip of an audio file that speaks it.
#pragma once

#include <string>
#include <vector>

namespace epub {

struct OverlayPar {
    std::string textPath;  // the content document, a zip entry
    std::string fragment;  // the id of the element read
    std::string audioPath;  // empty: the par is silent
    double clipBegin = 0;
    double clipEnd = -1;  // < 0: to the end of the file
    int line = 0;          // of the par in the SMIL file
};

struct MediaOverlay {
    std::string path;
    std::vector<OverlayPar> pars;  // in document order, nested seqs flattened
};

// A SMIL clock value in seconds: "0:00:01.5", "00:01.5", or a number with an optional metric
// ("1.5s", "1500ms", "1.5", "2h", "1min"). False for anything else, or negative or absurd values.
bool parseClockValue(const std::string& text, double& seconds);

// Parses the overlay at `path`. Fails with "PATH:LINE: what" on what would make its narration
// wrong (not SMIL, a par without text, a text without a fragment, a clock value that is not one,
// a clip that ends before it begins); paths are resolved against `path` but not looked up.
bool parseMediaOverlay(const std::string& text, const std::string& path, MediaOverlay& out, std::string& error);

// "1.5s" for messages.
std::string clockText(double seconds);

}  // namespace epub
