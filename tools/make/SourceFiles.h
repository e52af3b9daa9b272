// The files a manifest names: each picture there, a PNG or JPEG whose size the zones fit in, and
// each recording there. Decoding them fully is left to the build, which does it only when the
// output's cache has no result for their bytes yet.
#pragma once

#include <string>
#include <vector>

#include "tools/make/Manifest.h"

namespace make {

enum class PictureFormat { Png, Jpeg };

struct PictureInfo {
    std::string path;  // as opened: the manifest's folder joined with what it wrote
    PictureFormat format = PictureFormat::Png;
    int width = 0;  // 0: the picture has a problem, reported already
    int height = 0;
};

struct AudioSource {
    std::string path;  // empty: the sentence is spoken
    bool usable = true;  // false: the file has a problem, reported already
};

struct SourceFiles {
    std::vector<PictureInfo> pictures;             // one a page
    std::vector<std::vector<AudioSource>> audio;  // one a sentence
};

// Checks the files of a parsed manifest that lives in `manifestDir`, named `name` in messages.
// Appends one "NAME:LINE:COLUMN: what" a problem: a missing or unreadable file, a picture that is
// neither PNG nor JPEG or whose header is damaged, a zone reaching outside its picture. `out`
// describes every file even then, marking those with problems, so that the build can still look
// for the problems only decoding shows.
bool checkManifestFiles(const Manifest& manifest, const std::string& manifestDir, const std::string& name,
                        SourceFiles& out, std::vector<std::string>& errors);

// Width and height from a PNG's or a JPEG's header; false when the bytes are neither, or cut short.
bool pictureSize(const std::string& bytes, PictureFormat& format, int& width, int& height);

// The bytes of a file; false when it is missing, not a regular file or unreadable.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& why);

}  // namespace make
