// Reads AngelCode bitmap-font descriptions (the text .fnt format) and checks every number.
//
// A file is refused as a whole (with a log line) when it cannot be read, has no usable
// "common" line (lineHeight 1..kMaxValue) or names no page. A char or kerning line with a
// number that is missing, not a number or out of range is dropped on its own and counted,
// so one damaged glyph does not cost the whole font.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

namespace engine {

struct CCBMFontGlyph {
    uint32_t id = 0;
    int x = 0, y = 0, width = 0, height = 0;  // the glyph's rectangle in its page, pixels, y down
    int xOffset = 0, yOffset = 0;             // from the pen position to the rectangle's top left
    int xAdvance = 0;
    int page = 0;
};

class CCBMFontConfiguration {
public:
    // Largest magnitude accepted for any coordinate, size or offset in a file.
    static const int kMaxValue = 8192;
    static const int kMaxPages = 256;
    static const size_t kMaxFileBytes = 16u << 20;

    // Reads a .fnt file (resolved against the resource root); page files are taken relative
    // to the .fnt's folder. False with a log line when the file is unusable.
    bool loadFile(const std::string& fntFile);
    // The same from text; pageFolder is put in front of every page file name.
    bool parse(const std::string& text, const std::string& pageFolder, const std::string& nameForLog);

    int lineHeight() const { return m_lineHeight; }
    int base() const { return m_base; }
    // Page id -> full path of its image.
    const std::map<int, std::string>& pages() const { return m_pages; }
    const CCBMFontGlyph* glyph(uint32_t id) const;
    const std::unordered_map<uint32_t, CCBMFontGlyph>& glyphs() const { return m_glyphs; }
    int kerning(uint32_t first, uint32_t second) const;
    // Lines dropped for bad numbers.
    size_t droppedLines() const { return m_dropped; }
    const std::string& path() const { return m_path; }

private:
    void clear();

    std::string m_path;
    int m_lineHeight = 0;
    int m_base = 0;
    std::map<int, std::string> m_pages;
    std::unordered_map<uint32_t, CCBMFontGlyph> m_glyphs;
    std::unordered_map<uint64_t, int> m_kerning;
    size_t m_dropped = 0;
};

}  // namespace engine
