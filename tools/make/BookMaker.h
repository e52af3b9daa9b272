// Makes the book folder of a checked manifest: the reader's chrome and settings screen, one fitted
// picture and page layout a page, the string tables, one MP3 a sentence and the description.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/bookkit/Speech.h"

#include "tools/make/BuildCache.h"
#include "tools/make/Manifest.h"
#include "tools/make/SourceFiles.h"

namespace make {

struct MakeCounts {
    int pages = 0;
    int sentences = 0;
    int recordingsEncoded = 0;  // recordings decoded and encoded this run
    int sentencesSpoken = 0;    // sentences spoken by espeak-ng and encoded this run
    int audioFromCache = 0;
    int picturesFitted = 0;
    int picturesFromCache = 0;
};

class BookMaker {
public:
    // `name` is the manifest's name in messages; the book is written under `root`, which is
    // empty (a staging folder), with help from `cache`.
    BookMaker(const Manifest& manifest, const SourceFiles& files, std::string name, std::string root,
              BuildCache& cache)
        : manifest_(manifest), files_(files), name_(std::move(name)), root_(std::move(root)), cache_(cache) {}

    // Progress lines, "quirel-make: page 3/30", on standard output as each page is done.
    void showProgress(bool show) { progress_ = show; }

    // Writes everything. Problems of the sources (a picture or recording that does not decode)
    // are appended as "NAME:LINE:COLUMN: what", every page tried; other failures (fonts, disk,
    // an interrupt) end the run with one message. False when it appended anything.
    bool make(std::vector<std::string>& errors);
    const MakeCounts& counts() const { return counts_; }

private:
    bool writeChrome(std::string& error);
    bool writePage(int number, std::vector<std::string>& errors, std::string& failure);
    std::string pagePicture(int number, std::vector<std::string>& errors, std::string& failure);
    bool recording(int page, int sentence, std::vector<std::string>& errors, std::string& failure);
    bool writeTables(std::string& error);
    bool place(const std::string& cached, const std::string& relative, std::string& error);

    const Manifest& manifest_;
    const SourceFiles& files_;
    std::string name_;
    std::string root_;
    BuildCache& cache_;
    bool progress_ = false;
    MakeCounts counts_;

    // Started at the first sentence nobody recorded; one failure to start is reported once.
    std::unique_ptr<bookkit::Speaker> speaker_;
    bool speechFailed_ = false;
};

}  // namespace make
