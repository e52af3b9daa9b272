// CCSpriteFrameCache: reading texture-atlas sheets (formats 0 to 3) into checked sprite frames.
//
// Index:
//   - reading one frame entry per format, and checking it against its texture
//   - loading sheets (texture lookup beside the sheet)
//   - the name table: lookup, aliases, removal
#include "engine/sprites/CCSpriteFrameCache.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "engine/base/CCArray.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/io/CCFileUtils.h"
#include "engine/scene/CCDirector.h"
#include "engine/io/CCPropertyList.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/sprites/CCGeometryStrings.h"
#include "engine/sprites/CCSpriteFrame.h"

namespace engine {

namespace {

CCSpriteFrameCache* s_shared = nullptr;

struct FrameEntry {
    CCRect rect;
    bool rotated = false;
    CCPoint offset;
    CCSize originalSize;
    std::vector<std::string> aliases;
};

bool hasKey(CCDictionary* d, const char* key) { return d->objectForKey(key) != nullptr; }

// A whole-text number; "12abc" is as wrong as "abc".
bool numberFrom(CCDictionary* d, const char* key, float& out, std::string& why) {
    const std::string& text = d->valueForKey(key)->str();
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    while (end && *end && std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (text.empty() || end == begin || *end != '\0' || !std::isfinite(v) || std::fabs(v) > 3.0e38) {
        why = std::string("\"") + key + "\" is not a number: \"" + text + "\"";
        return false;
    }
    out = static_cast<float>(v);
    return true;
}

// Optional keys may be missing; present ones must be well formed.
bool optionalPoint(CCDictionary* d, const char* key, CCPoint& out, std::string& why) {
    if (!hasKey(d, key)) return true;
    if (parsePointString(d->valueForKey(key)->str(), out)) return true;
    why = std::string("\"") + key + "\" is malformed: \"" + d->valueForKey(key)->str() + "\"";
    return false;
}

bool optionalSize(CCDictionary* d, const char* key, CCSize& out, std::string& why) {
    if (!hasKey(d, key)) return true;
    if (parseSizeString(d->valueForKey(key)->str(), out)) return true;
    why = std::string("\"") + key + "\" is malformed: \"" + d->valueForKey(key)->str() + "\"";
    return false;
}

bool requiredRect(CCDictionary* d, const char* key, CCRect& out, std::string& why) {
    if (parseRectString(d->valueForKey(key)->str(), out)) return true;
    why = hasKey(d, key) ? std::string("\"") + key + "\" is malformed: \"" + d->valueForKey(key)->str() + "\""
                         : std::string("\"") + key + "\" is missing";
    return false;
}

bool readFormat0(CCDictionary* d, FrameEntry& f, std::string& why) {
    float x, y, w, h;
    if (!numberFrom(d, "x", x, why) || !numberFrom(d, "y", y, why) || !numberFrom(d, "width", w, why) ||
        !numberFrom(d, "height", h, why))
        return false;
    f.rect = CCRect(x, y, w, h);
    float ox = 0, oy = 0, ow = 0, oh = 0;
    if (hasKey(d, "offsetX") && !numberFrom(d, "offsetX", ox, why)) return false;
    if (hasKey(d, "offsetY") && !numberFrom(d, "offsetY", oy, why)) return false;
    if (hasKey(d, "originalWidth") && !numberFrom(d, "originalWidth", ow, why)) return false;
    if (hasKey(d, "originalHeight") && !numberFrom(d, "originalHeight", oh, why)) return false;
    f.offset = CCPoint(ox, oy);
    // Old exporters wrote negative original sizes.
    f.originalSize = CCSize(std::fabs(ow), std::fabs(oh));
    return true;
}

bool readFormat1or2(CCDictionary* d, int format, FrameEntry& f, std::string& why) {
    if (!requiredRect(d, "frame", f.rect, why)) return false;
    if (!optionalPoint(d, "offset", f.offset, why)) return false;
    if (!optionalSize(d, "sourceSize", f.originalSize, why)) return false;
    if (format == 2) f.rotated = d->valueForKey("rotated")->boolValue();
    return true;
}

bool readFormat3(CCDictionary* d, FrameEntry& f, std::string& why) {
    if (!requiredRect(d, "textureRect", f.rect, why)) return false;
    CCSize spriteSize = f.rect.size;
    if (!optionalSize(d, "spriteSize", spriteSize, why)) return false;
    f.rect.size = spriteSize;
    if (!optionalPoint(d, "spriteOffset", f.offset, why)) return false;
    if (!optionalSize(d, "spriteSourceSize", f.originalSize, why)) return false;
    f.rotated = d->valueForKey("textureRotated")->boolValue();
    if (CCArray* aliases = dynamic_cast<CCArray*>(d->objectForKey("aliases"))) {
        for (CCObject* o : *aliases)
            if (CCString* s = dynamic_cast<CCString*>(o))
                if (!s->str().empty()) f.aliases.push_back(s->str());
    }
    return true;
}

// The frame must lie inside its texture; a bad original size falls back to the frame's own.
bool checkAgainstTexture(FrameEntry& f, CCTexture2D* texture, std::string& why) {
    const float maxSide = float(CCTexture2D::kMaxTextureSide);
    const CCRect& r = f.rect;
    if (!(r.size.width > 0) || !(r.size.height > 0) || r.size.width > maxSide || r.size.height > maxSide) {
        why = "its size is not usable";
        return false;
    }
    float areaW = f.rotated ? r.size.height : r.size.width;
    float areaH = f.rotated ? r.size.width : r.size.height;
    const float slack = 0.5f;
    if (r.origin.x < -slack || r.origin.y < -slack || r.origin.x + areaW > float(texture->getPixelsWide()) + slack ||
        r.origin.y + areaH > float(texture->getPixelsHigh()) + slack) {
        why = "its rectangle lies outside the " + std::to_string(texture->getPixelsWide()) + " x " +
              std::to_string(texture->getPixelsHigh()) + " texture";
        return false;
    }
    if (!(std::fabs(f.offset.x) <= maxSide) || !(std::fabs(f.offset.y) <= maxSide)) {
        why = "its offset is not usable";
        return false;
    }
    CCSize& o = f.originalSize;
    if (!(o.width > 0) || !(o.height > 0) || o.width > maxSide || o.height > maxSide) o = r.size;
    if (o.width < r.size.width) o.width = r.size.width;
    if (o.height < r.size.height) o.height = r.size.height;
    return true;
}

std::string siblingPath(const std::string& sheetPath, const std::string& name) {
    std::filesystem::path p(name);
    if (p.is_absolute()) return name;
    return (std::filesystem::path(sheetPath).parent_path() / p).lexically_normal().string();
}

}  // namespace

CCSpriteFrameCache* CCSpriteFrameCache::sharedSpriteFrameCache() {
    // The director's purge drops unused frames from whichever cache is alive at the time.
    static const bool registered = (CCDirector::addCachePurger([] {
                                        if (s_shared) s_shared->removeUnusedSpriteFrames();
                                    }),
                                    true);
    (void)registered;
    if (!s_shared) s_shared = new CCSpriteFrameCache();
    return s_shared;
}

void CCSpriteFrameCache::purgeSharedSpriteFrameCache() { safeRelease(s_shared); }

CCSpriteFrameCache::~CCSpriteFrameCache() { removeSpriteFrames(); }

// --- loading sheets ------------------------------------------------------------------------

int CCSpriteFrameCache::addFrames(CCDictionary* sheet, CCTexture2D* texture, const std::string& sheetKey) {
    if (!sheet || !texture) return 0;
    int format = 0;
    if (CCDictionary* metadata = dynamic_cast<CCDictionary*>(sheet->objectForKey("metadata")))
        format = metadata->valueForKey("format")->intValue();
    if (format < 0 || format > 3) {
        CCLog("CCSpriteFrameCache: sheet %s has format %d, which is not read", sheetKey.c_str(), format);
        return 0;
    }
    CCDictionary* frames = dynamic_cast<CCDictionary*>(sheet->objectForKey("frames"));
    if (!frames) {
        CCLog("CCSpriteFrameCache: sheet %s has no \"frames\" dictionary", sheetKey.c_str());
        return 0;
    }
    int added = 0;
    for (const CCDictionary::Entry& entry : frames->entries()) {
        const std::string& name = entry.strKey;
        CCDictionary* d = dynamic_cast<CCDictionary*>(entry.object);
        FrameEntry f;
        std::string why;
        bool ok = false;
        if (name.empty()) {
            why = "it has no name";
        } else if (!d) {
            why = "it is not a dictionary";
        } else if (format == 0) {
            ok = readFormat0(d, f, why);
        } else if (format == 3) {
            ok = readFormat3(d, f, why);
        } else {
            ok = readFormat1or2(d, format, f, why);
        }
        if (ok) ok = checkAgainstTexture(f, texture, why);
        if (!ok) {
            CCLog("CCSpriteFrameCache: frame \"%s\" of %s skipped: %s", name.c_str(), sheetKey.c_str(), why.c_str());
            continue;
        }
        auto* frame = new CCSpriteFrame();
        frame->initWithTexture(texture, f.rect, f.rotated, f.offset, f.originalSize);
        storeFrame(name, frame, sheetKey);
        frame->release();
        for (const std::string& alias : f.aliases) {
            auto clash = m_aliases.find(alias);
            if (clash != m_aliases.end() && clash->second != name)
                CCLog("CCSpriteFrameCache: alias \"%s\" moves from \"%s\" to \"%s\"", alias.c_str(),
                      clash->second.c_str(), name.c_str());
            m_aliases[alias] = name;
        }
        ++added;
    }
    return added;
}

int CCSpriteFrameCache::addSpriteFramesWithDictionary(CCDictionary* sheet, CCTexture2D* texture) {
    if (!sheet || !texture) {
        CCLog("CCSpriteFrameCache: addSpriteFramesWithDictionary needs a sheet and a texture");
        return 0;
    }
    return addFrames(sheet, texture, "(dictionary)");
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist) {
    if (!plist || !*plist) {
        CCLog("CCSpriteFrameCache: addSpriteFramesWithFile given no file name");
        return;
    }
    std::string sheetPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    if (m_loadedSheets.count(sheetPath)) return;
    CCDictionary* sheet = readPropertyListDictionary(sheetPath);
    if (!sheet) {
        CCLog("CCSpriteFrameCache: cannot read sheet %s", plist);
        return;
    }
    std::string textureName;
    if (CCDictionary* metadata = dynamic_cast<CCDictionary*>(sheet->objectForKey("metadata"))) {
        textureName = metadata->valueForKey("textureFileName")->str();
        if (textureName.empty()) textureName = metadata->valueForKey("realTextureFileName")->str();
    }
    std::string texturePath;
    if (!textureName.empty()) {
        texturePath = siblingPath(sheetPath, textureName);
    } else {
        texturePath = std::filesystem::path(sheetPath).replace_extension(".png").string();
        CCLog("CCSpriteFrameCache: sheet %s names no texture; trying %s", plist, texturePath.c_str());
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(texturePath.c_str());
    if (!texture) {
        CCLog("CCSpriteFrameCache: sheet %s skipped: its texture %s cannot be loaded", plist, texturePath.c_str());
    } else {
        addFrames(sheet, texture, sheetPath);
        m_loadedSheets.insert(sheetPath);
    }
    sheet->release();
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, const char* textureFileName) {
    if (!textureFileName || !*textureFileName) {
        addSpriteFramesWithFile(plist);
        return;
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(textureFileName);
    if (!texture) {
        CCLog("CCSpriteFrameCache: sheet %s skipped: its texture %s cannot be loaded", plist ? plist : "(null)",
              textureFileName);
        return;
    }
    addSpriteFramesWithFile(plist, texture);
}

void CCSpriteFrameCache::addSpriteFramesWithFile(const char* plist, CCTexture2D* texture) {
    if (!plist || !*plist || !texture) {
        CCLog("CCSpriteFrameCache: addSpriteFramesWithFile needs a sheet and a texture");
        return;
    }
    std::string sheetPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    CCDictionary* sheet = readPropertyListDictionary(sheetPath);
    if (!sheet) {
        CCLog("CCSpriteFrameCache: cannot read sheet %s", plist);
        return;
    }
    addFrames(sheet, texture, sheetPath);
    sheet->release();
}

// --- the name table ------------------------------------------------------------------------

void CCSpriteFrameCache::storeFrame(const std::string& name, CCSpriteFrame* frame, const std::string& sheetKey) {
    frame->retain();
    auto it = m_frames.find(name);
    if (it != m_frames.end()) {
        it->second->release();
        it->second = frame;
    } else {
        m_frames.emplace(name, frame);
    }
    if (!sheetKey.empty()) m_framesOfSheet[sheetKey].push_back(name);
}

void CCSpriteFrameCache::addSpriteFrame(CCSpriteFrame* frame, const char* name) {
    if (!frame || !name || !*name) {
        CCLog("CCSpriteFrameCache: addSpriteFrame needs a frame and a name");
        return;
    }
    storeFrame(name, frame, std::string());
}

bool CCSpriteFrameCache::hasSpriteFrame(const char* name) const {
    if (!name) return false;
    if (m_frames.count(name)) return true;
    auto alias = m_aliases.find(name);
    return alias != m_aliases.end() && m_frames.count(alias->second);
}

CCSpriteFrame* CCSpriteFrameCache::spriteFrameByName(const char* name) {
    if (!name || !*name) {
        CCLog("CCSpriteFrameCache: spriteFrameByName given no name");
        return nullptr;
    }
    auto it = m_frames.find(name);
    if (it == m_frames.end()) {
        auto alias = m_aliases.find(name);
        if (alias != m_aliases.end()) it = m_frames.find(alias->second);
    }
    if (it == m_frames.end()) {
        CCLog("CCSpriteFrameCache: no sprite frame named \"%s\"", name);
        return nullptr;
    }
    return it->second;
}

void CCSpriteFrameCache::forgetFrame(const std::string& name) {
    auto it = m_frames.find(name);
    if (it == m_frames.end()) return;
    it->second->release();
    m_frames.erase(it);
    for (auto a = m_aliases.begin(); a != m_aliases.end();) {
        if (a->second == name)
            a = m_aliases.erase(a);
        else
            ++a;
    }
}

void CCSpriteFrameCache::removeSpriteFrameByName(const char* name) {
    if (!name || !*name) return;
    auto alias = m_aliases.find(name);
    std::string target = alias != m_aliases.end() ? alias->second : std::string(name);
    forgetFrame(target);
    // The sheet may be read again to bring the frame back.
    m_loadedSheets.clear();
}

void CCSpriteFrameCache::removeUnusedSpriteFrames() {
    std::vector<std::string> unused;
    for (const auto& entry : m_frames)
        if (entry.second->retainCount() == 1) unused.push_back(entry.first);
    for (const std::string& name : unused) forgetFrame(name);
    if (!unused.empty()) m_loadedSheets.clear();
}

void CCSpriteFrameCache::removeSpriteFramesFromFile(const char* plist) {
    if (!plist || !*plist) return;
    std::string sheetPath = CCFileUtils::sharedFileUtils()->fullPathForFilename(plist);
    auto it = m_framesOfSheet.find(sheetPath);
    if (it != m_framesOfSheet.end()) {
        for (const std::string& name : it->second) forgetFrame(name);
        m_framesOfSheet.erase(it);
    }
    m_loadedSheets.erase(sheetPath);
}

void CCSpriteFrameCache::removeSpriteFrames() {
    for (auto& entry : m_frames) entry.second->release();
    m_frames.clear();
    m_aliases.clear();
    m_loadedSheets.clear();
    m_framesOfSheet.clear();
}

}  // namespace engine
