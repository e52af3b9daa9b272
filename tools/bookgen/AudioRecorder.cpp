// Runs espeak-ng | lame pipelines (at most N at once) and reuses clips whose text has not changed.
#include "tools/bookgen/AudioRecorder.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/book/Md5Digest.h"

namespace fs = std::filesystem;

namespace bookgen {

namespace {

// Mono at 48 kbit/s: speech stays clear and the whole book's audio stays a few megabytes.
constexpr const char* kBitrate = "48";
// Part of every cache key: bump it when the encoding settings above change.
constexpr const char* kRecipe = "espeak-ng|lame -m m -b 48|1";

bool writeAll(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        ssize_t n = write(fd, data.data() + sent, data.size() - sent);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string describeStatus(int status) {
    if (WIFEXITED(status)) {
        return "exit code " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return "signal " + std::to_string(WTERMSIG(status));
    }
    return "status " + std::to_string(status);
}

}  // namespace

std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path) {
        return "";
    }
    std::string dirs = path;
    std::size_t at = 0;
    while (at <= dirs.size()) {
        std::size_t end = dirs.find(':', at);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        std::string dir = dirs.substr(at, end - at);
        if (!dir.empty()) {
            std::string candidate = dir + "/" + program;
            struct stat st;
            if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
        }
        at = end + 1;
    }
    return "";
}

AudioRecorder::AudioRecorder(VoiceSource voice, std::string cacheDir, int maxJobs, bool showProgress)
    : voice_(std::move(voice)),
      cacheDir_(std::move(cacheDir)),
      maxJobs_(maxJobs < 1 ? 1 : maxJobs),
      showProgress_(showProgress) {
    tty_ = isatty(STDOUT_FILENO) != 0;
}

AudioRecorder::~AudioRecorder() {
    stopAll();
}

void AudioRecorder::stopAll() {
    for (Job& job : running_) {
        for (pid_t pid : {job.speaker, job.encoder}) {
            if (pid > 0) {
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
            }
        }
        std::error_code ec;
        fs::remove(job.partial, ec);
    }
    running_.clear();
}

bool AudioRecorder::begin(std::string& error) {
    espeak_ = findOnPath("espeak-ng");
    lame_ = findOnPath("lame");
    if (espeak_.empty() || lame_.empty()) {
        error = std::string("cannot record the sentences: ") + (espeak_.empty() ? "espeak-ng" : "lame") +
                " is not installed or not on PATH (install the Debian packages espeak-ng and lame, "
                "e.g. with scripts/setup.sh)";
        return false;
    }
    std::error_code ec;
    fs::create_directories(cacheDir_, ec);
    if (ec) {
        error = "cannot create the audio cache " + cacheDir_ + ": " + ec.message();
        return false;
    }
    return true;
}

std::string AudioRecorder::cacheKey(const std::string& text) const {
    Md5Digest md5;
    md5.update(std::string(kRecipe) + "|" + voice_.name + "|" + std::to_string(voice_.speed) + "|" +
               std::to_string(voice_.pitch) + "|");
    md5.update(text);
    return md5.hexDigest();
}

void AudioRecorder::request(const std::string& text, const std::string& relative) {
    const std::string key = cacheKey(text);
    auto it = clipByKey_.find(key);
    if (it == clipByKey_.end()) {
        Clip clip;
        clip.text = text;
        clip.cacheFile = cacheDir_ + "/" + key + ".mp3";
        clips_.push_back(clip);
        it = clipByKey_.emplace(key, clips_.size() - 1).first;
    }
    clips_[it->second].outputs.push_back(relative);
    ++totalFiles_;
}

