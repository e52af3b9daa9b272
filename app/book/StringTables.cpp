// String-table lookups: each use loads the table again, as the book data may change between uses.
#include "app/book/StringTables.h"

#include <set>

#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"

using namespace engine;

namespace app {

const char* const kCaptionTable = "String.xml";
const char* const kSentenceTable = "Stringstr.xml";

std::string lookupString(const char* table, const std::string& key, bool* found) {
    if (found) *found = false;
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(table);
    if (!dict) return std::string();
    CCString* value = dynamic_cast<CCString*>(dict->objectForKey(key));
    if (!value) return std::string();
    if (found) *found = true;
    return value->m_sString;
}

std::string caption(const std::string& key) {
    bool found = false;
    std::string text = lookupString(kCaptionTable, key, &found);
    if (!found) {
        static std::set<std::string> reported;
        if (reported.insert(key).second) CCLog("String.xml has no caption \"%s\"", key.c_str());
    }
    return text;
}

}  // namespace app
