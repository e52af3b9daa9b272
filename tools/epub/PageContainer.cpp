// What litehtml asks of its host, answered for one page: fonts, pictures, style sheets, drawing.
#include "tools/epub/PageContainer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include <SDL_image.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include "tools/epub/HrefPath.h"
#include "tools/epub/StyleText.h"

namespace epub {

struct PageContainer::Font {
    TTF_Font* ttf = nullptr;
    int ascent = 0;
    int descent = 0;
    std::shared_ptr<const std::string> bytes;  // the publication's face this font reads from
    ~Font() {
        if (ttf) {
            TTF_CloseFont(ttf);
        }
    }
};

struct PageContainer::Picture {
    SDL_Surface* surface = nullptr;
    ~Picture() {
        if (surface) {
            SDL_FreeSurface(surface);
        }
    }
};

namespace {

std::string lower(std::string s) {
    for (auto& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

std::string trimmed(const std::string& s, const char* chars = " \t\r\n\f") {
    const auto from = s.find_first_not_of(chars);
    if (from == std::string::npos) {
        return std::string();
    }
    return s.substr(from, s.find_last_not_of(chars) - from + 1);
}

std::string unquoted(const std::string& s) {
    return trimmed(trimmed(s), "\"'");
}

// Splits at `separator` outside quotes and parentheses: font lists, @font-face src lists and
// declarations (a data: URL may carry ";" and ",").
std::vector<std::string> splitTopLevel(const std::string& s, char separator) {
    std::vector<std::string> parts;
    std::string current;
    int depth = 0;
    char quote = 0;
    for (char c : s) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth = std::max(0, depth - 1);
        } else if (c == separator && depth == 0) {
            parts.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    parts.push_back(current);
    return parts;
}

std::string withoutComments(const std::string& css) {
    std::string out;
    std::size_t i = 0;
    while (i < css.size()) {
        const auto open = css.find("/*", i);
        if (open == std::string::npos) {
            out.append(css, i, std::string::npos);
            break;
        }
        out.append(css, i, open - i);
        const auto close = css.find("*/", open + 2);
        i = close == std::string::npos ? css.size() : close + 2;
    }
    return out;
}

// The argument of a CSS function such as url(...), unquoted; empty when `item` has none.
std::string functionArgument(const std::string& item, const std::string& name) {
    const std::string low = lower(item);
    const auto at = low.find(name + "(");
    if (at == std::string::npos) {
        return std::string();
    }
    // The closing parenthesis is the first one outside quotes: format(...) may follow.
    const auto from = at + name.size() + 1;
    char quote = 0;
    for (auto i = from; i < item.size(); ++i) {
        const char c = item[i];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ')') {
            return unquoted(item.substr(from, i - from));
        }
    }
    return std::string();
}

int weightOf(const std::string& value) {
    const std::string v = lower(trimmed(value));
    if (v == "bold" || v == "bolder") {
        return 700;
    }
    if (v.empty() || v == "normal" || v == "lighter") {
        return 400;
    }
    const int n = std::atoi(v.c_str());  // a range "100 900" counts from its start
    return n > 0 ? n : 400;
}

bool decodeBase64(const std::string& in, std::string& out) {
    auto value = [](char c) -> int {
        if (c >= 'A' && c <= 'Z') return c - 'A';
        if (c >= 'a' && c <= 'z') return c - 'a' + 26;
        if (c >= '0' && c <= '9') return c - '0' + 52;
        if (c == '+' || c == '-') return 62;
        if (c == '/' || c == '_') return 63;
        return -1;
    };
    out.clear();
    unsigned int buffer = 0;
    int bits = 0;
    for (char c : in) {
        if (c == '=' || std::isspace(static_cast<unsigned char>(c))) {
            continue;
        }
        const int v = value(c);
        if (v < 0) {
            return false;
        }
        buffer = (buffer << 6) | static_cast<unsigned int>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return true;
}

// The bytes of a "data:" URL; false when it is not one or it does not decode.
bool dataUrlBytes(const std::string& url, std::string& bytes) {
    if (lower(url.substr(0, 5)) != "data:") {
        return false;
    }
    const auto comma = url.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    const std::string head = lower(url.substr(5, comma - 5));
    const std::string body = url.substr(comma + 1);
    if (head.size() >= 7 && head.compare(head.size() - 7, 7, ";base64") == 0) {
        return decodeBase64(body, bytes);
    }
    bytes = body;
    return true;
}

enum class FontFormat { Sfnt, Woff, Unknown };

FontFormat sniffFont(const std::string& bytes) {
    if (bytes.size() < 4) {
        return FontFormat::Unknown;
    }
    const std::string tag = bytes.substr(0, 4);
    if (tag == std::string("\0\1\0\0", 4) || tag == "OTTO" || tag == "true" || tag == "ttcf") {
        return FontFormat::Sfnt;
    }
    if (tag == "wOFF" || tag == "wOF2") {
        return FontFormat::Woff;
    }
    return FontFormat::Unknown;
}

SDL_Rect intersect(const SDL_Rect& a, const SDL_Rect& b) {
    SDL_Rect out{0, 0, 0, 0};
    if (!SDL_IntersectRect(&a, &b, &out)) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return out;
}

SDL_Rect toRect(const litehtml::position& p) {
    return SDL_Rect{p.x, p.y, p.width, p.height};
}

bookkit::Rgba toRgba(const litehtml::web_color& c) {
    return bookkit::rgba(c.red, c.green, c.blue, c.alpha);
}

bool drawnBorder(const litehtml::border& b) {
    return b.width > 0 && b.style != litehtml::border_style_none && b.style != litehtml::border_style_hidden &&
           b.color.alpha > 0;
}

}  // namespace

PageContainer::PageContainer(bookkit::Canvas& canvas, std::string docPath, const FileLoader& load,
                             std::vector<std::string>& warnings)
    : canvas_(canvas), docPath_(std::move(docPath)), load_(load), warnings_(warnings) {}

PageContainer::~PageContainer() = default;

void PageContainer::warn(const std::string& warning) {
    if (std::find(warnings_.begin(), warnings_.end(), warning) == warnings_.end()) {
        warnings_.push_back(warning);
    }
}

// ---------------------------------------------------------------------------------------------
// Fonts

void PageContainer::addFontFaces(const std::string& css, const std::string& cssPath) {
    const std::string text = withoutComments(css);
    const std::string low = lower(text);
    std::size_t at = 0;
    while ((at = low.find("@font-face", at)) != std::string::npos) {
        const auto open = text.find('{', at);
        if (open == std::string::npos) {
            break;
        }
        const auto close = text.find('}', open);
        const std::string body = text.substr(open + 1, (close == std::string::npos ? text.size() : close) - open - 1);
        at = close == std::string::npos ? text.size() : close + 1;

        Face face;
        std::string src, familyName;
        for (const auto& declaration : splitTopLevel(body, ';')) {
            const auto colon = declaration.find(':');
            if (colon == std::string::npos) {
                continue;
            }
            const std::string name = lower(trimmed(declaration.substr(0, colon)));
            const std::string value = trimmed(declaration.substr(colon + 1));
            if (name == "font-family") {
                familyName = unquoted(value);
                face.family = lower(familyName);
            } else if (name == "src") {
                src = value;
            } else if (name == "font-weight") {
                face.weight = weightOf(value);
            } else if (name == "font-style") {
                const std::string style = lower(value);
                face.italic = style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos;
            }
        }
        if (face.family.empty() || src.empty()) {
            continue;
        }
        // The first source we can read wins, as a browser would take the first it supports.
        for (const auto& item : splitTopLevel(src, ',')) {
            const std::string url = functionArgument(item, "url");
            if (!url.empty() && loadFontSource(url, cssPath, familyName, face.bytes)) {
                faces_.push_back(face);
                break;
            }
        }
    }
}

bool PageContainer::loadFontSource(const std::string& url, const std::string& cssPath, const std::string& family,
                                   std::shared_ptr<const std::string>& bytes) {
    std::string data, path;
    if (dataUrlBytes(url, data)) {
        path = "a data: URL";
    } else if (!resolveHref(cssPath, url, path)) {
        warn(cssPath + ": font \"" + family + "\" at " + url + " is outside the publication; its text uses Liberation");
        return false;
    } else if (!load_(path, data)) {
        warn(cssPath + ": font \"" + family + "\" file " + path + " is missing; its text uses Liberation");
        return false;
    }
    const FontFormat format = sniffFont(data);
    if (format == FontFormat::Woff) {
        warn(cssPath + ": font \"" + family + "\" in " + path + " is WOFF, which is not read; its text uses Liberation");
        return false;
    }
    TTF_Font* probe = format == FontFormat::Sfnt
                          ? TTF_OpenFontRW(SDL_RWFromConstMem(data.data(), static_cast<int>(data.size())), 1, 16)
                          : nullptr;
    if (!probe) {
        // Obfuscated fonts (META-INF/encryption.xml) land here too: their first bytes are scrambled.
        warn(cssPath + ": font \"" + family + "\" in " + path + " is not TrueType or OpenType; its text uses Liberation");
        return false;
    }
    TTF_CloseFont(probe);
    bytes = std::make_shared<const std::string>(std::move(data));
    return true;
}

const PageContainer::Face* PageContainer::pickFace(const std::string& family, int weight, bool italic) const {
    const Face* best = nullptr;
    int bestScore = 0;
    for (const auto& face : faces_) {
        if (face.family != family) {
            continue;
        }
        // Style matters more than weight; among weights the nearest wins.
        const int score = (face.italic == italic ? 0 : 10000) + std::abs(face.weight - weight);
        if (!best || score < bestScore) {
            best = &face;
            bestScore = score;
        }
    }
    return best;
}

std::string PageContainer::fallbackFile(const std::string& family, int weight, bool italic) {
    // Found once per process: fontconfig's answers do not change while a conversion runs.
    static std::map<std::string, std::string> files;
    std::string pattern = family == "serif" ? "Liberation Serif" : family == "monospace" ? "Liberation Mono" : "Liberation Sans";
    pattern += weight >= 600 ? ":bold" : ":regular";
    pattern += italic ? ":italic" : ":roman";
    auto it = files.find(pattern);
    if (it == files.end()) {
        // Fontconfig is let go after each question, as bookkit's Fonts does: it keeps nothing we need.
        FcInit();
        it = files.emplace(pattern, bookkit::matchFontFile(pattern.c_str())).first;
        FcFini();
    }
    return it->second;
}

litehtml::uint_ptr PageContainer::create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                              litehtml::font_style italicStyle, unsigned int decoration,
                                              litehtml::font_metrics* fm) {
    const bool italic = italicStyle == litehtml::fontStyleItalic;
    size = std::max(1, size);
    auto font = std::make_unique<Font>();
    int synthesized = TTF_STYLE_NORMAL;
    for (const auto& entry : splitTopLevel(faceName ? faceName : "", ',')) {
        const std::string family = lower(unquoted(entry));
        if (const Face* face = pickFace(family, weight, italic)) {
            font->bytes = face->bytes;
            font->ttf = TTF_OpenFontRW(SDL_RWFromConstMem(face->bytes->data(), static_cast<int>(face->bytes->size())),
                                       1, size);
            if (face->weight < 600 && weight >= 600) {
                synthesized |= TTF_STYLE_BOLD;
            }
            if (!face->italic && italic) {
                synthesized |= TTF_STYLE_ITALIC;
            }
            break;
        }
        if (family == "serif" || family == "sans-serif" || family == "monospace" || family == "cursive" ||
            family == "fantasy" || family == "system-ui") {
            font->ttf = TTF_OpenFont(fallbackFile(family, weight, italic).c_str(), size);
            break;
        }
    }
    if (!font->ttf) {
        font->bytes.reset();
        synthesized = TTF_STYLE_NORMAL;
        const std::string file = fallbackFile("sans-serif", weight, italic);
        font->ttf = file.empty() ? nullptr : TTF_OpenFont(file.c_str(), size);
        if (!font->ttf) {
            warn("no font for text: Liberation Sans is not installed (fonts-liberation2)");
        }
    }
    if (decoration & litehtml::font_decoration_underline) {
        synthesized |= TTF_STYLE_UNDERLINE;
    }
    if (decoration & litehtml::font_decoration_linethrough) {
        synthesized |= TTF_STYLE_STRIKETHROUGH;
    }
    if (font->ttf) {
        // Grayscale anti-aliasing only, as the book's own pictures are drawn.
        TTF_SetFontHinting(font->ttf, TTF_HINTING_LIGHT);
        TTF_SetFontStyle(font->ttf, synthesized);
        font->ascent = TTF_FontAscent(font->ttf);
        font->descent = -TTF_FontDescent(font->ttf);
    } else {
        font->ascent = size * 4 / 5;
        font->descent = size - font->ascent;
    }
    if (fm) {
        fm->ascent = font->ascent;
        fm->descent = font->descent;
        fm->height = font->ascent + font->descent;
        int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
        fm->x_height = font->ttf && TTF_GlyphMetrics32(font->ttf, 'x', &minx, &maxx, &miny, &maxy, &advance) == 0
                           ? maxy
                           : font->ascent / 2;
        fm->draw_spaces = decoration != litehtml::font_decoration_none;
    }
    fonts_.push_back(std::move(font));
    return reinterpret_cast<litehtml::uint_ptr>(fonts_.back().get());
}

void PageContainer::delete_font(litehtml::uint_ptr hFont) {
    auto* font = reinterpret_cast<Font*>(hFont);
    fonts_.erase(std::remove_if(fonts_.begin(), fonts_.end(), [font](const auto& f) { return f.get() == font; }),
                 fonts_.end());
}

int PageContainer::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr hFont) {
    auto* font = reinterpret_cast<Font*>(hFont);
    int w = 0, h = 0;
    if (!font || !font->ttf || !text || !*text || TTF_SizeUTF8(font->ttf, text, &w, &h) != 0) {
        return 0;
    }
    return w;
}

void PageContainer::draw_text(litehtml::uint_ptr, const litehtml::tchar_t* text, litehtml::uint_ptr hFont,
                              litehtml::web_color color, const litehtml::position& pos) {
    auto* font = reinterpret_cast<Font*>(hFont);
    // Transparent text keeps its place in the layout and draws nothing.
    if (!font || !font->ttf || !text || !*text || color.alpha == 0) {
        return;
    }
    bookkit::TextImage image(font->ttf, text, toRgba(color), 0, bookkit::Align::Left);
    // litehtml puts the baseline `descent` above the bottom of the run; SDL_ttf draws it `ascent`
    // below the top of the text image.
    canvas_.drawText(image, float(pos.x), float(pos.bottom() - font->descent - font->ascent));
}

int PageContainer::pt_to_px(int pt) const {
    return static_cast<int>(std::lround(pt * 96.0 / 72.0));
}

int PageContainer::get_default_font_size() const {
    return 16;
}

const litehtml::tchar_t* PageContainer::get_default_font_name() const {
    return "sans-serif";
}

void PageContainer::draw_list_marker(litehtml::uint_ptr, const litehtml::list_marker& marker) {
    const auto& p = marker.pos;
    const bookkit::Rgba color = toRgba(marker.color);
    if (!marker.image.empty()) {
        if (Picture* pic = picture(marker.image, marker.baseurl ? marker.baseurl : "")) {
            canvas_.drawImage(pic->surface, float(p.x), float(p.y), float(p.width), float(p.height));
        }
        return;
    }
    switch (marker.marker_type) {
    case litehtml::list_style_type_none:
        return;
    case litehtml::list_style_type_disc:
        canvas_.fillCircle(p.x + p.width / 2.0f, p.y + p.height / 2.0f, std::min(p.width, p.height) / 2.0f, color);
        return;
    case litehtml::list_style_type_circle:
        canvas_.fillRing(p.x + p.width / 2.0f, p.y + p.height / 2.0f, std::min(p.width, p.height) / 2.0f, 1.0f, color);
        return;
    case litehtml::list_style_type_square:
        canvas_.fillRect(float(p.x), float(p.y), float(p.width), float(p.height), color);
        return;
    default: {
        // Other counters are written as numbers, ending just left of the item.
        auto* font = reinterpret_cast<Font*>(marker.font);
        if (!font || !font->ttf) {
            return;
        }
        const std::string number = std::to_string(marker.index) + ".";
        bookkit::TextImage image(font->ttf, number, color, 0, bookkit::Align::Left);
        canvas_.drawText(image, float(p.right() - image.width()), float(p.bottom() - font->descent - font->ascent));
        return;
    }
    }
}

// ---------------------------------------------------------------------------------------------
// Pictures

PageContainer::Picture* PageContainer::picture(const std::string& src, const std::string& baseurl) {
    std::string bytes, path;
    // A data: URL is its own key (PNG ones share their first bytes) and is named by its start.
    const bool embedded = dataUrlBytes(src, bytes);
    if (embedded) {
        path = src.substr(0, std::min<std::size_t>(src.size(), 30)) + "...";
    } else if (!resolveHref(baseurl.empty() ? docPath_ : baseurl, src, path)) {
        warn(docPath_ + ": picture " + src + " is outside the publication; not drawn");
        return nullptr;
    }
    const std::string& key = embedded ? src : path;
    auto it = pictures_.find(key);
    if (it != pictures_.end()) {
        return it->second->surface ? it->second.get() : nullptr;
    }
    auto pic = std::make_unique<Picture>();
    if (!embedded && !load_(path, bytes)) {
        warn(docPath_ + ": picture " + path + " is missing; not drawn");
    } else if (SDL_Surface* decoded = IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1)) {
        pic->surface = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(decoded);
    } else {
        warn(docPath_ + ": picture " + path + " cannot be decoded (" + IMG_GetError() + "); not drawn");
    }
    Picture* result = pic->surface ? pic.get() : nullptr;
    pictures_[key] = std::move(pic);
    return result;
}

