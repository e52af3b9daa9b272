// A whole publication read and checked before anything is drawn: the container, the package
// document, every fixed-layout page with its viewport and its overlay, and the units of its table
// of contents. Every file they name must be in the zip; what a book cannot carry is a warning.
#pragma once

#include <string>
#include <vector>

#include "tools/epub/ContentDocuments.h"
#include "tools/epub/MediaOverlay.h"
#include "tools/epub/PackageDocument.h"
#include "tools/epub/ZipArchive.h"

namespace epub {

struct PublicationPage {
    std::string path;  // the content document
    Viewport viewport;  // the page's own, or the fallback the warnings name
    std::string overlayPath;  // empty: the page has no narration
    std::vector<OverlayPar> pars;  // the overlay's pars that read this page, in order
};

struct PublicationUnit {
    std::string title;
    int firstPage = 1;  // 1-based, in pages
    int lastPage = 1;
};

struct PublicationParts {
    PackageDocument package;
    std::vector<PublicationPage> pages;
    std::vector<PublicationUnit> units;  // empty: one unit of every page
};

// The viewport a page without a usable one of its own gets when the package gives none either:
// the reader's own page.
constexpr int kFallbackWidth = 640;
constexpr int kFallbackHeight = 960;

// Reads everything but the pictures and the sound. False with one message naming the file (and
// line) at the first problem that makes the publication unusable.
bool readPublication(ZipArchive& zip, PublicationParts& out, std::vector<std::string>& warnings, std::string& error);

}  // namespace epub
