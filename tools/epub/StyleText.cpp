// Style sheet text adjusted for litehtml 0.6 before it reads it.
#include "tools/epub/StyleText.h"

#include <cctype>

namespace epub {

namespace {

bool nameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
}

bool iequals(const std::string& s, std::size_t at, const char* word) {
    for (std::size_t i = 0; word[i]; ++i) {
        if (at + i >= s.size() || std::tolower(static_cast<unsigned char>(s[at + i])) != word[i]) {
            return false;
        }
    }
    return true;
}

// Where the value starting at `from` ends: the first ";" or "}" outside quotes and parentheses.
std::size_t valueEnd(const std::string& css, std::size_t from, std::size_t& slash) {
    int depth = 0;
    char quote = 0;
    slash = std::string::npos;
    for (std::size_t i = from; i < css.size(); ++i) {
        const char c = css[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (depth == 0 && (c == ';' || c == '}')) {
            return i;
        } else if (depth == 0 && c == '/' && slash == std::string::npos) {
            slash = i;
        }
    }
    return css.size();
}

// The next word of a value from `at`, white space before it skipped; `at` moves past it.
std::string nextWord(const std::string& value, std::size_t& at) {
    while (at < value.size() && std::isspace(static_cast<unsigned char>(value[at]))) {
        ++at;
    }
    const std::size_t from = at;
    while (at < value.size() && !std::isspace(static_cast<unsigned char>(value[at])) && value[at] != ',') {
        ++at;
    }
    return value.substr(from, at - from);
}

bool isLength(const std::string& word) {
    return word == "auto" ||
           (!word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '.' || word[0] == '-'));
}

}  // namespace

std::string withBackgroundSizeApart(const std::string& css) {
    std::string out;
    std::size_t copied = 0;
    for (std::size_t at = 0; at < css.size(); ++at) {
        if (!iequals(css, at, "background") || (at > 0 && nameChar(css[at - 1]))) {
            continue;
        }
        std::size_t colon = at + 10;
        while (colon < css.size() && std::isspace(static_cast<unsigned char>(css[colon]))) {
            ++colon;
        }
        if (colon >= css.size() || css[colon] != ':') {
            continue;
        }
        std::size_t slash = std::string::npos;
        const std::size_t end = valueEnd(css, colon + 1, slash);
        if (slash == std::string::npos) {
            at = end;
            continue;
        }
        std::string value = css.substr(colon + 1, end - colon - 1);
        std::string important;
        const auto bang = value.find('!');
        if (bang != std::string::npos) {
            important = " " + value.substr(bang);
            value.erase(bang);
        }
        std::size_t after = slash - colon;  // just past the "/" within value
        std::string size = nextWord(value, after);
        if (size != "cover" && size != "contain") {
            std::size_t peek = after;
            const std::string second = nextWord(value, peek);
            if (isLength(second)) {
                size += " " + second;
                after = peek;
            }
        }
        const std::string shorthand = value.substr(0, slash - colon - 1) + value.substr(after);
        out.append(css, copied, at - copied);
        out += "background:" + shorthand + important + "; background-size: " + size + important;
        copied = end;
        at = end;
    }
    out.append(css, copied, std::string::npos);
    return out;
}

}  // namespace epub
