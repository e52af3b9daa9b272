// Tests of CCFileUtils: name resolution against the resource root and whole-file reading.
#include "engine/io/CCFileUtils.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "engine/base/CCLog.h"
#include "tests/engine/io/TempFolder.h"

using engine::CCFileUtils;
using iotest::TempFolder;

namespace {

std::string workingDirectory() { return std::filesystem::current_path().string(); }

// Every byte value, several times over, with NULs in the middle and at both ends.
std::string allByteValues(size_t rounds) {
    std::string bytes;
    for (size_t r = 0; r < rounds; ++r)
        for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>((b + r) & 0xff));
    return bytes;
}

struct BufferDeleter {
    void operator()(unsigned char* p) const { delete[] p; }
};
using Buffer = std::unique_ptr<unsigned char[], BufferDeleter>;

class FileUtilsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        engine::setLogQuiet(true);
        CCFileUtils::purgeFileUtils();
        utils = CCFileUtils::sharedFileUtils();
        utils->setResourceRoot(dir.path());
    }
    void TearDown() override {
        CCFileUtils::purgeFileUtils();
        engine::setLogQuiet(false);
    }

    Buffer read(const std::string& name, unsigned long* size) {
        return Buffer(utils->getFileData(name.c_str(), "rb", size));
    }

    TempFolder dir;
    CCFileUtils* utils = nullptr;
};

TEST_F(FileUtilsTest, SingletonStartsAtTheWorkingDirectoryAndSurvivesUntilPurged) {
    CCFileUtils::purgeFileUtils();
    CCFileUtils* first = CCFileUtils::sharedFileUtils();
    EXPECT_EQ(first, CCFileUtils::sharedFileUtils());
    EXPECT_EQ(first->getResourceRoot(), workingDirectory());

    first->setResourceRoot(dir.path());
    CCFileUtils::purgeFileUtils();
    EXPECT_EQ(CCFileUtils::sharedFileUtils()->getResourceRoot(), workingDirectory())
        << "a purged instance must not leak its root into the next one";
}

TEST_F(FileUtilsTest, RelativeNamesJoinTheRootWithExactlyOneSlash) {
    utils->setResourceRoot("/books/one");
    EXPECT_EQ(utils->fullPathForFilename("String.xml"), "/books/one/String.xml");
    EXPECT_EQ(utils->fullPathForFilename("Images/page 1.png"), "/books/one/Images/page 1.png");

    utils->setResourceRoot("/books/one///");
    EXPECT_EQ(utils->getResourceRoot(), "/books/one");
    EXPECT_EQ(utils->fullPathForFilename("String.xml"), "/books/one/String.xml");

    utils->setResourceRoot("/");
    EXPECT_EQ(utils->getResourceRoot(), "/");
    EXPECT_EQ(utils->fullPathForFilename("String.xml"), "/String.xml");
}

TEST_F(FileUtilsTest, AbsoluteAndEmptyNames) {
    EXPECT_EQ(utils->fullPathForFilename("/etc/hostname"), "/etc/hostname");
    EXPECT_EQ(utils->fullPathForFilename("/"), "/");
    EXPECT_EQ(utils->fullPathForFilename(""), "");
    EXPECT_EQ(utils->fullPathForFilename(nullptr), "");

    EXPECT_TRUE(utils->isAbsolutePath("/a"));
    EXPECT_FALSE(utils->isAbsolutePath("a/b"));
    EXPECT_FALSE(utils->isAbsolutePath("./a"));
    EXPECT_FALSE(utils->isAbsolutePath(""));
}

TEST_F(FileUtilsTest, RelativeOrEmptyRootIsPinnedToTheWorkingDirectory) {
    utils->setResourceRoot("book/data/");
    EXPECT_EQ(utils->getResourceRoot(), workingDirectory() + "/book/data");
    EXPECT_EQ(utils->fullPathForFilename("a.json"), workingDirectory() + "/book/data/a.json");

    utils->setResourceRoot("");
    EXPECT_EQ(utils->getResourceRoot(), workingDirectory());
}

TEST_F(FileUtilsTest, WritablePathIsTheRootWithOneTrailingSlash) {
    EXPECT_EQ(utils->getWritablePath(), dir.path() + "/");
    utils->setResourceRoot("/");
    EXPECT_EQ(utils->getWritablePath(), "/");
    utils->setResourceRoot("/tmp/x/");
    EXPECT_EQ(utils->getWritablePath(), "/tmp/x/");
}

TEST_F(FileUtilsTest, GetFileDataReturnsEveryByteIncludingNuls) {
    const std::string bytes = allByteValues(7);
    dir.write("sub/blob.bin", bytes);

    unsigned long size = 0;
    Buffer data = read("sub/blob.bin", &size);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(size, bytes.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.get()), size), bytes);
    EXPECT_EQ(data[size], 0) << "the buffer ends with a spare zero byte";

    // The same file through its absolute name, and with no size wanted.
    size = 0;
    Buffer again = read(dir.file("sub/blob.bin"), &size);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(size, bytes.size());
    Buffer noSize(utils->getFileData("sub/blob.bin", nullptr, nullptr));
    ASSERT_NE(noSize, nullptr);
    EXPECT_EQ(std::memcmp(noSize.get(), bytes.data(), bytes.size()), 0);
}

