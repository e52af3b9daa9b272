// Shared helpers of the tests: a fresh engine per test, temporary directories, frame stepping.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "engine/base/ccTypes.h"

namespace testsupport {

// Gives each test a fresh director, scheduler, pools and caches, and tears them down after.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Advances the director by n frames of 1/60 s.
    void frames(int n, float dt = 1.0f / 60.0f);
};

// A new empty directory under the system's temporary folder, removed at exit of the test.
std::string makeTempDir(const std::string& prefix = "quirel-test");
void writeFile(const std::string& path, const std::string& contents);
// The file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// The word in single quotes for a shell command line, quotes inside it escaped.
std::string shellQuoted(const std::string& word);
// What a program run as a child process did.
struct ProgramRun {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out, err;
};
// Runs a shell command line (quote its words), standard input from /dev/null, and collects its
// exit code, standard output and standard error apart.
ProgramRun runProgram(const std::string& commandLine);

// Writes a w x h RGBA PNG whose pixel (x, y), y down from the top row, is paint(x, y); creates
// the folders on the way. Returns path, or an empty string (with a test failure) when it cannot.
std::string writePng(const std::string& path, int w, int h,
                     const std::function<engine::ccColor4B(int x, int y)>& paint);

// Sets (or, with no value, unsets) an environment variable for the life of the object, then puts
// back what was there.
class ScopedEnv {
public:
    explicit ScopedEnv(const char* name, const char* value = nullptr);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};

}  // namespace testsupport
