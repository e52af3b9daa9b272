// CCLabelBMFont: loading the font's pages, line breaking and glyph placement, drawing by page.
#include "engine/text/CCLabelBMFont.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/text/CCBMFontConfiguration.h"
#include "engine/text/CCUTF8.h"

namespace engine {

namespace {

const float kMaxWidth = 16384.f;
const uint32_t kNoChar = 0xFFFFFFFFu;

using Codepoints = std::vector<uint32_t>;

// Width of a run of characters: the pen's travel or the right edge of the ink, whichever is
// further, so that the box holds every glyph.
int measure(const CCBMFontConfiguration& font, const Codepoints& run, size_t count) {
    int pen = 0, right = 0;
    uint32_t prev = kNoChar;
    for (size_t i = 0; i < count && i < run.size(); ++i) {
        const CCBMFontGlyph* g = font.glyph(run[i]);
        if (!g) {
            prev = kNoChar;
            continue;
        }
        if (prev != kNoChar) pen += font.kerning(prev, run[i]);
        if (g->width > 0) right = std::max(right, pen + g->xOffset + g->width);
        pen += g->xAdvance;
        prev = run[i];
    }
    return std::max(pen, right);
}

int measure(const CCBMFontConfiguration& font, const Codepoints& run) { return measure(font, run, run.size()); }

void wrapParagraph(const CCBMFontConfiguration& font, const Codepoints& p, int maxWidth, std::vector<Codepoints>& out) {
    Codepoints current;
    size_t i = 0, n = p.size();
    while (i < n) {
        size_t wordStart = i;
        while (wordStart < n && p[wordStart] == ' ') ++wordStart;
        size_t wordEnd = wordStart;
        while (wordEnd < n && p[wordEnd] != ' ') ++wordEnd;
        Codepoints candidate = current;
        candidate.insert(candidate.end(), p.begin() + long(i), p.begin() + long(wordEnd));
        Codepoints word(p.begin() + long(wordStart), p.begin() + long(wordEnd));
        i = wordEnd;
        if (measure(font, candidate) <= maxWidth) {
            current.swap(candidate);
            continue;
        }
        if (!current.empty()) out.push_back(current);  // the spaces at a break are dropped
        current.clear();
        while (!word.empty() && measure(font, word) > maxWidth) {
            size_t fit = 1;  // at least one glyph per line, even one wider than the box
            while (fit < word.size() && measure(font, word, fit + 1) <= maxWidth) ++fit;
            out.emplace_back(word.begin(), word.begin() + long(fit));
            word.erase(word.begin(), word.begin() + long(fit));
        }
        current = word;
    }
    out.push_back(current);
}

}  // namespace

CCLabelBMFont::CCLabelBMFont() { setAnchorPoint(CCPoint(0.5f, 0.5f)); }

CCLabelBMFont::~CCLabelBMFont() { dropFont(); }

CCLabelBMFont* CCLabelBMFont::create() {
    auto* label = new CCLabelBMFont();
    label->init();
    return autoreleasedOrNull(label, true);
}

CCLabelBMFont* CCLabelBMFont::create(const char* str, const char* fntFile, float width, CCTextAlignment alignment,
                                     const CCPoint& imageOffset) {
    auto* label = new CCLabelBMFont();
    label->initWithString(str, fntFile, width, alignment, imageOffset);
    return autoreleasedOrNull(label, true);
}

bool CCLabelBMFont::init() {
    if (!CCNodeRGBA::init()) return false;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    dropFont();
    m_fntFile.clear();
    m_string.clear();
    m_width = kCCLabelAutomaticWidth;
    m_alignment = kCCTextAlignmentLeft;
    m_imageOffset = CCPointZero;
    m_loggedMissing = false;
    updateLabel();
    return true;
}

bool CCLabelBMFont::initWithString(const char* str, const char* fntFile, float width, CCTextAlignment alignment,
                                   const CCPoint& imageOffset) {
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    m_loggedMissing = false;
    size_t dropped = 0;
    m_string = str ? utf8::clean(str, std::strlen(str), &dropped) : std::string();
    if (dropped) CCLog("CCLabelBMFont: dropped %zu bytes of invalid UTF-8 from the label's text", dropped);
    m_width = kCCLabelAutomaticWidth;
    if (std::isfinite(width) && width <= kMaxWidth)
        m_width = width > 0 ? width : kCCLabelAutomaticWidth;
    else
        CCLog("CCLabelBMFont: width %g refused; using the automatic width", double(width));
    m_alignment = kCCTextAlignmentLeft;
    if (alignment >= kCCTextAlignmentLeft && alignment <= kCCTextAlignmentRight)
        m_alignment = alignment;
    else
        CCLog("CCLabelBMFont: alignment %d refused; using left", int(alignment));
    m_imageOffset = CCPointZero;
    if (std::isfinite(imageOffset.x) && std::isfinite(imageOffset.y) && std::fabs(imageOffset.x) <= kMaxWidth &&
        std::fabs(imageOffset.y) <= kMaxWidth)
        m_imageOffset = CCPoint(std::round(imageOffset.x), std::round(imageOffset.y));
    else
        CCLog("CCLabelBMFont: image offset refused");
    m_fntFile = fntFile ? fntFile : "";
    bool ok = loadFont(fntFile);
    updateLabel();
    return ok;
}

// --- font ----------------------------------------------------------------------------------

void CCLabelBMFont::dropFont() {
    for (auto& page : m_pages) page.second->release();
    m_pages.clear();
    m_config.reset();
}

bool CCLabelBMFont::loadFont(const char* fntFile) {
    dropFont();
    if (!fntFile || !*fntFile) {
        CCLog("CCLabelBMFont: no font file given; the label stays empty");
        return false;
    }
    auto config = std::make_unique<CCBMFontConfiguration>();
    if (!config->loadFile(fntFile)) {
        CCLog("CCLabelBMFont: font %s cannot be used; the label stays empty", fntFile);
        return false;
    }
    std::map<int, CCTexture2D*> pages;
    for (const auto& page : config->pages()) {
        CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(page.second.c_str());
        if (!texture) {
            CCLog("CCLabelBMFont: page image %s of %s cannot be loaded; the label stays empty", page.second.c_str(),
                  fntFile);
            for (auto& loaded : pages) loaded.second->release();
            return false;
        }
        texture->retain();
        pages[page.first] = texture;
    }
    m_pages.swap(pages);
    m_config = std::move(config);
    return true;
}

void CCLabelBMFont::setFntFile(const char* fntFile) {
    std::string file = fntFile ? fntFile : "";
    if (file == m_fntFile && (m_config || file.empty())) return;
    m_fntFile = file;
    m_loggedMissing = false;
    loadFont(fntFile);
    updateLabel();
}

// --- text settings -------------------------------------------------------------------------

void CCLabelBMFont::setString(const char* text) {
    size_t dropped = 0;
    std::string cleaned = text ? utf8::clean(text, std::strlen(text), &dropped) : std::string();
    if (dropped) CCLog("CCLabelBMFont: dropped %zu bytes of invalid UTF-8 from the label's text", dropped);
    if (cleaned == m_string) return;
    m_string.swap(cleaned);
    updateLabel();
}

void CCLabelBMFont::setWidth(float width) {
    if (!std::isfinite(width) || width > kMaxWidth) {
        CCLog("CCLabelBMFont: width %g refused", double(width));
        return;
    }
    float w = width > 0 ? width : kCCLabelAutomaticWidth;
    if (w == m_width) return;
    m_width = w;
    updateLabel();
}

void CCLabelBMFont::setAlignment(CCTextAlignment alignment) {
    if (alignment < kCCTextAlignmentLeft || alignment > kCCTextAlignmentRight) {
        CCLog("CCLabelBMFont: alignment %d refused", int(alignment));
        return;
    }
    if (alignment == m_alignment) return;
    m_alignment = alignment;
    updateLabel();
}

float CCLabelBMFont::getLineHeight() const { return m_config ? float(m_config->lineHeight()) : 0.f; }

// --- layout --------------------------------------------------------------------------------

void CCLabelBMFont::updateLabel() {
    m_quads.clear();
    m_lineCount = 0;
    const float fixedWidth = m_width > 0 ? m_width : 0.f;
    if (!m_config || m_string.empty()) {
        setContentSize(CCSize(fixedWidth, 0));
        return;
    }
    const CCBMFontConfiguration& font = *m_config;

    std::vector<Codepoints> lines;
    Codepoints paragraph;
    Codepoints all = utf8::decode(m_string);
    all.push_back('\n');
    const int wrapWidth = int(std::floor(fixedWidth));
    for (uint32_t cp : all) {
        if (cp != '\n') {
            paragraph.push_back(cp);
            continue;
        }
        if (wrapWidth > 0)
            wrapParagraph(font, paragraph, wrapWidth, lines);
        else
            lines.push_back(paragraph);
        paragraph.clear();
    }

    std::vector<int> widths;
    for (const Codepoints& line : lines) widths.push_back(measure(font, line));
    const int widest = *std::max_element(widths.begin(), widths.end());
    const float boxWidth = fixedWidth > 0 ? fixedWidth : float(widest);
    const int lineHeight = font.lineHeight();
    const float boxHeight = float(lineHeight) * float(lines.size());
    m_lineCount = unsigned(lines.size());

    uint32_t firstMissing = kNoChar;
    for (size_t li = 0; li < lines.size(); ++li) {
        float x0 = 0;
        if (m_alignment == kCCTextAlignmentCenter)
            x0 = std::floor((boxWidth - float(widths[li])) / 2);
        else if (m_alignment == kCCTextAlignmentRight)
            x0 = std::floor(boxWidth - float(widths[li]));
        const float top = boxHeight - float(lineHeight) * float(li);
        int pen = 0;
        uint32_t prev = kNoChar;
        for (uint32_t cp : lines[li]) {
            const CCBMFontGlyph* g = font.glyph(cp);
            auto page = g ? m_pages.find(g->page) : m_pages.end();
            if (!g || page == m_pages.end()) {
                if (firstMissing == kNoChar) firstMissing = cp;
                prev = kNoChar;
                continue;
            }
            if (prev != kNoChar) pen += font.kerning(prev, cp);
            prev = cp;
            const int advance = g->xAdvance;
            if (g->width > 0 && g->height > 0) {
                CCTexture2D* texture = page->second;
                const float texW = float(texture->getPixelsWide()), texH = float(texture->getPixelsHigh());
                const float sx = float(g->x) + m_imageOffset.x, sy = float(g->y) + m_imageOffset.y;
                if (sx < 0 || sy < 0 || sx + float(g->width) > texW || sy + float(g->height) > texH) {
                    // A rectangle outside its page would sample nothing sensible.
                    if (firstMissing == kNoChar) firstMissing = cp;
                } else {
                    const float left = x0 + float(pen + g->xOffset), right = left + float(g->width);
                    const float upper = top - float(g->yOffset), lower = upper - float(g->height);
                    const float u0 = sx / texW, u1 = (sx + float(g->width)) / texW;
                    const float v0 = sy / texH, v1 = (sy + float(g->height)) / texH;
                    const ccColor4B white = {255, 255, 255, 255};
                    Quad q;
                    q.page = g->page;
                    q.v[0] = CCVertex{left, lower, white, u0, v1};
                    q.v[1] = CCVertex{right, lower, white, u1, v1};
                    q.v[2] = CCVertex{left, upper, white, u0, v0};
                    q.v[3] = CCVertex{right, upper, white, u1, v0};
                    m_quads.push_back(q);
                }
            }
            pen += advance;
        }
    }
    if (firstMissing != kNoChar && !m_loggedMissing) {
        m_loggedMissing = true;
        CCLog("CCLabelBMFont: font %s cannot draw U+%04X (and maybe others); such characters are skipped",
              m_fntFile.c_str(), unsigned(firstMissing));
    }
    setContentSize(CCSize(boxWidth, boxHeight));
}

// --- drawing -------------------------------------------------------------------------------

void CCLabelBMFont::draw() {
    CCRenderer* renderer = CCRenderer::current();
    if (!renderer || m_quads.empty()) return;
    const CCAffineTransform& t = visitTransform();
    const ccColor3B& c = getDisplayedColor();
    const ccColor4B color = {c.r, c.g, c.b, getDisplayedOpacity()};
    std::vector<CCVertex> triangles;
    for (const auto& page : m_pages) {
        triangles.clear();
        for (const Quad& q : m_quads) {
            if (q.page != page.first) continue;
            CCVertex w[4];
            for (int k = 0; k < 4; ++k)
                w[k] = CCVertex{t.a * q.v[k].x + t.c * q.v[k].y + t.tx, t.b * q.v[k].x + t.d * q.v[k].y + t.ty, color,
                                q.v[k].u, q.v[k].v};
            triangles.insert(triangles.end(), {w[0], w[1], w[2], w[2], w[1], w[3]});
        }
        if (!triangles.empty())
            renderer->drawTriangles(page.second, triangles.data(), int(triangles.size()), BlendMode::Alpha);
    }
}

}  // namespace engine
