// Reading, checking and writing a book's description file.
#include "app/book/BookDescription.h"

#include <json/json.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <sys/stat.h>

namespace app {

namespace {

// A description is a few hundred bytes; anything much larger is not one.
constexpr std::streamoff kMaxFileBytes = 1 << 20;

}  // namespace

bool isWellFormedUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra;
        unsigned long cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;  // cut short
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += extra + 1;
    }
    return true;
}

namespace {

class Checker {
public:
    Checker(const std::string& text, const std::string& name, std::vector<std::string>* errors)
        : text_(text), name_(name), errors_(errors) {}

    // "NAME:LINE:COLUMN: why" at the value's first character (the file's start without one).
    void fail(const Json::Value* at, const std::string& why) {
        ok_ = false;
        size_t offset = at ? static_cast<size_t>(at->getOffsetStart()) : 0;
        add(offset, why);
    }
    void add(size_t offset, const std::string& why) {
        int line = 1, column = 1;
        for (size_t i = 0; i < offset && i < text_.size(); ++i) {
            if (text_[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        if (errors_) errors_->push_back(name_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + why);
    }
    bool ok() const { return ok_; }

    // Keys outside `known` are reported: a misspelt key would otherwise be ignored in silence.
    void onlyKeys(const Json::Value& object, const std::set<std::string>& known, const std::string& where) {
        for (const std::string& key : object.getMemberNames())
            if (!known.count(key)) fail(&object[key], "unknown key '" + key + "' in " + where);
    }

    bool text(const Json::Value& object, const char* key, std::string* out, bool required) {
        if (!object.isMember(key)) {
            if (required) fail(&object, std::string("'") + key + "' is missing");
            return !required;
        }
        const Json::Value& v = object[key];
        if (!v.isString()) {
            fail(&v, std::string("'") + key + "' must be text");
            return false;
        }
        std::string s = v.asString();
        if (s.size() > static_cast<size_t>(BookDescription::kMaxTitleBytes)) {
            fail(&v, std::string("'") + key + "' is longer than " + std::to_string(BookDescription::kMaxTitleBytes) +
                         " bytes");
            return false;
        }
        if (s.find('\0') != std::string::npos) {
            fail(&v, std::string("'") + key + "' holds a zero byte");
            return false;
        }
        if (!isWellFormedUtf8(s)) {
            fail(&v, std::string("'") + key + "' is not UTF-8 text");
            return false;
        }
        *out = s;
        return true;
    }

    bool page(const Json::Value& object, const char* key, int pageCount, int* out) {
        if (!object.isMember(key)) {
            fail(&object, std::string("'") + key + "' is missing");
            return false;
        }
        const Json::Value& v = object[key];
        if (!v.isIntegral() || !v.isInt()) {
            fail(&v, std::string("'") + key + "' must be a whole page number");
            return false;
        }
        int p = v.asInt();
        if (p < 1 || (pageCount > 0 && p > pageCount)) {
            fail(&v, std::string("'") + key + "' is page " + std::to_string(p) + ", outside the book's pages 1 to " +
                         std::to_string(pageCount));
            return false;
        }
        *out = p;
        return true;
    }

private:
    const std::string& text_;
    std::string name_;
    std::vector<std::string>* errors_;
    bool ok_ = true;
};

// jsoncpp's messages read "* Line 3, Column 5\n  Syntax error: ..."; each becomes one line.
void reportSyntax(const std::string& message, const std::string& name, std::vector<std::string>* errors) {
    static const std::regex entry(R"(\* Line (\d+), Column (\d+)\s*\n\s*([^\n]*))");
    bool any = false;
    for (std::sregex_iterator it(message.begin(), message.end(), entry), end; it != end; ++it) {
        any = true;
        if (errors) errors->push_back(name + ":" + (*it)[1].str() + ":" + (*it)[2].str() + ": " + (*it)[3].str());
    }
    if (!any && errors) errors->push_back(name + ":1:1: not JSON: " + message);
}

}  // namespace

bool parseBookDescription(const std::string& text, const std::string& name, BookDescription* out,
                          std::vector<std::string>* errors) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["stackLimit"] = 64;
    builder["rejectDupKeys"] = true;
    builder["failIfExtra"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string syntax;
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &syntax)) {
        reportSyntax(syntax, name, errors);
        return false;
    }
    Checker check(text, name, errors);
    if (!root.isObject()) {
        check.fail(&root, "the description must be one JSON object");
        return false;
    }
    check.onlyKeys(root, {"format", "title", "author", "language", "pages", "units", "wordList"}, "the description");

    BookDescription d;
    if (root.isMember("format")) {
        const Json::Value& f = root["format"];
        if (!f.isInt() || f.asInt() < 1)
            check.fail(&f, "'format' must be a whole number from 1");
        else if (f.asInt() > BookDescription::kFormat)
            check.fail(&f, "format " + std::to_string(f.asInt()) + " is newer than this quirel reads (" +
                               std::to_string(BookDescription::kFormat) + ")");
    }
    check.text(root, "title", &d.title, true);
    check.text(root, "author", &d.author, false);
    check.text(root, "language", &d.language, false);
    if (d.language.empty()) check.fail(&root["language"], "'language' is empty");

