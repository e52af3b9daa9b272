// Writing the publication's documents as text: page XHTML, SMIL overlays, style sheet, navigation
// document, package document and container.
#include "tools/epub/Publication.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/book/Md5Digest.h"

namespace epub {

const char* const kActiveClass = "reading-now";

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Text for XML content and attribute values. Characters XML 1.0 cannot carry (controls but tab and
// line ends) are dropped; the book check has made sure the text is UTF-8.
std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') break;
                out += c;
        }
    }
    return out;
}

// Pixels with at most two decimals and no trailing zeros.
std::string cssPx(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(v * 100.0) / 100.0);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s + "px";
}

std::string placed(const PageRect& r) {
    return "left: " + cssPx(r.x) + "; top: " + cssPx(r.y) + "; width: " + cssPx(r.w) + "; height: " + cssPx(r.h) + ";";
}

std::string pageName(int number, const char* extension) {
    char text[32];
    std::snprintf(text, sizeof text, "page_%03d%s", number, extension);
    return text;
}

std::string pageId(const char* prefix, int number) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%03d", prefix, number);
    return text;
}

const char* const kStyleSheet =
    "/* A fixed page: the picture covers it, sentences lie over their places in it, their text\n"
    "   transparent; the sentence being read is lit like the reader's touched sentence. */\n"
    "html, body { margin: 0; padding: 0; width: 640px; height: 960px; overflow: hidden; }\n"
    ".page { position: relative; width: 640px; height: 960px; overflow: hidden; }\n"
    ".picture { position: absolute; left: 0; top: 0; width: 640px; height: 960px; }\n"
    ".sentence { position: absolute; margin: 0; padding: 0; overflow: hidden; color: transparent;\n"
    "            font-size: 16px; line-height: 1.2; border-radius: 6px; }\n"
    ".part { position: absolute; display: block; border-radius: 6px; }\n"
    ".sentence.reading-now { background-color: rgba(255, 214, 64, 0.43); }\n"
    ".sentence.parts.reading-now { background-color: transparent; }\n"
    ".sentence.parts.reading-now .part { background-color: rgba(255, 214, 64, 0.43); }\n";

}  // namespace

std::string Publication::clock(long long ms) {
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms % 1000);
    return text;
}

std::string Publication::identifier(const app::BookDescription& description) {
    std::array<std::uint8_t, 16> b =
        Md5Digest::digestOf("quirel book\n" + description.title + "\n" + std::to_string(description.pageCount));
    b[6] = static_cast<std::uint8_t>((b[6] & 0x0F) | 0x30);  // version 3: name-based, MD5
    b[8] = static_cast<std::uint8_t>((b[8] & 0x3F) | 0x80);  // the RFC 4122 variant
    std::string out = "urn:uuid:";
    static const char* hex = "0123456789abcdef";
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
        out += hex[b[static_cast<std::size_t>(i)] >> 4];
        out += hex[b[static_cast<std::size_t>(i)] & 15];
    }
    return out;
}

