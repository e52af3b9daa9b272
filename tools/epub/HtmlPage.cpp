// One fixed-layout content document laid out by litehtml and drawn through our own canvas; after
// drawing it answers where an element's text lies, line by line.
#include "tools/epub/HtmlPage.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include <SDL_ttf.h>
#include <litehtml/litehtml.h>
#include <litehtml/el_text.h>
#include <pugixml.hpp>

#include "tools/epub/PageContainer.h"
#include "tools/epub/StyleText.h"

namespace epub {

namespace {

// What a browser assumes before any author style: which elements are blocks, list items, table
// parts or hidden, and the usual margins, sizes and faces. litehtml brings none of its own.
const char* const kUserAgentCss = R"CSS(
html, body, div, p, address, blockquote, center, dd, dl, dt, fieldset, form, h1, h2, h3, h4, h5, h6,
hr, menu, dir, ol, ul, pre, header, footer, nav, section, article, aside, main, figure, figcaption,
hgroup, details, summary, legend, noscript { display: block; }
head, script, style, title, meta, link, base, template, [hidden] { display: none; }
li { display: list-item; }
table { display: table; border-collapse: separate; border-spacing: 2px; }
caption { display: table-caption; text-align: center; }
thead { display: table-header-group; }
tbody { display: table-row-group; }
tfoot { display: table-footer-group; }
tr { display: table-row; }
col { display: table-column; }
colgroup { display: table-column-group; }
td, th { display: table-cell; padding: 1px; vertical-align: inherit; }
img { display: inline-block; }
br { display: block; }
body { margin: 8px; }
p, dl, blockquote, figure { margin-top: 1em; margin-bottom: 1em; }
blockquote, figure { margin-left: 40px; margin-right: 40px; }
dd { margin-left: 40px; }
ol, ul, menu, dir { margin-top: 1em; margin-bottom: 1em; padding-left: 40px; }
ol { list-style-type: decimal; }
ul, menu, dir { list-style-type: disc; }
ol ol, ol ul, ul ol, ul ul { margin-top: 0; margin-bottom: 0; }
h1 { font-size: 2em; margin-top: 0.67em; margin-bottom: 0.67em; }
h2 { font-size: 1.5em; margin-top: 0.83em; margin-bottom: 0.83em; }
h3 { font-size: 1.17em; margin-top: 1em; margin-bottom: 1em; }
h4 { margin-top: 1.33em; margin-bottom: 1.33em; }
h5 { font-size: 0.83em; margin-top: 1.67em; margin-bottom: 1.67em; }
h6 { font-size: 0.67em; margin-top: 2.33em; margin-bottom: 2.33em; }
h1, h2, h3, h4, h5, h6, b, strong, th { font-weight: bold; }
i, em, cite, var, dfn, address { font-style: italic; }
u, ins, a { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
a { color: #0000ee; }
sub { vertical-align: sub; font-size: smaller; }
sup { vertical-align: super; font-size: smaller; }
small { font-size: smaller; }
big { font-size: larger; }
pre, code, kbd, samp, tt { font-family: monospace; }
pre { white-space: pre; }
center { text-align: center; }
hr { border: 1px solid #808080; margin-top: 0.5em; margin-bottom: 0.5em; }
)CSS";

bool isVoidElement(const std::string& name) {
    static const std::set<std::string> kVoid = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                                "link", "meta", "param", "source", "track", "wbr"};
    return kVoid.count(name) != 0;
}

std::string localName(const char* qualified) {
    std::string name = qualified;
    const auto colon = name.find(':');
    if (colon != std::string::npos) {
        name = name.substr(colon + 1);
    }
    for (auto& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

void appendEscaped(std::string& out, const char* text, bool attribute) {
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        default: out += *p;
        }
    }
}

double number(const char* text, double fallback) {
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    return end != text && v > 0 ? v : fallback;
}

std::string wholePx(double v) {
    return std::to_string(static_cast<long>(std::lround(v))) + "px";
}

// Writes an XML element tree as HTML the way an HTML parser reads it back unchanged: empty
// elements get end tags (an HTML parser takes <span/> as an open tag), void elements none, and
// style sheets stay raw text. Scripts are left out: they never run here. Content litehtml cannot
// draw (video, canvas, frames, MathML, SVG drawings) is left empty and named in `undrawn`; an SVG
// that frames a picture, as fixed-layout pages often do, becomes that picture.
struct HtmlWriter {
    int viewportWidth = 0;
    int viewportHeight = 0;
    std::string out;
    std::set<std::string> undrawn;

    void children(const pugi::xml_node& node, bool rawText) {
        for (const auto& child : node.children()) {
            switch (child.type()) {
            case pugi::node_element:
                element(child);
                break;
            case pugi::node_pcdata:
            case pugi::node_cdata:
                if (rawText) {
                    out += withBackgroundSizeApart(child.value());
                } else {
                    appendEscaped(out, child.value(), false);
                }
                break;
            default:
                break;
            }
        }
    }

    void openTag(const pugi::xml_node& node) {
        out += '<';
        out += node.name();
        for (const auto& attr : node.attributes()) {
            out += ' ';
            out += attr.name();
            out += "=\"";
            const bool style = localName(attr.name()) == "style";
            appendEscaped(out, style ? withBackgroundSizeApart(attr.value()).c_str() : attr.value(), true);
            out += '"';
        }
        out += '>';
    }

    void closeTag(const pugi::xml_node& node) {
        out += "</";
        out += node.name();
        out += '>';
    }

    void element(const pugi::xml_node& node) {
        const std::string name = localName(node.name());
        static const std::set<std::string> kUndrawn = {"video", "canvas", "iframe", "object", "embed", "math"};
        if (name == "script") {
            return;
        }
        if (name == "svg") {
            svg(node);
            return;
        }
        openTag(node);
        if (isVoidElement(name)) {
            return;
        }
        if (kUndrawn.count(name) != 0) {
            undrawn.insert("<" + name + ">");
        } else {
            children(node, name == "style");
        }
        closeTag(node);
    }

    // The SVG's box: its width and height in pixels, percentages (or none) of the viewport.
    void svg(const pugi::xml_node& node) {
        pugi::xml_node image;
        bool drawsMore = false;
        for (const auto& d : node.select_nodes(".//*")) {
            const std::string name = localName(d.node().name());
            if (name == "image" && !image) {
                image = d.node();
            } else if (name != "title" && name != "desc" && name != "g" && name != "defs" && name != "metadata") {
                drawsMore = true;
            }
        }
        const char* href = image ? image.attribute("xlink:href").as_string(image.attribute("href").as_string()) : "";
        if (!*href || drawsMore) {
            undrawn.insert(*href ? "<svg> drawing beside its picture" : "<svg>");
        }
        if (!*href) {
            openTag(node);
            closeTag(node);
            return;
        }
        auto length = [](const pugi::xml_attribute& attr, double whole) {
            const std::string v = attr.as_string();
            if (v.empty()) {
                return whole;
            }
            if (v.back() == '%') {
                return whole * number(v.c_str(), 100) / 100.0;
            }
            return number(v.c_str(), whole);
        };
        const double boxW = length(node.attribute("width"), viewportWidth);
        const double boxH = length(node.attribute("height"), viewportHeight);
        // viewBox "x y w h" mapped into the box, centred and whole (the default "xMidYMid meet").
        double vb[4] = {0, 0, boxW, boxH};
        std::istringstream viewBox(node.attribute("viewBox").as_string());
        std::string part;
        for (int i = 0; i < 4 && viewBox >> part; ++i) {
            vb[i] = std::strtod(part.c_str(), nullptr);
            while (viewBox.peek() == ',' || viewBox.peek() == ' ') {
                viewBox.get();
            }
        }
        if (vb[2] <= 0 || vb[3] <= 0) {
            vb[2] = boxW;
            vb[3] = boxH;
        }
        const bool stretch = std::string(node.attribute("preserveAspectRatio").as_string()) == "none";
        const double sx = boxW / vb[2], sy = boxH / vb[3];
        const double scaleX = stretch ? sx : std::min(sx, sy), scaleY = stretch ? sy : std::min(sx, sy);
        const double offsetX = (boxW - vb[2] * scaleX) / 2, offsetY = (boxH - vb[3] * scaleY) / 2;
        const double ix = image.attribute("x").as_double(0), iy = image.attribute("y").as_double(0);
        const double iw = length(image.attribute("width"), vb[2]), ih = length(image.attribute("height"), vb[3]);
        const bool sized = node.attribute("width") && std::string(node.attribute("width").as_string()).back() != '%';
        // A box of the viewport's size is placed at the top left of the page, as the SVG would be
        // in a page whose body has no margin.
        out += "<div";
        for (const char* keep : {"id", "class"}) {
            if (node.attribute(keep)) {
                out += std::string(" ") + keep + "=\"";
                appendEscaped(out, node.attribute(keep).value(), true);
                out += '"';
            }
        }
        std::string style = (sized ? "position:relative;" : "position:absolute;left:0;top:0;") + std::string("width:") +
                            wholePx(boxW) + ";height:" + wholePx(boxH) + ";overflow:hidden;";
        style += node.attribute("style").as_string();
        out += " style=\"";
        appendEscaped(out, style.c_str(), true);
        out += "\"><img src=\"";
        appendEscaped(out, href, true);
        out += "\" alt=\"\" style=\"position:absolute;left:" + wholePx(offsetX + (ix - vb[0]) * scaleX) +
               ";top:" + wholePx(offsetY + (iy - vb[1]) * scaleY) + ";width:" + wholePx(iw * scaleX) +
               ";height:" + wholePx(ih * scaleY) + "\"></div>";
    }
};

// The style sheets written into the document itself, for their @font-face rules.
void collectStyleText(const pugi::xml_node& node, std::vector<std::string>& sheets) {
    for (const auto& child : node.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (localName(child.name()) == "style") {
            std::string text;
            for (const auto& part : child.children()) {
                text += part.value();
            }
            sheets.push_back(text);
        } else {
            collectStyleText(child, sheets);
        }
    }
}

std::string collapsedWhiteSpace(const std::string& text) {
    std::string out;
    bool space = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // No-break spaces (U+00A0) count as white space here: a sentence's text is for reading.
        const bool nbsp = c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
        if (std::isspace(static_cast<unsigned char>(c)) || nbsp) {
            space = !out.empty();
            i += nbsp ? 1 : 0;
        } else {
            if (space) {
                out += ' ';
            }
            out += c;
            space = false;
        }
    }
    return out;
}

// A block container: what a browser lays out lines in. Positioned and floated boxes count too,
// since CSS makes blocks of them whatever their display says.
bool placedByItself(const litehtml::element& el) {
    const auto position = el.get_element_position();
    return position == litehtml::element_position_absolute || position == litehtml::element_position_fixed;
}

bool isBlockLike(const litehtml::element& el) {
    switch (el.get_display()) {
    case litehtml::display_block:
    case litehtml::display_inline_block:
    case litehtml::display_list_item:
    case litehtml::display_table:
    case litehtml::display_inline_table:
    case litehtml::display_table_caption:
    case litehtml::display_table_cell:
        return true;
    default:
        break;
    }
    return placedByItself(el) || el.get_float() != litehtml::float_none;
}

bookkit::RectF rectOf(const litehtml::position& p) {
    return bookkit::RectF{float(p.x), float(p.y), float(p.width), float(p.height)};
}

bookkit::RectF borderBox(const litehtml::element& el) {
    litehtml::position box = el.get_placement();
    box.x -= el.padding_left() + el.border_left();
    box.y -= el.padding_top() + el.border_top();
    box.width += el.padding_left() + el.padding_right() + el.border_left() + el.border_right();
    box.height += el.padding_top() + el.padding_bottom() + el.border_top() + el.border_bottom();
    return rectOf(box);
}

}  // namespace

struct HtmlPage::Impl {
    // Declared in the order they are needed: the document is destroyed first, since it hands its
    // fonts back to the container.
    std::unique_ptr<bookkit::Canvas> canvas;
    std::unique_ptr<PageContainer> container;
    litehtml::context context;
    litehtml::document::ptr document;
    std::map<std::string, litehtml::element::ptr> ids;
    std::map<const litehtml::element*, int> blocks;

