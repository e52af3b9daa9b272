// libFuzzer entry for the book description reader: each input is the text of a quirel-book.json.
// A description it accepts must hold together (units in order inside the book) and read back
// the same after being written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/book/BookDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    app::BookDescription d;
    std::vector<std::string> errors;
    if (!app::parseBookDescription(text, "fuzz.json", &d, &errors)) {
        if (errors.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    if (d.pageCount < 1 || d.pageCount > app::BookDescription::kMaxPages || d.units.empty()) std::abort();
    int previous = 0;
    for (const app::BookUnit& u : d.units) {
        if (u.firstPage <= previous || u.lastPage < u.firstPage || u.lastPage > d.pageCount) std::abort();
        previous = u.lastPage;
    }
    app::BookDescription again;
    if (!app::parseBookDescription(app::writeBookDescription(d), "again.json", &again, &errors)) std::abort();
    if (again.units.size() != d.units.size() || again.pageCount != d.pageCount || again.title != d.title) std::abort();
    return 0;
}
