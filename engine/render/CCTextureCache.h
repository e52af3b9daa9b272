// The process-wide cache of image textures: one texture per resolved file path.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCImageDecodeAhead;
class CCTexture2D;

class CCTextureCache : public CCObject {
public:
    static CCTextureCache* sharedTextureCache();
    // Drops the cache; textures still held elsewhere live on until released there.
    static void purgeSharedTextureCache();

    ~CCTextureCache() override;

    // The texture of an image file, path resolved against the resource root. Null with a log
    // line when the file is missing, cannot be decoded or has no pixels.
    CCTexture2D* addImage(const char* path);
    // A texture already loaded under that path (as given or resolved); null when there is none.
    CCTexture2D* textureForKey(const char* key) const;
    void removeTexture(CCTexture2D* texture);
    void removeTextureForKey(const char* key);
    // Drops the textures nobody but the cache holds.
    void removeUnusedTextures();
    // Lets go of every texture (holders elsewhere keep theirs) and of every picture decoded ahead.
    void removeAllTextures();

    // Decodes pictures on a worker thread before they are asked for: `listFiles` runs there and
    // names them as full paths (a layout's pictures, say); addImage then takes their pixels
    // instead of decoding. Replaces the last such request; pictures already cached are skipped.
    void decodeAhead(std::function<std::vector<std::string>()> listFiles);
    // Waits until the pictures asked for ahead are decoded (tests and benchmarks).
    void finishDecodingAhead();
    // Pictures decoded ahead and not yet taken by addImage.
    size_t imagesDecodedAhead() const;

    // The pixel memory the cache may keep for textures nothing else uses. Past it, loading a new
    // image first evicts such textures, least recently asked for first; textures in use are never
    // evicted, so the budget can be exceeded while they are. 0 means no limit.
    void setMemoryBudget(size_t bytes);
    size_t getMemoryBudget() const { return m_budget; }
    // About nine full-page pictures. A texture a renderer has drawn also has the renderer's copy
    // of its pixels (a second copy in memory with the software renderer), so what unused
    // textures really hold is up to twice the budget.
    static constexpr size_t kDefaultMemoryBudget = 24u * 1024 * 1024;

    unsigned int textureCount() const { return static_cast<unsigned int>(m_textures.size()); }
    // Pixel memory of the cached textures, 4 bytes a pixel.
    size_t bytesInUse() const;
    // One log line per cached texture and a total.
    void dumpCachedTextureInfo() const;

private:
    CCTextureCache();
    std::string keyFor(const char* path) const;
    // keep: a texture that must stay whatever the budget (the one just loaded for a caller).
    void evictUnusedOverBudget(const std::string& keep = std::string());

    std::unique_ptr<CCImageDecodeAhead> m_ahead;  // made on the first decodeAhead
    std::map<std::string, CCTexture2D*> m_textures;  // resolved path -> retained texture
    std::map<std::string, unsigned long> m_lastUse;  // resolved path -> use counter at last ask
    unsigned long m_useCounter = 0;
    size_t m_budget = kDefaultMemoryBudget;
};

}  // namespace engine
