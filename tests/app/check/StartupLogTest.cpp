// The reader's start-up book check: quirel-drive logs its one-line summary on a clean and on a
// damaged book and starts as usual; the line stays out of the reports the recorded session
// compares; the main loop logs it by itself once the check ends; leaving early is clean.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/book/SentenceNames.h"
#include "app/shell/ScriptDriver.h"
#include "engine/base/CCLog.h"
#include "engine/host/CCHeadlessHost.h"
#include "support/BookFixture.h"
#include "support/RecordedSession.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string drive() { return std::string(QUIREL_BINARY_DIR) + "/tools/drive/quirel-drive"; }

// Runs quirel-drive on book with the script's lines.
testsupport::ProgramRun runDrive(const std::string& book, const std::string& script) {
    const std::string file = testsupport::makeTempDir("quirel-startup") + "/script.txt";
    testsupport::writeFile(file, script);
    return testsupport::runProgram("SDL_AUDIODRIVER=dummy '" + drive() + "' --resources '" + book + "' '" + file + "'");
}

std::vector<std::string> linesWith(const std::string& text, const std::string& part) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        if (l.find(part) != std::string::npos) out.push_back(l);
    return out;
}

class StartupCheck : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(testsupport::sampleBookDir() + "/String.xml"))
            GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
        book = testsupport::copyOfSampleBook();
    }
    std::string book;
};

const char* const kScript = "state\nbookcheck\ntap 300 660\nwait 2.8\nstate\n";

}  // namespace

TEST_F(StartupCheck, ACleanBookIsReportedCleanAndTheReaderStartsAsUsual) {
    const testsupport::ProgramRun run = runDrive(book, kScript);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(linesWith(run.err, "book check"), std::vector<std::string>{"book check: 90 pages, no problems"});
    const std::vector<std::string> out = linesWith(run.out, "");
    ASSERT_EQ(out.size(), 3u) << run.out;
    EXPECT_NE(out[0].find("\"layer\":\"TestController\""), std::string::npos) << out[0];
    EXPECT_EQ(out[1], "book check: 90 pages, no problems");
    EXPECT_NE(out[2].find("\"layer\":\"MenuLayerMainMenu\""), std::string::npos) << out[2];
    // The reports themselves never carry it: it lands whenever the machine is done.
    EXPECT_EQ(run.out.find("book check", out[0].size() + out[1].size() + 2), std::string::npos);
    EXPECT_EQ(out[0].find("book check"), std::string::npos);
}

TEST_F(StartupCheck, ADamagedBookIsExplainedInOneLineAndTheReaderStillStarts) {
    fs::remove(book + "/" + app::storedAudioPath(27, 3));
    fs::remove(book + "/tomeset/tomeset_40.json");
    testsupport::writeFile(book + "/Images/up1.png.new", "junk");
    fs::rename(book + "/Images/up1.png.new", book + "/Images/up1.png");
    const testsupport::ProgramRun run = runDrive(book, kScript);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string expected = "book check: 3 problems (book: Images/up1.png: the reader's chrome image cannot be "
                                 "decoded (neither PNG nor JPEG); page 27: sentence 3 has no recording (" +
                                 app::storedAudioPath(27, 3) + " missing); ...) - run quirel-check for details";
    EXPECT_EQ(linesWith(run.err, "book check"), std::vector<std::string>{expected});
    const std::vector<std::string> out = linesWith(run.out, "");
    ASSERT_EQ(out.size(), 3u) << run.out;
    EXPECT_NE(out[0].find("\"layer\":\"TestController\""), std::string::npos) << out[0];
    EXPECT_EQ(out[1], expected);
    EXPECT_NE(out[2].find("\"layer\":\"MenuLayerMainMenu\""), std::string::npos) << out[2];
}

TEST_F(StartupCheck, TheRecordedSessionIsUnchangedWithTheCheckRunning) {
    const std::string golden = std::string(QUIREL_SOURCE_DIR) + "/tests/app/shell/golden/";
    const testsupport::ProgramRun run =
        testsupport::runProgram("SDL_AUDIODRIVER=dummy '" + drive() + "' --resources '" + book + "' < '" + golden +
                                "long_session.txt'");
    // runProgram's own redirection of standard input comes after the script's, so the script wins.
    ASSERT_EQ(run.exitCode, 0) << run.err.substr(0, 2000);
    const std::vector<std::string> got = linesWith(run.out, ""), recorded = linesWith(testsupport::readFile(golden + "long_session.out"), "");
    ASSERT_EQ(got.size(), recorded.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(testsupport::asRecorded(got[i]) == testsupport::asRecorded(recorded[i]))
            << "the session's output differs from the recording at line " << i + 1;
    // The session may end before the check does (a slow or instrumented build): then leaving ends the
    // check quietly. Either way never more than one summary.
    EXPECT_LE(linesWith(run.err, "book check: ").size(), 1u);
}

TEST_F(StartupCheck, TheMainLoopLogsTheSummaryOnceTheCheckEnds) {
    app::ScriptDriver driver(book, true);
    std::vector<std::string> lines;
    // Taken over from the driver, which keeps the line out of its reports.
    engine::setLogObserver([&](const std::string& line) { lines.push_back(line); });
    engine::setLogQuiet(true);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    auto summaries = [&] {
        std::vector<std::string> found;
        for (const std::string& l : lines)
            if (l.rfind("book check: ", 0) == 0) found.push_back(l);
        return found;
    };
    while (summaries().empty() && std::chrono::steady_clock::now() < deadline) {
        driver.host().step(15);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    driver.host().step(60);  // once only
    engine::setLogQuiet(false);
    engine::setLogObserver(nullptr);
    EXPECT_EQ(summaries(), std::vector<std::string>{"book check: 90 pages, no problems"});
}

TEST_F(StartupCheck, LeavingWhileTheCheckRunsEndsItQuietly) {
    testing::internal::CaptureStderr();
    { app::ScriptDriver driver(book, true); }
    const std::string err = testing::internal::GetCapturedStderr();
    // Stopped after at most the file it was reading, long before 90 pages: no summary of a part.
    EXPECT_EQ(linesWith(err, "book check"), std::vector<std::string>{}) << err;
}
