// Remembered state across runs of quirel-drive: the page last read and the reading mode come back
// with --state, and only with it; a damaged state file and one that cannot be written are lived
// with, not crashed on.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/book/RememberedState.h"
#include "support/BookFixture.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class RememberedRuns : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
        book = testsupport::copyOfSampleBook();
        dir = testsupport::makeTempDir("quirel-remember");
    }
    // Runs quirel-drive on the book with the script; returns its state reports.
    std::vector<Json::Value> drive(const std::string& options, const std::string& script) {
        const std::string file = dir + "/script" + std::to_string(++runs) + ".txt";
        testsupport::writeFile(file, script);
        const testsupport::ProgramRun run = testsupport::runProgram(
            std::string(QUIREL_BINARY_DIR) + "/tools/drive/quirel-drive --resources '" + book + "' " + options + " '" + file + "'");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::vector<Json::Value> reports;
        std::istringstream lines(run.out);
        std::string line;
        while (std::getline(lines, line)) {
            Json::Value v;
            Json::CharReaderBuilder b;
            std::string errors;
            std::istringstream in(line);
            EXPECT_TRUE(Json::parseFromStream(b, in, &v, &errors)) << line;
            reports.push_back(v);
        }
        return reports;
    }
    std::string stateFile(const std::string& folder) {
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().extension() == ".json") return e.path().string();
        return std::string();
    }
    // To a page of Unit 3 by keys, one page on, then "read this page again" confirmed.
    const std::string readAndChoose =
        "key Down\nkey Down\nkey Down\nkey Return\nwait 2.5\nkey Return\nkey Right\nwait 1\n"
        "key F2\nwait 1\ntap 320 500\ntap 185 240\nwait 0.5\nstate\n";
    std::string book, dir;
    int runs = 0;
};

}  // namespace

TEST_F(RememberedRuns, ThePageAndReadingModeComeBackWithAStateFolderOnly) {
    const std::string state = "--state '" + dir + "/state'";
    std::vector<Json::Value> first = drive(state, "state\n" + readAndChoose);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_TRUE(first[0]["resumePage"].isNull());
    const int page = first[1]["currentPage"].asInt();
    EXPECT_EQ(page, 27);
    EXPECT_EQ(first[1]["readingMode"].asInt(), 2);
    const std::string file = stateFile(dir + "/state");
    ASSERT_FALSE(file.empty());
    std::ifstream in(file);
    std::stringstream written;
    written << in.rdbuf();

    // Without --state nothing is read or written.
    std::vector<Json::Value> plain = drive("", "state\nkey Down\nkey Return\nwait 2.5\nkey Return\nstate\n");
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_TRUE(plain[0]["resumePage"].isNull());
    EXPECT_EQ(plain[0]["readingMode"].asInt(), 3);
    std::ifstream again(file);
    std::stringstream unchanged;
    unchanged << again.rdbuf();
    EXPECT_EQ(unchanged.str(), written.str());

    // With it, the contents offer the page as their last entry, and the mode is in force.
    std::vector<Json::Value> second = drive(state, "state\nkey Up\nstate\nkey Return\nwait 0.2\nstate\n");
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0]["resumePage"].asInt(), page);
    EXPECT_EQ(second[0]["readingMode"].asInt(), 2);
    EXPECT_EQ(second[1]["focus"]["name"].asString(), "Continue at page 27");
    EXPECT_EQ(second[2]["layer"].asString(), "TestLayer1");
    EXPECT_EQ(second[2]["currentPage"].asInt(), page);
}

TEST_F(RememberedRuns, ADamagedOrUnwritableStateFileIsLivedWith) {
    const std::string state = "--state '" + dir + "/state'";
    // Where the program will look for the book's file.
    app::RememberedState::open(dir + "/state", book);
    const std::string file = app::RememberedState::path();
    app::RememberedState::close();
    testsupport::writeFile(file, "{\"page\": 4, \"readingMode\"");
    std::vector<Json::Value> damaged = drive(state, "state\n" + readAndChoose);
    ASSERT_EQ(damaged.size(), 2u);
    EXPECT_TRUE(damaged[0]["resumePage"].isNull()) << "the damaged file is ignored";
    EXPECT_EQ(damaged[0]["readingMode"].asInt(), 3);
    std::vector<Json::Value> replaced = drive(state, "state\n");
    EXPECT_EQ(replaced.at(0)["resumePage"].asInt(), 27) << "and replaced";

    // A state folder that cannot be made (a file stands in its way): the run goes on, the page
    // is offered for the rest of the run.
    testsupport::writeFile(dir + "/blocked", "x");
    std::vector<Json::Value> blocked =
        drive("--state '" + dir + "/blocked/state'", "key Down\nkey Return\nwait 2.5\nkey Return\nkey Escape\nwait 0.2\nstate\n");
    ASSERT_EQ(blocked.size(), 1u);
    EXPECT_EQ(blocked[0]["layer"].asString(), "TestController");
    EXPECT_EQ(blocked[0]["resumePage"].asInt(), blocked[0]["currentPage"].asInt());
    bool logged = false;
    for (const Json::Value& line : blocked[0]["log"]) logged = logged || line.asString().find("cannot write") != std::string::npos;
    EXPECT_TRUE(logged);
}
