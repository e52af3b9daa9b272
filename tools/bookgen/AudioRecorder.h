// Speaks every sentence with espeak-ng, encodes it with lame, caches clips by their text.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

#include "tools/bookgen/BookSource.h"
#include "tools/bookkit/OutputTree.h"

namespace bookgen {

// Finds an executable on PATH; empty when there is none.
std::string findOnPath(const std::string& program);

class AudioRecorder {
public:
    // `cacheDir` keeps one MP3 per distinct (voice, text); `maxJobs` encoders run at once.
    AudioRecorder(VoiceSource voice, std::string cacheDir, int maxJobs, bool showProgress);
    ~AudioRecorder();

    // Locates espeak-ng and lame and prepares the cache; a clear message when a tool is missing.
    bool begin(std::string& error);
    // Asks for `text` spoken into the book file `relative` (e.g. "epc/<md5>.mp3").
    void request(const std::string& text, const std::string& relative);
    // Starts queued encodes and collects finished ones without waiting; call it between other work.
    bool pump(std::string& error);
    // Waits for every clip, then puts them into the book.
    bool finish(OutputTree& out, std::string& error);

    std::size_t total() const { return totalFiles_; }
    std::size_t encoded() const { return encodedClips_; }
    std::size_t fromCache() const { return cachedClips_; }

    // The cache file name for a text, which changes with the text and the voice settings.
    std::string cacheKey(const std::string& text) const;

private:
    struct Clip {
        std::string text;
        std::string cacheFile;
        std::vector<std::string> outputs;
        bool done = false;
    };
    struct Job {
        std::size_t clip = 0;
        pid_t speaker = -1;
        pid_t encoder = -1;
        int speakerStatus = -1;
        int encoderStatus = -1;
        std::string partial;
    };

    bool start(std::size_t clip, std::string& error);
    bool reap(bool block, std::string& error);
    bool complete(Job& job, std::string& error);
    void progress(bool last);
    void stopAll();

    VoiceSource voice_;
    std::string cacheDir_;
    int maxJobs_;
    bool showProgress_;
    bool tty_ = false;
    std::string espeak_;
    std::string lame_;

    std::vector<Clip> clips_;
    std::map<std::string, std::size_t> clipByKey_;
    std::size_t nextClip_ = 0;
    std::vector<Job> running_;
    std::size_t totalFiles_ = 0;
    std::size_t doneFiles_ = 0;
    std::size_t encodedClips_ = 0;
    std::size_t cachedClips_ = 0;
    int lastTenth_ = -1;
    int serial_ = 0;
};

}  // namespace bookgen
