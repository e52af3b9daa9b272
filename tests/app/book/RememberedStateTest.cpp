// What is remembered per book: kept across an open and a reopen, one file per book folder,
// written whole, a damaged file ignored and replaced, a folder that cannot be written survived,
// and the state folder's place.
#include "app/book/RememberedState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TestSupport.h"

namespace fs = std::filesystem;
using app::RememberedState;
namespace remembered = app::remembered;

namespace {

std::string read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Remembering : public ::testing::Test {
protected:
    void SetUp() override { dir = testsupport::makeTempDir("quirel-state"); }
    void TearDown() override {
        RememberedState::close();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string dir;
};

}  // namespace

TEST_F(Remembering, ValuesComeBackAfterAReopenAndEachBookFolderHasItsOwnFile) {
    RememberedState::open(dir + "/state", dir + "/bookA");
    EXPECT_TRUE(RememberedState::get(remembered::kPage).isNull());
    RememberedState::set(remembered::kPage, 26);
    RememberedState::set(remembered::kReadingMode, 2);
    const std::string fileA = RememberedState::path();
    EXPECT_EQ(fs::path(fileA).parent_path(), fs::path(dir + "/state"));
    // Written whole: no temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/state"), fs::directory_iterator()), 1);

    RememberedState::open(dir + "/state", dir + "/bookB");
    EXPECT_NE(RememberedState::path(), fileA);
    EXPECT_TRUE(RememberedState::get(remembered::kPage).isNull());
    RememberedState::set(remembered::kPage, 3);

    // The same folder written another way is the same book.
    RememberedState::open(dir + "/state", dir + "/./bookA/");
    EXPECT_EQ(RememberedState::path(), fileA);
    EXPECT_EQ(RememberedState::getInt(remembered::kPage, 1, 90, 0), 26);
    EXPECT_EQ(RememberedState::getInt(remembered::kReadingMode, 1, 3, 1), 2);
    EXPECT_EQ(RememberedState::getInt(remembered::kPage, 1, 20, 0), 0) << "out of range: the fallback";

    RememberedState::close();
    RememberedState::set(remembered::kPage, 5);
    EXPECT_TRUE(RememberedState::get(remembered::kPage).isNull()) << "nothing without an open book";
    EXPECT_NE(read(fileA).find("26"), std::string::npos);
}

TEST_F(Remembering, ADamagedFileIsIgnoredAndReplacedByTheNextChange) {
    RememberedState::open(dir, dir + "/book");
    const std::string file = RememberedState::path();
    for (const char* damage : {"{\"page\": 12,", "[1, 2]", "\x01\x02garbage", ""}) {
        { std::ofstream(file, std::ios::binary) << damage; }
        RememberedState::open(dir, dir + "/book");
        EXPECT_TRUE(RememberedState::get(remembered::kPage).isNull()) << damage;
        RememberedState::set(remembered::kPage, 7);
        RememberedState::open(dir, dir + "/book");
        EXPECT_EQ(RememberedState::getInt(remembered::kPage, 1, 90, 0), 7) << damage;
    }
    // A value of the wrong kind is as good as none.
    { std::ofstream(file) << "{\"page\": \"seven\", \"readingMode\": 9}"; }
    RememberedState::open(dir, dir + "/book");
    EXPECT_EQ(RememberedState::getInt(remembered::kPage, 1, 90, 4), 4);
    EXPECT_EQ(RememberedState::getInt(remembered::kReadingMode, 1, 3, 1), 1);
}

TEST_F(Remembering, AFolderThatCannotBeWrittenKeepsTheValuesForThisRunOnly) {
    // A plain file where the folder should be: no one, not even root, can make the folder.
    { std::ofstream(dir + "/blocked") << "not a folder"; }
    RememberedState::open(dir + "/blocked/quirel", dir + "/book");
    RememberedState::set(remembered::kPage, 9);
    EXPECT_EQ(RememberedState::getInt(remembered::kPage, 1, 90, 0), 9);
    RememberedState::set(remembered::kPage, 10);
    EXPECT_EQ(read(dir + "/blocked"), "not a folder");
    // A state file that is a folder cannot be replaced either.
    RememberedState::open(dir, dir + "/book");
    const std::string file = RememberedState::path();
    fs::create_directory(file);
    RememberedState::open(dir, dir + "/book");
    RememberedState::set(remembered::kPage, 11);
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(RememberedState::getInt(remembered::kPage, 1, 90, 0), 11);
}

TEST(StateFolder, FollowsXdgStateHomeAndFallsBackToTheHomeFolder) {
    testsupport::ScopedEnv home("HOME", "/home/someone");
    testsupport::ScopedEnv xdg("XDG_STATE_HOME", "/var/state");
    EXPECT_EQ(app::defaultStateFolder(), "/var/state/quirel");
    setenv("XDG_STATE_HOME", "relative/state", 1);
    EXPECT_EQ(app::defaultStateFolder(), "/home/someone/.local/state/quirel");
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(app::defaultStateFolder(), "/home/someone/.local/state/quirel");
}
