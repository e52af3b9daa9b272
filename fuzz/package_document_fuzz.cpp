// libFuzzer entry for the package document (OPF) reader: each input is the text of one. Every
// path it accepts stays inside the publication, and every spine item names a manifest item.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/epub/PackageDocument.h"
#include "tools/epub/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    epub::PackageDocument package;
    std::vector<std::string> warnings;
    std::string error;
    if (!epub::parsePackageDocument(text, "OEBPS/content.opf", package, warnings, error)) {
        if (error.compare(0, 17, "OEBPS/content.opf") != 0) std::abort();  // names the file
        return 0;
    }
    if (package.spine.empty()) std::abort();
    for (const epub::PackageItem& item : package.items) {
        if (!epub::staysInside(item.path)) std::abort();
    }
    for (const epub::SpineItem& s : package.spine) {
        const epub::PackageItem* item = package.item(s.idref);
        if (!item || item->path != s.path) std::abort();
        if (!s.overlayPath.empty() && !epub::staysInside(s.overlayPath)) std::abort();
    }
    epub::Viewport v;
    if (epub::parseViewport(text, v) && (v.width < 1 || v.height < 1 || v.width > 10000 || v.height > 10000)) std::abort();
    return 0;
}
