// Property-list XML through pugixml: escaping and layout are the library's, output is byte-stable.
#include "tools/bookkit/PlistWriter.h"

#include <sstream>

#include <pugixml.hpp>

namespace bookkit {

namespace {

pugi::xml_node startPlist(pugi::xml_document& doc) {
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    doc.append_child(pugi::node_doctype)
        .set_value("plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\"");
    pugi::xml_node plist = doc.append_child("plist");
    plist.append_attribute("version") = "1.0";
    return plist.append_child("dict");
}

void addString(pugi::xml_node dict, const std::string& key, const std::string& value) {
    dict.append_child("key").text().set(key.c_str());
    dict.append_child("string").text().set(value.c_str());
}

std::string finish(pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "\t", pugi::format_indent, pugi::encoding_utf8);
    return out.str();
}

std::string braces(int a, int b) {
    return "{" + std::to_string(a) + "," + std::to_string(b) + "}";
}

}  // namespace

std::string stringTablePlist(const std::vector<std::pair<std::string, std::string>>& entries) {
    pugi::xml_document doc;
    pugi::xml_node dict = startPlist(doc);
    for (const auto& entry : entries) {
        addString(dict, entry.first, entry.second);
    }
    return finish(doc);
}

std::string spriteSheetPlist(const std::vector<SheetFrame>& frames, const std::string& textureFileName, int width,
                             int height) {
    pugi::xml_document doc;
    pugi::xml_node root = startPlist(doc);
    root.append_child("key").text().set("frames");
    pugi::xml_node list = root.append_child("dict");
    for (const SheetFrame& f : frames) {
        list.append_child("key").text().set(f.name.c_str());
        pugi::xml_node d = list.append_child("dict");
        addString(d, "frame", "{" + braces(f.x, f.y) + "," + braces(f.w, f.h) + "}");
        addString(d, "offset", "{0,0}");
        d.append_child("key").text().set("rotated");
        d.append_child("false");
        addString(d, "sourceColorRect", "{{0,0}," + braces(f.w, f.h) + "}");
        addString(d, "sourceSize", braces(f.w, f.h));
    }
    root.append_child("key").text().set("metadata");
    pugi::xml_node meta = root.append_child("dict");
    meta.append_child("key").text().set("format");
    meta.append_child("integer").text().set(2);
    addString(meta, "realTextureFileName", textureFileName);
    addString(meta, "size", braces(width, height));
    addString(meta, "textureFileName", textureFileName);
    return finish(doc);
}

}  // namespace bookkit
