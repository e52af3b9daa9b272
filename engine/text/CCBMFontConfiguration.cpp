// CCBMFontConfiguration: the line tokenizer and the range checks of the .fnt text format.
#include "engine/text/CCBMFontConfiguration.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"

namespace engine {

namespace {

using Fields = std::map<std::string, std::string>;

// "tag key=value key="quoted value" ..." -> tag and fields. A quote left open runs to the end
// of the line; a key without '=' gets an empty value.
std::string tokenize(const std::string& line, Fields& fields) {
    fields.clear();
    size_t i = 0, n = line.size();
    auto space = [&](size_t k) { return line[k] == ' ' || line[k] == '\t' || line[k] == '\r'; };
    while (i < n && space(i)) ++i;
    size_t tagStart = i;
    while (i < n && !space(i)) ++i;
    std::string tag = line.substr(tagStart, i - tagStart);
    while (i < n) {
        while (i < n && space(i)) ++i;
        if (i >= n) break;
        size_t keyStart = i;
        while (i < n && !space(i) && line[i] != '=') ++i;
        std::string key = line.substr(keyStart, i - keyStart);
        std::string value;
        if (i < n && line[i] == '=') {
            ++i;
            if (i < n && line[i] == '"') {
                size_t close = line.find('"', i + 1);
                size_t end = close == std::string::npos ? n : close;
                value = line.substr(i + 1, end - i - 1);
                i = close == std::string::npos ? n : close + 1;
            } else {
                size_t valueStart = i;
                while (i < n && !space(i)) ++i;
                value = line.substr(valueStart, i - valueStart);
            }
        }
        if (!key.empty()) fields[key] = value;
    }
    return tag;
}

// A whole decimal integer within [lo, hi]; anything else ("nan", "1e9", "12px", overflow)
// is refused.
bool readInt(const Fields& f, const char* key, long lo, long hi, long& out, bool required = true,
             long fallback = 0) {
    auto it = f.find(key);
    if (it == f.end()) {
        out = fallback;
        return !required;
    }
    const std::string& s = it->second;
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size() || v < lo || v > hi) return false;
    out = v;
    return true;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

void CCBMFontConfiguration::clear() {
    m_lineHeight = m_base = 0;
    m_pages.clear();
    m_glyphs.clear();
    m_kerning.clear();
    m_dropped = 0;
}

bool CCBMFontConfiguration::loadFile(const std::string& fntFile) {
    clear();
    m_path.clear();
    if (fntFile.empty()) {
        CCLog("CCBMFontConfiguration: no font file given");
        return false;
    }
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string full = files->fullPathForFilename(fntFile.c_str());
    if (!files->isFileExist(full)) {
        CCLog("CCBMFontConfiguration: font file %s not found", fntFile.c_str());
        return false;
    }
    std::string text;
    if (!files->readFile(full, text)) {
        CCLog("CCBMFontConfiguration: font file %s cannot be read", fntFile.c_str());
        return false;
    }
    if (text.size() > kMaxFileBytes) {
        CCLog("CCBMFontConfiguration: font file %s is %zu bytes; refusing anything over %zu", fntFile.c_str(),
              text.size(), kMaxFileBytes);
        return false;
    }
    if (!parse(text, folderOf(full), fntFile)) return false;
    m_path = full;
    return true;
}

bool CCBMFontConfiguration::parse(const std::string& text, const std::string& pageFolder,
                                  const std::string& nameForLog) {
    clear();
    const char* name = nameForLog.c_str();
    const long kMax = kMaxValue;
    bool haveCommon = false;
    size_t droppedChars = 0, droppedKernings = 0, droppedPages = 0;
    Fields f;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string tag = tokenize(text.substr(start, end - start), f);
        start = end + 1;

        if (tag == "common") {
            long lineHeight = 0, base = 0, scaleW = 0, scaleH = 0, pages = 0;
            if (!readInt(f, "lineHeight", 1, kMax, lineHeight) || !readInt(f, "base", -kMax, kMax, base, false) ||
                !readInt(f, "scaleW", 0, kMax, scaleW, false) || !readInt(f, "scaleH", 0, kMax, scaleH, false) ||
                !readInt(f, "pages", 0, kMaxPages, pages, false)) {
                CCLog("CCBMFontConfiguration: %s: the common line has a missing or absurd number "
                      "(lineHeight=%s); the font is not used",
                      name, f.count("lineHeight") ? f["lineHeight"].c_str() : "(none)");
                clear();
                return false;
            }
            m_lineHeight = int(lineHeight);
            m_base = int(base);
            haveCommon = true;
        } else if (tag == "page") {
            long id = 0;
            auto file = f.find("file");
            if (!readInt(f, "id", 0, kMaxPages - 1, id) || file == f.end() || file->second.empty()) {
                ++droppedPages;
                continue;
            }
            m_pages[int(id)] = pageFolder + file->second;
        } else if (tag == "char") {
            long id, x, y, w, h, xo, yo, adv, page;
            if (!readInt(f, "id", 0, 0x10FFFF, id) || !readInt(f, "x", 0, kMax, x) || !readInt(f, "y", 0, kMax, y) ||
                !readInt(f, "width", 0, kMax, w) || !readInt(f, "height", 0, kMax, h) ||
                !readInt(f, "xoffset", -kMax, kMax, xo, false) || !readInt(f, "yoffset", -kMax, kMax, yo, false) ||
                !readInt(f, "xadvance", -kMax, kMax, adv) || !readInt(f, "page", 0, kMaxPages - 1, page, false)) {
                ++droppedChars;
                continue;
            }
            CCBMFontGlyph g;
            g.id = uint32_t(id);
            g.x = int(x);
            g.y = int(y);
            g.width = int(w);
            g.height = int(h);
            g.xOffset = int(xo);
            g.yOffset = int(yo);
            g.xAdvance = int(adv);
            g.page = int(page);
            m_glyphs[g.id] = g;
        } else if (tag == "kerning") {
            long first, second, amount;
            if (!readInt(f, "first", 0, 0x10FFFF, first) || !readInt(f, "second", 0, 0x10FFFF, second) ||
                !readInt(f, "amount", -kMax, kMax, amount)) {
                ++droppedKernings;
                continue;
            }
            m_kerning[(uint64_t(first) << 32) | uint64_t(second)] = int(amount);
        }
        // "info", "chars", "kernings" and unknown tags carry nothing the layout needs.
    }

    m_dropped = droppedChars + droppedKernings + droppedPages;
    if (m_dropped)
        CCLog("CCBMFontConfiguration: %s: dropped %zu char, %zu kerning and %zu page lines with missing or absurd "
              "numbers",
              name, droppedChars, droppedKernings, droppedPages);
    if (!haveCommon) {
        CCLog("CCBMFontConfiguration: %s has no common line; the font is not used", name);
        clear();
        return false;
    }
    if (m_pages.empty()) {
        CCLog("CCBMFontConfiguration: %s names no page image; the font is not used", name);
        clear();
        return false;
    }
    return true;
}

const CCBMFontGlyph* CCBMFontConfiguration::glyph(uint32_t id) const {
    auto it = m_glyphs.find(id);
    return it == m_glyphs.end() ? nullptr : &it->second;
}

int CCBMFontConfiguration::kerning(uint32_t first, uint32_t second) const {
    if (m_kerning.empty()) return 0;
    auto it = m_kerning.find((uint64_t(first) << 32) | uint64_t(second));
    return it == m_kerning.end() ? 0 : it->second;
}

}  // namespace engine
