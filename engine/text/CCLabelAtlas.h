// A label of fixed-size character cells cut from one character-map image.
//
// Byte c of the string shows cell (c - startChar) of the map, cells counted left to right,
// then top to bottom. A byte outside the map leaves its cell empty (one log line per label).
// The content size is (bytes x itemWidth, itemHeight) whether or not the map could be loaded,
// so layouts do not shift when an image is missing.
#pragma once

#include <string>
#include <vector>

#include "engine/render/CCRenderer.h"
#include "engine/scene/CCNode.h"
#include "engine/text/CCLabelProtocol.h"

namespace engine {

class CCTexture2D;

class CCLabelAtlas : public CCNodeRGBA, public CCLabelProtocol {
public:
    // An uninitialised label draws nothing until one of the initWithString calls.
    CCLabelAtlas() = default;
    ~CCLabelAtlas() override;

    // Bad input (missing map, cell sizes outside 1..CCTexture2D::kMaxTextureSide) still gives
    // a label, one that draws nothing, with a log line.
    static CCLabelAtlas* create(const char* string, const char* charMapFile, unsigned int itemWidth,
                                unsigned int itemHeight, unsigned int startCharMap);
    // The property-list form: a dictionary with "version" 1, "textureFilename" (relative to the
    // list's folder), "itemWidth", "itemHeight" and "firstChar" (a character code).
    static CCLabelAtlas* create(const char* string, const char* fntFile);

    // Each returns false (with a log line) when the map cannot be used; the label keeps the
    // string and the cell size and draws nothing.
    bool initWithString(const char* string, const char* charMapFile, unsigned int itemWidth, unsigned int itemHeight,
                        unsigned int startCharMap);
    bool initWithString(const char* string, CCTexture2D* texture, unsigned int itemWidth, unsigned int itemHeight,
                        unsigned int startCharMap);
    bool initWithString(const char* string, const char* fntFile);

    // CCLabelProtocol.
    void setString(const char* text) override;
    const char* getString() const override { return m_string.c_str(); }

    CCTexture2D* getTexture() const { return m_texture; }
    unsigned int getItemWidth() const { return m_itemWidth; }
    unsigned int getItemHeight() const { return m_itemHeight; }
    unsigned int getStartChar() const { return m_startChar; }
    // Cells that draw something (characters inside the map).
    unsigned int getQuadsToDraw() const { return static_cast<unsigned int>(m_quads.size() / 4); }

    void setBlendFunc(BlendMode blend) { m_blend = blend; }
    BlendMode getBlendFunc() const { return m_blend; }

    void draw() override;

private:
    void updateAtlasValues();

    std::string m_string;
    CCTexture2D* m_texture = nullptr;
    unsigned int m_itemWidth = 0, m_itemHeight = 0;
    unsigned int m_startChar = 0;
    BlendMode m_blend = BlendMode::Alpha;
    // Node-space corners of each drawn cell: bottom left, bottom right, top left, top right.
    std::vector<CCVertex> m_quads;
    bool m_loggedOutside = false;
};

}  // namespace engine
