// Shared helpers of the tests.
#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/engine.h"

namespace testsupport {

namespace {
// Temporary folders made by this test program, removed when it exits.
struct TempDirs {
    std::vector<std::string> dirs;
    ~TempDirs() {
        std::error_code ec;
        for (const auto& d : dirs) std::filesystem::remove_all(d, ec);
    }
};
TempDirs& tempDirs() {
    static TempDirs t;
    return t;
}
}  // namespace

void EngineTest::SetUp() {
    engine::CCDirector::purgeSharedDirector();
    engine::CCDirector::sharedDirector();
}

void EngineTest::TearDown() {
    engine::CCDirector::purgeSharedDirector();
    engine::CCPoolManager::sharedPoolManager()->pop();
}

void EngineTest::frames(int n, float dt) {
    for (int i = 0; i < n; ++i) engine::CCDirector::sharedDirector()->mainLoop(dt);
}

std::string makeTempDir(const std::string& prefix) {
    std::string templ = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    const char* made = mkdtemp(buf.data());
    if (!made) {
        ADD_FAILURE() << "cannot create a temporary directory from " << templ;
        return std::string();
    }
    tempDirs().dirs.push_back(made);
    return made;
}

void writeFile(const std::string& path, const std::string& contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << contents;
    if (!out) ADD_FAILURE() << "cannot write " << path;
}

}  // namespace testsupport
