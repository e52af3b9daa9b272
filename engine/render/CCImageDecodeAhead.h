// Decoding pictures before they are needed, on one worker thread, for the texture cache to take.
//
// A reader knows which page comes next long before the child turns to it: decoding that page's
// pictures while the current page is showing takes the costliest part of building a page off
// the main thread. The worker only decodes (engine::decodeImageFile touches no engine object);
// textures are still made on the main thread, from the pixels taken here.
//
// One request at a time. Pixels nobody took stay for a while after a newer request (a child
// turning back and forth should not have the same picture decoded on every turn), up to
// kMaxKeptBytes beyond the newest request's own pictures, oldest dropped first. Nothing is logged
// here; a picture that fails to decode is simply not offered, and the caller's own decode reports
// the problem as it always has.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct SDL_Surface;

namespace engine {

class CCImageDecodeAhead {
public:
    // Runs on the worker; names the files to decode as full, normalised paths.
    using FileLister = std::function<std::vector<std::string>()>;

    CCImageDecodeAhead() = default;
    ~CCImageDecodeAhead();
    CCImageDecodeAhead(const CCImageDecodeAhead&) = delete;
    CCImageDecodeAhead& operator=(const CCImageDecodeAhead&) = delete;

    // About three page pictures: what pixels of earlier requests may hold.
    static constexpr size_t kMaxKeptBytes = 8u * 1024 * 1024;

    // Replaces the last request (what it decoded stays, within kMaxKeptBytes). Listed paths in
    // `skip` (pictures the caller already holds) are not decoded. Starts the worker on first use.
    void request(FileLister lister, std::set<std::string> skip);
    // The pixels decoded for that path (an RGBA32 surface the caller now owns), waiting while
    // the worker is listing or decoding it; null when it is not decoded ahead. A path listed or
    // still to be listed is struck off the worker's list: the caller decodes it as fast itself.
    SDL_Surface* take(const std::string& path);
    // Drops the request and every decoded picture.
    void clear();
    // Waits until the worker has nothing left to do (tests and benchmarks).
    void waitUntilIdle();
    // Pictures decoded and not yet taken.
    size_t readyCount() const;

private:
    struct Ready {
        std::string path;
        SDL_Surface* pixels;
    };
    void run();
    // With m_mutex held: frees every kept picture, or only those of earlier requests past the
    // byte bound, oldest first.
    void dropReady();
    void dropOverBound();
    bool isReady(const std::string& path) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;  // the worker: a request or the stop
    std::condition_variable m_done;  // callers: a listing or a decode has finished
    std::thread m_thread;
    bool m_stop = false;
    unsigned long m_generation = 0;  // bumped by every request and clear
    unsigned long m_clears = 0;
    FileLister m_lister;             // a request the worker has not listed yet
    std::set<std::string> m_skip;
    bool m_listing = false;
    std::deque<std::string> m_queue;  // listed, not started
    std::string m_decoding;           // the path on the worker now, if any
    std::set<std::string> m_listed;   // what the newest listing named
    std::vector<Ready> m_ready;       // oldest first
};

}  // namespace engine