    void index(const litehtml::element::ptr& el, int& nextBlock) {
        const char* id = el->get_attr("id");
        if (id && *id) {
            ids.emplace(id, el);
        }
        if (isBlockLike(*el)) {
            blocks[el.get()] = nextBlock++;
        }
        for (std::size_t i = 0; i < el->get_children_count(); ++i) {
            index(el->get_child(static_cast<int>(i)), nextBlock);
        }
    }

    // The text a reader sees under el: line breaks and block edges separate words, hidden parts
    // are left out.
    static void visibleText(const litehtml::element::ptr& el, std::string& text) {
        if (dynamic_cast<const litehtml::el_text*>(el.get())) {
            el->get_text(text);
            return;
        }
        if (el->get_display() == litehtml::display_none) {
            return;
        }
        if (el->is_break()) {
            text += ' ';
            return;
        }
        const bool block = isBlockLike(*el);
        text += block ? " " : "";
        for (std::size_t i = 0; i < el->get_children_count(); ++i) {
            visibleText(el->get_child(static_cast<int>(i)), text);
        }
        text += block ? " " : "";
    }

    // Boxes of the words under el, in document order.
    static void textRuns(const litehtml::element::ptr& el, std::vector<litehtml::position>& runs) {
        if (dynamic_cast<const litehtml::el_text*>(el.get())) {
            if (!el->is_white_space() && !el->skip() && el->get_position().width > 0) {
                runs.push_back(el->get_placement());
            }
            return;
        }
        if (el->get_display() == litehtml::display_none) {
            return;
        }
        for (std::size_t i = 0; i < el->get_children_count(); ++i) {
            textRuns(el->get_child(static_cast<int>(i)), runs);
        }
    }
};

HtmlPage::HtmlPage() : impl_(std::make_unique<Impl>()) {
    impl_->context.load_master_stylesheet(kUserAgentCss);
}

HtmlPage::~HtmlPage() {
    // The document hands its fonts back to the container as it goes.
    impl_->document.reset();
}

bool HtmlPage::render(const std::string& xhtml, const std::string& docPath, int width, int height,
                      const FileLoader& load, std::vector<std::string>& warnings, std::string& error) {
    Impl& d = *impl_;
    d.document.reset();
    d.ids.clear();
    d.blocks.clear();
    d.container.reset();
    d.canvas.reset();
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        error = docPath + ": page size " + std::to_string(width) + " x " + std::to_string(height) + " is not drawable";
        return false;
    }
    if (TTF_WasInit() == 0) {
        error = "text drawing is not initialised (SDL_ttf)";
        return false;
    }
    d.canvas = std::make_unique<bookkit::Canvas>(width, height, bookkit::rgba(255, 255, 255), 1);
    if (!d.canvas->ok()) {
        error = std::string("cannot make a ") + std::to_string(width) + " x " + std::to_string(height) +
                " drawing surface: " + SDL_GetError();
        d.canvas.reset();
        return false;
    }
    d.container = std::make_unique<PageContainer>(*d.canvas, docPath, load, warnings);

