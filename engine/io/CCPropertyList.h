// Property-list XML reading into engine containers (dictionaries, arrays, strings).
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace engine {

class CCDictionary;
class CCObject;

// How values arrive, chosen so that callers can always dynamic_cast a scalar to CCString:
//   <dict>   -> CCDictionary with string keys, in the order the keys appear; a repeated key
//               keeps its first position and takes the last value
//   <array>  -> CCArray
//   <string>, <integer>, <real>, <date>, <data> -> CCString holding the element's text as
//               written (entities decoded; <data> stays base64 text)
//   <true/>  -> CCString "1",  <false/> -> CCString "0"  (intValue and boolValue both work)
// Odd parts of a well-formed document are skipped and the rest is kept: a key without a value,
// a value without a key, unknown elements (which also use up a pending key), and containers
// nested more than 512 deep. The document itself may be <plist> holding one value, or a bare
// <dict> or <array>.

// Parses property-list XML text. Returns the root object with one reference the caller owns
// (not autoreleased), or null when the text is not well-formed XML or holds no property list.
// Children are owned by their containers.
CCObject* parsePropertyList(const char* data, size_t size);
// Reads a property-list file (a relative name resolves through CCFileUtils) whose root is a
// dict; null when missing, unreadable, malformed or when the root is not a dict.
// The caller owns the returned reference.
CCDictionary* readPropertyListDictionary(const std::string& path);

// The texts of a property-list file whose root is a dict: each key whose value is a scalar, with
// that value as readPropertyListDictionary gives it (a dict or array under a key is left out).
// Makes no engine object, writes no log line and takes fullPath as it is, so any thread may use
// it. False with *problem when the file is missing, unreadable, malformed or not a dict.
bool readPropertyListTexts(const std::string& fullPath, std::map<std::string, std::string>* texts,
                           std::string* problem);

}  // namespace engine
