// A long scripted session through every screen, against its recorded output: any change in what
// the reader shows, says or plays along the way (state, node trees, audio log) shows up here.
// After a deliberate change of behaviour, regenerate the recording with
//   build/tools/drive/quirel-drive --resources COPY_OF_BOOK < golden/long_session.txt > golden/long_session.out
// on a fresh copy of the sample book (no "ft.xml"), and review the diff.
#include <gtest/gtest.h>

#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/shell/ScriptDriver.h"
#include "support/BookFixture.h"

namespace {

std::vector<std::string> lines(std::istream& in) {
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

bool parse(const std::string& line, Json::Value* v) {
    if (line.empty() || (line[0] != '{' && line[0] != '[')) return false;
    Json::CharReaderBuilder b;
    std::string errors;
    std::istringstream in(line);
    return Json::parseFromStream(b, in, v, &errors);
}

// What came after the recording and stays out of the session's way: the keyboard's focus ring
// (a node that draws nothing until a key is pressed, and none is), the settings screen's rows of
// grown-ups' options in code, and the state report's focus, scanning and remembered page, which
// must read null (nothing is remembered without a state folder). All are left out of the output.
void leaveOutLaterParts(Json::Value& v) {
    if (v.isObject()) {
        for (const char* key : {"focus", "resumePage", "scan"})
            if (v.isMember(key) && v[key].isNull()) v.removeMember(key);
        if (v.isMember("children") && v["children"].isArray()) {
            Json::Value kept(Json::arrayValue);
            for (Json::Value& child : v["children"]) {
                const std::string cls = child.isObject() ? child.get("class", "").asString() : std::string();
                if (cls == "FocusRing" || cls == "SettingsRows") continue;
                leaveOutLaterParts(child);
                kept.append(child);
            }
            v["children"] = kept;
        }
        for (const std::string& name : v.getMemberNames())
            if (name != "children") leaveOutLaterParts(v[name]);
    } else if (v.isArray()) {
        for (Json::Value& item : v) leaveOutLaterParts(item);
    }
}

// The line as it would have been recorded: JSON reports without the later parts, in the
// recording's form; any other line as it is.
std::string asRecorded(const std::string& line) {
    Json::Value v;
    if (!parse(line, &v)) return line;
    leaveOutLaterParts(v);
    Json::StreamWriterBuilder b;
    b["indentation"] = "";
    b["emitUTF8"] = true;
    return Json::writeString(b, v);
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
    for (std::string& line : actual) line = asRecorded(line);
    // The recording goes through the same reading and writing, so only content can differ.
    for (std::string& line : expected) {
        Json::Value v;
        if (!parse(line, &v)) continue;
        Json::StreamWriterBuilder b;
        b["indentation"] = "";
        b["emitUTF8"] = true;
        line = Json::writeString(b, v);
    }
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
