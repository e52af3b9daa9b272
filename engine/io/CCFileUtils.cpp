// CCFileUtils: resolving names against the resource root and reading whole files.
#include "engine/io/CCFileUtils.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/base/CCLog.h"

namespace engine {

namespace {

CCFileUtils* s_sharedFileUtils = nullptr;

std::string currentDirectory() {
    // getcwd with a growing buffer: PATH_MAX is not a real limit on Linux.
    std::string buf(256, '\0');
    for (;;) {
        if (::getcwd(&buf[0], buf.size())) return std::string(buf.c_str());
        if (errno != ERANGE || buf.size() > (1u << 20)) return std::string("/");
        buf.resize(buf.size() * 2);
    }
}

// Trailing slashes would make every join produce "//"; the filesystem root keeps its one slash.
std::string withoutTrailingSlashes(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    size_t start = 0;
    while (start < name.size() && name[start] == '/') ++start;
    std::string out = dir;
    if (out.back() != '/') out += '/';
    out.append(name, start, std::string::npos);
    return out;
}

// A heap block that getFileData can hand over as a new[] buffer; grows like a vector but never
// zero-fills, which matters for files of hundreds of megabytes.
class RawBuffer {
public:
    bool resize(size_t n) {
        if (n <= m_capacity) {
            m_size = n;
            return true;
        }
        std::unique_ptr<unsigned char[]> bigger(new (std::nothrow) unsigned char[n]);
        if (!bigger) return false;
        if (m_size) std::memcpy(bigger.get(), m_data.get(), m_size);
        m_data = std::move(bigger);
        m_capacity = n;
        m_size = n;
        return true;
    }
    unsigned char* data() { return m_data.get(); }
    size_t size() const { return m_size; }
    unsigned char* release() { return m_data.release(); }

private:
    std::unique_ptr<unsigned char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// resize() that reports allocation failure instead of throwing, for the standard containers.
template <typename Buffer>
bool tryResize(Buffer& buf, size_t n) {
    try {
        buf.resize(n);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
bool tryResize(RawBuffer& buf, size_t n) { return buf.resize(n); }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads a regular file to its end into buf, leaving buf.size() == bytes read. The size from
// fstat is only a first guess: files that grow while read, or report 0 (as /proc does), still
// come in whole. Returns a reason on failure, null on success.
template <typename Buffer>
const char* readWholeFile(const std::string& path, Buffer& buf) {
    if (path.empty()) return "empty file name";
    // O_NONBLOCK keeps a FIFO given as a file name from waiting forever for a writer; it
    // changes nothing for the regular files that are actually read.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return std::strerror(errno);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "is a directory";
    if (!S_ISREG(st.st_mode)) return "not a regular file";

    // One byte beyond the expected size lets a single read() see the end of the file.
    size_t used = 0;
    size_t expected = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
    if (!tryResize(buf, expected + 1)) return "out of memory";
    for (;;) {
        if (used == buf.size()) {
            size_t grown = buf.size() < (1u << 16) ? (1u << 16) : buf.size() + buf.size() / 2;
            if (!tryResize(buf, grown)) return "out of memory";
        }
        ssize_t n = ::read(fd.get(), reinterpret_cast<char*>(&buf.data()[used]), buf.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::strerror(errno);
        }
        if (n == 0) break;
        used += static_cast<size_t>(n);
    }
    tryResize(buf, used);  // shrinking never allocates
    return nullptr;
}

}  // namespace

CCFileUtils::CCFileUtils() : m_root(currentDirectory()) {}

CCFileUtils* CCFileUtils::sharedFileUtils() {
    if (!s_sharedFileUtils) s_sharedFileUtils = new CCFileUtils();
    return s_sharedFileUtils;
}

void CCFileUtils::purgeFileUtils() {
    delete s_sharedFileUtils;
    s_sharedFileUtils = nullptr;
}

void CCFileUtils::setResourceRoot(const std::string& dir) {
    // A relative root is pinned to today's working directory so that later chdir calls do not
    // move the book out from under the reader.
    if (dir.empty()) {
        m_root = currentDirectory();
    } else if (isAbsolutePath(dir)) {
        m_root = withoutTrailingSlashes(dir);
    } else {
        m_root = withoutTrailingSlashes(joinPath(currentDirectory(), dir));
    }
}

bool CCFileUtils::isAbsolutePath(const std::string& path) const {
    return !path.empty() && path[0] == '/';
}

std::string CCFileUtils::fullPathForFilename(const char* filename) const {
    if (!filename || !*filename) return std::string();
    std::string name(filename);
    if (isAbsolutePath(name)) return name;
    return joinPath(m_root, name);
}

bool CCFileUtils::isFileExist(const std::string& path) const {
    if (path.empty()) return false;
    std::string full = fullPathForFilename(path.c_str());
    struct stat st;
    return ::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

unsigned char* CCFileUtils::getFileData(const char* filename, const char* /*mode*/,
                                        unsigned long* size) const {
    // The mode is taken for the callers' sake only: there is no text mode on this platform and
    // this function never writes.
    if (size) *size = 0;
    if (!filename || !*filename) {
        CCLog("CCFileUtils: getFileData called without a file name");
        return nullptr;
    }
    std::string full = fullPathForFilename(filename);
    RawBuffer buf;
    const char* error = readWholeFile(full, buf);
    size_t used = buf.size();
    // A spare zero byte after the data lets text callers use the buffer as a C string; it
    // also gives an empty file a real (non-null) buffer, which tells it apart from a failure.
    if (!error && !buf.resize(used + 1)) error = "out of memory";
    if (error) {
        CCLog("CCFileUtils: cannot read '%s': %s", full.c_str(), error);
        return nullptr;
    }
    buf.data()[used] = 0;
    if (size) *size = static_cast<unsigned long>(used);
    return buf.release();
}

bool CCFileUtils::readFile(const std::string& filename, std::vector<unsigned char>& out) const {
    out.clear();
    std::string full = fullPathForFilename(filename.c_str());
    if (const char* error = readWholeFile(full, out)) {
        CCLog("CCFileUtils: cannot read '%s': %s", full.c_str(), error);
        out.clear();
        return false;
    }
    return true;
}

bool CCFileUtils::readFile(const std::string& filename, std::string& out) const {
    out.clear();
    std::string full = fullPathForFilename(filename.c_str());
    if (const char* error = readWholeFile(full, out)) {
        CCLog("CCFileUtils: cannot read '%s': %s", full.c_str(), error);
        out.clear();
        return false;
    }
    return true;
}

std::string CCFileUtils::getWritablePath() const {
    if (!m_root.empty() && m_root.back() == '/') return m_root;
    return m_root + "/";
}

}  // namespace engine
