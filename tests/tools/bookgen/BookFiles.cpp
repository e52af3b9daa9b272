// Shared readers of the generator tests: files, JSON, property lists, PNG headers, generator runs.
#include "BookFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/wait.h>

#include <pugixml.hpp>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace booktest {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool parseJson(const std::string& text, Json::Value& out, std::string& error) {
    Json::CharReaderBuilder builder;
    Json::CharReaderBuilder::strictMode(&builder.settings_);
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    return reader->parse(text.data(), text.data() + text.size(), &out, &error);
}

namespace {

pugi::xml_node plistDict(pugi::xml_document& doc, const std::string& path, std::string& error) {
    pugi::xml_parse_result result = doc.load_file(path.c_str());
    if (!result) {
        error = path + ": " + result.description();
        return pugi::xml_node();
    }
    pugi::xml_node dict = doc.child("plist").child("dict");
    if (!dict) {
        error = path + ": no <plist><dict>";
    }
    return dict;
}

bool parseRect(const std::string& text, SheetFrame& f) {
    return std::sscanf(text.c_str(), "{{%d,%d},{%d,%d}}", &f.x, &f.y, &f.w, &f.h) == 4;
}

}  // namespace

bool readStringTable(const std::string& path, std::map<std::string, std::string>& out, std::string& error) {
    pugi::xml_document doc;
    pugi::xml_node dict = plistDict(doc, path, error);
    if (!dict) {
        return false;
    }
    for (pugi::xml_node key = dict.child("key"); key; key = key.next_sibling("key")) {
        pugi::xml_node value = key.next_sibling();
        if (std::string(value.name()) != "string") {
            error = path + ": key " + key.text().get() + " has no string value";
            return false;
        }
        if (!out.emplace(key.text().get(), value.text().get()).second) {
            error = path + ": key " + key.text().get() + " appears twice";
            return false;
        }
    }
    return true;
}

bool readSheet(const std::string& path, Sheet& out, std::string& error) {
    pugi::xml_document doc;
    pugi::xml_node dict = plistDict(doc, path, error);
    if (!dict) {
        return false;
    }
    for (pugi::xml_node key = dict.child("key"); key; key = key.next_sibling("key")) {
        const std::string section = key.text().get();
        pugi::xml_node body = key.next_sibling("dict");
        if (section == "frames") {
            for (pugi::xml_node name = body.child("key"); name; name = name.next_sibling("key")) {
                pugi::xml_node props = name.next_sibling("dict");
                SheetFrame frame;
                bool rotatedFalse = false;
                for (pugi::xml_node k = props.child("key"); k; k = k.next_sibling("key")) {
                    const std::string prop = k.text().get();
                    if (prop == "frame" && !parseRect(k.next_sibling().text().get(), frame)) {
                        error = path + ": frame " + name.text().get() + " has no {{x,y},{w,h}} rectangle";
                        return false;
                    }
                    if (prop == "rotated") {
                        rotatedFalse = std::string(k.next_sibling().name()) == "false";
                    }
                }
                if (!rotatedFalse) {
                    error = path + ": frame " + name.text().get() + " must say rotated false";
                    return false;
                }
                out.frames[name.text().get()] = frame;
            }
        } else if (section == "metadata") {
            for (pugi::xml_node k = body.child("key"); k; k = k.next_sibling("key")) {
                const std::string prop = k.text().get();
                if (prop == "format") {
                    out.format = k.next_sibling("integer").text().as_int(-1);
                } else if (prop == "textureFileName") {
                    out.textureFileName = k.next_sibling("string").text().get();
                }
            }
        }
    }
    return true;
}

bool pngSize(const std::string& path, int& width, int& height) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (in.gcount() != 24 || !std::equal(signature, signature + 8, header) ||
        std::string(reinterpret_cast<char*>(header) + 12, 4) != "IHDR") {
        return false;
    }
    auto be32 = [&](int at) {
        return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3];
    };
    width = be32(16);
    height = be32(20);
    return true;
}

std::string generatorPath() {
    return std::string(QUIREL_BINARY_DIR) + "/tools/bookgen/quirel-bookgen";
}

RunResult runGenerator(const std::string& arguments, const std::string& environment) {
    const std::string dir = testsupport::makeTempDir("quirel-bookgen-run");
    const std::string outFile = dir + "/stdout", errFile = dir + "/stderr";
    std::string command;
    if (!environment.empty()) {
        command = "/usr/bin/env " + environment + " ";
    }
    command += "'" + generatorPath() + "' " + arguments + " >'" + outFile + "' 2>'" + errFile + "'";
    RunResult result;
    const int status = std::system(command.c_str());
    result.exitCode = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    return result;
}

std::string smallBookJson(const std::vector<std::vector<std::string>>& pages) {
    Json::Value book(Json::objectValue);
    book["title"] = "Test Book";
    book["voice"]["name"] = "en-us";
    book["voice"]["speed"] = 170;
    book["voice"]["pitch"] = 50;
    for (const char* key : {"main_page", "setmenu_set", "bntext", "wordname", "page_front", "page_after"}) {
        book["captions"][key] = std::string("caption ") + key;
    }
    book["settings"]["heading"] = "Settings";
    book["settings"]["paper"] = "#eeeeee";
    book["settings"]["accent"] = "#336699";
    for (const char* name : {"bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"}) {
        Json::Value button(Json::objectValue);
        button["name"] = name;
        button["title"] = std::string("title ") + name;
        book["settings"]["buttons"].append(button);
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        Json::Value page(Json::objectValue);
        page["page"] = static_cast<int>(i + 1);
        page["heading"] = "Page " + std::to_string(i + 1);
        page["paper"] = "#fff4e0";
        page["accent"] = "#cc5500";
        page["picture"].append("sun");
        page["sentences"] = Json::Value(Json::arrayValue);
        for (const std::string& s : pages[i]) {
            page["sentences"].append(s);
        }
        book["pages"].append(page);
    }
    Json::StreamWriterBuilder writer;
    return Json::writeString(writer, book);
}

std::vector<std::string> listFiles(const std::string& root) {
    std::vector<std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            files.push_back(fs::relative(it->path(), root, ec).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace booktest
