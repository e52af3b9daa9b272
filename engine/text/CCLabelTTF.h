// A text label drawn with a TrueType font: one line, or wrapped to a width, inside a box.
//
// The text is rasterised white with its alpha coverage and tinted by the node's colour, so
// setColor and opacity cost nothing. Layout happens at once in every setter (getContentSize is
// right immediately); the texture is rebuilt lazily, at the next draw.
//
// Box rules:
//   - dimensions.width 0: one line per "\n"-separated line, no wrapping; the box is as wide
//     as the widest line. width > 0: lines wrap at spaces (a word longer than the width is
//     broken between characters) and the box has that width.
//   - dimensions.height 0: the box is as tall as the lines. height > 0: the box has that
//     height, the text block is placed by the vertical alignment and what overflows is cut.
//   - Empty text: no lines, height 0, width 0 unless dimensions give one; nothing is drawn.
#pragma once

#include <string>
#include <vector>

#include "engine/sprites/CCSprite.h"
#include "engine/text/CCLabelProtocol.h"

namespace engine {

class CCLabelTTF : public CCSprite, public CCLabelProtocol {
public:
    CCLabelTTF() = default;
    ~CCLabelTTF() override = default;

    // An empty label in the default font ("Helvetica" as the desktop resolves it), size 12.
    static CCLabelTTF* create();
    static CCLabelTTF* create(const char* string, const char* fontName, float fontSize);
    static CCLabelTTF* create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                              CCTextAlignment hAlignment);
    static CCLabelTTF* create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                              CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment);

    bool init() override;
    bool initWithString(const char* string, const char* fontName, float fontSize);
    // Bad arguments (null strings, sizes that are not positive finite numbers, unknown
    // alignments) are replaced by the defaults with a log line; the label is always usable.
    bool initWithString(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                        CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment = kCCVerticalTextAlignmentTop);

    // CCLabelProtocol. Invalid UTF-8 bytes are dropped.
    void setString(const char* text) override;
    const char* getString() const override { return m_string.c_str(); }

    // A family name or a font file path; null means the default font.
    void setFontName(const char* fontName);
    const char* getFontName() const { return m_fontName.c_str(); }
    // Pixels per em, 1 to CCFontResolver::kMaxFontSize; other values are refused with a log line.
    void setFontSize(float size);
    float getFontSize() const { return m_fontSize; }
    // Negative, non-finite or absurdly large dimensions are refused with a log line.
    void setDimensions(const CCSize& dimensions);
    const CCSize& getDimensions() const { return m_dimensions; }
    void setHorizontalAlignment(CCTextAlignment alignment);
    CCTextAlignment getHorizontalAlignment() const { return m_hAlignment; }
    void setVerticalAlignment(CCVerticalTextAlignment alignment);
    CCVerticalTextAlignment getVerticalAlignment() const { return m_vAlignment; }

    // The lines as laid out, and the height of one line in points.
    const std::vector<std::string>& getLines() const { return m_lines; }
    float getLineHeight() const { return float(m_lineHeight); }
    // The font file the font name resolved to; empty when no font could be found at all.
    const std::string& getFontFile() const { return m_fontFile; }

    // Rasterises the text now if a setter changed it (draw does this by itself).
    void updateTexture();
    void draw() override;

    // Largest dimension accepted (points).
    static constexpr float kMaxDimension = 16384.f;

protected:
    // Lines, line height and the box from the current text and settings.
    void relayout();
    // Lines and a box of about the text's size when no font exists to measure with.
    void estimateLines();

    std::string m_string;
    std::string m_fontName;
    std::string m_fontFile;
    float m_fontSize = 12.f;
    CCSize m_dimensions;
    CCTextAlignment m_hAlignment = kCCTextAlignmentLeft;
    CCVerticalTextAlignment m_vAlignment = kCCVerticalTextAlignmentTop;

    std::vector<std::string> m_lines;
    std::vector<int> m_lineWidths;
    int m_lineHeight = 0;
    bool m_textureDirty = false;
};

}  // namespace engine
