// libFuzzer entry for reading a whole publication without drawing it: each input is the bytes of
// a zip, read as the import reads one (container, package document, pages, overlays, toc). What
// it accepts must hold together as the import relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/epub/PublicationReader.h"
#include "tools/epub/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    epub::ZipLimits limits;
    limits.totalBytes = 64u << 20;  // keeps a run's memory small; the bounds' logic is the same
    limits.entryBytes = 32u << 20;
    epub::ZipArchive zip;
    std::string error;
    std::vector<std::string> warnings;
    if (!zip.openMemory(bytes, "fuzz.epub", error, limits)) {
        if (error.empty()) std::abort();
        return 0;
    }
    epub::PublicationParts p;
    if (!epub::readPublication(zip, p, warnings, error)) {
        if (error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    if (p.pages.empty() || p.pages.size() > 999) std::abort();
    for (const epub::PublicationPage& page : p.pages) {
        if (!zip.has(page.path) || !page.viewport.valid()) std::abort();
        for (const epub::OverlayPar& par : page.pars) {
            if (par.textPath != page.path || par.fragment.empty()) std::abort();
            if (!par.audioPath.empty() && !zip.has(par.audioPath)) std::abort();
            if (par.clipBegin < 0 || (par.clipEnd >= 0 && par.clipEnd <= par.clipBegin)) std::abort();
        }
    }
    int previousLast = 0;
    for (const epub::PublicationUnit& u : p.units) {
        if (u.title.empty() || u.firstPage != previousLast + 1 || u.lastPage < u.firstPage) std::abort();
        previousLast = u.lastPage;
    }
    if (!p.units.empty() && previousLast != static_cast<int>(p.pages.size())) std::abort();
    return 0;
}
