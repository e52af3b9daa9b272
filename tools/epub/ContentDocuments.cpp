// Viewports, uncarried content and the toc, read with pugixml.
#include "tools/epub/ContentDocuments.h"

#include "tools/epub/HrefPath.h"
#include "tools/epub/XmlText.h"

namespace epub {

namespace {

void findUncarried(const pugi::xml_node& node, std::vector<std::string>& out) {
    for (pugi::xml_node c : node.children()) {
        if (c.type() != pugi::node_element) continue;
        const std::string name = localName(c);
        const char* kind = nullptr;
        if (name == "script") kind = "scripts";
        if (name == "video") kind = "video";
        if (name == "audio") kind = "sound players";
        if (name == "iframe" || name == "object" || name == "embed") kind = "embedded documents";
        if (kind) {
            bool known = false;
            for (const std::string& k : out) known = known || k == kind;
            if (!known) out.push_back(kind);
        }
        findUncarried(c, out);
    }
}

pugi::xml_node tocNav(const pugi::xml_node& node) {
    for (pugi::xml_node c : node.children()) {
        if (c.type() != pugi::node_element) continue;
        if (localName(c) == "nav" && hasToken(attributeNamed(c, "type").value(), "toc")) return c;
        if (pugi::xml_node found = tocNav(c)) return found;
    }
    return pugi::xml_node();
}

// An entry's own link: the first <a> or <span> child of the <li>, not one in a nested list.
pugi::xml_node entryLabel(const pugi::xml_node& li) {
    for (pugi::xml_node c : li.children()) {
        if (c.type() != pugi::node_element) continue;
        const std::string name = localName(c);
        if (name == "a" || name == "span") return c;
    }
    return pugi::xml_node();
}

}  // namespace

bool readPageFacts(const std::string& text, const std::string& path, PageFacts& out, std::string& error) {
    out = PageFacts();
    XmlText xml;
    if (!xml.parse(text, path, error)) return false;
    const pugi::xml_node html = xml.document().document_element();
    if (localName(html) != "html") {
        error = xml.at(html, "the root element is <" + std::string(html.name()) + ">, not an XHTML page's <html>");
        return false;
    }
    if (const pugi::xml_node head = findElement(html, "head")) {
        for (pugi::xml_node m : head.children()) {
            if (m.type() != pugi::node_element || localName(m) != "meta") continue;
            if (std::string(m.attribute("name").value()) != "viewport") continue;
            out.viewportText = m.attribute("content").value();
            parseViewport(out.viewportText, out.viewport);
            break;
        }
    }
    findUncarried(html, out.uncarried);
    return true;
}

bool readToc(const std::string& text, const std::string& path, std::vector<TocEntry>& out, std::string& error) {
    out.clear();
    XmlText xml;
    if (!xml.parse(text, path, error)) return false;
    const pugi::xml_node nav = tocNav(xml.document().document_element());
    if (!nav) {
        error = path + ": the navigation document has no <nav epub:type=\"toc\">";
        return false;
    }
    const pugi::xml_node list = findElement(nav, "ol");
    for (pugi::xml_node li : list.children()) {
        if (li.type() != pugi::node_element || localName(li) != "li") continue;
        const pugi::xml_node label = entryLabel(li);
        TocEntry entry;
        entry.line = xml.lineOf(li);
        entry.title = collapsedText(label);
        std::string fragment;
        const pugi::xml_attribute href = label.attribute("href");
        if (!href || !resolveHref(path, href.value(), entry.path, fragment)) entry.path.clear();
        out.push_back(entry);
    }
    return true;
}

}  // namespace epub
