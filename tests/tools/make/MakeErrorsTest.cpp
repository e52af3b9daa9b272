// quirel-make refusing: every kind of manifest and source problem, reported at its line and
// column, many in one run, exit 1, nothing written, an existing book left as it was; folders that
// are not books; bad usage.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MakeKit.h"
#include "support/TestSupport.h"
#include "tools/make/Manifest.h"

using namespace maketest;
namespace fs = std::filesystem;

namespace {

class MakeErrors : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = testsupport::makeTempDir("quirel-make-errors");
        manifest_ = work_ + "/book.yaml";
        out_ = work_ + "/out";
        writePicture(work_ + "/pictures/ok.png", 200, 100, bookkit::rgba(30, 120, 200));
        writeRecording(work_ + "/voice/ok.wav", 0.3);
    }

    // Runs on `text`; expects exit 1 with exactly `lines` ("LINE:COLUMN: words" each), nothing
    // written and no staging folder left behind.
    void expectRefused(const std::string& text, const std::vector<std::string>& lines) {
        testsupport::writeFile(manifest_, text);
        const RunResult r = runMaker({manifest_, out_});
        EXPECT_EQ(r.exitCode, 1) << r.err;
        for (const std::string& line : lines) {
            const std::string where = line.substr(0, line.find(' '));
            const std::string words = line.substr(line.find(' ') + 1);
            const std::size_t at = r.err.find(manifest_ + ":" + where);
            EXPECT_NE(at, std::string::npos) << "no problem reported at " << where << " in:\n" << r.err;
            if (at != std::string::npos) {
                const std::string reported = r.err.substr(at, r.err.find('\n', at) - at);
                EXPECT_NE(reported.find(words), std::string::npos) << reported << "\nshould say: " << words;
            }
        }
        std::size_t reported = 0;
        for (std::size_t at = r.err.find(manifest_ + ":"); at != std::string::npos; at = r.err.find(manifest_ + ":", at + 1))
            ++reported;
        EXPECT_EQ(reported, lines.size()) << r.err;
        EXPECT_NE(r.err.find("nothing written"), std::string::npos);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(out_) && fs::is_directory(out_) && !fs::exists(out_ + "/quirel-book.json"));
        EXPECT_TRUE(hiddenEntries(work_).empty());
    }

    std::string work_, manifest_, out_;
};

std::string repeated(const std::string& item, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += item;
    return s;
}

}  // namespace

TEST_F(MakeErrors, ManifestProblemsAreAllReportedAtTheirLineAndColumn) {
    expectRefused(R"(title: Errors
colour: red
units:
  - title: Animals
    pages: [1, 2]
  - title: Food
    pages: [2, 3]
  - title: Late
    pages: [1, 1]
  - title: Extra
    pages: [3, 9]
pages:
  - picture: pictures/ok.png
    sentences:
      - text: ""
        zone: [0, 0, 10, 10]
      - text: Flat.
        zone: [0, 0, 0, 10]
      - text: Wrong zone.
        zone: [0, 0, "wide", 10]
  - picture: [a, b]
    sentences:
      - text: )" + std::string(1600, 'x') + R"(
        zone: [0, 0, 10, 10]
        volume: 3
  - picture: pictures/ok.png
    sentences: [)" + repeated("{text: a, zone: [0, 0, 1, 1]}, ", 29) + R"({text: b, zone: [0, 0, 1, 1]}]
)",
                  {"2:1: unknown key 'colour'", "7:12: overlap unit 'Animals'", "9:12: come before unit 'Food'",
                   "11:12: lie outside the book's pages 1 to 3", "15:15: 'text' is empty", "18:15: no area",
                   "20:22: the zone's width must be a number", "21:14: 'picture' must be text, not a list",
                   "23:15: 1600 bytes long, at most 1599", "25:9: unknown key 'volume'",
                   "27:16: 30 sentences on one page, the reader reads at most 29"});
}

