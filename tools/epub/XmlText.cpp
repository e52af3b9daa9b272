// pugixml with line numbers and prefix-free names.
#include "tools/epub/XmlText.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace epub {

bool XmlText::parse(const std::string& text, const std::string& path, std::string& error) {
    text_ = text;
    path_ = path;
    // parse_default leaves the DOCTYPE unread and unknown entities as they are written.
    const pugi::xml_parse_result result =
        document_.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        error = path + ":" + std::to_string(lineAt(result.offset)) + ": not well-formed XML (" + result.description() + ")";
        return false;
    }
    if (!document_.document_element()) {
        error = path + ": holds no XML element";
        return false;
    }
    return true;
}

int XmlText::lineAt(std::ptrdiff_t offset) const {
    if (offset < 0) return 1;
    const std::size_t end = std::min(static_cast<std::size_t>(offset), text_.size());
    return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

int XmlText::lineOf(const pugi::xml_node& node) const {
    return lineAt(node.offset_debug());
}

std::string XmlText::at(const pugi::xml_node& node, const std::string& what) const {
    return path_ + ":" + std::to_string(lineOf(node)) + ": " + what;
}

std::string localName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? std::string(colon + 1) : std::string(name);
}

pugi::xml_attribute attributeNamed(const pugi::xml_node& node, const char* name) {
    for (pugi::xml_attribute a : node.attributes()) {
        if (localName(a.name()) == name) return a;
    }
    return pugi::xml_attribute();
}

pugi::xml_node findElement(const pugi::xml_node& under, const char* name) {
    for (pugi::xml_node child : under.children()) {
        if (child.type() != pugi::node_element) continue;
        if (localName(child) == name) return child;
        if (pugi::xml_node found = findElement(child, name)) return found;
    }
    return pugi::xml_node();
}

std::string collapsedText(const pugi::xml_node& node) {
    std::string raw;
    for (pugi::xml_node n = node.first_child(); n;) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) raw += n.value();
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != node && !n.next_sibling()) n = n.parent();
        if (!n || n == node) break;
        n = n.next_sibling();
    }
    std::string out;
    bool space = false;
    for (char c : raw) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            space = !out.empty();
        } else {
            if (space) out += ' ';
            space = false;
            out += c;
        }
    }
    return out;
}

bool hasToken(const std::string& list, const std::string& token) {
    std::istringstream in(list);
    std::string word;
    while (in >> word) {
        if (word == token) return true;
    }
    return false;
}

}  // namespace epub
