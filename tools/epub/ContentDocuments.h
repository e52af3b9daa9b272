// The publication's XHTML documents as far as the reader needs them before any drawing: a page's
// viewport and the things on it a book cannot carry, and the navigation document's table of
// contents.
#pragma once

#include <string>
#include <vector>

#include "tools/epub/PackageDocument.h"

namespace epub {

struct PageFacts {
    Viewport viewport;  // from <meta name="viewport">; invalid when missing or not a size
    std::string viewportText;  // as written, for messages; empty when there is none
    std::vector<std::string> uncarried;  // "scripts", "video", ... found on the page
};

// Reads a content document's facts. False with "PATH:LINE: what" when it is not XHTML.
bool readPageFacts(const std::string& text, const std::string& path, PageFacts& out, std::string& error);

struct TocEntry {
    std::string title;
    std::string path;  // the document the entry links to
    int line = 0;
};

// The top-level entries of the navigation document's toc (<nav epub:type="toc">). False with
// "PATH:LINE: what" when the document is not XHTML or has no toc.
bool readToc(const std::string& text, const std::string& path, std::vector<TocEntry>& out, std::string& error);

}  // namespace epub
