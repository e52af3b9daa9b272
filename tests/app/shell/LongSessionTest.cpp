// A long scripted session through every screen, against its recorded output: any change in what
// the reader shows, says or plays along the way (state, node trees, audio log) shows up here.
// After a deliberate change of behaviour, regenerate the recording with
//   build/tools/drive/quirel-drive --resources COPY_OF_BOOK < golden/long_session.txt > golden/long_session.out
// on a fresh copy of the sample book (no "ft.xml"), and review the diff.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/shell/ScriptDriver.h"
#include "support/BookFixture.h"
#include "support/RecordedSession.h"

namespace {

std::vector<std::string> lines(std::istream& in) {
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

}  // namespace

TEST(LongSession, EveryScreenReportsExactlyWhatWasRecorded) {
    if (!std::filesystem::exists(testsupport::sampleBookDir() + "/String.xml"))
        GTEST_SKIP() << "the sample book has not been generated (build the sample_book target)";
    const std::string golden = std::string(QUIREL_SOURCE_DIR) + "/tests/app/shell/golden/";
    std::ifstream script(golden + "long_session.txt");
    std::ifstream recorded(golden + "long_session.out");
    ASSERT_TRUE(script && recorded);

    app::ScriptDriver driver(testsupport::copyOfSampleBook());
    std::ostringstream out;
    EXPECT_EQ(driver.runScript(script, out), 0);

    std::istringstream got(out.str());
    std::vector<std::string> actual = lines(got), expected = lines(recorded);
    for (std::string& line : actual) line = testsupport::asRecorded(line);
    for (std::string& line : expected) line = testsupport::asRecorded(line);
    ASSERT_GT(expected.size(), 20u);
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] == expected[i]) continue;
        size_t at = 0;
        while (at < actual[i].size() && at < expected[i].size() && actual[i][at] == expected[i][at]) ++at;
        size_t from = at < 80 ? 0 : at - 80;
        FAIL() << "output line " << i + 1 << " differs at column " << at + 1 << ":\n  expected ..."
               << expected[i].substr(from, 200) << "\n  actual   ..." << actual[i].substr(from, 200);
    }
    EXPECT_EQ(actual.size(), expected.size());
}
