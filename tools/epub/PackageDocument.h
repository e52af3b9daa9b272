// The package document (OPF): the publication's metadata, the files it holds (manifest), the
// order of its pages (spine) and how they are laid out. Read from text alone; whether the files
// it names are in the zip is checked by the publication reader.
#pragma once

#include <string>
#include <vector>

namespace epub {

enum class Layout { PrePaginated, Reflowable };

struct PackageItem {
    std::string id;
    std::string path;  // the zip entry, resolved against the package document
    std::string mediaType;
    std::string properties;
    std::string mediaOverlay;  // id of the item holding this document's overlay; may be empty
    int line = 0;
};

struct SpineItem {
    std::string idref;
    std::string path;
    Layout layout = Layout::PrePaginated;
    bool spread = false;  // asks to be shown beside another page
    std::string overlayPath;  // the SMIL entry; empty without an overlay
    bool linear = true;
    int line = 0;
};

struct Viewport {
    int width = 0;
    int height = 0;
    bool valid() const { return width > 0 && height > 0; }
};

struct PackageDocument {
    std::string path;
    std::string title;
    std::string author;
    std::string language;
    std::string identifier;
    Layout layout = Layout::Reflowable;  // what the publication declares for every page
    std::string spread;                  // rendition:spread as written, may be empty
    Viewport viewport;                   // rendition:viewport, the old way to give one size
    std::vector<PackageItem> items;
    std::vector<SpineItem> spine;
    std::string navPath;  // empty when no item has the nav property

    const PackageItem* item(const std::string& id) const;
};

// Parses the package document at `path` in the publication. Problems that make it unusable
// (not XML, no spine, a spine item or overlay naming no item) fail with "PATH:LINE: what";
// things a reader can do without are appended to warnings.
bool parsePackageDocument(const std::string& text, const std::string& path, PackageDocument& out,
                          std::vector<std::string>& warnings, std::string& error);

// "width=600, height=800" (spaces, ';' and 'px' allowed); false when either is missing or not a
// positive size up to 10000.
bool parseViewport(const std::string& content, Viewport& out);

}  // namespace epub