void PageContainer::load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool) {
    if (src && *src) {
        picture(src, baseurl ? baseurl : "");
    }
}

void PageContainer::get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl,
                                   litehtml::size& sz) {
    Picture* pic = src && *src ? picture(src, baseurl ? baseurl : "") : nullptr;
    sz.width = pic ? pic->surface->w : 0;
    sz.height = pic ? pic->surface->h : 0;
}

void PageContainer::draw_background(litehtml::uint_ptr, const litehtml::background_paint& bg) {
    const SDL_Rect viewport{0, 0, canvas_.width(), canvas_.height()};
    // The root element's background paints the whole canvas, as a browser's does.
    const SDL_Rect area = bg.is_root ? viewport : toRect(bg.clip_box);
    SDL_Rect clip = area;
    for (const auto& c : clips_) {
        clip = intersect(clip, toRect(c));
    }
    clip = intersect(clip, viewport);
    if (clip.w <= 0 || clip.h <= 0) {
        return;
    }
    canvas_.setClip(&clip);
    if (bg.color.alpha > 0) {
        const float radius = bg.is_root ? 0.0f : float(bg.border_radius.top_left_x);
        canvas_.fillRoundRect(float(area.x), float(area.y), float(area.w), float(area.h), radius, toRgba(bg.color));
    }
    Picture* pic = bg.image.empty() ? nullptr : picture(bg.image, bg.baseurl);
    if (pic) {
        const int w = bg.image_size.width > 0 ? bg.image_size.width : pic->surface->w;
        const int h = bg.image_size.height > 0 ? bg.image_size.height : pic->surface->h;
        const bool repeatX = bg.repeat == litehtml::background_repeat_repeat || bg.repeat == litehtml::background_repeat_repeat_x;
        const bool repeatY = bg.repeat == litehtml::background_repeat_repeat || bg.repeat == litehtml::background_repeat_repeat_y;
        // Tiles start at the positioned one and step back to cover the clip's top left corner.
        auto firstTile = [](int at, int step, int from) {
            return at - static_cast<int>(std::ceil(double(at - from) / step)) * step;
        };
        const int x0 = repeatX ? firstTile(bg.position_x, w, clip.x) : bg.position_x;
        const int y0 = repeatY ? firstTile(bg.position_y, h, clip.y) : bg.position_y;
        const int x1 = repeatX ? clip.x + clip.w : x0 + 1;
        const int y1 = repeatY ? clip.y + clip.h : y0 + 1;
        for (int y = y0; y < y1; y += h) {
            for (int x = x0; x < x1; x += w) {
                canvas_.drawImage(pic->surface, float(x), float(y), float(w), float(h));
            }
        }
    }
    applyClip();
}

