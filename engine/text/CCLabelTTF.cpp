// CCLabelTTF: line breaking with SDL_ttf measurements, box placement and rasterisation.
#include "engine/text/CCLabelTTF.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <SDL.h>
#include <SDL_ttf.h>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/text/CCFontResolver.h"
#include "engine/text/CCUTF8.h"

namespace engine {

namespace {

const char* const kDefaultFontName = "Helvetica";
const float kDefaultFontSize = 12.f;

int textWidth(TTF_Font* font, const std::string& text) {
    if (text.empty()) return 0;
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

// Breaks one paragraph into lines no wider than maxWidth pixels: at spaces where possible,
// between characters inside a word that is wider than a whole line.
void wrapParagraph(TTF_Font* font, const std::string& p, int maxWidth, std::vector<std::string>& out) {
    std::string current;
    size_t i = 0, n = p.size();
    while (i < n) {
        size_t wordStart = i;
        while (wordStart < n && p[wordStart] == ' ') ++wordStart;
        size_t wordEnd = wordStart;
        while (wordEnd < n && p[wordEnd] != ' ') ++wordEnd;
        std::string spaces = p.substr(i, wordStart - i);
        std::string word = p.substr(wordStart, wordEnd - wordStart);
        i = wordEnd;

        std::string candidate = current + spaces + word;
        if (textWidth(font, candidate) <= maxWidth) {
            current.swap(candidate);
            continue;
        }
        // The spaces at a break are dropped.
        if (!current.empty()) out.push_back(current);
        current.clear();
        while (!word.empty() && textWidth(font, word) > maxWidth) {
            // The longest prefix that fits, found by bisection over characters; at least one
            // character so that a glyph wider than the box still makes progress.
            size_t total = utf8::charCount(word);
            size_t lo = 1, hi = total;
            while (lo < hi) {
                size_t mid = (lo + hi + 1) / 2;
                if (textWidth(font, word.substr(0, utf8::bytesForChars(word, mid))) <= maxWidth)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            size_t bytes = utf8::bytesForChars(word, lo);
            out.push_back(word.substr(0, bytes));
            word.erase(0, bytes);
        }
        current = word;
    }
    out.push_back(current);
}

bool usableSize(float size) { return std::isfinite(size) && size >= 1.f && size <= CCFontResolver::kMaxFontSize; }

bool usableDimensions(const CCSize& d) {
    return std::isfinite(d.width) && std::isfinite(d.height) && d.width >= 0 && d.height >= 0 &&
           d.width <= CCLabelTTF::kMaxDimension && d.height <= CCLabelTTF::kMaxDimension;
}

}  // namespace

// --- creation ------------------------------------------------------------------------------

CCLabelTTF* CCLabelTTF::create() {
    auto* label = new CCLabelTTF();
    return autoreleasedOrNull(label, label->init());
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize) {
    return create(string, fontName, fontSize, CCSizeZero, kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment) {
    return create(string, fontName, fontSize, dimensions, hAlignment, kCCVerticalTextAlignmentTop);
}

CCLabelTTF* CCLabelTTF::create(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                               CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment) {
    auto* label = new CCLabelTTF();
    return autoreleasedOrNull(label,
                              label->initWithString(string, fontName, fontSize, dimensions, hAlignment, vAlignment));
}

bool CCLabelTTF::init() {
    return initWithString("", kDefaultFontName, kDefaultFontSize, CCSizeZero, kCCTextAlignmentLeft,
                          kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize) {
    return initWithString(string, fontName, fontSize, CCSizeZero, kCCTextAlignmentLeft, kCCVerticalTextAlignmentTop);
}

bool CCLabelTTF::initWithString(const char* string, const char* fontName, float fontSize, const CCSize& dimensions,
                                CCTextAlignment hAlignment, CCVerticalTextAlignment vAlignment) {
    if (!CCSprite::init()) return false;
    if (!string) CCLog("CCLabelTTF: no string given; the label starts empty");
    size_t dropped = 0;
    m_string = string ? utf8::clean(string, std::strlen(string), &dropped) : std::string();
    if (dropped) CCLog("CCLabelTTF: dropped %zu bytes of invalid UTF-8 from the label's text", dropped);
    m_fontName = fontName ? fontName : kDefaultFontName;
    m_fontFile = CCFontResolver::sharedResolver().fileForName(m_fontName);
    m_fontSize = kDefaultFontSize;
    if (usableSize(fontSize))
        m_fontSize = fontSize;
    else
        CCLog("CCLabelTTF: font size %g refused; using %g", double(fontSize), double(kDefaultFontSize));
    m_dimensions = CCSizeZero;
    if (usableDimensions(dimensions))
        m_dimensions = dimensions;
    else
        CCLog("CCLabelTTF: dimensions %g x %g refused; sizing to the text", double(dimensions.width),
              double(dimensions.height));
    m_hAlignment = kCCTextAlignmentLeft;
    if (hAlignment >= kCCTextAlignmentLeft && hAlignment <= kCCTextAlignmentRight)
        m_hAlignment = hAlignment;
    else
        CCLog("CCLabelTTF: horizontal alignment %d refused; using left", int(hAlignment));
    m_vAlignment = kCCVerticalTextAlignmentTop;
    if (vAlignment >= kCCVerticalTextAlignmentTop && vAlignment <= kCCVerticalTextAlignmentBottom)
        m_vAlignment = vAlignment;
    else
        CCLog("CCLabelTTF: vertical alignment %d refused; using top", int(vAlignment));
    relayout();
    return true;
}

// --- setters -------------------------------------------------------------------------------

void CCLabelTTF::setString(const char* text) {
    if (!text) {
        CCLog("CCLabelTTF: setString given null; taking the empty string");
        text = "";
    }
    size_t dropped = 0;
    std::string cleaned = utf8::clean(text, std::strlen(text), &dropped);
    if (dropped) CCLog("CCLabelTTF: dropped %zu bytes of invalid UTF-8 from the label's text", dropped);
    if (cleaned == m_string) return;
    m_string.swap(cleaned);
    relayout();
}

void CCLabelTTF::setFontName(const char* fontName) {
    std::string name = fontName ? fontName : kDefaultFontName;
    if (name == m_fontName) return;
    m_fontName = name;
    m_fontFile = CCFontResolver::sharedResolver().fileForName(m_fontName);
    relayout();
}

void CCLabelTTF::setFontSize(float size) {
    if (!usableSize(size)) {
        CCLog("CCLabelTTF: font size %g refused; keeping %g", double(size), double(m_fontSize));
        return;
    }
    if (size == m_fontSize) return;
    m_fontSize = size;
    relayout();
}

void CCLabelTTF::setDimensions(const CCSize& dimensions) {
    if (!usableDimensions(dimensions)) {
        CCLog("CCLabelTTF: dimensions %g x %g refused", double(dimensions.width), double(dimensions.height));
        return;
    }
    if (dimensions.equals(m_dimensions)) return;
    m_dimensions = dimensions;
    relayout();
}

void CCLabelTTF::setHorizontalAlignment(CCTextAlignment alignment) {
    if (alignment < kCCTextAlignmentLeft || alignment > kCCTextAlignmentRight) {
        CCLog("CCLabelTTF: horizontal alignment %d refused", int(alignment));
        return;
    }
    if (alignment == m_hAlignment) return;
    m_hAlignment = alignment;
    m_textureDirty = true;  // same lines and box, placed differently
}

void CCLabelTTF::setVerticalAlignment(CCVerticalTextAlignment alignment) {
    if (alignment < kCCVerticalTextAlignmentTop || alignment > kCCVerticalTextAlignmentBottom) {
        CCLog("CCLabelTTF: vertical alignment %d refused", int(alignment));
        return;
    }
    if (alignment == m_vAlignment) return;
    m_vAlignment = alignment;
    m_textureDirty = true;
}

// --- layout --------------------------------------------------------------------------------

void CCLabelTTF::relayout() {
    m_lines.clear();
    m_lineWidths.clear();
    m_lineHeight = 0;
    TTF_Font* font = nullptr;
    if (!m_string.empty())
        font = CCFontResolver::sharedResolver().font(m_fontFile, int(std::lround(m_fontSize)));
    if (font) {
        // Lines are spaced by the larger of the font's height and its line skip, so no line's
        // glyphs are cut by the next one's.
        m_lineHeight = std::max(TTF_FontHeight(font), TTF_FontLineSkip(font));
        int maxWidth = int(std::floor(m_dimensions.width));
        size_t start = 0;
        while (true) {
            size_t end = m_string.find('\n', start);
            std::string paragraph = m_string.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
            if (maxWidth > 0)
                wrapParagraph(font, paragraph, maxWidth, m_lines);
            else
                m_lines.push_back(paragraph);
            if (end == std::string::npos) break;
            start = end + 1;
        }
        for (const std::string& line : m_lines) m_lineWidths.push_back(textWidth(font, line));
    }
    // With no font on the machine at all nothing can be drawn, but the label keeps a box of about
    // the text's size: menus built from labels stay touchable and layouts keep their shape.
    const bool blind = !font && !m_string.empty() && m_fontFile.empty();
    if (blind) estimateLines();

    int widest = m_lineWidths.empty() ? 0 : *std::max_element(m_lineWidths.begin(), m_lineWidths.end());
    CCSize box(m_dimensions.width > 0 ? m_dimensions.width : float(widest),
               m_dimensions.height > 0 ? m_dimensions.height : float(m_lineHeight * int(m_lines.size())));
    // The rectangle follows the texture that the next draw makes; until then the old texture,
    // if any, is not shown (draw rebuilds first).
    int texW = std::min(int(std::ceil(box.width)), CCTexture2D::kMaxTextureSide);
    int texH = std::min(int(std::ceil(box.height)), CCTexture2D::kMaxTextureSide);
    bool anyInk = !blind && widest > 0 && texW > 0 && texH > 0;
    if (!anyInk) setTexture(nullptr);
    setTextureRect(anyInk ? CCRect(0, 0, float(texW), float(texH)) : CCRectZero, false, box);
    m_textureDirty = anyInk;
}

void CCLabelTTF::estimateLines() {
    const float em = std::max(m_fontSize, 1.0f);
    m_lineHeight = int(std::ceil(em * 1.2f));
    size_t start = 0;
    while (true) {
        size_t end = m_string.find('\n', start);
        m_lines.push_back(m_string.substr(start, end == std::string::npos ? std::string::npos : end - start));
        m_lineWidths.push_back(int(std::ceil(0.5f * em * float(utf8::charCount(m_lines.back())))));
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

// --- rasterising ---------------------------------------------------------------------------

void CCLabelTTF::updateTexture() {
    if (!m_textureDirty) return;
    m_textureDirty = false;
    int texW = int(getTextureRect().size.width), texH = int(getTextureRect().size.height);
    TTF_Font* font = CCFontResolver::sharedResolver().font(m_fontFile, int(std::lround(m_fontSize)));
    if (!font || texW <= 0 || texH <= 0) {
        setTexture(nullptr);
        return;
    }
    if (std::ceil(getContentSize().width) > texW || std::ceil(getContentSize().height) > texH)
        CCLog("CCLabelTTF: text box %g x %g cut to %d x %d pixels", double(getContentSize().width),
              double(getContentSize().height), texW, texH);

    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, texW, texH, 32, SDL_PIXELFORMAT_RGBA32);
    if (!canvas) {
        CCLog("CCLabelTTF: cannot allocate %d x %d pixels (%s)", texW, texH, SDL_GetError());
        setTexture(nullptr);
        return;
    }
    // White at zero alpha: blending white glyphs onto it keeps the colour white everywhere and
    // carries only the coverage in alpha, so antialiased edges do not darken when tinted.
    SDL_FillRect(canvas, nullptr, SDL_MapRGBA(canvas->format, 255, 255, 255, 0));

    const CCSize& box = getContentSize();
    int blockHeight = m_lineHeight * int(m_lines.size());
    int top = 0;
    if (m_dimensions.height > 0) {
        if (m_vAlignment == kCCVerticalTextAlignmentCenter)
            top = int(std::lround((box.height - blockHeight) / 2));
        else if (m_vAlignment == kCCVerticalTextAlignmentBottom)
            top = int(std::lround(box.height - blockHeight));
    }
    const SDL_Color white = {255, 255, 255, 255};
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].empty()) continue;
        SDL_Surface* line = TTF_RenderUTF8_Blended(font, m_lines[i].c_str(), white);
        if (!line) continue;
        int x = 0;
        if (m_hAlignment == kCCTextAlignmentCenter)
            x = int(std::lround((box.width - line->w) / 2));
        else if (m_hAlignment == kCCTextAlignmentRight)
            x = int(std::lround(box.width - line->w));
        SDL_Rect dst = {x, top + int(i) * m_lineHeight, line->w, line->h};
        SDL_SetSurfaceBlendMode(line, SDL_BLENDMODE_BLEND);
        SDL_BlitSurface(line, nullptr, canvas, &dst);
        SDL_FreeSurface(line);
    }

    auto* texture = new CCTexture2D();
    if (texture->initWithSurface(canvas))
        setTexture(texture);
    else
        setTexture(nullptr);
    texture->release();
    SDL_FreeSurface(canvas);
}

void CCLabelTTF::draw() {
    if (!CCRenderer::current()) return;
    updateTexture();
    CCSprite::draw();
}

}  // namespace engine
