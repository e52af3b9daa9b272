// Runs quirel-bookgen itself: determinism, the recording cache, stale files, tool and source errors.
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BookFiles.h"
#include "support/TestSupport.h"

using namespace booktest;
namespace fs = std::filesystem;

namespace {

struct Counts {
    int encoded = -1;
    int cached = -1;
    int changed = -1;
    int removed = -1;
};

// Reads the generator's closing summary line.
Counts summaryOf(const std::string& out) {
    Counts c;
    std::smatch m;
    static const std::regex files(R"(\((\d+) changed, (\d+) removed\))");
    static const std::regex audio(R"(recordings \((\d+) encoded, (\d+) from cache\))");
    if (std::regex_search(out, m, files)) {
        c.changed = std::stoi(m[1]);
        c.removed = std::stoi(m[2]);
    }
    if (std::regex_search(out, m, audio)) {
        c.encoded = std::stoi(m[1]);
        c.cached = std::stoi(m[2]);
    }
    return c;
}

std::string shellQuoted(const std::string& s) {
    return "'" + s + "'";
}

class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fileExists(generatorPath())) << generatorPath() << " is not built";
        work_ = testsupport::makeTempDir("quirel-bookgen");
        source_ = work_ + "/src";
        out_ = work_ + "/out";
        cache_ = work_ + "/cache";
    }

    void writeBook(const std::vector<std::vector<std::string>>& pages) {
        testsupport::writeFile(source_ + "/book.json", smallBookJson(pages));
    }

    RunResult generate(const std::string& extra = "") {
        return runGenerator(extra + " --cache " + shellQuoted(cache_) + " " + shellQuoted(source_) + " " + shellQuoted(out_));
    }

    // A folder on PATH holding only the named tools, each a link to the real one or a script.
    std::string toolFolder(const std::vector<std::pair<std::string, std::string>>& tools) {
        const std::string bin = work_ + "/bin" + std::to_string(folders_++);
        fs::create_directories(bin);
        for (const auto& [name, script] : tools) {
            if (script.empty()) {
                fs::create_symlink("/usr/bin/" + name, bin + "/" + name);
            } else {
                testsupport::writeFile(bin + "/" + name, "#!/bin/sh\n" + script + "\n");
                fs::permissions(bin + "/" + name, fs::perms::owner_all);
            }
        }
        return bin;
    }

    std::string work_, source_, out_, cache_;
    int folders_ = 0;
};

bool hasSpeechTools() {
    return fileExists("/usr/bin/espeak-ng") && fileExists("/usr/bin/lame");
}

// ---------------------------------------------------------------------------------------------

TEST_F(Generator, SameSourcesGiveTheSameBytesTwice) {
    // The real book, twice, into two fresh folders; recordings are left out (they are cached
    // copies), everything the generator computes itself is compared byte for byte.
    const std::string book = std::string(QUIREL_SOURCE_DIR) + "/book";
    const std::string a = work_ + "/a", b = work_ + "/b";
    RunResult first = runGenerator("--no-audio --quiet " + shellQuoted(book) + " " + shellQuoted(a));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    RunResult second = runGenerator("--no-audio --quiet " + shellQuoted(book) + " " + shellQuoted(b));
    ASSERT_EQ(second.exitCode, 0) << second.err;

    const std::vector<std::string> filesA = listFiles(a), filesB = listFiles(b);
    ASSERT_EQ(filesA, filesB);
    int compared = 0;
    for (const std::string& f : filesA) {
        const std::string ext = fs::path(f).extension().string();
        if (ext == ".json" || ext == ".xml" || ext == ".png" || ext == ".plist") {
            EXPECT_TRUE(readFile(a + "/" + f) == readFile(b + "/" + f)) << f << " differs between runs";
            ++compared;
        }
    }
    EXPECT_GT(compared, 200);
}

TEST_F(Generator, UnchangedRunRewritesNothing) {
    writeBook({{"One sentence."}, {"Two.", "Three."}});
    RunResult first = generate("--no-audio");
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const auto stamp = fs::last_write_time(out_ + "/tomeset/tomeset_1.json");
    RunResult second = generate("--no-audio");
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(summaryOf(second.out).changed, 0) << second.out;
    EXPECT_EQ(fs::last_write_time(out_ + "/tomeset/tomeset_1.json"), stamp);
}