void PageContainer::draw_borders(litehtml::uint_ptr, const litehtml::borders& borders,
                                 const litehtml::position& p, bool) {
    // Every drawn style is painted solid: picture pages use frames, not bevels.
    const auto& t = borders.top;
    const bool uniform = t.width == borders.left.width && t.width == borders.right.width &&
                         t.width == borders.bottom.width && t.color.red == borders.left.color.red &&
                         t.color.green == borders.left.color.green && t.color.blue == borders.left.color.blue;
    const int radius = borders.radius.top_left_x;
    if (uniform && radius > 0 && drawnBorder(t)) {
        canvas_.roundRectOutline(float(p.x), float(p.y), float(p.width), float(p.height), float(radius),
                                 float(t.width), toRgba(t.color));
        return;
    }
    if (drawnBorder(borders.top)) {
        canvas_.fillRect(float(p.x), float(p.y), float(p.width), float(borders.top.width), toRgba(borders.top.color));
    }
    if (drawnBorder(borders.bottom)) {
        canvas_.fillRect(float(p.x), float(p.bottom() - borders.bottom.width), float(p.width),
                         float(borders.bottom.width), toRgba(borders.bottom.color));
    }
    if (drawnBorder(borders.left)) {
        canvas_.fillRect(float(p.x), float(p.y), float(borders.left.width), float(p.height), toRgba(borders.left.color));
    }
    if (drawnBorder(borders.right)) {
        canvas_.fillRect(float(p.right() - borders.right.width), float(p.y), float(borders.right.width),
                         float(p.height), toRgba(borders.right.color));
    }
}