    if (!root.isMember("pages")) {
        check.fail(&root, "'pages' (the page count) is missing");
    } else {
        const Json::Value& p = root["pages"];
        if (!p.isInt() || p.asInt() < 1 || p.asInt() > BookDescription::kMaxPages)
            check.fail(&p, "'pages' must be a page count from 1 to " + std::to_string(BookDescription::kMaxPages));
        else
            d.pageCount = p.asInt();
    }

    if (root.isMember("units")) {
        const Json::Value& units = root["units"];
        if (!units.isArray()) {
            check.fail(&units, "'units' must be a list");
        } else if (units.empty() || units.size() > static_cast<unsigned>(BookDescription::kMaxUnits)) {
            check.fail(&units, "a book has 1 to " + std::to_string(BookDescription::kMaxUnits) + " units, not " +
                                   std::to_string(units.size()));
        } else {
            int previousLast = 0;
            for (const Json::Value& u : units) {
                if (!u.isObject()) {
                    check.fail(&u, "a unit must be an object with 'title', 'first' and 'last'");
                    continue;
                }
                check.onlyKeys(u, {"title", "first", "last"}, "a unit");
                BookUnit unit;
                bool good = check.text(u, "title", &unit.title, true);
                good = check.page(u, "first", d.pageCount, &unit.firstPage) && good;
                good = check.page(u, "last", d.pageCount, &unit.lastPage) && good;
                if (!good) continue;
                if (unit.lastPage < unit.firstPage) {
                    check.fail(&u, "unit '" + unit.title + "' ends on page " + std::to_string(unit.lastPage) +
                                       " before it starts on page " + std::to_string(unit.firstPage));
                    continue;
                }
                if (unit.firstPage <= previousLast)
                    check.fail(&u, "unit '" + unit.title + "' starts on page " + std::to_string(unit.firstPage) +
                                       ", inside or before the unit before it (which ends on page " +
                                       std::to_string(previousLast) + ")");
                previousLast = unit.lastPage;
                d.units.push_back(unit);
            }
        }
    }

    if (root.isMember("wordList")) {
        const Json::Value& list = root["wordList"];
        if (!list.isArray()) {
            check.fail(&list, "'wordList' must be a list");
        } else if (list.size() > static_cast<unsigned>(BookDescription::kMaxUnits)) {
            check.fail(&list, "a word list has at most " + std::to_string(BookDescription::kMaxUnits) + " sections");
        } else {
            int previous = 0;
            for (const Json::Value& s : list) {
                if (!s.isObject()) {
                    check.fail(&s, "a word-list section must be an object with 'title' and 'first'");
                    continue;
                }
                check.onlyKeys(s, {"title", "first"}, "a word-list section");
                WordListSection section;
                bool good = check.text(s, "title", &section.title, true);
                good = check.page(s, "first", d.pageCount, &section.firstPage) && good;
                if (!good) continue;
                if (section.firstPage <= previous)
                    check.fail(&s, "word-list section '" + section.title + "' is not after the one before it");
                previous = section.firstPage;
                d.wordList.push_back(section);
            }
        }
    }

    if (!check.ok()) return false;
    if (d.units.empty()) d.units.push_back({d.title, 1, d.pageCount});
    *out = d;
    return true;
}

bool readBookDescription(const std::string& bookDir, BookDescription* out, bool* present,
                         std::vector<std::string>* errors) {
    const std::string path = bookDir + "/" + BookDescription::kFileName;
    struct stat st;
    *present = ::stat(path.c_str(), &st) == 0;
    if (!*present) return false;
    auto fail = [&](const std::string& why) {
        if (errors) errors->push_back(path + ": " + why);
        return false;
    };
    if (!S_ISREG(st.st_mode)) return fail("not a regular file");
    if (st.st_size > kMaxFileBytes) return fail("larger than a description can be (" + std::to_string(st.st_size) + " bytes)");
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return parseBookDescription(text.str(), path, out, errors);
}

std::string writeBookDescription(const BookDescription& d) {
    Json::Value root(Json::objectValue);
    root["format"] = BookDescription::kFormat;
    root["title"] = d.title;
    if (!d.author.empty()) root["author"] = d.author;
    root["language"] = d.language;
    root["pages"] = d.pageCount;
    Json::Value units(Json::arrayValue);
    for (const BookUnit& u : d.units) {
        Json::Value v(Json::objectValue);
        v["title"] = u.title;
        v["first"] = u.firstPage;
        v["last"] = u.lastPage;
        units.append(v);
    }
    root["units"] = units;
    if (!d.wordList.empty()) {
        Json::Value list(Json::arrayValue);
        for (const WordListSection& s : d.wordList) {
            Json::Value v(Json::objectValue);
            v["title"] = s.title;
            v["first"] = s.firstPage;
            list.append(v);
        }
        root["wordList"] = list;
    }
    Json::StreamWriterBuilder w;
    w["indentation"] = "  ";
    return Json::writeString(w, root) + "\n";
}

}  // namespace app
