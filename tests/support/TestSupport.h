// Shared helpers of the tests: a fresh engine per test, temporary directories, frame stepping.
#pragma once

#include <string>

#include <gtest/gtest.h>

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

}  // namespace testsupport
