// The book maker's rebuild: a 30-page book of photographs and 60 recorded sentences made again
// with nothing changed, the whole quirel-make process timed (target: well under 2 s).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "tools/bookkit/AudioClip.h"
#include "tools/bookkit/Canvas.h"
#include "tools/bookkit/MediaLibraries.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const std::string kMaker = std::string(QUIREL_BINARY_DIR) + "/tools/make/quirel-make";

int runMaker(const std::string& manifest, const std::string& out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(kMaker.c_str()), const_cast<char*>("--quiet"),
                    const_cast<char*>(manifest.c_str()), const_cast<char*>(out.c_str()), nullptr};
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, kMaker.c_str(), &actions, nullptr, argv, environ) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 30 pages, each a 1600 x 1200 JPEG with two sentences recorded as 2-second M4A files.
std::string writeSources(const std::string& dir) {
    bookkit::MediaLibraries media;
    std::string manifest = "title: Bench\npages:\n", error;
    bookkit::Pcm pcm;
    pcm.rate = 44100;
    pcm.channels = 1;
    for (int p = 1; p <= 30; ++p) {
        bookkit::Canvas canvas(1600, 1200, bookkit::rgba(static_cast<std::uint8_t>(p * 8), 120, 200), 1);
        canvas.fillCircle(800, 600, 100.0f + p * 10, bookkit::rgba(250, 220, 60));
        const std::string picture = "p" + std::to_string(p) + ".jpg";
        canvas.saveJpg(dir + "/" + picture, 90, error);
        manifest += "  - picture: " + picture + "\n    sentences:\n";
        for (int n = 1; n <= 2; ++n) {
            pcm.samples.assign(88200, 0.0f);
            for (std::size_t i = 0; i < pcm.samples.size(); ++i)
                pcm.samples[i] = 0.3f * static_cast<float>(std::sin(0.02 * static_cast<double>(i) * (p + n)));
            const std::string voice = "v" + std::to_string(p) + "_" + std::to_string(n) + ".m4a";
            bookkit::writeAudioFile(dir + "/" + voice, pcm, error);
            manifest += "      - {text: Sentence " + std::to_string(n) + " of page " + std::to_string(p) +
                        "., zone: [100, " + std::to_string(200 * n) + ", 1400, 150], audio: " + voice + "}\n";
        }
    }
    const std::string path = dir + "/book.yaml";
    FILE* f = std::fopen(path.c_str(), "w");
    std::fputs(manifest.c_str(), f);
    std::fclose(f);
    return path;
}

void BM_RebuildUnchanged(benchmark::State& state) {
    const std::string dir = (fs::temp_directory_path() / "quirel-bench-make").string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string manifest = writeSources(dir), out = dir + "/book";
    if (runMaker(manifest, out) != 0) {
        state.SkipWithError("quirel-make failed on the bench book");
        return;
    }
    for (auto _ : state) {
        if (runMaker(manifest, out) != 0) state.SkipWithError("quirel-make failed on the rebuild");
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_RebuildUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