void Publication::addPage(const BookPage& page, const PagePicture& picture) {
    const std::string xhtml = pageName(page.number, ".xhtml");
    const std::string smil = pageName(page.number, ".smil");
    const std::string image = "images/" + pageName(page.number, picture.extension.c_str());
    const std::string lang = escaped(book_.description.language);

    std::string doc = kXmlHead;
    doc += "<!DOCTYPE html>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\" xml:lang=\"" +
           lang + "\" lang=\"" + lang + "\">\n<head>\n<meta charset=\"UTF-8\"/>\n" +
           "<meta name=\"viewport\" content=\"width=640, height=960\"/>\n<title>" + escaped(book_.description.title) +
           " - " + std::to_string(page.number) + "</title>\n" +
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"style/page.css\"/>\n</head>\n<body>\n" +
           "<div id=\"page\" class=\"page\">\n<img class=\"picture\" src=\"" + image + "\" alt=\"\"/>\n";
    std::string pars;
    long long pageMs = 0;
    for (const BookSentence& s : page.sentences) {
        if (s.boxes.size() == 1) {
            doc += "<div id=\"" + s.id + "\" class=\"sentence\" style=\"" + placed(s.boxes[0]) + "\">" + escaped(s.text) +
                   "</div>\n";
        } else {
            PageRect all = s.boxes[0];
            double x1 = all.x + all.w, y1 = all.y + all.h;
            for (const PageRect& r : s.boxes) {
                x1 = std::max(x1, r.x + r.w);
                y1 = std::max(y1, r.y + r.h);
                all.x = std::min(all.x, r.x);
                all.y = std::min(all.y, r.y);
            }
            all.w = x1 - all.x;
            all.h = y1 - all.y;
            doc += "<div id=\"" + s.id + "\" class=\"sentence parts\" style=\"" + placed(all) + "\">";
            for (const PageRect& r : s.boxes) {
                const PageRect inside{r.x - all.x, r.y - all.y, r.w, r.h};
                doc += "<span class=\"part\" style=\"" + placed(inside) + "\"></span>";
            }
            doc += escaped(s.text) + "</div>\n";
        }
        pars += "<par id=\"" + s.id + "_read\">\n<text src=\"" + xhtml + "#" + s.id + "\"/>\n<audio src=\"audio/" +
                s.audioName + "\" clipBegin=\"0:00:00.000\" clipEnd=\"" + clock(s.durationMs) + "\"/>\n</par>\n";
        pageMs += s.durationMs;
    }
    doc += "</div>\n</body>\n</html>\n";

    Item item{pageId("page_", page.number), xhtml, "application/xhtml+xml", "", ""};
    if (!page.sentences.empty()) {
        item.overlay = pageId("overlay_", page.number);
        std::string overlay = kXmlHead;
        overlay += "<smil xmlns=\"http://www.w3.org/ns/SMIL\" xmlns:epub=\"http://www.idpf.org/2007/ops\" version=\"3.0\">\n"
                   "<body>\n<seq id=\"page_read\" epub:textref=\"" + xhtml + "#page\">\n" + pars +
                   "</seq>\n</body>\n</smil>\n";
        entries_.push_back({"OEBPS/" + smil, overlay, std::string(), true});
        items_.push_back({item.overlay, smil, "application/smil+xml", "", ""});
        overlays_.emplace_back(item.overlay, pageMs);
        totalMs_ += pageMs;
    }
    entries_.push_back({"OEBPS/" + xhtml, doc, std::string(), true});
    items_.push_back(item);
    spine_.push_back(item.id);

    // Pictures and recordings are compressed already.
    entries_.push_back({"OEBPS/" + image, std::string(), picture.file, false});
    items_.push_back({pageId("picture_", page.number), image, picture.mediaType,
                      page.number == 1 ? "cover-image" : "", ""});
    for (const BookSentence& s : page.sentences) {
        ++sentences_;
        // Two sentences the reader's names give one recording share it (page 11's sentence 11 and
        // page 111's sentence 1).
        if (!audioNames_.insert(s.audioName).second) continue;
        entries_.push_back({"OEBPS/audio/" + s.audioName, std::string(), book_.dir + "/" + s.recording, false});
        std::string id = "audio_" + s.audioName;
        id = id.substr(0, id.size() - 4);  // without ".mp3"
        items_.push_back({id, "audio/" + s.audioName, "audio/mpeg", "", ""});
    }
}

