// What the publication's XML readers share: parsing text with pugixml into a document whose
// nodes know their line, and looking names up without their namespace prefix.
#pragma once

#include <string>

#include <pugixml.hpp>

namespace epub {

class XmlText {
public:
    // Parses `text`; `path` names the file in messages. No DTD is read and no entity but XML's
    // own is expanded, so a document cannot reach outside itself. False with
    // "PATH:LINE: not well-formed XML (what)" in `error`.
    bool parse(const std::string& text, const std::string& path, std::string& error);

    const pugi::xml_document& document() const { return document_; }
    const std::string& path() const { return path_; }
    // The 1-based line a node starts on.
    int lineOf(const pugi::xml_node& node) const;
    // "PATH:LINE: what".
    std::string at(const pugi::xml_node& node, const std::string& what) const;

private:
    int lineAt(std::ptrdiff_t offset) const;

    pugi::xml_document document_;
    std::string text_;
    std::string path_;
};

// The name without its namespace prefix ("opf:item" -> "item").
std::string localName(const char* name);
inline std::string localName(const pugi::xml_node& node) {
    return localName(node.name());
}
// The attribute whose local name is `name`, whatever its prefix (empty when it has none).
pugi::xml_attribute attributeNamed(const pugi::xml_node& node, const char* name);
// The first child element, at any depth, whose local name is `name`.
pugi::xml_node findElement(const pugi::xml_node& under, const char* name);
// The node's text, white space collapsed and trimmed.
std::string collapsedText(const pugi::xml_node& node);
// Whether a white-space separated list holds `token`.
bool hasToken(const std::string& list, const std::string& token);

}  // namespace epub