TEST_F(MakeErrors, ProblemsThatEndTheReadingEarlyAreReportedToo) {
    expectRefused("title: Broken\npages:\n  - picture: [a\n  - text: b\n", {"4:9: not YAML"});
    expectRefused("title: Nothing\npages: []\n", {"2:8: the book has no pages"});
    expectRefused("title: Nothing\n", {"1:1: the manifest has no 'pages'"});
    expectRefused("", {"1:1: the manifest is empty"});
    expectRefused("- just\n- a list\n", {"1:1: the manifest must be a mapping"});
    expectRefused("title: Long\npages:\n" + repeated("  - picture: pictures/ok.png\n", 1000),
                  {"3:3: 1000 pages, a book has at most 999"});
    std::string units;
    for (int i = 1; i <= 21; ++i) units += "  - {title: U" + std::to_string(i) + ", pages: [" + std::to_string(i) + ", " + std::to_string(i) + "]}\n";
    expectRefused("title: Units\nunits:\n" + units + "pages:\n" + repeated("  - picture: pictures/ok.png\n", 21),
                  {"3:3: 21 units, a book has at most 20"});
    expectRefused("title: Empty\npages:\n  - picture: pictures/ok.png\n    sentences:\n      - text:\n        zone: [0, 0, 1, 1]\n",
                  {"5:14: 'text' is empty"});
    expectRefused("title: Colour\nbackground: #fff\npages:\n  - picture: pictures/ok.png\n",
                  {"2:12: 'background' is empty; write the colour in quotes"});
    expectRefused("title: Clips\npages:\n  - picture: pictures/ok.png\n    sentences:\n"
                  "      - {text: a, zone: [[0, 0, 1, 1], [0, 2, 1, 0]], audio: voice/ok.wav, clip: [0.2, 0.1]}\n"
                  "      - {text: b, zone: [0, 0, 1, 1], clip: [0.1]}\n",
                  {"5:40: no area", "5:82: end after it begins", "6:45: needs the 'audio'"});
}

// Missing and damaged files, zones beyond their picture: the checks and the decoders' findings
// in one run, in manifest order, and the book made before stays exactly as it was.
TEST_F(MakeErrors, SourceFileProblemsLeaveTheBookMadeBeforeUnchanged) {
    testsupport::writeFile(manifest_, "title: Good\npages:\n  - picture: pictures/ok.png\n");
    ASSERT_EQ(runMaker({manifest_, out_}).exitCode, 0);
    const auto before = filesUnder(out_);
    ASSERT_FALSE(before.empty());

    testsupport::writeFile(work_ + "/pictures/broken.png", "not a picture at all");
    testsupport::writeFile(work_ + "/voice/broken.ogg", "not a recording either");
    std::string png = readFile(work_ + "/pictures/ok.png");
    testsupport::writeFile(work_ + "/pictures/cut.png", png.substr(0, png.size() / 2));
    expectRefused(R"(title: Files
pages:
  - picture: pictures/missing.png
  - picture: pictures/broken.png
  - picture: pictures/ok.png
    sentences:
      - text: Outside.
        zone: [150, 50, 60, 20]
        audio: voice/missing.wav
      - text: Undecodable.
        zone: [0, 0, 10, 10]
        audio: voice/broken.ogg
      - text: Fine.
        zone: [[140, 80, 60, 20], [0, 90, 60, 20]]
        audio: voice/ok.wav
      - text: Past the end.
        zone: [0, 0, 10, 10]
        audio: voice/ok.wav
        clip: [0.2, 0.5]
  - picture: pictures/cut.png
)",
                  {"3:14: pictures/missing.png: not found", "4:14: not a PNG or JPEG", "8:15: reaches outside the picture",
                   "9:16: voice/missing.wav: not found", "12:16: recording voice/broken.ogg",
                   "14:15: [0, 90, 60, 20] reaches outside the picture", "19:15: reaches past the end of the recording",
                   "20:14: pictures/cut.png: does not decode"});
    EXPECT_EQ(filesUnder(out_), before);
}