std::vector<EpubEntry> Publication::finish() {
    const app::BookDescription& d = book_.description;
    const std::string lang = escaped(d.language);

    // The navigation document: the contents screen's entries, then every page by number.
    std::string nav = kXmlHead;
    nav += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\" "
           "xml:lang=\"" + lang + "\" lang=\"" + lang + "\">\n<head>\n<meta charset=\"UTF-8\"/>\n<title>" +
           escaped(d.title) + "</title>\n</head>\n<body>\n<nav epub:type=\"toc\" id=\"toc\">\n<h1>" +
           escaped(book_.contentsCaption) + "</h1>\n<ol>\n";
    auto link = [](int page, const std::string& title) {
        return "<a href=\"" + pageName(page, ".xhtml") + "\">" + escaped(title) + "</a>";
    };
    // Reading systems want the table in reading order: the course book lists its word list last
    // though its pages lie inside the sixth part.
    std::vector<app::ContentsEntry> entries = book_.contents;
    auto opens = [](const app::ContentsEntry& e) {
        return e.wordList && !e.sectionPages.empty() ? e.sectionPages.front() : e.firstPage;
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const app::ContentsEntry& a, const app::ContentsEntry& b) { return opens(a) < opens(b); });
    for (const app::ContentsEntry& e : entries) {
        if (!e.wordList) {
            nav += "<li>" + link(e.firstPage, e.title) + "</li>\n";
            continue;
        }
        nav += "<li>" + link(opens(e), e.title.empty() ? book_.wordListCaption : e.title) + "\n<ol>\n";
        for (std::size_t i = 0; i < e.sectionPages.size(); ++i) {
            const std::string title = i < e.sectionTitles.size() && !e.sectionTitles[i].empty()
                                          ? e.sectionTitles[i]
                                          : book_.wordListCaption + " " + std::to_string(i + 1);
            nav += "<li>" + link(e.sectionPages[i], title) + "</li>\n";
        }
        nav += "</ol>\n</li>\n";
    }
    nav += "</ol>\n</nav>\n<nav epub:type=\"page-list\" id=\"pages\" hidden=\"hidden\">\n<ol>\n";
    for (const BookPage& p : book_.pages) nav += "<li>" + link(p.number, std::to_string(p.number)) + "</li>\n";
    nav += "</ol>\n</nav>\n</body>\n</html>\n";

    std::string opf = kXmlHead;
    opf += "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"uid\" xml:lang=\"" + lang +
           "\">\n<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n" +
           "<dc:identifier id=\"uid\">" + identifier(d) + "</dc:identifier>\n" +
           "<dc:title>" + escaped(d.title) + "</dc:title>\n" +
           "<dc:language>" + lang + "</dc:language>\n";
    if (!d.author.empty()) opf += "<dc:creator>" + escaped(d.author) + "</dc:creator>\n";
    opf += "<meta property=\"dcterms:modified\">" + modified_ + "</meta>\n"
           "<meta property=\"rendition:layout\">pre-paginated</meta>\n"
           "<meta property=\"rendition:spread\">none</meta>\n";
    if (!overlays_.empty()) {
        opf += "<meta property=\"media:active-class\">" + std::string(kActiveClass) + "</meta>\n";
        opf += "<meta property=\"media:duration\">" + clock(totalMs_) + "</meta>\n";
        for (const auto& o : overlays_)
            opf += "<meta property=\"media:duration\" refines=\"#" + o.first + "\">" + clock(o.second) + "</meta>\n";
    }
    opf += "</metadata>\n<manifest>\n"
           "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>\n"
           "<item id=\"style\" href=\"style/page.css\" media-type=\"text/css\"/>\n";
    for (const Item& i : items_) {
        opf += "<item id=\"" + i.id + "\" href=\"" + i.href + "\" media-type=\"" + i.mediaType + "\"";
        if (!i.properties.empty()) opf += " properties=\"" + i.properties + "\"";
        if (!i.overlay.empty()) opf += " media-overlay=\"" + i.overlay + "\"";
        opf += "/>\n";
    }
    opf += "</manifest>\n<spine>\n";
    for (const std::string& id : spine_) opf += "<itemref idref=\"" + id + "\"/>\n";
    opf += "</spine>\n</package>\n";

    const std::string container = std::string(kXmlHead) +
                                  "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
                                  "<rootfiles>\n<rootfile full-path=\"OEBPS/content.opf\" "
                                  "media-type=\"application/oebps-package+xml\"/>\n</rootfiles>\n</container>\n";

    std::vector<EpubEntry> all = {{"META-INF/container.xml", container, std::string(), true},
                                  {"OEBPS/content.opf", opf, std::string(), true},
                                  {"OEBPS/nav.xhtml", nav, std::string(), true},
                                  {"OEBPS/style/page.css", kStyleSheet, std::string(), true}};
    all.insert(all.end(), entries_.begin(), entries_.end());
    return all;
}

}  // namespace epub
