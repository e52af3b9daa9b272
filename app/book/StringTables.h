// The book's two string tables: captions ("String.xml") and sentence texts ("Stringstr.xml").
#pragma once

#include <string>

namespace app {

extern const char* const kCaptionTable;   // "String.xml"
extern const char* const kSentenceTable;  // "Stringstr.xml"

// Loads the table afresh and returns the text under key; empty when the table or the key is
// missing (found, when given, tells which).
std::string lookupString(const char* table, const std::string& key, bool* found = nullptr);
// A caption from "String.xml"; a missing caption is logged once per key and shows as empty.
std::string caption(const std::string& key);

}  // namespace app