TEST_F(FileUtilsTest, GetFileDataFailsCleanlyOnMissingDirectoriesAndNoName) {
    dir.write("folder/inside.txt", "x");
    const char* bad[] = {"missing.txt", "folder", "folder/", "folder/missing/deeper.txt",
                         "missing-folder/inside.txt", ""};
    for (const char* name : bad) {
        unsigned long size = 12345;
        Buffer data = read(name, &size);
        EXPECT_EQ(data, nullptr) << name;
        EXPECT_EQ(size, 0u) << name;
    }
    unsigned long size = 12345;
    EXPECT_EQ(utils->getFileData(nullptr, "rb", &size), nullptr);
    EXPECT_EQ(size, 0u);
    size = 12345;
    Buffer root(utils->getFileData("/", "rb", &size));
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(FileUtilsTest, EmptyFileIsReadableAndEmpty) {
    dir.write("empty.txt", "");
    unsigned long size = 12345;
    Buffer data = read("empty.txt", &size);
    EXPECT_NE(data, nullptr) << "an empty file is not a failure";
    EXPECT_EQ(size, 0u);

    std::string text = "stale";
    EXPECT_TRUE(utils->readFile("empty.txt", text));
    EXPECT_TRUE(text.empty());
    std::vector<unsigned char> bytes{1, 2, 3};
    EXPECT_TRUE(utils->readFile("empty.txt", bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(FileUtilsTest, ReadFileOverloadsMatchTheFileAndClearOnFailure) {
    const std::string bytes = allByteValues(3);
    dir.write("data.bin", bytes);

    std::string text = "stale";
    ASSERT_TRUE(utils->readFile("data.bin", text));
    EXPECT_EQ(text, bytes);
    std::vector<unsigned char> vec{9, 9};
    ASSERT_TRUE(utils->readFile(dir.file("data.bin"), vec));
    EXPECT_EQ(std::string(vec.begin(), vec.end()), bytes);

    dir.write("folder/x", "x");
    for (const char* name : {"missing.bin", "folder", ""}) {
        text = "stale";
        vec.assign(4, 7);
        EXPECT_FALSE(utils->readFile(name, text)) << name;
        EXPECT_TRUE(text.empty()) << name;
        EXPECT_FALSE(utils->readFile(name, vec)) << name;
        EXPECT_TRUE(vec.empty()) << name;
    }
}

TEST_F(FileUtilsTest, IsFileExistOnlyForRegularFiles) {
    dir.write("a/b.txt", "b");
    EXPECT_TRUE(utils->isFileExist("a/b.txt"));
    EXPECT_TRUE(utils->isFileExist(dir.file("a/b.txt")));
    EXPECT_FALSE(utils->isFileExist("a"));
    EXPECT_FALSE(utils->isFileExist(dir.path()));
    EXPECT_FALSE(utils->isFileExist("a/c.txt"));
    EXPECT_FALSE(utils->isFileExist(""));

    // A file that exists beside the working directory but not under the root is not found.
    utils->setResourceRoot(dir.file("a"));
    EXPECT_TRUE(utils->isFileExist("b.txt"));
    EXPECT_FALSE(utils->isFileExist("a/b.txt"));
}

TEST_F(FileUtilsTest, SymlinksAreFollowedToFilesButNotToFolders) {
    dir.write("real/target.txt", "through the link");
    std::filesystem::create_symlink(dir.file("real/target.txt"), dir.file("link.txt"));
    std::filesystem::create_directory_symlink(dir.file("real"), dir.file("linkdir"));

    std::string text;
    EXPECT_TRUE(utils->readFile("link.txt", text));
    EXPECT_EQ(text, "through the link");
    EXPECT_TRUE(utils->isFileExist("link.txt"));
    EXPECT_TRUE(utils->readFile("linkdir/target.txt", text));
    EXPECT_FALSE(utils->isFileExist("linkdir"));
    EXPECT_FALSE(utils->readFile("linkdir", text));
}

TEST_F(FileUtilsTest, FifoIsRefusedWithoutWaitingForAWriter) {
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    unsigned long size = 12345;
    Buffer data = read("pipe", &size);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_FALSE(utils->isFileExist("pipe"));
}

TEST_F(FileUtilsTest, FilesThatReportNoSizeAreStillReadWhole) {
    // Files under /proc claim a size of 0 but have content: the reader must not trust fstat.
    struct stat st;
    if (::stat("/proc/self/status", &st) != 0) GTEST_SKIP() << "no /proc on this machine";
    unsigned long size = 0;
    Buffer data(utils->getFileData("/proc/self/status", "rb", &size));
    ASSERT_NE(data, nullptr);
    std::string text(reinterpret_cast<const char*>(data.get()), size);
    EXPECT_EQ(text.rfind("Name:", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find("\nPid:"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}

TEST_F(FileUtilsTest, LargeFileIsReadCompletely) {
    // 96 MiB with a position-dependent pattern, so a short or misplaced read shows up anywhere.
    const size_t kSize = (96u << 20) + 13;
    std::string bytes(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i) bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    dir.write("big.bin", bytes);

    unsigned long size = 0;
    Buffer data = read("big.bin", &size);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(size, kSize);
    EXPECT_EQ(std::memcmp(data.get(), bytes.data(), kSize), 0);

    std::vector<unsigned char> vec;
    ASSERT_TRUE(utils->readFile("big.bin", vec));
    ASSERT_EQ(vec.size(), kSize);
    EXPECT_EQ(std::memcmp(vec.data(), bytes.data(), kSize), 0);
}

}  // namespace
