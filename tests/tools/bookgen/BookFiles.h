// Readers the generator tests share: JSON layouts, property lists, PNG headers, running the generator.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <json/json.h>

namespace booktest {

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// Strict parse; on failure `error` says why.
bool parseJson(const std::string& text, Json::Value& out, std::string& error);

// The top-level dictionary of a property list whose values are strings (the string tables).
bool readStringTable(const std::string& path, std::map<std::string, std::string>& out, std::string& error);

struct SheetFrame {
    int x = 0, y = 0, w = 0, h = 0;
};
struct Sheet {
    std::map<std::string, SheetFrame> frames;
    int format = -1;
    std::string textureFileName;
};
bool readSheet(const std::string& path, Sheet& out, std::string& error);

// Width and height from a PNG's header; false when the file is not a PNG.
bool pngSize(const std::string& path, int& width, int& height);

// The generator built next to these tests.
std::string generatorPath();

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
// Runs the generator with `arguments` (already quoted as needed); `environment` is a prefix such
// as "PATH=/x" passed through env(1).
RunResult runGenerator(const std::string& arguments, const std::string& environment = "");

// A complete book.json for a small book: one entry of `pages` per page, each a list of sentences.
std::string smallBookJson(const std::vector<std::vector<std::string>>& pages);

// Every regular file under `root`, as paths relative to it, sorted.
std::vector<std::string> listFiles(const std::string& root);

}  // namespace booktest
