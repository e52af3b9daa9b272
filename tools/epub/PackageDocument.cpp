// Reading the OPF with pugixml: metadata, manifest, spine and rendition properties.
#include "tools/epub/PackageDocument.h"

#include <cctype>
#include <cstdlib>
#include <set>

#include "tools/epub/HrefPath.h"
#include "tools/epub/XmlText.h"

namespace epub {

namespace {

std::string trimmed(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

// A positive whole or fractional number of CSS pixels, 'px' allowed after it.
bool pixels(const std::string& text, int& out) {
    std::string t = trimmed(text);
    if (t.size() > 2 && t.compare(t.size() - 2, 2, "px") == 0) t = trimmed(t.substr(0, t.size() - 2));
    if (t.empty() || t.size() > 12) return false;
    for (char c : t) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.') return false;
    }
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (!end || *end != '\0' || !(v >= 1) || v > 10000) return false;
    out = static_cast<int>(v + 0.5);
    return true;
}

}  // namespace

bool parseViewport(const std::string& content, Viewport& out) {
    Viewport v;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find_first_of(",;", start);
        if (end == std::string::npos) end = content.size();
        const std::string part = content.substr(start, end - start);
        const std::size_t eq = part.find('=');
        if (eq != std::string::npos) {
            const std::string key = trimmed(part.substr(0, eq));
            const std::string value = part.substr(eq + 1);
            if (key == "width" && !pixels(value, v.width)) return false;
            if (key == "height" && !pixels(value, v.height)) return false;
        }
        start = end + 1;
    }
    if (!v.valid()) return false;
    out = v;
    return true;
}

const PackageItem* PackageDocument::item(const std::string& id) const {
    for (const PackageItem& i : items) {
        if (i.id == id) return &i;
    }
    return nullptr;
}

bool parsePackageDocument(const std::string& text, const std::string& path, PackageDocument& out,
                          std::vector<std::string>& warnings, std::string& error) {
    out = PackageDocument();
    out.path = path;
    XmlText xml;
    if (!xml.parse(text, path, error)) return false;
    const pugi::xml_node package = xml.document().document_element();
    if (localName(package) != "package") {
        error = xml.at(package, "the root element is <" + std::string(package.name()) + ">, not a package document's <package>");
        return false;
    }
    const std::string version = package.attribute("version").value();
    if (version.empty() || version[0] != '3') {
        error = xml.at(package, "a package of version '" + version + "'; quirel reads EPUB 3 publications");
        return false;
    }

    const pugi::xml_node metadata = findElement(package, "metadata");
    const std::string uniqueId = package.attribute("unique-identifier").value();
    for (pugi::xml_node m : metadata.children()) {
        if (m.type() != pugi::node_element) continue;
        const std::string name = localName(m);
        const std::string value = collapsedText(m);
        if (name == "title" && out.title.empty()) {
            out.title = value;
        } else if (name == "creator" && out.author.empty()) {
            out.author = value;
        } else if (name == "language" && out.language.empty()) {
            out.language = value;
        } else if (name == "identifier" && (out.identifier.empty() || uniqueId == m.attribute("id").value())) {
            out.identifier = value;
        } else if (name == "meta" && !m.attribute("refines")) {
            const std::string property = m.attribute("property").value();
            if (property == "rendition:layout") {
                out.layout = value == "pre-paginated" ? Layout::PrePaginated : Layout::Reflowable;
            } else if (property == "rendition:spread") {
                out.spread = value;
            } else if (property == "rendition:viewport") {
                parseViewport(value, out.viewport);
            }
        }
    }

    const pugi::xml_node manifest = findElement(package, "manifest");
    if (!manifest) {
        error = xml.at(package, "the package document has no <manifest>");
        return false;
    }
    std::set<std::string> ids;
    for (pugi::xml_node i : manifest.children()) {
        if (i.type() != pugi::node_element || localName(i) != "item") continue;
        PackageItem item;
        item.id = i.attribute("id").value();
        item.mediaType = i.attribute("media-type").value();
        item.properties = i.attribute("properties").value();
        item.mediaOverlay = i.attribute("media-overlay").value();
        item.line = xml.lineOf(i);
        std::string fragment;
        if (item.id.empty() || !ids.insert(item.id).second) {
            error = xml.at(i, item.id.empty() ? "an item without an id" : "a second item with the id '" + item.id + "'");
            return false;
        }
        if (!resolveHref(path, i.attribute("href").value(), item.path, fragment)) {
            // Remote resources cannot be carried; a local one that leaves the folder is damage.
            const std::string href = i.attribute("href").value();
            if (href.find("://") != std::string::npos) {
                warnings.push_back(xml.at(i, "the item '" + item.id + "' is remote (" + href + "); left out"));
                continue;
            }
            error = xml.at(i, "the item '" + item.id + "' has the href '" + href +
                                  "', which does not name a file inside the publication");
            return false;
        }
        if (hasToken(item.properties, "nav")) out.navPath = item.path;
        out.items.push_back(item);
    }

    const pugi::xml_node spine = findElement(package, "spine");
    if (!spine) {
        error = xml.at(package, "the package document has no <spine>, so no pages");
        return false;
    }
    for (pugi::xml_node r : spine.children()) {
        if (r.type() != pugi::node_element || localName(r) != "itemref") continue;
        SpineItem s;
        s.idref = r.attribute("idref").value();
        s.line = xml.lineOf(r);
        const PackageItem* item = out.item(s.idref);
        if (!item) {
            error = xml.at(r, "the spine names the item '" + s.idref + "', which the manifest does not hold");
            return false;
        }
        s.path = item->path;
        s.linear = std::string(r.attribute("linear").value()) != "no";
        const std::string properties = r.attribute("properties").value();
        s.layout = out.layout;
        if (hasToken(properties, "rendition:layout-pre-paginated")) s.layout = Layout::PrePaginated;
        if (hasToken(properties, "rendition:layout-reflowable")) s.layout = Layout::Reflowable;
        s.spread = out.spread == "both" || out.spread == "landscape";
        if (hasToken(properties, "rendition:spread-both") || hasToken(properties, "rendition:spread-landscape")) {
            s.spread = true;
        }
        if (hasToken(properties, "rendition:spread-none")) s.spread = false;
        if (!item->mediaOverlay.empty()) {
            const PackageItem* overlay = out.item(item->mediaOverlay);
            if (!overlay) {
                error = path + ":" + std::to_string(item->line) + ": the item '" + item->id +
                        "' names the overlay '" + item->mediaOverlay + "', which the manifest does not hold";
                return false;
            }
            if (overlay->mediaType != "application/smil+xml") {
                error = path + ":" + std::to_string(overlay->line) + ": the overlay '" + overlay->id +
                        "' has the media type '" + overlay->mediaType + "', not application/smil+xml";
                return false;
            }
            s.overlayPath = overlay->path;
        }
        out.spine.push_back(s);
    }
    if (out.spine.empty()) {
        error = xml.at(spine, "the spine names no page");
        return false;
    }
    return true;
}

}  // namespace epub
