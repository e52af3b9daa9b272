// Property-list XML to engine containers, without recursion so that hostile nesting cannot
// exhaust the stack.
#include "engine/io/CCPropertyList.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "engine/base/CCArray.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/io/CCFileUtils.h"

namespace engine {

namespace {

// Containers nest through their destructors as well, so depth is capped rather than merely
// walked iteratively: releasing a 512-deep tree stays far inside the stack.
const size_t kMaxDepth = 512;

// parse_ws_pcdata_single keeps "<string>   </string>" as three blanks instead of an empty
// text, without turning the indentation between elements into nodes.
const unsigned int kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

enum class Kind { Dict, Array, Text, True, False, Key, Unknown };

Kind kindOf(const pugi::xml_node& node) {
    const char* name = node.name();
    if (std::strcmp(name, "dict") == 0) return Kind::Dict;
    if (std::strcmp(name, "array") == 0) return Kind::Array;
    if (std::strcmp(name, "key") == 0) return Kind::Key;
    if (std::strcmp(name, "string") == 0 || std::strcmp(name, "integer") == 0 ||
        std::strcmp(name, "real") == 0 || std::strcmp(name, "date") == 0 ||
        std::strcmp(name, "data") == 0)
        return Kind::Text;
    if (std::strcmp(name, "true") == 0) return Kind::True;
    if (std::strcmp(name, "false") == 0) return Kind::False;
    return Kind::Unknown;
}

// All character data directly inside the element: a text broken by CDATA sections or
// comments still reads as one string.
std::string textOf(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) text += c.value();
    }
    return text;
}

CCObject* newScalar(Kind kind, const pugi::xml_node& node) {
    switch (kind) {
        case Kind::Text: return new CCString(textOf(node));
        case Kind::True: return new CCString("1");
        case Kind::False: return new CCString("0");
        default: return nullptr;
    }
}

// What the conversion had to leave out, reported in one log line per document.
struct Dropped {
    size_t keysWithoutValue = 0;
    size_t valuesWithoutKey = 0;
    size_t unknownElements = 0;
    size_t tooDeep = 0;

    bool any() const { return keysWithoutValue || valuesWithoutKey || unknownElements || tooDeep; }
};

// One container being filled. The frame holds the container's creation reference until the
// container is complete, so an object the parent refused could never be left dangling.
struct Frame {
    pugi::xml_node next;
    CCObject* object;
    CCDictionary* dict;
    CCArray* array;
    std::string key;
    bool hasKey;
};

Frame frameFor(const pugi::xml_node& node, Kind kind) {
    Frame f{node.first_child(), nullptr, nullptr, nullptr, std::string(), false};
    if (kind == Kind::Dict) {
        f.dict = new CCDictionary();
        f.object = f.dict;
    } else {
        f.array = new CCArray();
        f.object = f.array;
    }
    return f;
}

CCObject* convertValue(const pugi::xml_node& root, Dropped& dropped) {
    Kind rootKind = kindOf(root);
    if (rootKind != Kind::Dict && rootKind != Kind::Array) return newScalar(rootKind, root);

    std::vector<Frame> stack;
    try {
        // Reserved up front so that a push never reallocates, and so never throws with a new
        // container already handed to its parent.
        stack.reserve(kMaxDepth);
        stack.push_back(frameFor(root, rootKind));
        CCObject* result = stack.front().object;
        while (!stack.empty()) {
            Frame& top = stack.back();
            pugi::xml_node child = top.next;
            while (child && child.type() != pugi::node_element) child = child.next_sibling();
            if (!child) {
                if (top.hasKey) ++dropped.keysWithoutValue;
                CCObject* done = top.object;
                stack.pop_back();
                if (done != result) done->release();
                continue;
            }
            top.next = child.next_sibling();

            Kind kind = kindOf(child);
            if (top.dict) {
                if (kind == Kind::Key) {
                    // A second key in a row means the first one never got its value.
                    if (top.hasKey) ++dropped.keysWithoutValue;
                    top.key = textOf(child);
                    top.hasKey = true;
                    continue;
                }
                if (!top.hasKey) {
                    ++dropped.valuesWithoutKey;
                    continue;
                }
                // Whatever follows a key is its value, readable or not: an unknown element
                // uses the key up so that the next value cannot be filed under it by mistake.
                top.hasKey = false;
            }
            if (kind == Kind::Unknown || kind == Kind::Key) {
                ++dropped.unknownElements;
                continue;
            }

            if (kind == Kind::Dict || kind == Kind::Array) {
                if (stack.size() >= kMaxDepth) {
                    ++dropped.tooDeep;
                    continue;
                }
                Frame inner = frameFor(child, kind);
                if (top.dict)
                    top.dict->setObject(inner.object, top.key);
                else
                    top.array->addObject(inner.object);
                stack.push_back(std::move(inner));  // invalidates top
                continue;
            }

            CCObject* scalar = newScalar(kind, child);
            if (top.dict)
                top.dict->setObject(scalar, top.key);
            else
                top.array->addObject(scalar);
            scalar->release();
        }
        return result;
    } catch (const std::bad_alloc&) {
        // Inner frames hold their own creation references; dropping them innermost first and
        // the root last frees the whole partial tree.
        while (!stack.empty()) {
            stack.back().object->release();
            stack.pop_back();
        }
        return nullptr;
    }
}

