// File access against one resource root: relative names resolve against it.
#pragma once

#include <string>
#include <vector>

namespace engine {

class CCFileUtils {
public:
    static CCFileUtils* sharedFileUtils();
    static void purgeFileUtils();

    // The folder relative names resolve against (the book directory). A relative dir is taken
    // from the current working directory now; an empty one means the working directory.
    void setResourceRoot(const std::string& dir);
    const std::string& getResourceRoot() const { return m_root; }

    // Absolute paths stay as they are; others are joined to the resource root. The result is
    // returned whether or not the file exists.
    std::string fullPathForFilename(const char* filename) const;
    bool isAbsolutePath(const std::string& path) const;
    // True for regular files only; a relative path resolves against the resource root.
    bool isFileExist(const std::string& path) const;
    // The whole file, or null with *size = 0 when it cannot be read (missing, a directory or
    // other non-regular file); the caller delete[]s it. A zero byte follows the data (not
    // counted in *size), so an empty file gives a non-null buffer. size may be null; mode is
    // accepted for familiarity and ignored (reading is always binary).
    unsigned char* getFileData(const char* filename, const char* mode, unsigned long* size) const;
    // The whole file into out; false when it cannot be read.
    bool readFile(const std::string& filename, std::vector<unsigned char>& out) const;
    bool readFile(const std::string& filename, std::string& out) const;
    // A folder the program may write to (the resource root).
    std::string getWritablePath() const;

private:
    CCFileUtils();
    std::string m_root;
};

}  // namespace engine