TEST_F(Generator, RecordingsComeFromTheCacheWhileTheirTextIsUnchanged) {
    if (!hasSpeechTools()) {
        GTEST_SKIP() << "espeak-ng and lame are not installed";
    }
    // "Hello." twice: one clip serves both sentences.
    writeBook({{"Hello.", "How are you?"}, {"Hello."}});
    RunResult first = generate();
    ASSERT_EQ(first.exitCode, 0) << first.err;
    Counts c = summaryOf(first.out);
    EXPECT_EQ(c.encoded, 2) << first.out;
    EXPECT_EQ(c.cached, 0);
    EXPECT_NE(first.out.find("bookgen: audio 3/3"), std::string::npos) << "no progress line in:\n" << first.out;
    const std::vector<std::string> files = listFiles(out_ + "/epc");
    ASSERT_EQ(files.size(), 3u);
    const std::string before = readFile(out_ + "/epc/" + files[0]);

    RunResult again = generate();
    ASSERT_EQ(again.exitCode, 0) << again.err;
    c = summaryOf(again.out);
    EXPECT_EQ(c.encoded, 0) << again.out;
    EXPECT_EQ(c.cached, 2);
    EXPECT_EQ(readFile(out_ + "/epc/" + files[0]), before);

    writeBook({{"Hello.", "How old are you?"}, {"Hello."}});
    RunResult edited = generate();
    ASSERT_EQ(edited.exitCode, 0) << edited.err;
    c = summaryOf(edited.out);
    EXPECT_EQ(c.encoded, 1) << "only the changed sentence is spoken again:\n" << edited.out;
    EXPECT_EQ(c.cached, 1);
}

TEST_F(Generator, FilesOfRemovedPagesAndSentencesAreDeleted) {
    writeBook({{"A."}, {"B."}, {"C.", "D."}});
    ASSERT_EQ(generate("--no-audio").exitCode, 0);
    ASSERT_TRUE(fileExists(out_ + "/tomeset/tomeset_3.json"));
    ASSERT_TRUE(fileExists(out_ + "/tomeset/images/page_3.png"));
    writeBook({{"A."}, {"B."}});
    RunResult r = generate("--no-audio");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fileExists(out_ + "/tomeset/tomeset_3.json"));
    EXPECT_FALSE(fileExists(out_ + "/tomeset/images/page_3.png"));
    EXPECT_TRUE(fileExists(out_ + "/tomeset/tomeset_2.json"));
    EXPECT_EQ(summaryOf(r.out).removed, 2) << r.out;
}

TEST_F(Generator, WritesOneTextPerSentenceUnderTheReadersKeys) {
    std::vector<std::string> many;
    for (int i = 1; i <= 12; ++i) {
        many.push_back("Sentence " + std::to_string(i) + ".");
    }
    std::vector<std::vector<std::string>> pages(9, std::vector<std::string>{"Short."});
    pages.push_back(many);  // page 10: two-digit page and sentence numbers
    writeBook(pages);
    ASSERT_EQ(generate("--no-audio").exitCode, 0);
    std::map<std::string, std::string> texts;
    std::string error;
    ASSERT_TRUE(readStringTable(out_ + "/Stringstr.xml", texts, error)) << error;
    EXPECT_EQ(texts.size(), 9u + 12u);
    EXPECT_EQ(texts["str091"], "Short.");
    EXPECT_EQ(texts["str1012"], "Sentence 12.");
    EXPECT_EQ(texts.count("str0912"), 0u);
    const std::string layout = readFile(out_ + "/tomeset/tomeset_10.json");
    EXPECT_NE(layout.find("\"bn1012\""), std::string::npos);
    EXPECT_NE(readFile(out_ + "/tomeset/tomeset_9.json").find("\"bn091\""), std::string::npos);
}