bool AudioRecorder::start(std::size_t index, std::string& error) {
    Clip& clip = clips_[index];
    Job job;
    job.clip = index;
    job.partial = clip.cacheFile + ".part" + std::to_string(getpid()) + "-" + std::to_string(serial_++);

    const std::string speed = std::to_string(voice_.speed);
    const std::string pitch = std::to_string(voice_.pitch);
    // Built before fork: the child only calls async-signal-safe functions.
    std::vector<const char*> speakArgs = {"espeak-ng", "--stdin", "--stdout", "-v", voice_.name.c_str(),
                                          "-s", speed.c_str(), "-p", pitch.c_str(), nullptr};
    std::vector<const char*> lameArgs = {"lame", "--quiet", "-m", "m", "-b", kBitrate, "-", job.partial.c_str(),
                                         nullptr};

    int textPipe[2], wavePipe[2];
    if (pipe2(textPipe, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    if (pipe2(wavePipe, O_CLOEXEC) != 0) {
        close(textPipe[0]);
        close(textPipe[1]);
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }

    job.speaker = fork();
    if (job.speaker == 0) {
        signal(SIGPIPE, SIG_DFL);
        dup2(textPipe[0], STDIN_FILENO);
        dup2(wavePipe[1], STDOUT_FILENO);
        execv(espeak_.c_str(), const_cast<char* const*>(speakArgs.data()));
        _exit(127);
    }
    if (job.speaker > 0) {
        job.encoder = fork();
        if (job.encoder == 0) {
            signal(SIGPIPE, SIG_DFL);
            dup2(wavePipe[0], STDIN_FILENO);
            int devNull = open("/dev/null", O_WRONLY);
            if (devNull >= 0) {
                dup2(devNull, STDOUT_FILENO);
            }
            execv(lame_.c_str(), const_cast<char* const*>(lameArgs.data()));
            _exit(127);
        }
    }
    close(textPipe[0]);
    close(wavePipe[0]);
    close(wavePipe[1]);
    if (job.speaker < 0 || job.encoder < 0) {
        close(textPipe[1]);
        error = std::string("cannot start the speech encoder: ") + std::strerror(errno);
        if (job.speaker > 0) {
            waitpid(job.speaker, nullptr, 0);
        }
        return false;
    }
    // A line end finishes the last clause, so espeak-ng reads the sentence to its end.
    writeAll(textPipe[1], clip.text + "\n");
    close(textPipe[1]);
    running_.push_back(job);
    return true;
}

bool AudioRecorder::complete(Job& job, std::string& error) {
    Clip& clip = clips_[job.clip];
    std::error_code ec;
    const bool ok = job.speakerStatus == 0 && job.encoderStatus == 0 && fs::is_regular_file(job.partial, ec) &&
                    fs::file_size(job.partial, ec) > 0;
    if (!ok) {
        fs::remove(job.partial, ec);
        error = "recording \"" + clip.text + "\" failed (espeak-ng " + describeStatus(job.speakerStatus) +
                ", lame " + describeStatus(job.encoderStatus) + ")";
        return false;
    }
    // Rename is atomic: a run sharing this cache sees the whole clip or none of it.
    fs::rename(job.partial, clip.cacheFile, ec);
    if (ec) {
        fs::remove(job.partial, ec);
        error = "cannot store " + clip.cacheFile;
        return false;
    }
    clip.done = true;
    ++encodedClips_;
    doneFiles_ += clip.outputs.size();
    progress(false);
    return true;
}

bool AudioRecorder::reap(bool block, std::string& error) {
    bool any = false;
    while (!running_.empty()) {
        int status = 0;
        pid_t pid = waitpid(-1, &status, (block && !any) ? 0 : WNOHANG);
        if (pid <= 0) {
            if (pid < 0 && errno == EINTR) {
                continue;
            }
            break;
        }
        for (std::size_t i = 0; i < running_.size(); ++i) {
            Job& job = running_[i];
            if (pid == job.speaker) {
                job.speakerStatus = status;
                job.speaker = 0;
            } else if (pid == job.encoder) {
                job.encoderStatus = status;
                job.encoder = 0;
            } else {
                continue;
            }
            if (job.speaker == 0 && job.encoder == 0) {
                Job finished = job;
                running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
                any = true;
                if (!complete(finished, error)) {
                    return false;
                }
            }
            break;
        }
    }
    return true;
}

bool AudioRecorder::pump(std::string& error) {
    if (!reap(false, error)) {
        return false;
    }
    while (nextClip_ < clips_.size() && static_cast<int>(running_.size()) < maxJobs_) {
        Clip& clip = clips_[nextClip_];
        std::error_code ec;
        if (fs::is_regular_file(clip.cacheFile, ec) && fs::file_size(clip.cacheFile, ec) > 0) {
            clip.done = true;
            ++cachedClips_;
            doneFiles_ += clip.outputs.size();
            progress(false);
        } else if (!start(nextClip_, error)) {
            return false;
        }
        ++nextClip_;
    }
    return true;
}

bool AudioRecorder::finish(OutputTree& out, std::string& error) {
    while (nextClip_ < clips_.size() || !running_.empty()) {
        if (!pump(error)) {
            stopAll();
            return false;
        }
        if (!running_.empty() && !reap(true, error)) {
            stopAll();
            return false;
        }
    }
    progress(true);
    for (const Clip& clip : clips_) {
        for (const std::string& relative : clip.outputs) {
            if (!out.copyFrom(clip.cacheFile, relative, error)) {
                return false;
            }
        }
    }
    return true;
}

void AudioRecorder::progress(bool last) {
    if (!showProgress_ || totalFiles_ == 0) {
        return;
    }
    const int tenth = static_cast<int>(doneFiles_ * 10 / totalFiles_);
    if (tty_) {
        std::printf("\rbookgen: audio %zu/%zu", doneFiles_, totalFiles_);
        if (last) {
            std::printf(" (%zu encoded, %zu from cache)\n", encodedClips_, cachedClips_);
        }
        std::fflush(stdout);
        return;
    }
    // Without a terminal, one line per tenth keeps build logs short.
    if (last) {
        std::printf("bookgen: audio %zu/%zu (%zu encoded, %zu from cache)\n", doneFiles_, totalFiles_, encodedClips_,
                    cachedClips_);
    } else if (tenth != lastTenth_ && tenth < 10) {
        std::printf("bookgen: audio %zu/%zu\n", doneFiles_, totalFiles_);
    }
    lastTenth_ = tenth;
    std::fflush(stdout);
}

}  // namespace bookgen
