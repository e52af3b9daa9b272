// Listing a layout's pictures from its JSON, and handing that listing to the texture cache's worker.
#include "ui/layout/LayoutImages.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "engine/io/CCFileUtils.h"
#include "engine/render/CCTextureCache.h"
#include "ui/layout/GUIReader.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/layout/LayoutPaths.h"
#include "ui/nodes/TextureResType.h"

namespace ui {

namespace {

// A page names a handful of pictures; a hostile file naming thousands gets the first ones only.
constexpr size_t kMaxListed = 64;

bool endsWith(const std::string& text, const char* tail) {
    const size_t n = std::strlen(tail);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != tail[i]) return false;
    return true;
}

bool namesPicture(const std::string& name) {
    return endsWith(name, ".png") || endsWith(name, ".jpg") || endsWith(name, ".jpeg");
}

struct Listing {
    bool legacy;
    std::string directory, boundary;
    std::set<std::string> seen;
    std::vector<std::string> files;

    void add(const char* name) {
        if (files.size() >= kMaxListed) return;
        std::string path = composeLayoutPath(directory, name, boundary);
        if (path.empty()) return;
        path = std::filesystem::path(path).lexically_normal().string();
        if (seen.insert(path).second) files.push_back(path);
    }

    // Current layouts name a picture as {"path": ..., "resourceType": 0} under a key ending in
    // "Data"; legacy ones as a plain string in the options, unless they take sprite-sheet frames.
    void collect(const Json::Value& value) {
        if (files.size() >= kMaxListed) return;
        if (value.isArray()) {
            for (const Json::Value& element : value) collect(element);
            return;
        }
        if (!value.isObject()) return;
        const Json::Value& merged = value["useMergedTexture"];
        const bool frames = merged.isBool() && merged.asBool();
        for (auto it = value.begin(); it != value.end(); ++it) {
            const Json::Value& member = *it;
            if (!legacy && endsWith(it.name(), "data") && member.isObject() && member["path"].isString()) {
                if (JsonDictionary::intOf(member["resourceType"]) == TEX_RES_LOCAL_FILE) add(member["path"].asCString());
            } else if (legacy && member.isString()) {
                if (!frames && namesPicture(member.asString())) add(member.asCString());
            } else {
                collect(member);
            }
        }
    }
};

}  // namespace

std::vector<std::string> layoutImageFiles(const std::string& layoutFullPath, const std::string& boundary) {
    std::vector<std::string> files;
    // A folder opens as a stream on Linux, and reading it then throws instead of failing.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(layoutFullPath, ec)) return files;
    std::string text;
    try {
        std::ifstream in(layoutFullPath, std::ios::binary);
        if (!in) return files;
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return files;  // replaced or cut under us: nothing to list
    }
    JsonDictionary document = GUIReader::parseLayoutText(text.data(), text.size());
    if (!document.value() || !document.value()->isObject()) return files;
    const char* version = document.readString("version");
    Listing listing{!version || GUIReader::versionToInteger(version) < 250, layoutDirectoryOf(layoutFullPath), boundary, {}, {}};
    listing.collect((*document.value())["widgetTree"]);
    return listing.files;
}

void decodeLayoutImagesAhead(const char* fileName) {
    if (!fileName || !*fileName) return;

    engine::CCFileUtils* files = engine::CCFileUtils::sharedFileUtils();
    const std::string fullPath = files->fullPathForFilename(fileName);
    // Worked out here: the file utilities belong to the main thread.
    const std::string boundary = layoutBoundaryFor(layoutDirectoryOf(fullPath));
    engine::CCTextureCache::sharedTextureCache()->decodeAhead(
        [fullPath, boundary] { return layoutImageFiles(fullPath, boundary); });
}

}  // namespace ui
