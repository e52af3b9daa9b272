// The process-wide table of named sprite frames, filled from texture-atlas property lists.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCDictionary;
class CCSpriteFrame;
class CCTexture2D;

class CCSpriteFrameCache : public CCObject {
public:
    static CCSpriteFrameCache* sharedSpriteFrameCache();
    static void purgeSharedSpriteFrameCache();

    ~CCSpriteFrameCache() override;

    // Reads a sheet (format 0 to 3). Its texture is the one named by the metadata, relative to
    // the sheet's folder, or else the sheet's own name with ".png". A sheet already read is not
    // read again. Bad frames are skipped with a log line; a sheet without a usable texture adds
    // nothing.
    void addSpriteFramesWithFile(const char* plist);
    // The same with the texture given by file name (resolved against the resource root).
    void addSpriteFramesWithFile(const char* plist, const char* textureFileName);
    void addSpriteFramesWithFile(const char* plist, CCTexture2D* texture);
    // The frames of an already parsed sheet; returns how many were added.
    int addSpriteFramesWithDictionary(CCDictionary* sheet, CCTexture2D* texture);

    // A later frame of the same name replaces the earlier one.
    void addSpriteFrame(CCSpriteFrame* frame, const char* name);
    // Null with a log line for a name (or alias) that no loaded sheet has.
    CCSpriteFrame* spriteFrameByName(const char* name);
    bool hasSpriteFrame(const char* name) const;
    unsigned int spriteFrameCount() const { return static_cast<unsigned int>(m_frames.size()); }

    void removeSpriteFrameByName(const char* name);
    // Drops the frames nobody but the cache holds.
    void removeUnusedSpriteFrames();
    // Drops the frames a sheet added.
    void removeSpriteFramesFromFile(const char* plist);
    void removeSpriteFrames();

private:
    CCSpriteFrameCache() = default;
    void storeFrame(const std::string& name, CCSpriteFrame* frame, const std::string& sheetKey);
    void forgetFrame(const std::string& name);
    int addFrames(CCDictionary* sheet, CCTexture2D* texture, const std::string& sheetKey);

    std::map<std::string, CCSpriteFrame*> m_frames;        // retained
    std::map<std::string, std::string> m_aliases;           // alias -> frame name
    std::set<std::string> m_loadedSheets;                   // resolved sheet paths
    std::map<std::string, std::vector<std::string>> m_framesOfSheet;
};

}  // namespace engine
