// Relative URL resolution over zip entry paths, percent escapes decoded.
#include "tools/epub/Href.h"

#include <vector>

#include "tools/epub/ZipArchive.h"

namespace epub {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool percentDecoded(const std::string& in, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        if (i + 2 >= in.size()) return false;
        const int hi = hexValue(in[i + 1]), lo = hexValue(in[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

}  // namespace

bool resolveHref(const std::string& base, const std::string& href, std::string& path, std::string& fragment) {
    std::string h = href;
    // Surrounding white space is not part of a URL attribute's value.
    while (!h.empty() && (h.back() == ' ' || h.back() == '\n' || h.back() == '\t' || h.back() == '\r')) h.pop_back();
    std::size_t lead = 0;
    while (lead < h.size() && (h[lead] == ' ' || h[lead] == '\n' || h[lead] == '\t' || h[lead] == '\r')) ++lead;
    h.erase(0, lead);

    const std::size_t hash = h.find('#');
    fragment = hash == std::string::npos ? std::string() : h.substr(hash + 1);
    std::string raw = h.substr(0, hash);
    const std::size_t query = raw.find('?');
    if (query != std::string::npos) raw.erase(query);
    if (raw.empty() || raw[0] == '/') return false;
    const std::size_t colon = raw.find(':');
    const std::size_t slash = raw.find('/');
    if (colon != std::string::npos && (slash == std::string::npos || colon < slash)) return false;  // a scheme
    std::string decoded, decodedFragment;
    if (!percentDecoded(raw, decoded) || !percentDecoded(fragment, decodedFragment)) return false;
    fragment = decodedFragment;
    if (decoded.find('\\') != std::string::npos || decoded.find('\0') != std::string::npos) return false;

    std::vector<std::string> parts;
    const std::size_t baseSlash = base.rfind('/');
    std::string joined = (baseSlash == std::string::npos ? std::string() : base.substr(0, baseSlash + 1)) + decoded;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = joined.find('/', start);
        const std::string segment = joined.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (segment == "..") {
            if (parts.empty()) return false;
            parts.pop_back();
        } else if (!segment.empty() && segment != ".") {
            parts.push_back(segment);
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (parts.empty()) return false;
    path.clear();
    for (std::size_t i = 0; i < parts.size(); ++i) path += (i ? "/" : "") + parts[i];
    // The same rule as for the zip's own names (no control characters, no drive letter).
    return staysInside(path);
}

}  // namespace epub
