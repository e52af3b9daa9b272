// One fixed-layout content document laid out by litehtml and drawn through our own canvas; after
// drawing it answers where an element's text lies, line by line.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/bookkit/Canvas.h"

namespace epub {

// Reads a file of the publication by its path inside it ("OEBPS/images/a.png"); false when absent.
using FileLoader = std::function<bool(const std::string& pathInPublication, std::string& bytes)>;

// Needs SDL, SDL_image and SDL_ttf initialised (bookkit::MediaLibraries) while it is used.
class HtmlPage {
public:
    HtmlPage();
    ~HtmlPage();
    HtmlPage(const HtmlPage&) = delete;
    HtmlPage& operator=(const HtmlPage&) = delete;

    // Lays out and draws an XHTML content document at width x height CSS pixels. docPath is its
    // path inside the publication (relative URLs resolve against it); load reads any publication
    // file (images, style sheets, fonts). Things it cannot draw are appended to warnings.
    bool render(const std::string& xhtml, const std::string& docPath, int width, int height,
                const FileLoader& load, std::vector<std::string>& warnings, std::string& error);
    bool savePng(const std::string& path, std::string& error) const;
    // The element with this id: its text (white space collapsed), where it is touched in CSS pixels
    // of the viewport and a number naming its nearest block-level ancestor (equal numbers: same
    // block). An element in the flow is touched on its line boxes (one rect per line it occupies);
    // one placed by itself (position absolute or fixed) anywhere in its border box, or in the
    // boxes of the placed parts it holds. False when no element has the id.
    bool element(const std::string& id, std::string& text, std::vector<bookkit::RectF>& lines, int& block) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace epub
