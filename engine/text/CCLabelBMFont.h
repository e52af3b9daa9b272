// A label drawn with a bitmap font described by an AngelCode .fnt file and its page images.
//
// Glyphs are placed on a pen line, kerned, and lines are lineHeight apart ("common" line).
// With a width > 0 lines wrap at spaces (a word wider than the width breaks between glyphs)
// and the box has that width; otherwise (kCCLabelAutomaticWidth) the box is as wide as the
// widest line. Alignment places each line inside the box. Content size = the box; an empty
// string has height 0.
//
// Bad input never breaks the label: a missing or unusable .fnt, a page image that cannot be
// loaded or absurd numbers in the file give an empty label and a log line; characters the
// font lacks are skipped (one log line per label).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/render/CCRenderer.h"
#include "engine/scene/CCNode.h"
#include "engine/text/CCLabelProtocol.h"

namespace engine {

class CCBMFontConfiguration;
class CCTexture2D;

// The box follows the text instead of a given width.
static const float kCCLabelAutomaticWidth = -1.f;

class CCLabelBMFont : public CCNodeRGBA, public CCLabelProtocol {
public:
    CCLabelBMFont();
    ~CCLabelBMFont() override;

    // An empty label without a font.
    static CCLabelBMFont* create();
    // Always a label; an empty one (with a log line) when the font cannot be used.
    static CCLabelBMFont* create(const char* str, const char* fntFile, float width = kCCLabelAutomaticWidth,
                                 CCTextAlignment alignment = kCCTextAlignmentLeft,
                                 const CCPoint& imageOffset = CCPointZero);

    bool init() override;
    // imageOffset moves every glyph rectangle within its page (fonts packed into a larger
    // image). False, leaving an empty label, when the font cannot be used.
    bool initWithString(const char* str, const char* fntFile, float width = kCCLabelAutomaticWidth,
                        CCTextAlignment alignment = kCCTextAlignmentLeft, const CCPoint& imageOffset = CCPointZero);

    // CCLabelProtocol. Invalid UTF-8 bytes are dropped.
    void setString(const char* text) override;
    const char* getString() const override { return m_string.c_str(); }

    // Any value <= 0 means automatic width; non-finite or absurdly large values are refused.
    void setWidth(float width);
    float getWidth() const { return m_width; }
    void setAlignment(CCTextAlignment alignment);
    CCTextAlignment getAlignment() const { return m_alignment; }
    // Loads another font; the string stays.
    void setFntFile(const char* fntFile);
    const char* getFntFile() const { return m_fntFile.c_str(); }

    // The font is usable (file read, pages loaded).
    bool hasFont() const { return m_config != nullptr; }
    float getLineHeight() const;
    // Glyph rectangles drawn for the current string, and lines laid out.
    unsigned int getGlyphCount() const { return static_cast<unsigned int>(m_quads.size()); }
    unsigned int getLineCount() const { return m_lineCount; }

    void draw() override;

private:
    struct Quad {
        int page;
        CCVertex v[4];  // bottom left, bottom right, top left, top right, node space
    };

    bool loadFont(const char* fntFile);
    void dropFont();
    void updateLabel();

    std::string m_string;
    std::string m_fntFile;
    float m_width = kCCLabelAutomaticWidth;
    CCTextAlignment m_alignment = kCCTextAlignmentLeft;
    CCPoint m_imageOffset;
    std::unique_ptr<CCBMFontConfiguration> m_config;
    std::map<int, CCTexture2D*> m_pages;  // retained
    std::vector<Quad> m_quads;
    unsigned int m_lineCount = 0;
    bool m_loggedMissing = false;
};

}  // namespace engine