// The value the document carries: the first value inside <plist>, or a bare <dict>/<array>
// written without the wrapper.
pugi::xml_node rootValue(const pugi::xml_document& doc) {
    pugi::xml_node top = doc.document_element();
    Kind topKind = kindOf(top);
    if (topKind == Kind::Dict || topKind == Kind::Array) return top;
    if (std::strcmp(top.name(), "plist") != 0) return pugi::xml_node();
    for (pugi::xml_node c = top.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        Kind k = kindOf(c);
        if (k != Kind::Unknown && k != Kind::Key) return c;
    }
    return pugi::xml_node();
}

CCObject* convertDocument(const pugi::xml_document& doc, const pugi::xml_parse_result& parsed,
                          const std::string& origin) {
    if (!parsed) {
        CCLog("property list %s: %s at offset %ld", origin.c_str(), parsed.description(),
              static_cast<long>(parsed.offset));
        return nullptr;
    }
    pugi::xml_node value = rootValue(doc);
    if (!value) {
        CCLog("property list %s: no <plist>, <dict> or <array> at the top (found <%s>)",
              origin.c_str(), doc.document_element().name());
        return nullptr;
    }
    Dropped dropped;
    CCObject* result = convertValue(value, dropped);
    if (!result) {
        CCLog("property list %s: out of memory", origin.c_str());
        return nullptr;
    }
    if (dropped.any()) {
        std::string what;
        auto note = [&what](size_t n, const char* kind) {
            if (!n) return;
            if (!what.empty()) what += ", ";
            what += std::to_string(n) + " " + kind;
        };
        note(dropped.keysWithoutValue, "key(s) without value");
        note(dropped.valuesWithoutKey, "value(s) without key");
        note(dropped.unknownElements, "unknown element(s)");
        note(dropped.tooDeep, "container(s) nested too deep");
        CCLog("property list %s: skipped %s", origin.c_str(), what.c_str());
    }
    return result;
}

}  // namespace

CCObject* parsePropertyList(const char* data, size_t size) {
    if (!data || size == 0) return nullptr;
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer(data, size, kParseOptions, pugi::encoding_auto);
    return convertDocument(doc, parsed, "(in memory)");
}

CCDictionary* readPropertyListDictionary(const std::string& path) {
    if (path.empty()) return nullptr;
    // The text must outlive the document: the in-place parse keeps pointers into it, which
    // saves a second copy of large files.
    std::string text;
    if (!CCFileUtils::sharedFileUtils()->readFile(path, text)) return nullptr;
    if (text.empty()) {
        CCLog("property list '%s': the file is empty", path.c_str());
        return nullptr;
    }
    pugi::xml_document doc;
    pugi::xml_parse_result parsed =
        doc.load_buffer_inplace(&text[0], text.size(), kParseOptions, pugi::encoding_auto);
    CCObject* root = convertDocument(doc, parsed, "'" + path + "'");
    if (!root) return nullptr;
    CCDictionary* dict = dynamic_cast<CCDictionary*>(root);
    if (!dict) {
        CCLog("property list '%s': the top value is not a <dict>", path.c_str());
        root->release();
    }
    return dict;
}

bool readPropertyListTexts(const std::string& fullPath, std::map<std::string, std::string>* texts,
                           std::string* problem) {
    texts->clear();
    std::ifstream in(fullPath, std::ios::binary);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fullPath, ec) || !in) {
        *problem = std::filesystem::exists(fullPath, ec) ? "cannot be read" : "is missing";
        return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.empty()) {
        *problem = "is empty";
        return false;
    }
    pugi::xml_document doc;
    pugi::xml_parse_result parsed =
        doc.load_buffer_inplace(&text[0], text.size(), kParseOptions, pugi::encoding_auto);
    if (!parsed) {
        *problem = std::string("is not a property list: ") + parsed.description() + " at byte " +
                   std::to_string(static_cast<long>(parsed.offset));
        return false;
    }
    pugi::xml_node root = rootValue(doc);
    if (!root || kindOf(root) != Kind::Dict) {
        *problem = "holds no <dict> at the top";
        return false;
    }
    // The pairing rules of convertValue, on one level: a key takes the next element whatever it
    // is, a later value under the same key wins.
    std::string key;
    bool hasKey = false;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const Kind kind = kindOf(c);
        if (kind == Kind::Key) {
            key = textOf(c);
            hasKey = true;
            continue;
        }
        if (!hasKey) continue;
        hasKey = false;
        if (kind == Kind::Text)
            (*texts)[key] = textOf(c);
        else if (kind == Kind::True || kind == Kind::False)
            (*texts)[key] = kind == Kind::True ? "1" : "0";
        else if (kind == Kind::Dict || kind == Kind::Array)
            texts->erase(key);  // the container replaces an earlier text, and is no text
    }
    return true;
}

CCDictionary* CCDictionary::createWithContentsOfFile(const char* path) {
    CCDictionary* d = readPropertyListDictionary(path ? path : "");
    if (d) d->autorelease();
    return d;
}

}  // namespace engine
