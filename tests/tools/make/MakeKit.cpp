// The book maker's test kit: real files and real child processes.
#include "MakeKit.h"

#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/MediaLibraries.h"

extern char** environ;

namespace fs = std::filesystem;

namespace maketest {

namespace {

// Runs `argv` with standard output and error into files; returns the exit status.
int spawnTo(const std::vector<std::string>& argv, const std::string& outFile, const std::string& errFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string makerPath() {
    return std::string(QUIREL_BINARY_DIR) + "/tools/make/quirel-make";
}

RunResult runMaker(const std::vector<std::string>& arguments) {
    const std::string dir = testsupport::makeTempDir("quirel-make-run");
    std::vector<std::string> argv = {makerPath()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    RunResult r;
    r.exitCode = spawnTo(argv, dir + "/out", dir + "/err");
    r.out = readFile(dir + "/out");
    r.err = readFile(dir + "/err");
    return r;
}

void writePicture(const std::string& path, int width, int height, bookkit::Rgba fill) {
    bookkit::MediaLibraries media;
    ASSERT_TRUE(media.ok);
    fs::create_directories(fs::path(path).parent_path());
    bookkit::Canvas canvas(width, height, fill, 1);
    ASSERT_TRUE(canvas.ok());
    canvas.fillCircle(width / 2.0f, height / 2.0f, std::min(width, height) / 8.0f, bookkit::rgba(255, 255, 255));
    std::string error;
    const bool jpeg = fs::path(path).extension() == ".jpg";
    ASSERT_TRUE(jpeg ? canvas.saveJpg(path, 92, error) : canvas.savePng(path, error)) << error;
}

void writeRecording(const std::string& path, double seconds, double hz) {
    bookkit::Pcm pcm;
    pcm.rate = 44100;
    pcm.channels = 2;
    const auto frames = static_cast<std::size_t>(std::lround(seconds * pcm.rate));
    for (std::size_t i = 0; i < frames; ++i) {
        const float v = 0.4f * static_cast<float>(std::sin(2.0 * M_PI * hz * static_cast<double>(i) / pcm.rate));
        pcm.samples.push_back(v);
        pcm.samples.push_back(v);
    }
    fs::create_directories(fs::path(path).parent_path());
    std::string error;
    ASSERT_TRUE(bookkit::writeAudioFile(path, pcm, error)) << error;
}

std::map<std::string, std::string> filesUnder(const std::string& root) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_regular_file()) files[fs::relative(it->path(), root).generic_string()] = readFile(it->path());
    }
    return files;
}

std::vector<std::string> hiddenEntries(const std::string& dir) {
    std::vector<std::string> hidden;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (!name.empty() && name[0] == '.') hidden.push_back(name);
    }
    return hidden;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace maketest
