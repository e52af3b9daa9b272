// The scripted driver and the two programs' command lines.
#include <gtest/gtest.h>
#include <json/json.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/shell/AppDelegate.h"
#include "engine/engine.h"
#include "app/shell/BookDirectory.h"
#include "app/shell/ScriptDriver.h"
#include "support/BookFixture.h"
#include "support/TestSupport.h"

namespace {

Json::Value parse(const std::string& text) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::string errors;
    std::istringstream in(text);
    EXPECT_TRUE(Json::parseFromStream(b, in, &v, &errors)) << errors << " in " << text;
    return v;
}

// Runs a command line; returns its exit status and what it printed.
int runProgram(const std::string& command, std::string* output) {
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) output->append(buf, n);
    int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
        driver = std::make_unique<app::ScriptDriver>(testsupport::copyOfSampleBook());
    }
    std::unique_ptr<app::ScriptDriver> driver;
};

}  // namespace

TEST_F(Driver, UnknownAndMalformedCommandsNameTheirLineAndTheScriptGoesOn) {
    std::istringstream script(
        "# a comment\n"
        "\n"
        "jump 1 2\n"
        "tap 10\n"
        "frames 30   # half a second\n"
        "wait x\n"
        "state\n");
    std::ostringstream out;
    EXPECT_EQ(driver->runScript(script, out), 3);
    std::istringstream lines(out.str());
    std::string l1, l2, l3, l4;
    std::getline(lines, l1);
    std::getline(lines, l2);
    std::getline(lines, l3);
    std::getline(lines, l4);
    EXPECT_EQ(l1, "error: line 3: unknown command 'jump'");
    EXPECT_NE(l2.find("line 4"), std::string::npos);
    EXPECT_NE(l3.find("line 6"), std::string::npos);
    Json::Value state = parse(l4);
    // One frame at start-up, the half second of frames.
    EXPECT_NEAR(state["time"].asDouble(), 31.0 / 60, 1e-4);
}

TEST_F(Driver, ReportsAreOneLineOfJsonEach) {
    std::ostringstream out;
    ASSERT_TRUE(driver->runLine("tree", 1, out));
    ASSERT_TRUE(driver->runLine("audiolog", 2, out));
    std::istringstream lines(out.str());
    std::string tree, audio;
    std::getline(lines, tree);
    std::getline(lines, audio);
    Json::Value t = parse(tree);
    EXPECT_EQ(t["class"].asString(), "CCScene");
    ASSERT_TRUE(t["children"].isArray());
    EXPECT_EQ(t["children"][0]["class"].asString(), "TestController");
    Json::Value a = parse(audio);
    EXPECT_TRUE(a.isArray());
}

TEST_F(Driver, BackgroundStopsTheClockOfScenesAndForegroundRestartsIt) {
    std::ostringstream out;
    ASSERT_TRUE(driver->runLine("background", 1, out));
    unsigned before = engine::CCDirector::sharedDirector()->getTotalFrames();
    ASSERT_TRUE(driver->runLine("frames 10", 2, out));
    EXPECT_EQ(engine::CCDirector::sharedDirector()->getTotalFrames(), before);
    ASSERT_TRUE(driver->runLine("foreground", 3, out));
    ASSERT_TRUE(driver->runLine("frames 10", 4, out));
    EXPECT_EQ(engine::CCDirector::sharedDirector()->getTotalFrames(), before + 10);
}

TEST_F(Driver, ShotWritesAPngOfTheFrame) {
    std::string file = testsupport::makeTempDir() + "/contents.png";
    std::ostringstream out;
    ASSERT_TRUE(driver->runLine("shot " + file, 1, out));
    std::ifstream in(file, std::ios::binary);
    char magic[8] = {};
    in.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
}

TEST_F(Driver, AStillPageDrawsNoFrameAfterItsFirstWhileTheContentsFigureKeepsWalking) {
    std::ostringstream out;
    auto drawn = [&](int line) {
        out.str("");
        EXPECT_TRUE(driver->runLine("drawn", line, out));
        return parse(out.str())["drawn"].asUInt64();
    };
    const auto start = drawn(1);
    ASSERT_TRUE(driver->runLine("frames 60", 2, out));
    EXPECT_GE(drawn(3), start + 30) << "the walking figure on the contents screen stopped";

    // Unit 3, then its first page, opened without reading aloud: nothing on it moves.
    ASSERT_TRUE(driver->runLine("tap 300 660", 4, out));
    ASSERT_TRUE(driver->runLine("wait 2.8", 5, out));
    ASSERT_TRUE(driver->runLine("tap 320 860", 6, out));
    ASSERT_TRUE(driver->runLine("wait 3", 7, out));
    out.str("");
    ASSERT_TRUE(driver->runLine("state", 8, out));
    ASSERT_EQ(parse(out.str())["layer"].asString().rfind("TestLayer", 0), 0u) << "not on a page: " << out.str();
    const auto still = drawn(9);
    ASSERT_TRUE(driver->runLine("frames 120", 10, out));
    EXPECT_EQ(drawn(11), still) << "a still page was drawn again";

    // A touched sentence lights up and shows its subtitle on the next frame.
    ASSERT_TRUE(driver->runLine("tap 200 678", 12, out));
    EXPECT_GT(drawn(13), still);
}

TEST(Shell, FrameSizeFollowsTheDesktopHeight) {
    engine::CCSize s = app::frameSizeForDesktopHeight(1000);
    EXPECT_NEAR(s.width, 714.2857f, 1e-3);
    EXPECT_FLOAT_EQ(s.height, 940.0f);
    s = app::frameSizeForDesktopHeight(1040);
    EXPECT_NEAR(s.width, 742.8571f, 1e-3);
    EXPECT_NEAR(s.height, 977.6f, 1e-3);
}

TEST(Shell, BookDirectoryChecks) {
    EXPECT_FALSE(app::checkBookDirectory("").empty());
    EXPECT_FALSE(app::checkBookDirectory("/nonexistent/quirel-book").empty());
    std::string dir = testsupport::makeTempDir();
    EXPECT_TRUE(app::checkBookDirectory(dir).empty());
    testsupport::writeFile(dir + "/file", "x");
    EXPECT_FALSE(app::checkBookDirectory(dir + "/file").empty());
}

TEST(Programs, CommandLinesAnswerAndRefuseCleanly) {
    const std::string bin = QUIREL_BINARY_DIR;
    std::string out;
    EXPECT_EQ(runProgram(bin + "/quirel --version", &out), 0);
    EXPECT_NE(out.find("quirel "), std::string::npos);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/quirel --help", &out), 0);
    EXPECT_NE(out.find("usage: quirel"), std::string::npos);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/quirel /nonexistent/book", &out), 2);
    EXPECT_NE(out.find("does not exist"), std::string::npos);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/quirel --bogus", &out), 2);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/quirel a b", &out), 2);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/tools/drive/quirel-drive --resources /nonexistent/book < /dev/null", &out), 2);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/quirel --scan 0 /nonexistent/book", &out), 2);
    EXPECT_NE(out.find("--scan"), std::string::npos);
    out.clear();
    EXPECT_EQ(runProgram(bin + "/tools/drive/quirel-drive --scan soon < /dev/null", &out), 2);
    EXPECT_NE(out.find("--scan"), std::string::npos);
}