TEST_F(Generator, MissingSpeechToolsFailWithAClearMessage) {
    writeBook({{"Hello."}});
    const std::string none = toolFolder({});
    RunResult r = runGenerator("--cache " + shellQuoted(cache_) + " " + shellQuoted(source_) + " " + shellQuoted(out_),
                               "PATH=" + none);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("espeak-ng"), std::string::npos) << r.err;

    if (fileExists("/usr/bin/espeak-ng")) {
        const std::string speakerOnly = toolFolder({{"espeak-ng", ""}});
        r = runGenerator("--cache " + shellQuoted(cache_) + " " + shellQuoted(source_) + " " + shellQuoted(out_),
                         "PATH=" + speakerOnly);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.err.find("lame"), std::string::npos) << r.err;
    }
}

TEST_F(Generator, WithoutRecordingsNoSpeechToolIsNeeded) {
    writeBook({{"Hello."}});
    RunResult r = runGenerator("--no-audio " + shellQuoted(source_) + " " + shellQuoted(out_), "PATH=" + toolFolder({}));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fileExists(out_ + "/tomeset/tomeset_1.json"));
    EXPECT_FALSE(fs::exists(out_ + "/epc"));
}

TEST_F(Generator, AFailedRecordingStopsTheRunAndNamesTheSentence) {
    if (!fileExists("/usr/bin/lame")) {
        GTEST_SKIP() << "lame is not installed";
    }
    writeBook({{"Hello there."}});
    const std::string broken = toolFolder({{"espeak-ng", "exit 3"}, {"lame", ""}});
    RunResult r = runGenerator("--cache " + shellQuoted(cache_) + " " + shellQuoted(source_) + " " + shellQuoted(out_),
                               "PATH=" + broken);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.err.find("Hello there."), std::string::npos) << r.err;
    // Nothing half-made may be left for the next run to take from the cache.
    EXPECT_TRUE(listFiles(cache_).empty());
}

TEST_F(Generator, BadSourcesAreRejectedNamingTheProblem) {
    struct Case {
        std::string json;
        std::string mentions;
    };
    Json::Value book;
    std::string error;
    ASSERT_TRUE(parseJson(smallBookJson({{"A."}, {"B."}}), book, error)) << error;

    std::vector<Case> cases;
    {
        Json::Value b = book;
        b["captions"].removeMember("wordname");
        cases.push_back({Json::writeString(Json::StreamWriterBuilder(), b), "wordname"});
    }
    {
        Json::Value b = book;
        b["pages"][1]["page"] = 3;
        cases.push_back({Json::writeString(Json::StreamWriterBuilder(), b), "page entry 2"});
    }
    {
        Json::Value b = book;
        for (int i = 0; i < 30; ++i) {
            b["pages"][0]["sentences"].append("More.");
        }
        cases.push_back({Json::writeString(Json::StreamWriterBuilder(), b), "29"});
    }
    {
        Json::Value b = book;
        b["pages"][0]["picture"].append("unicorn");
        cases.push_back({Json::writeString(Json::StreamWriterBuilder(), b), "unicorn"});
    }
    {
        Json::Value b = book;
        b["settings"]["buttons"].removeIndex(4, nullptr);
        cases.push_back({Json::writeString(Json::StreamWriterBuilder(), b), "bnok"});
    }
    cases.push_back({"{ \"pages\": [", "not valid JSON"});

    for (const Case& c : cases) {
        testsupport::writeFile(source_ + "/book.json", c.json);
        RunResult r = runGenerator("--no-audio " + shellQuoted(source_) + " " + shellQuoted(out_));
        EXPECT_EQ(r.exitCode, 1) << c.mentions;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << "expected \"" << c.mentions << "\" in: " << r.err;
    }
    EXPECT_FALSE(fs::exists(out_ + "/tomeset"));
}

TEST_F(Generator, UsageErrorsExitWithTwo) {
    EXPECT_EQ(runGenerator("").exitCode, 2);
    EXPECT_EQ(runGenerator(shellQuoted(source_)).exitCode, 2);
    EXPECT_EQ(runGenerator("--frobnicate a b").exitCode, 2);
    EXPECT_EQ(runGenerator("--jobs 0 a b").exitCode, 2);
    RunResult help = runGenerator("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("SOURCE_DIR OUT_DIR"), std::string::npos);
}

}  // namespace
