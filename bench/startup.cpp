// Start-up cost: from nothing to the reader's first frame, in-process and as a whole process.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "app/shell/ScriptDriver.h"
#include "engine/engine.h"

extern char** environ;

namespace {

std::string bookDir() { return std::string(QUIREL_BINARY_DIR) + "/book"; }

// Builds the reader (window set-up stand-in, delegate, contents screen) and draws its first frame.
void BM_LaunchToFirstFrame(benchmark::State& state) {
    if (!std::filesystem::exists(bookDir() + "/String.xml")) {
        state.SkipWithError("sample book not generated in this build tree");
        return;
    }
    engine::setLogQuiet(true);
    for (auto _ : state) {
        auto driver = std::make_unique<app::ScriptDriver>(bookDir());
        benchmark::DoNotOptimize(driver.get());
        state.PauseTiming();
        driver.reset();
        // Each launch starts cold: nothing cached from the previous one.
        engine::CCTextureCache::purgeSharedTextureCache();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LaunchToFirstFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The whole headless process: exec, start-up, first frame, an empty script, exit.
void BM_ProcessStartToExit(benchmark::State& state) {
    std::string drive = std::string(QUIREL_BINARY_DIR) + "/tools/drive/quirel-drive";
    if (!std::filesystem::exists(drive)) {
        state.SkipWithError("quirel-drive not built in this build tree");
        return;
    }
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::string book = bookDir();
        char* argv[] = {const_cast<char*>(drive.c_str()), const_cast<char*>("--resources"),
                        const_cast<char*>(book.c_str()), nullptr};
        pid_t pid;
        if (posix_spawn(&pid, drive.c_str(), &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start quirel-drive");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
    }
}
BENCHMARK(BM_ProcessStartToExit)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