// ---------------------------------------------------------------------------------------------
// Clipping

void PageContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool valid_x,
                             bool valid_y) {
    litehtml::position clip = pos;
    if (!valid_x) {
        clip.x = 0;
        clip.width = canvas_.width();
    }
    if (!valid_y) {
        clip.y = 0;
        clip.height = canvas_.height();
    }
    clips_.push_back(clip);
    applyClip();
}

void PageContainer::del_clip() {
    if (!clips_.empty()) {
        clips_.pop_back();
    }
    applyClip();
}

void PageContainer::applyClip() {
    SDL_Rect clip{0, 0, canvas_.width(), canvas_.height()};
    for (const auto& c : clips_) {
        clip = intersect(clip, toRect(c));
    }
    canvas_.setClip(&clip);
}

void PageContainer::get_client_rect(litehtml::position& client) const {
    client = litehtml::position(0, 0, canvas_.width(), canvas_.height());
}

// ---------------------------------------------------------------------------------------------
// Style sheets and the rest

void PageContainer::import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) {
    std::string path;
    if (!resolveHref(baseurl.empty() ? docPath_ : baseurl, url, path)) {
        warn(docPath_ + ": style sheet " + url + " is outside the publication; not read");
        return;
    }
    std::string css;
    if (!load_(path, css)) {
        warn(docPath_ + ": style sheet " + path + " is missing");
        return;
    }
    addFontFaces(css, path);
    text = withBackgroundSizeApart(css);
    // url(...) inside the sheet is relative to the sheet itself.
    baseurl = path;
}

void PageContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
    // ASCII letters only: enough for picture-book headings; other scripts are left as written.
    bool wordStart = true;
    for (auto& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (tt == litehtml::text_transform_uppercase || (tt == litehtml::text_transform_capitalize && wordStart)) {
            c = static_cast<char>(std::toupper(u));
        } else if (tt == litehtml::text_transform_lowercase) {
            c = static_cast<char>(std::tolower(u));
        }
        wordStart = std::isspace(u) != 0;
    }
}

void PageContainer::get_media_features(litehtml::media_features& media) const {
    media.type = litehtml::media_type_screen;
    media.width = media.device_width = canvas_.width();
    media.height = media.device_height = canvas_.height();
    media.color = 8;
    media.color_index = 0;
    media.monochrome = 0;
    media.resolution = 96;
}

void PageContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
    language = "en";
    culture.clear();
}

std::shared_ptr<litehtml::element> PageContainer::create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                                                                 const std::shared_ptr<litehtml::document>&) {
    return nullptr;
}

void PageContainer::set_caption(const litehtml::tchar_t*) {}
void PageContainer::set_base_url(const litehtml::tchar_t*) {}
void PageContainer::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) {}
void PageContainer::on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) {}
void PageContainer::set_cursor(const litehtml::tchar_t*) {}

}  // namespace epub
