// Making a book again: nothing changed encodes nothing and writes the same files; a changed
// recording or text is encoded alone; an interrupt leaves the old book and no staging folder.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "MakeKit.h"
#include "support/TestSupport.h"

extern char** environ;

using namespace maketest;
namespace fs = std::filesystem;

namespace {

struct Summary {
    int encoded = -1, spoken = -1, cached = -1;
};

Summary summaryOf(const std::string& out) {
    Summary s;
    std::smatch m;
    static const std::regex line(R"(recordings (\d+) encoded, (\d+) spoken, (\d+) from the cache)");
    if (std::regex_search(out, m, line)) {
        s.encoded = std::stoi(m[1]);
        s.spoken = std::stoi(m[2]);
        s.cached = std::stoi(m[3]);
    }
    return s;
}

class Rebuild : public ::testing::Test {
protected:
    void SetUp() override {
        work_ = testsupport::makeTempDir("quirel-make-again");
        manifest_ = work_ + "/book.yaml";
        out_ = work_ + "/out";
        writePicture(work_ + "/p1.jpg", 900, 600, bookkit::rgba(240, 200, 60));
        writePicture(work_ + "/p2.png", 300, 300, bookkit::rgba(60, 200, 240));
        writeRecording(work_ + "/one.m4a", 0.6);
        writeRecording(work_ + "/two.wav", 0.4);
    }
    void writeManifest(const std::string& spoken) {
        testsupport::writeFile(manifest_, "title: Again\npages:\n  - picture: p1.jpg\n    sentences:\n"
                                          "      - {text: One., zone: [10, 10, 100, 50], audio: one.m4a}\n"
                                          "      - {text: Two., zone: [10, 100, 100, 50], audio: two.wav}\n"
                                          "  - picture: p2.png\n    sentences:\n"
                                          "      - {text: " + spoken + ", zone: [10, 10, 100, 50]}\n");
    }
    Summary make() {
        const RunResult r = runMaker({manifest_, out_});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return summaryOf(r.out);
    }
    std::string work_, manifest_, out_;
};

}  // namespace

TEST_F(Rebuild, NothingChangedEncodesNothingAndWritesTheSameFiles) {
    writeManifest("Hello there.");
    Summary first = make();
    EXPECT_EQ(first.encoded, 2);
    EXPECT_EQ(first.spoken, 1);
    EXPECT_EQ(first.cached, 0);
    const auto files = filesUnder(out_);

    Summary second = make();
    EXPECT_EQ(second.encoded, 0);
    EXPECT_EQ(second.spoken, 0);
    EXPECT_EQ(second.cached, 3);
    EXPECT_EQ(filesUnder(out_), files);
    EXPECT_TRUE(hiddenEntries(work_).empty());
}

TEST_F(Rebuild, OnlyWhatChangedIsEncodedAndTheCacheKeepsOnlyWhatIsUsed) {
    writeManifest("Hello there.");
    make();
    writeRecording(work_ + "/two.wav", 0.9);
    Summary s = make();
    EXPECT_EQ(s.encoded, 1);
    EXPECT_EQ(s.spoken, 0);
    EXPECT_EQ(s.cached, 2);

    writeManifest("Goodbye now.");
    s = make();
    EXPECT_EQ(s.encoded, 0);
    EXPECT_EQ(s.spoken, 1);
    EXPECT_EQ(s.cached, 2);

    int recordings = 0;
    for (const auto& entry : fs::directory_iterator(out_ + "/.quirel-make-cache"))
        recordings += entry.path().extension() == ".mp3";
    EXPECT_EQ(recordings, 3);
}

// SIGINT in the middle of a long run: exit 130, the book made before untouched, nothing left over.
TEST_F(Rebuild, AnInterruptLeavesTheOldBookAndNoStagingFolder) {
    writeManifest("Hello there.");
    make();
    const auto before = filesUnder(out_);

    std::string pages;
    for (int p = 0; p < 40; ++p) {
        pages += "  - picture: p2.png\n    sentences:\n";
        for (int n = 0; n < 20; ++n)
            pages += "      - {text: Sentence " + std::to_string(n) + " of page " + std::to_string(p) +
                     " is spoken slowly., zone: [0, 0, 10, 10]}\n";
    }
    testsupport::writeFile(manifest_, "title: Long\npages:\n" + pages);

    const std::string maker = makerPath();
    const std::string log = work_ + "/log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char* argv[] = {const_cast<char*>(maker.c_str()), const_cast<char*>(manifest_.c_str()),
                    const_cast<char*>(out_.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, maker.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Waits until the staging folder has recordings in it, so the run is well under way.
    bool underWay = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!underWay && std::chrono::steady_clock::now() < deadline) {
        for (const std::string& name : hiddenEntries(work_))
            underWay = underWay || fs::exists(work_ + "/" + name + "/epc");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(underWay);
    kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130) << readFile(log);
    EXPECT_NE(readFile(log).find("interrupted"), std::string::npos);
    EXPECT_TRUE(hiddenEntries(work_).empty());
    EXPECT_EQ(filesUnder(out_), before);
}
