// Shared helpers of the tests.
#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

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

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string shellQuoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ProgramRun runProgram(const std::string& commandLine) {
    ProgramRun run;
    const std::string dir = makeTempDir("quirel-run");
    const std::string out = dir + "/stdout", err = dir + "/stderr";
    const int status = std::system(("(" + commandLine + ") </dev/null >'" + out + "' 2>'" + err + "'").c_str());
    run.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    auto slurp = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

std::string writePng(const std::string& path, int w, int h,
                     const std::function<engine::ccColor4B(int x, int y)>& paint) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) {
        ADD_FAILURE() << "cannot make a " << w << "x" << h << " surface: " << SDL_GetError();
        return std::string();
    }
    for (int y = 0; y < h; ++y) {
        auto* row = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * static_cast<size_t>(s->pitch);
        for (int x = 0; x < w; ++x) {
            engine::ccColor4B c = paint(x, y);
            row[x * 4 + 0] = c.r;
            row[x * 4 + 1] = c.g;
            row[x * 4 + 2] = c.b;
            row[x * 4 + 3] = c.a;
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const bool saved = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    if (!saved) {
        ADD_FAILURE() << "cannot write " << path << ": " << IMG_GetError();
        return std::string();
    }
    return path;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_had = old != nullptr;
    if (old) m_old = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (m_had) setenv(m_name, m_old.c_str(), 1);
    else unsetenv(m_name);
}

}  // namespace testsupport
