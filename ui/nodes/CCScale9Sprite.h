// A stretchable image: cut into a 3 x 3 grid whose corners keep their size while the rest stretches.
//
// Index:
//   - creation and the initialisers (file, file + rect, insets, sprite frame, frame name, sheet node)
//   - sizes and the centre rectangle (cap insets, or four border widths)
//   - colour interface (only takes effect once an image has been sliced)
//   - slicing (rebuildSlices) and the lazy layout done at visit
#pragma once

#include "engine/scene/CCNode.h"
#include "engine/sprites/CCSprite.h"
#include "engine/sprites/CCSpriteBatchNode.h"
#include "engine/sprites/CCSpriteFrame.h"

namespace ui {

class CCScale9Sprite : public engine::CCNodeRGBA {
public:
    // Tags of the nine slices inside the sheet node, so that they can be found again.
    enum SliceTag {
        kSliceCentre = 0,
        kSliceTop = 1,
        kSliceLeft = 2,
        kSliceRight = 3,
        kSliceBottom = 4,
        kSliceTopRight = 5,
        kSliceTopLeft = 6,
        kSliceBottomRight = 7,
        kSliceBottomLeft = 8,
    };

    CCScale9Sprite() = default;
    ~CCScale9Sprite() override;

    // Each returns an autoreleased sprite, or null when its initialiser fails. A missing image
    // is not a failure: it gives a sprite with an empty image that draws nothing.
    static CCScale9Sprite* create();
    static CCScale9Sprite* create(const char* file);
    static CCScale9Sprite* create(const engine::CCRect& capInsets, const char* file);
    static CCScale9Sprite* create(const char* file, const engine::CCRect& rect);
    static CCScale9Sprite* create(const char* file, const engine::CCRect& rect, const engine::CCRect& capInsets);
    static CCScale9Sprite* createWithSpriteFrame(engine::CCSpriteFrame* frame);
    static CCScale9Sprite* createWithSpriteFrame(engine::CCSpriteFrame* frame, const engine::CCRect& capInsets);
    static CCScale9Sprite* createWithSpriteFrameName(const char* name);
    static CCScale9Sprite* createWithSpriteFrameName(const char* name, const engine::CCRect& capInsets);
    static CCScale9Sprite* createWithSheetNode(engine::CCSpriteBatchNode* sheet, const engine::CCRect& rect,
                                               const engine::CCRect& capInsets);

    bool init() override;

    // --- node -------------------------------------------------------------------------------
    // Negative or non-finite sizes are taken as 0. Only marks the slices for layout.
    void setContentSize(const engine::CCSize& size) override;
    // Lays the slices out first when the size or the slices changed since the last draw.
    void visit() override;

    // --- colour interface -------------------------------------------------------------------
    void setColor(const engine::ccColor3B& color) override;
    const engine::ccColor3B& getColor() const override { return m_color; }
    void setOpacity(uint8_t opacity) override;
    uint8_t getOpacity() const override { return m_opacity; }
    void setOpacityModifyRGB(bool value) override;
    bool isOpacityModifyRGB() const override { return m_opacityModifyRGB; }
    void updateDisplayedColor(const engine::ccColor3B& parentColor) override;
    void updateDisplayedOpacity(uint8_t parentOpacity) override;

    // --- sizes and the centre rectangle -----------------------------------------------------
    virtual engine::CCSize getSourceSize() const { return m_sourceSize; }
    virtual engine::CCSize getPreferredSize() const { return m_preferredSize; }
    virtual void setPreferredSize(const engine::CCSize& size);
    // The centre rectangle as last given, in image points (y down from the image's top edge);
    // (0, 0, 0, 0) cuts the image in thirds.
    virtual engine::CCRect getCapInsets() const { return m_capInsets; }
    // Re-slices the image and keeps the current content size. Ignored before an image is set.
    virtual void setCapInsets(const engine::CCRect& capInsets);
    // Border widths of the image as shown; all four 0 means thirds.
    virtual float getLeftInset() const { return m_leftInset; }
    virtual void setLeftInset(float inset);
    virtual float getTopInset() const { return m_topInset; }
    virtual void setTopInset(float inset);
    virtual float getRightInset() const { return m_rightInset; }
    virtual void setRightInset(float inset);
    virtual float getBottomInset() const { return m_bottomInset; }
    virtual void setBottomInset(float inset);

