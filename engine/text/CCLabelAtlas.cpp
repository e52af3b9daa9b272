// CCLabelAtlas: cell lookup, the quads of the string and drawing them in one batch.
#include "engine/text/CCLabelAtlas.h"

#include <cstring>

#include "engine/base/CCCreate.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCString.h"
#include "engine/io/CCFileUtils.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"

namespace engine {

namespace {

bool usableCell(unsigned int w, unsigned int h) {
    return w >= 1 && h >= 1 && w <= unsigned(CCTexture2D::kMaxTextureSide) && h <= unsigned(CCTexture2D::kMaxTextureSide);
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

CCLabelAtlas::~CCLabelAtlas() { safeRelease(m_texture); }

CCLabelAtlas* CCLabelAtlas::create(const char* string, const char* charMapFile, unsigned int itemWidth,
                                   unsigned int itemHeight, unsigned int startCharMap) {
    auto* label = new CCLabelAtlas();
    label->initWithString(string, charMapFile, itemWidth, itemHeight, startCharMap);
    return autoreleasedOrNull(label, true);
}

CCLabelAtlas* CCLabelAtlas::create(const char* string, const char* fntFile) {
    auto* label = new CCLabelAtlas();
    label->initWithString(string, fntFile);
    return autoreleasedOrNull(label, true);
}

bool CCLabelAtlas::initWithString(const char* string, const char* charMapFile, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap) {
    CCTexture2D* texture = nullptr;
    if (!charMapFile || !*charMapFile)
        CCLog("CCLabelAtlas: no character map given");
    else if (!(texture = CCTextureCache::sharedTextureCache()->addImage(charMapFile)))
        CCLog("CCLabelAtlas: character map %s cannot be loaded; the label draws nothing", charMapFile);
    return initWithString(string, texture, itemWidth, itemHeight, startCharMap);
}

bool CCLabelAtlas::initWithString(const char* string, CCTexture2D* texture, unsigned int itemWidth,
                                  unsigned int itemHeight, unsigned int startCharMap) {
    bool ok = true;
    if (!usableCell(itemWidth, itemHeight)) {
        CCLog("CCLabelAtlas: cell size %u x %u refused; the label draws nothing", itemWidth, itemHeight);
        itemWidth = itemHeight = 0;
        texture = nullptr;
        ok = false;
    }
    if (texture && (texture->getPixelsWide() < int(itemWidth) || texture->getPixelsHigh() < int(itemHeight))) {
        CCLog("CCLabelAtlas: character map of %d x %d pixels holds no %u x %u cell", texture->getPixelsWide(),
              texture->getPixelsHigh(), itemWidth, itemHeight);
        texture = nullptr;
        ok = false;
    }
    if (!texture) ok = false;
    assignRetained(m_texture, texture);
    m_itemWidth = itemWidth;
    m_itemHeight = itemHeight;
    m_startChar = startCharMap;
    m_loggedOutside = false;
    m_string = string ? string : "";
    updateAtlasValues();
    return ok;
}

bool CCLabelAtlas::initWithString(const char* string, const char* fntFile) {
    if (!fntFile || !*fntFile) {
        CCLog("CCLabelAtlas: no configuration file given");
        return initWithString(string, static_cast<CCTexture2D*>(nullptr), 0, 0, 0);
    }
    std::string full = CCFileUtils::sharedFileUtils()->fullPathForFilename(fntFile);
    CCDictionary* dict = CCDictionary::createWithContentsOfFile(full.c_str());
    if (!dict) {
        CCLog("CCLabelAtlas: configuration %s cannot be read", fntFile);
        return initWithString(string, static_cast<CCTexture2D*>(nullptr), 0, 0, 0);
    }
    dict->retain();
    bool ok = false;
    int version = dict->valueForKey("version")->intValue();
    if (version != 1) {
        CCLog("CCLabelAtlas: configuration %s has version %d; only version 1 is known", fntFile, version);
        initWithString(string, static_cast<CCTexture2D*>(nullptr), 0, 0, 0);
    } else {
        std::string textureFile = dict->valueForKey("textureFilename")->str();
        int w = dict->valueForKey("itemWidth")->intValue();
        int h = dict->valueForKey("itemHeight")->intValue();
        int first = dict->valueForKey("firstChar")->intValue();
        std::string texturePath = textureFile.empty() ? std::string() : folderOf(full) + textureFile;
        ok = initWithString(string, texturePath.c_str(), w > 0 ? unsigned(w) : 0u, h > 0 ? unsigned(h) : 0u,
                            first > 0 ? unsigned(first) : 0u);
    }
    dict->release();
    return ok;
}

void CCLabelAtlas::setString(const char* text) {
    std::string s = text ? text : "";
    if (s == m_string) return;
    m_string.swap(s);
    updateAtlasValues();
}

void CCLabelAtlas::updateAtlasValues() {
    m_quads.clear();
    float w = float(m_itemWidth), h = float(m_itemHeight);
    setContentSize(CCSize(w * float(m_string.size()), h));
    if (!m_texture || m_itemWidth == 0 || m_itemHeight == 0) return;
    const int texW = m_texture->getPixelsWide(), texH = m_texture->getPixelsHigh();
    const unsigned int columns = unsigned(texW) / m_itemWidth;
    const unsigned int cells = columns * (unsigned(texH) / m_itemHeight);
    m_quads.reserve(m_string.size() * 4);
    unsigned int outside = 0;
    for (size_t i = 0; i < m_string.size(); ++i) {
        unsigned int c = static_cast<unsigned char>(m_string[i]);
        if (c < m_startChar || c - m_startChar >= cells) {
            ++outside;
            continue;
        }
        unsigned int cell = c - m_startChar;
        float left = float((cell % columns) * m_itemWidth) / float(texW);
        float right = float((cell % columns + 1) * m_itemWidth) / float(texW);
        float top = float((cell / columns) * m_itemHeight) / float(texH);
        float bottom = float((cell / columns + 1) * m_itemHeight) / float(texH);
        float x = w * float(i);
        const ccColor4B none = {255, 255, 255, 255};
        m_quads.push_back(CCVertex{x, 0, none, left, bottom});
        m_quads.push_back(CCVertex{x + w, 0, none, right, bottom});
        m_quads.push_back(CCVertex{x, h, none, left, top});
        m_quads.push_back(CCVertex{x + w, h, none, right, top});
    }
    if (outside && !m_loggedOutside) {
        m_loggedOutside = true;
        CCLog("CCLabelAtlas: %u characters of \"%s\" are not in the character map (cells from code %u, %u cells)",
              outside, m_string.c_str(), m_startChar, cells);
    }
}

void CCLabelAtlas::draw() {
    CCRenderer* renderer = CCRenderer::current();
    if (!renderer || !m_texture || m_quads.empty()) return;
    const CCAffineTransform& t = visitTransform();
    const ccColor3B& c = getDisplayedColor();
    const ccColor4B color = {c.r, c.g, c.b, getDisplayedOpacity()};
    std::vector<CCVertex> triangles;
    triangles.reserve(m_quads.size() / 4 * 6);
    CCVertex world[4];
    for (size_t q = 0; q < m_quads.size(); q += 4) {
        for (int k = 0; k < 4; ++k) {
            const CCVertex& v = m_quads[q + k];
            world[k] = CCVertex{t.a * v.x + t.c * v.y + t.tx, t.b * v.x + t.d * v.y + t.ty, color, v.u, v.v};
        }
        triangles.insert(triangles.end(), {world[0], world[1], world[2], world[2], world[1], world[3]});
    }
    renderer->drawTriangles(m_texture, triangles.data(), int(triangles.size()), m_blend);
}

}  // namespace engine
