// Relative URLs inside a publication turned into paths from its root, never leaving it.
#include "tools/epub/HrefPath.h"

#include <cctype>
#include <vector>

namespace epub {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string percentDecoded(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hexValue(s[i + 1]) >= 0 && hexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(s[i + 1]) * 16 + hexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// A scheme is letters, digits, "+", "-" or "." before the first ":", starting with a letter.
bool hasScheme(const std::string& s) {
    const auto colon = s.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(s[0]))) {
        return false;
    }
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = s[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool resolveHref(const std::string& basePath, const std::string& href, std::string& path) {
    std::string ref = href.substr(0, href.find_first_of("?#"));
    // Surrounding white space is not part of a URL.
    while (!ref.empty() && std::isspace(static_cast<unsigned char>(ref.back()))) {
        ref.pop_back();
    }
    std::size_t lead = 0;
    while (lead < ref.size() && std::isspace(static_cast<unsigned char>(ref[lead]))) {
        ++lead;
    }
    ref = ref.substr(lead);
    if (ref.empty() || hasScheme(ref) || ref.compare(0, 2, "//") == 0) {
        return false;
    }
    std::string joined;
    if (ref[0] == '/') {
        joined = ref.substr(1);
    } else {
        const auto slash = basePath.rfind('/');
        joined = (slash == std::string::npos ? std::string() : basePath.substr(0, slash + 1)) + ref;
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const auto end = std::min(joined.find('/', start), joined.size());
        const std::string part = percentDecoded(joined.substr(start, end - start));
        if (part == "..") {
            if (parts.empty()) {
                return false;
            }
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    if (parts.empty()) {
        return false;
    }
    path.clear();
    for (const auto& part : parts) {
        path += (path.empty() ? "" : "/") + part;
    }
    return true;
}

}  // namespace epub
