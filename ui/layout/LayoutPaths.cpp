// Layout-relative file names: folder of a layout, joining, and the check that a name stays inside the book.
#include "ui/layout/LayoutPaths.h"

#include <sys/stat.h>

#include "engine/io/CCFileUtils.h"

namespace ui {

namespace {

bool startsWithFolder(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.compare(0, folder.size(), folder) != 0) return false;
    return folder.back() == '/' || path.size() == folder.size() || path[folder.size()] == '/';
}

// True when the components after the boundary never climb above it.
bool staysInside(const std::string& remainder) {
    long depth = 0;
    size_t start = 0;
    while (start <= remainder.size()) {
        size_t end = remainder.find('/', start);
        if (end == std::string::npos) end = remainder.size();
        const size_t len = end - start;
        if (len == 2 && remainder.compare(start, 2, "..") == 0) {
            if (--depth < 0) return false;
        } else if (len > 0 && !(len == 1 && remainder[start] == '.')) {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string layoutDirectoryOf(const std::string& fullPath) {
    size_t slash = fullPath.rfind('/');
    return slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
}

std::string composeLayoutPath(const std::string& layoutDirectory, const char* name, const std::string& boundary) {
    if (!name || !*name) return std::string();
    std::string composed = layoutDirectory + name;
    std::string inside = composed;
    if (!boundary.empty()) {
        if (!startsWithFolder(composed, boundary)) return std::string();
        inside = composed.substr(boundary.size());
    }
    if (!staysInside(inside)) return std::string();
    // A folder or a device is no image, font or sheet; some loaders cannot be handed one
    // (reading a folder throws, reading a pipe waits forever). Missing files go on to the
    // loaders, which report them.
    struct stat st;
    if (::stat(composed.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return std::string();
    return composed;
}

std::string layoutBoundaryFor(const std::string& layoutDirectory) {
    const std::string& root = engine::CCFileUtils::sharedFileUtils()->getResourceRoot();
    return startsWithFolder(layoutDirectory, root) ? root : layoutDirectory;
}

std::string composeLayoutPath(const std::string& layoutDirectory, const char* name) {
    return composeLayoutPath(layoutDirectory, name, layoutBoundaryFor(layoutDirectory));
}

}  // namespace ui
