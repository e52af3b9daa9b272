// libFuzzer entry for the Media Overlay (SMIL) reader and its clock values: each input is the
// text of an overlay, and its first line is also read as a clock value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/epub/MediaOverlay.h"
#include "tools/epub/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    double seconds = -1;
    if (epub::parseClockValue(text.substr(0, text.find('\n')), seconds) &&
        (!std::isfinite(seconds) || seconds < 0 || seconds > 100.0 * 3600)) {
        std::abort();
    }
    epub::MediaOverlay overlay;
    std::string error;
    if (!epub::parseMediaOverlay(text, "OEBPS/smil/p1.smil", overlay, error)) {
        if (error.compare(0, 18, "OEBPS/smil/p1.smil") != 0) std::abort();
        return 0;
    }
    for (const epub::OverlayPar& par : overlay.pars) {
        if (!epub::staysInside(par.textPath) || par.fragment.empty() || par.line < 1) std::abort();
        if (!par.audioPath.empty() && !epub::staysInside(par.audioPath)) std::abort();
        if (par.clipBegin < 0 || (par.clipEnd >= 0 && par.clipEnd <= par.clipBegin)) std::abort();
    }
    return 0;
}
