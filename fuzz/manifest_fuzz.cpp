// libFuzzer entry for the book maker's manifest reader: each input is the text of a manifest. The
// reader touches no file; a manifest it accepts must hold together as the book maker relies on
// (pages and sentences within the reader's limits, zones with area, units in order inside the
// book) and give a description the reader accepts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/book/BookDescription.h"
#include "tools/make/Manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    make::Manifest m;
    std::vector<std::string> errors;
    if (!make::parseManifest(text, "fuzz.yaml", m, errors)) {
        if (errors.empty()) std::abort();  // a refusal always says why
        for (const std::string& e : errors)
            if (e.compare(0, 10, "fuzz.yaml:") != 0) std::abort();
        return 0;
    }
    if (!errors.empty() || m.pages.empty() || m.pages.size() > 999 || m.units.size() > 20 || m.voice.empty()) std::abort();
    for (const make::ManifestPage& page : m.pages) {
        if (page.picture.empty() || page.sentences.size() > make::Manifest::kMaxSentences) std::abort();
        for (const make::ManifestSentence& s : page.sentences) {
            if (s.text.empty() || s.text.size() > make::Manifest::kMaxTextBytes) std::abort();
            if (s.zones.empty()) std::abort();
            for (const auto& z : s.zones)
                if (!(z.w > 0) || !(z.h > 0) || !std::isfinite(z.x) || !std::isfinite(z.y)) std::abort();
        }
    }
    app::BookDescription again;
    std::vector<std::string> problems;
    if (!app::parseBookDescription(app::writeBookDescription(m.description()), "again.json", &again, &problems))
        std::abort();
    if (again.pageCount != static_cast<int>(m.pages.size()) || again.title != m.title) std::abort();
    return 0;
}
