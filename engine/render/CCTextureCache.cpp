// CCTextureCache: loading, sharing and dropping image textures by resolved path.
#include "engine/render/CCTextureCache.h"

#include <filesystem>
#include <set>

#include "engine/base/CCLog.h"
#include "engine/io/CCFileUtils.h"
#include "engine/render/CCImageDecodeAhead.h"
#include "engine/render/CCTexture2D.h"

namespace engine {

namespace {
CCTextureCache* s_shared = nullptr;
}

CCTextureCache* CCTextureCache::sharedTextureCache() {
    if (!s_shared) s_shared = new CCTextureCache();
    return s_shared;
}

void CCTextureCache::purgeSharedTextureCache() { safeRelease(s_shared); }

CCTextureCache::CCTextureCache() = default;

CCTextureCache::~CCTextureCache() { removeAllTextures(); }

std::string CCTextureCache::keyFor(const char* path) const {
    std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(path);
    // "a/./b.png" and "a/b.png" are one file and must share one texture.
    return std::filesystem::path(full).lexically_normal().string();
}

CCTexture2D* CCTextureCache::addImage(const char* path) {
    if (!path || !*path) {
        CCLog("CCTextureCache: addImage given no file name");
        return nullptr;
    }
    std::string key = keyFor(path);
    auto it = m_textures.find(key);
    m_lastUse[key] = ++m_useCounter;
    if (it != m_textures.end()) return it->second;
    auto* texture = new CCTexture2D();
    SDL_Surface* decoded = m_ahead ? m_ahead->take(key) : nullptr;
    if (decoded ? !texture->initWithDecodedImage(decoded, key) : !texture->initWithImageFile(key)) {
        texture->release();
        m_lastUse.erase(key);
        CCLog("CCTextureCache: no texture for %s", path);
        return nullptr;
    }
    m_textures.emplace(key, texture);
    evictUnusedOverBudget(key);
    return texture;
}

void CCTextureCache::setMemoryBudget(size_t bytes) {
    m_budget = bytes;
    evictUnusedOverBudget();
}

void CCTextureCache::evictUnusedOverBudget(const std::string& keep) {
    if (m_budget == 0) return;
    size_t used = bytesInUse();
    if (used <= m_budget) return;
    // Textures only the cache holds, oldest use first.
    std::multimap<unsigned long, std::string> unused;
    for (const auto& kv : m_textures)
        if (kv.second->retainCount() == 1 && kv.first != keep) unused.emplace(m_lastUse[kv.first], kv.first);
    for (const auto& candidate : unused) {
        if (used <= m_budget) break;
        auto it = m_textures.find(candidate.second);
        const size_t bytes = static_cast<size_t>(it->second->getPixelsWide()) * it->second->getPixelsHigh() * 4;
        it->second->release();
        m_textures.erase(it);
        m_lastUse.erase(candidate.second);
        used -= bytes;
    }
}

CCTexture2D* CCTextureCache::textureForKey(const char* key) const {
    if (!key || !*key) return nullptr;
    auto it = m_textures.find(key);
    if (it == m_textures.end()) it = m_textures.find(keyFor(key));
    return it == m_textures.end() ? nullptr : it->second;
}

void CCTextureCache::removeTexture(CCTexture2D* texture) {
    if (!texture) return;
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second == texture) {
            it->second->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

void CCTextureCache::removeTextureForKey(const char* key) {
    if (!key || !*key) return;
    auto it = m_textures.find(key);
    if (it == m_textures.end()) it = m_textures.find(keyFor(key));
    if (it == m_textures.end()) return;
    it->second->release();
    m_textures.erase(it);
}

void CCTextureCache::removeUnusedTextures() {
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second->retainCount() == 1) {
            it->second->release();
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

void CCTextureCache::removeAllTextures() {
    for (auto& entry : m_textures) entry.second->release();
    m_textures.clear();
    m_lastUse.clear();
    if (m_ahead) m_ahead->clear();
}

void CCTextureCache::decodeAhead(std::function<std::vector<std::string>()> listFiles) {
    if (!m_ahead) m_ahead = std::make_unique<CCImageDecodeAhead>();
    std::set<std::string> cached;
    for (const auto& entry : m_textures) cached.insert(entry.first);
    m_ahead->request(std::move(listFiles), std::move(cached));
}

void CCTextureCache::finishDecodingAhead() {
    if (m_ahead) m_ahead->waitUntilIdle();
}

size_t CCTextureCache::imagesDecodedAhead() const { return m_ahead ? m_ahead->readyCount() : 0; }

size_t CCTextureCache::bytesInUse() const {
    size_t total = 0;
    for (const auto& entry : m_textures) total += entry.second->bytesUsed();
    return total;
}

void CCTextureCache::dumpCachedTextureInfo() const {
    for (const auto& entry : m_textures)
        CCLog("CCTextureCache: \"%s\" rc=%u %d x %d, %zu bytes", entry.first.c_str(), entry.second->retainCount(),
              entry.second->getPixelsWide(), entry.second->getPixelsHigh(), entry.second->bytesUsed());
    CCLog("CCTextureCache: %u textures, %zu bytes", textureCount(), bytesInUse());
}

}  // namespace engine
