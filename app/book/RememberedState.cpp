// RememberedState: finding the state folder, reading a book's file, and writing it atomically.
#include "app/book/RememberedState.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/book/BookContents.h"
#include "app/book/Md5Digest.h"
#include "app/book/ReaderState.h"
#include "engine/base/CCLog.h"

namespace app {

namespace {

struct Open {
    bool open = false;
    std::string path;
    std::string book;
    Json::Value values{Json::objectValue};
    bool writeFailed = false;  // logged once a run
};

Open& state() {
    static Open s;
    return s;
}

void write() {
    Open& s = state();
    Json::Value doc = s.values;
    doc["book"] = s.book;
    Json::StreamWriterBuilder b;
    b["indentation"] = "  ";
    const std::string text = Json::writeString(b, doc) + "\n";
    const std::string temp = s.path + ".tmp." + std::to_string(getpid());
    bool ok = false;
    if (FILE* f = std::fopen(temp.c_str(), "wb")) {
        ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (fsync(fileno(f)) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        ok = ok && std::rename(temp.c_str(), s.path.c_str()) == 0;
        if (!ok) std::remove(temp.c_str());
    }
    if (!ok && !s.writeFailed) {
        s.writeFailed = true;
        engine::CCLog("remembered state: cannot write %s; this run's changes are not kept", s.path.c_str());
    }
}

}  // namespace

std::string defaultStateFolder() {
    const char* xdg = std::getenv("XDG_STATE_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/quirel";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/quirel";
    return std::string();
}

int resumePage() { return RememberedState::getInt(remembered::kPage, kFirstPage, lastPage(), 0); }

void RememberedState::open(const std::string& folder, const std::string& bookDir) {
    close();
    Open& s = state();
    std::error_code ec;
    std::filesystem::path book = std::filesystem::absolute(bookDir, ec);
    s.book = ec ? bookDir : book.lexically_normal().string();
    while (s.book.size() > 1 && s.book.back() == '/') s.book.pop_back();
    std::filesystem::create_directories(folder, ec);
    s.path = (std::filesystem::path(folder) / (Md5Digest::hexDigest(s.book) + ".json")).string();
    s.open = true;

    std::ifstream in(s.path, std::ios::binary);
    if (!in) return;  // nothing remembered yet
    Json::CharReaderBuilder b;
    std::string errors;
    Json::Value doc;
    if (!Json::parseFromStream(b, in, &doc, &errors) || !doc.isObject()) {
        engine::CCLog("remembered state: %s is damaged; starting afresh", s.path.c_str());
        return;
    }
    doc.removeMember("book");
    s.values = doc;
}

void RememberedState::close() { state() = Open(); }

bool RememberedState::isOpen() { return state().open; }

std::string RememberedState::path() { return state().path; }

Json::Value RememberedState::get(const char* key) {
    const Open& s = state();
    if (!s.open || !s.values.isMember(key)) return Json::Value();
    return s.values[key];
}

int RememberedState::getInt(const char* key, int lowest, int highest, int fallback) {
    const Json::Value v = get(key);
    if (!v.isInt()) return fallback;
    const int n = v.asInt();
    return n >= lowest && n <= highest ? n : fallback;
}

void RememberedState::set(const char* key, const Json::Value& value) {
    Open& s = state();
    if (!s.open) return;
    if (s.values.isMember(key) && s.values[key] == value) return;
    s.values[key] = value;
    write();
}

}  // namespace app