    // --- initialisers -----------------------------------------------------------------------
    // A null sheet leaves the sprite empty; any other sheet is sliced. rect (0, 0, 0, 0) means
    // the whole texture; a rotated rect is given with the size of the image as shown.
    virtual bool initWithSheetNode(engine::CCSpriteBatchNode* sheet, const engine::CCRect& rect,
                                   const engine::CCRect& capInsets);
    virtual bool initWithSheetNode(engine::CCSpriteBatchNode* sheet, const engine::CCRect& rect, bool rotated,
                                   const engine::CCRect& capInsets);
    virtual bool initWithFile(const char* file);
    virtual bool initWithFile(const engine::CCRect& capInsets, const char* file);
    virtual bool initWithFile(const char* file, const engine::CCRect& rect);
    virtual bool initWithFile(const char* file, const engine::CCRect& rect, const engine::CCRect& capInsets);
    // A null frame fails and leaves the sprite as it was.
    virtual bool initWithSpriteFrame(engine::CCSpriteFrame* frame);
    virtual bool initWithSpriteFrame(engine::CCSpriteFrame* frame, const engine::CCRect& capInsets);
    // A name the sprite-frame cache does not hold fails and leaves the sprite as it was.
    virtual bool initWithSpriteFrameName(const char* name);
    virtual bool initWithSpriteFrameName(const char* name, const engine::CCRect& capInsets);

    // Discards the current slices and cuts new ones from sheet (which this sprite keeps).
    virtual void rebuildSlices(engine::CCSpriteBatchNode* sheet, const engine::CCRect& rect, bool rotated,
                               const engine::CCRect& capInsets);
    // Shows another frame, sliced in thirds; the border widths go back to 0.
    virtual void setSourceFrame(engine::CCSpriteFrame* frame);

    // --- read-only state --------------------------------------------------------------------
    engine::CCSpriteBatchNode* getSheetNode() const { return m_sheetNode; }
    // The source rectangle inside the texture after checking it against the texture's bounds.
    const engine::CCRect& getSourceRect() const { return m_sourceRect; }
    bool isSourceRotated() const { return m_sourceRotated; }
    // The centre rectangle the slices were actually cut with (thirds, or the insets fitted
    // inside the image).
    const engine::CCRect& getSliceInsets() const { return m_sliceInsets; }
    bool isLayoutDirty() const { return m_layoutDirty; }

private:
    void releaseSlices();
    void layoutSlices();
    void updateCapInsetsFromBorders();
    void applyColourToSlices(const engine::ccColor3B& color, uint8_t opacity);
    engine::CCSprite* makeSlice(const engine::CCRect& textureRect, int zOrder, int tag);

    engine::CCSize m_sourceSize;
    engine::CCSize m_preferredSize;
    engine::CCRect m_capInsets;
    float m_leftInset = 0, m_topInset = 0, m_rightInset = 0, m_bottomInset = 0;
    bool m_slicesGenerated = false;
    engine::CCRect m_sourceRect;
    bool m_sourceRotated = false;
    engine::CCRect m_sliceInsets;
    bool m_layoutDirty = false;
    engine::CCSpriteBatchNode* m_sheetNode = nullptr;
    engine::CCSprite* m_topLeft = nullptr;
    engine::CCSprite* m_top = nullptr;
    engine::CCSprite* m_topRight = nullptr;
    engine::CCSprite* m_left = nullptr;
    engine::CCSprite* m_centre = nullptr;
    engine::CCSprite* m_right = nullptr;
    engine::CCSprite* m_bottomLeft = nullptr;
    engine::CCSprite* m_bottom = nullptr;
    engine::CCSprite* m_bottomRight = nullptr;
    bool m_opacityModifyRGB = false;
    uint8_t m_opacity = 255;
    engine::ccColor3B m_color = engine::ccWHITE;
};

}  // namespace ui
