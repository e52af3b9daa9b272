// quirel-check run as a program: its exit codes, its lines for people, its JSON for scripts (the
// same problems in the same order), its command line, and progress only on a terminal.
#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <sstream>

#include "app/book/SentenceNames.h"
#include "support/BookFixture.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string tool() { return std::string(QUIREL_BINARY_DIR) + "/tools/check/quirel-check"; }

testsupport::ProgramRun check(const std::string& arguments) {
    return testsupport::runProgram("'" + tool() + "' " + arguments);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

Json::Value parse(const std::string& text) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::string errors;
    std::istringstream in(text);
    EXPECT_TRUE(Json::parseFromStream(b, in, &v, &errors)) << errors << " in " << text;
    return v;
}

class CheckTool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
    }
};

}  // namespace

TEST_F(CheckTool, TheSampleBookIsCleanAndSaysSoQuietly) {
    const testsupport::ProgramRun run = check("'" + testsupport::sampleBookDir() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "no problems in 90 pages\n");
    // Not a terminal: no progress.
    EXPECT_EQ(run.err, "");

    const testsupport::ProgramRun json = check("--json '" + testsupport::sampleBookDir() + "'");
    EXPECT_EQ(json.exitCode, 0);
    const Json::Value v = parse(json.out);
    EXPECT_TRUE(v["ok"].asBool());
    EXPECT_EQ(v["pages"].asInt(), 90);
    EXPECT_EQ(v["book"].asString(), testsupport::sampleBookDir());
    EXPECT_TRUE(v["problems"].isArray());
    EXPECT_EQ(v["problems"].size(), 0u);
}

TEST_F(CheckTool, ADamagedBookListsItsProblemsByPageInBothForms) {
    const std::string book = testsupport::copyOfSampleBook();
    fs::remove(book + "/" + app::storedAudioPath(33, 2));
    fs::remove(book + "/tomeset/tomeset_61.json");
    testsupport::writeFile(book + "/tomeset/images/page_5.png.tmp", "");
    fs::remove(book + "/tomeset/images/page_5.png");
    fs::rename(book + "/tomeset/images/page_5.png.tmp", book + "/tomeset/images/page_5.png");
    fs::remove(book + "/Images/drag.jpg");

    const testsupport::ProgramRun text = check("'" + book + "'");
    EXPECT_EQ(text.exitCode, 1) << text.err;
    const std::vector<std::string> expected = {
        "book: Images/drag.jpg: the reader's chrome image is missing",
        "page 5: tomeset/images/page_5.png: the image of \"picture\" is empty",
        "page 33: tomeset/tomeset_33.json: sentence 2 has no recording (" + app::storedAudioPath(33, 2) + " missing)",
        "page 61: tomeset/tomeset_61.json: the page's layout is missing",
        "4 problems on 3 pages in 90 pages",
    };
    EXPECT_EQ(lines(text.out), expected);

    // The JSON holds the same problems, in the same order, whichever side of the folder --json is.
    const testsupport::ProgramRun json = check("'" + book + "' --json");
    EXPECT_EQ(json.exitCode, 1);
    const Json::Value v = parse(json.out);
    EXPECT_FALSE(v["ok"].asBool());
    EXPECT_EQ(v["pages"].asInt(), 90);
    EXPECT_EQ(v["book"].asString(), book);
    ASSERT_EQ(v["problems"].size(), expected.size() - 1);
    for (Json::ArrayIndex i = 0; i < v["problems"].size(); ++i) {
        const Json::Value& p = v["problems"][i];
        ASSERT_TRUE(p["page"].isNull() || p["page"].isInt()) << p;
        const std::string where = p["page"].isNull() ? "book" : "page " + std::to_string(p["page"].asInt());
        EXPECT_EQ(where + ": " + p["file"].asString() + ": " + p["problem"].asString(), expected[i]);
    }
    EXPECT_EQ(v["problems"][0]["page"], Json::Value());
}

TEST_F(CheckTool, BadCommandLinesAndFoldersExitWithTwoAndCheckNothing) {
    const std::string file = testsupport::makeTempDir("quirel-check") + "/plain.txt";
    testsupport::writeFile(file, "not a folder");
    const std::string book = "'" + testsupport::sampleBookDir() + "'";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "usage: quirel-check"},
        {"--verbose " + book, "unknown option --verbose"},
        {book + " " + book, "more than one book folder"},
        {"/no/such/book", "/no/such/book is not a book folder that can be read"},
        {"'" + file + "'", "plain.txt is not a book folder that can be read"},
    };
    for (const auto& [arguments, message] : cases) {
        const testsupport::ProgramRun run = check(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find(message), std::string::npos) << arguments << ": " << run.err;
    }
    const testsupport::ProgramRun help = check("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: quirel-check [--json] BOOK_DIR"), std::string::npos);
    EXPECT_NE(help.out.find("Exit status: 0"), std::string::npos);
}

TEST_F(CheckTool, OnATerminalProgressGoesToStandardError) {
    if (testsupport::runProgram("command -v script").exitCode != 0) GTEST_SKIP() << "no 'script' to give a terminal";
    // script(1) runs the command on a pseudo-terminal and copies what it writes.
    const testsupport::ProgramRun run = testsupport::runProgram(
        "script -qec \"'" + tool() + "' '" + testsupport::sampleBookDir() + "' 2>&1 >/dev/null\" /dev/null");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("quirel-check: page 1 of 90"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("quirel-check: page 90 of 90"), std::string::npos) << run.out;
}