TEST_F(MakeErrors, AFolderThatIsNotABookIsNeverReplaced) {
    testsupport::writeFile(manifest_, "title: Good\npages:\n  - picture: pictures/ok.png\n");
    testsupport::writeFile(out_ + "/notes.txt", "my homework");
    RunResult r = runMaker({manifest_, out_});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not a book made before"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(out_ + "/notes.txt"), "my homework");
    EXPECT_EQ(filesUnder(out_).size(), 1u);

    testsupport::writeFile(work_ + "/plain-file", "x");
    r = runMaker({manifest_, work_ + "/plain-file"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not a folder"), std::string::npos) << r.err;
    r = runMaker({manifest_, work_ + "/no/such/place/book"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos) << r.err;
    EXPECT_TRUE(hiddenEntries(work_).empty());

    // An empty folder is taken.
    fs::create_directories(work_ + "/empty");
    EXPECT_EQ(runMaker({manifest_, work_ + "/empty"}).exitCode, 0);
    EXPECT_TRUE(fs::exists(work_ + "/empty/quirel-book.json"));
}

TEST_F(MakeErrors, BadUsageExitsTwoAndHelpExitsZero) {
    RunResult r = runMaker({});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("usage: quirel-make"), std::string::npos);
    EXPECT_EQ(runMaker({"--fast", manifest_, out_}).exitCode, 2);
    EXPECT_EQ(runMaker({manifest_}).exitCode, 2);
    r = runMaker({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("usage: quirel-make"), std::string::npos);
    r = runMaker({work_ + "/nothing.yaml", out_});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("nothing.yaml: no such manifest"), std::string::npos) << r.err;
}

// The reader's limits on the text alone, at their edges.
TEST(ManifestReader, LimitsAreTheReadersOwn) {
    auto parse = [](const std::string& text, std::vector<std::string>& errors) {
        make::Manifest m;
        errors.clear();
        return make::parseManifest(text, "m.yaml", m, errors);
    };
    std::vector<std::string> errors;
    const std::string page = "pages:\n  - picture: p.png\n    sentences:\n      - zone: [0, 0, 1, 1]\n        text: ";
    EXPECT_TRUE(parse("title: T\n" + page + std::string(1599, 'a') + "\n", errors)) << errors[0];
    EXPECT_FALSE(parse("title: T\n" + page + std::string(1600, 'a') + "\n", errors));
    EXPECT_FALSE(parse("title: T\n" + page + "\"bad \\x01 byte\"\n", errors));
    EXPECT_NE(errors.at(0).find("control character"), std::string::npos);
    EXPECT_FALSE(parse("title: T\n" + page + "caf\xe9\n", errors));  // Latin-1, not UTF-8
    EXPECT_NE(errors.at(0).find("not UTF-8"), std::string::npos);
    EXPECT_FALSE(parse("title: T\ntitle: U\n" + page + "a\n", errors));
    EXPECT_NE(errors.at(0).find("m.yaml:2:1: 'title' is given twice"), std::string::npos) << errors.at(0);

    // One document only; and a stray comma, on which yaml-cpp reports empty documents without
    // end, is read as the empty manifest it is (found by fuzzing: reading every document hung).
    EXPECT_FALSE(parse("title: T\n" + page + "a\n---\ntitle: U\n", errors));
    EXPECT_NE(errors.at(0).find("m.yaml:7:1: a manifest is one YAML document"), std::string::npos) << errors.at(0);
    EXPECT_FALSE(parse(",", errors));
    EXPECT_NE(errors.at(0).find("the manifest is empty"), std::string::npos) << errors.at(0);

    make::Manifest m;
    ASSERT_TRUE(make::parseManifest("title: T\nlanguage: de\nbackground: \"#AbC\"\n" + page + "Hallo\n", "m.yaml", m, errors));
    EXPECT_EQ(m.voice, "de");
    EXPECT_EQ(m.backgroundText, "#aabbcc");
    ASSERT_EQ(m.description().units.size(), 1u);
    EXPECT_EQ(m.description().units[0].title, "T");
    EXPECT_EQ(m.description().units[0].lastPage, 1);
    ASSERT_TRUE(make::parseManifest("title: T\n" + page + "Hello\n", "m.yaml", m, errors));
    EXPECT_EQ(m.voice, "en-us");
}