    // Read as XML first, so that XHTML's empty-element tags survive the HTML parser litehtml uses.
    pugi::xml_document xml;
    const auto parsed = xml.load_buffer(xhtml.data(), xhtml.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    std::string html;
    if (parsed) {
        std::vector<std::string> sheets;
        collectStyleText(xml, sheets);
        for (const auto& sheet : sheets) {
            d.container->addFontFaces(sheet, docPath);
        }
        HtmlWriter writer;
        writer.viewportWidth = width;
        writer.viewportHeight = height;
        writer.out = "<!DOCTYPE html>\n";
        writer.children(xml, false);
        html = std::move(writer.out);
        for (const auto& what : writer.undrawn) {
            d.container->warn(docPath + ": " + what + " is not drawn");
        }
    } else {
        d.container->warn(docPath + ": not well-formed XHTML (" + parsed.description() + " at byte " +
                          std::to_string(parsed.offset) + "); read as HTML");
        html = xhtml;
    }

    d.document = litehtml::document::createFromString(html.c_str(), d.container.get(), &d.context);
    if (!d.document || !d.document->root()) {
        error = docPath + ": the document could not be read";
        d.document.reset();
        return false;
    }
    d.document->render(width);
    const litehtml::position clip(0, 0, width, height);
    d.document->draw(0, 0, 0, &clip);

    int nextBlock = 0;
    d.index(d.document->root(), nextBlock);
    return true;
}

bool HtmlPage::savePng(const std::string& path, std::string& error) const {
    if (!impl_->canvas) {
        error = "no page has been drawn";
        return false;
    }
    return impl_->canvas->savePng(path, error);
}

bool HtmlPage::element(const std::string& id, std::string& text, std::vector<bookkit::RectF>& lines,
                       int& block) const {
    const auto found = impl_->ids.find(id);
    if (found == impl_->ids.end()) {
        return false;
    }
    const litehtml::element::ptr& el = found->second;
    std::string raw;
    Impl::visibleText(el, raw);
    text = collapsedWhiteSpace(raw);

    std::vector<litehtml::position> runs;
    Impl::textRuns(el, runs);
    lines.clear();
    if (placedByItself(*el)) {
        // An element the page places where it wants it is touched anywhere inside it, however
        // its text runs; or, when it holds placed parts of its own (a sentence drawn over
        // several lines), inside those parts and nowhere else.
        for (std::size_t i = 0; i < el->get_children_count(); ++i) {
            const litehtml::element::ptr part = el->get_child(static_cast<int>(i));
            if (placedByItself(*part)) lines.push_back(borderBox(*part));
        }
        if (lines.empty()) lines.push_back(borderBox(*el));
    } else if (runs.empty()) {
        // A picture or an empty box: its border box is its one line.
        lines.push_back(borderBox(*el));
    } else {
        // Runs share a line when one's middle lies within the other's height; runs of a line
        // may differ in size (a bigger word, a superscript).
        std::vector<litehtml::position> boxes;
        for (const auto& run : runs) {
            const int middle = run.y + run.height / 2;
            auto line = std::find_if(boxes.begin(), boxes.end(), [middle](const litehtml::position& b) {
                return middle >= b.y && middle < b.bottom();
            });
            if (line == boxes.end()) {
                boxes.push_back(run);
                continue;
            }
            const int left = std::min(line->x, run.x), top = std::min(line->y, run.y);
            const int right = std::max(line->right(), run.right()), bottom = std::max(line->bottom(), run.bottom());
            *line = litehtml::position(left, top, right - left, bottom - top);
        }
        std::sort(boxes.begin(), boxes.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
        for (const auto& b : boxes) {
            lines.push_back(rectOf(b));
        }
    }

    block = -1;
    for (litehtml::element::ptr up = el; up; up = up->parent()) {
        const auto numbered = impl_->blocks.find(up.get());
        if (numbered != impl_->blocks.end()) {
            block = numbered->second;
            break;
        }
    }
    return true;
}

}  // namespace epub
