// CCImageDecodeAhead: the worker's loop, and handing its pixels over under one lock.
#include "engine/render/CCImageDecodeAhead.h"

#include <algorithm>
#include <exception>

#include <SDL.h>

#include "engine/render/CCImageFile.h"

namespace engine {

CCImageDecodeAhead::~CCImageDecodeAhead() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
    dropReady();
}

void CCImageDecodeAhead::dropReady() {
    for (Ready& entry : m_ready) SDL_FreeSurface(entry.pixels);
    m_ready.clear();
}

void CCImageDecodeAhead::dropOverBound() {
    size_t kept = 0;
    for (const Ready& entry : m_ready)
        if (!m_listed.count(entry.path)) kept += size_t(entry.pixels->h) * size_t(entry.pixels->pitch);
    for (auto it = m_ready.begin(); it != m_ready.end() && kept > kMaxKeptBytes;) {
        if (m_listed.count(it->path)) {
            ++it;
            continue;
        }
        kept -= size_t(it->pixels->h) * size_t(it->pixels->pitch);
        SDL_FreeSurface(it->pixels);
        it = m_ready.erase(it);
    }
}

void CCImageDecodeAhead::request(FileLister lister, std::set<std::string> skip) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_generation;
        m_queue.clear();
        m_lister = std::move(lister);
        m_skip = std::move(skip);
        if (!m_thread.joinable()) {
            // SDL_image's decoders set themselves up on first use; that must not race.
            prepareImageDecoding();
            m_thread = std::thread(&CCImageDecodeAhead::run, this);
        }
    }
    m_wake.notify_all();
}

bool CCImageDecodeAhead::isReady(const std::string& path) const {
    return std::any_of(m_ready.begin(), m_ready.end(), [&](const Ready& r) { return r.path == path; });
}

SDL_Surface* CCImageDecodeAhead::take(const std::string& path) {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        auto ready = std::find_if(m_ready.begin(), m_ready.end(), [&](const Ready& r) { return r.path == path; });
        if (ready != m_ready.end()) {
            SDL_Surface* pixels = ready->pixels;
            m_ready.erase(ready);
            return pixels;
        }
        // A listing is short and may name the path; a decode under way is faster to wait for
        // than to start again.
        if (m_listing || m_decoding == path) {
            m_done.wait(lock);
            continue;
        }
        auto queued = std::find(m_queue.begin(), m_queue.end(), path);
        if (queued != m_queue.end()) m_queue.erase(queued);
        // A request the worker has not listed yet must not decode it again once the caller has.
        if (m_lister) m_skip.insert(path);
        return nullptr;
    }
}

void CCImageDecodeAhead::clear() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_generation;
        ++m_clears;
        m_lister = nullptr;
        m_queue.clear();
        m_listed.clear();
        dropReady();
    }
}

void CCImageDecodeAhead::waitUntilIdle() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_done.wait(lock, [this] { return !m_lister && !m_listing && m_queue.empty() && m_decoding.empty(); });
}

size_t CCImageDecodeAhead::readyCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_ready.size();
}

void CCImageDecodeAhead::run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_lister || !m_queue.empty(); });
        if (m_stop) break;
        const unsigned long generation = m_generation, clears = m_clears;
        if (m_lister) {
            FileLister lister = std::move(m_lister);
            m_lister = nullptr;
            std::set<std::string> skip = std::move(m_skip);
            m_listing = true;
            lock.unlock();
            std::vector<std::string> paths;
            // Nothing may escape a worker thread: a listing that fails lists nothing.
            try {
                paths = lister();
            } catch (const std::exception&) {
                paths.clear();
            }
            lock.lock();
            m_listing = false;
            if (generation == m_generation) {
                m_listed = std::set<std::string>(paths.begin(), paths.end());
                // The cache already holds what it skips: no need for a second copy.
                m_ready.erase(std::remove_if(m_ready.begin(), m_ready.end(),
                                             [&](const Ready& r) {
                                                 if (!skip.count(r.path)) return false;
                                                 SDL_FreeSurface(r.pixels);
                                                 return true;
                                             }),
                              m_ready.end());
                for (const std::string& path : paths)
                    if (!skip.count(path) && !isReady(path) &&
                        std::find(m_queue.begin(), m_queue.end(), path) == m_queue.end())
                        m_queue.push_back(path);
                dropOverBound();
            }
        } else {
            m_decoding = m_queue.front();
            m_queue.pop_front();
            const std::string path = m_decoding;
            lock.unlock();
            SDL_Surface* pixels = nullptr;
            try {
                pixels = decodeImageFile(path, nullptr);
            } catch (const std::exception&) {
                pixels = nullptr;  // the main thread's own decode reports it
            }
            lock.lock();
            m_decoding.clear();
            // A newer request still wants it kept for a while; a clear wants nothing kept.
            if (pixels && clears == m_clears && !isReady(path)) {
                m_ready.push_back({path, pixels});
                dropOverBound();
            } else if (pixels) {
                SDL_FreeSurface(pixels);
            }
        }
        m_done.notify_all();
    }
    lock.unlock();
    endImageDecodingOnThisThread();
}

}  // namespace engine
