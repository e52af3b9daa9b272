// CCScale9Sprite: cutting an image into nine slices and placing them so that only the middle stretches.
//
// Index:
//   - input checks
//   - creation and initialisers
//   - sizes, insets and the lazy layout
//   - colour interface
//   - slicing
#include "ui/nodes/CCScale9Sprite.h"

#include <cmath>

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/sprites/CCSpriteFrameCache.h"
#include "engine/sprites/CCTextureAtlas.h"

using namespace engine;

namespace ui {

namespace {

// Nine slices, one texture: a larger batch would only waste its reserve.
const unsigned int kSheetCapacity = 9;

// A quarter turn: pi / 2 rounded up to a float, so sin is exactly 1 and only cos carries noise.
const float kQuarterTurn = 1.5707964f;

bool isZeroRect(const CCRect& r) {
    return r.origin.x == 0 && r.origin.y == 0 && r.size.width == 0 && r.size.height == 0;
}

bool isFiniteRect(const CCRect& r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

// NaN lands on the lower bound, so a garbage value can never leave the range.
float clampTo(float v, float lo, float hi) {
    if (!(v >= lo)) return lo;
    return v > hi ? hi : v;
}

// Sizes arrive from layout files and percentages; anything unusable means "nothing".
CCSize usableSize(const CCSize& s) {
    return CCSize(std::isfinite(s.width) && s.width > 0 ? s.width : 0.f,
                  std::isfinite(s.height) && s.height > 0 ? s.height : 0.f);
}

float usableInset(float v) { return std::isfinite(v) && v > 0 ? v : 0.f; }

// Components that are not numbers become 0; negative sizes are left for the fitting below.
CCRect finiteComponents(const CCRect& r) {
    auto f = [](float v) { return std::isfinite(v) ? v : 0.f; };
    return CCRect(f(r.origin.x), f(r.origin.y), f(r.size.width), f(r.size.height));
}

// The quarter-turn transform is exact only up to float noise (cos of the angle is about 4e-8);
// snapping near-integers keeps slice edges on texel edges so that neighbours never bleed in.
float snapNoise(float v) {
    float r = std::round(v);
    return std::fabs(v - r) < 1e-3f ? r : v;
}

// The part of the source rectangle that lies inside the texture. A rotated rectangle is given
// with its size as shown, so its area in the texture is r.height wide and r.width high.
CCRect clipToTexture(const CCRect& r, bool rotated, const CCSize& texture) {
    float areaW = rotated ? r.size.height : r.size.width;
    float areaH = rotated ? r.size.width : r.size.height;
    float x0 = clampTo(r.origin.x, 0, texture.width);
    float x1 = clampTo(r.origin.x + areaW, x0, texture.width);
    float y0 = clampTo(r.origin.y, 0, texture.height);
    float y1 = clampTo(r.origin.y + areaH, y0, texture.height);
    if (rotated) return CCRect(x0, y0, y1 - y0, x1 - x0);
    return CCRect(x0, y0, x1 - x0, y1 - y0);
}

// The centre rectangle fitted inside a w x h image: insets bigger than the image keep what fits
// instead of asking the slices for texels outside their source.
CCRect fitCentre(const CCRect& c, float w, float h) {
    float x0 = clampTo(c.origin.x, 0, w);
    float y0 = clampTo(c.origin.y, 0, h);
    float x1 = clampTo(c.origin.x + c.size.width, x0, w);
    float y1 = clampTo(c.origin.y + c.size.height, y0, h);
    return CCRect(x0, y0, x1 - x0, y1 - y0);
}

// A centre slice with no width (or height) has nothing to stretch; a zero scale avoids 0 / 0.
float stretchOf(float room, float extent) { return extent > 0 ? room / extent : 0.f; }

template <typename Init>
CCScale9Sprite* make(Init init) {
    auto* sprite = new CCScale9Sprite();
    return autoreleasedOrNull(sprite, init(sprite));
}

}  // namespace

// --- creation and initialisers -------------------------------------------------------------

CCScale9Sprite::~CCScale9Sprite() {
    releaseSlices();
    safeRelease(m_sheetNode);
}

CCScale9Sprite* CCScale9Sprite::create() {
    return make([](CCScale9Sprite* s) { return s->init(); });
}

CCScale9Sprite* CCScale9Sprite::create(const char* file) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithFile(file); });
}

CCScale9Sprite* CCScale9Sprite::create(const CCRect& capInsets, const char* file) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithFile(capInsets, file); });
}

CCScale9Sprite* CCScale9Sprite::create(const char* file, const CCRect& rect) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithFile(file, rect); });
}

CCScale9Sprite* CCScale9Sprite::create(const char* file, const CCRect& rect, const CCRect& capInsets) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithFile(file, rect, capInsets); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* frame) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithSpriteFrame(frame); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithSpriteFrame(frame, capInsets); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* name) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithSpriteFrameName(name); });
}

CCScale9Sprite* CCScale9Sprite::createWithSpriteFrameName(const char* name, const CCRect& capInsets) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithSpriteFrameName(name, capInsets); });
}

CCScale9Sprite* CCScale9Sprite::createWithSheetNode(CCSpriteBatchNode* sheet, const CCRect& rect,
                                                    const CCRect& capInsets) {
    return make([&](CCScale9Sprite* s) { return s->init() && s->initWithSheetNode(sheet, rect, capInsets); });
}

bool CCScale9Sprite::init() {
    if (!CCNodeRGBA::init()) return false;
    return initWithSheetNode(nullptr, CCRectZero, CCRectZero);
}

bool CCScale9Sprite::initWithSheetNode(CCSpriteBatchNode* sheet, const CCRect& rect, const CCRect& capInsets) {
    return initWithSheetNode(sheet, rect, false, capInsets);
}

bool CCScale9Sprite::initWithSheetNode(CCSpriteBatchNode* sheet, const CCRect& rect, bool rotated,
                                       const CCRect& capInsets) {
    if (sheet) {
        rebuildSlices(sheet, rect, rotated, capInsets);
        setAnchorPoint(CCPoint(0.5f, 0.5f));
    }
    m_layoutDirty = true;
    return true;
}

bool CCScale9Sprite::initWithFile(const char* file) { return initWithFile(file, CCRectZero, CCRectZero); }

bool CCScale9Sprite::initWithFile(const CCRect& capInsets, const char* file) {
    return initWithFile(file, CCRectZero, capInsets);
}

bool CCScale9Sprite::initWithFile(const char* file, const CCRect& rect) {
    return initWithFile(file, rect, CCRectZero);
}

bool CCScale9Sprite::initWithFile(const char* file, const CCRect& rect, const CCRect& capInsets) {
    // A missing image still gives a sheet, one without a texture (the batch node logs it), so
    // the sprite ends up empty rather than keeping a picture the caller asked to replace.
    CCSpriteBatchNode* sheet = CCSpriteBatchNode::create(file, kSheetCapacity);
    return initWithSheetNode(sheet, rect, capInsets);
}

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* frame) { return initWithSpriteFrame(frame, CCRectZero); }

bool CCScale9Sprite::initWithSpriteFrame(CCSpriteFrame* frame, const CCRect& capInsets) {
    if (!frame) {
        CCLog("CCScale9Sprite: initWithSpriteFrame given no frame");
        return false;
    }
    CCSpriteBatchNode* sheet = CCSpriteBatchNode::createWithTexture(frame->getTexture(), kSheetCapacity);
    return initWithSheetNode(sheet, frame->getRect(), frame->isRotated(), capInsets);
}

bool CCScale9Sprite::initWithSpriteFrameName(const char* name) { return initWithSpriteFrameName(name, CCRectZero); }

bool CCScale9Sprite::initWithSpriteFrameName(const char* name, const CCRect& capInsets) {
    if (!name || !*name) {
        CCLog("CCScale9Sprite: initWithSpriteFrameName given no name");
        return false;
    }
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name);
    if (!frame) return false;  // the cache has logged the missing name
    return initWithSpriteFrame(frame, capInsets);
}

void CCScale9Sprite::setSourceFrame(CCSpriteFrame* frame) {
    if (!frame) {
        CCLog("CCScale9Sprite: setSourceFrame given no frame");
        return;
    }
    CCSpriteBatchNode* sheet = CCSpriteBatchNode::createWithTexture(frame->getTexture(), kSheetCapacity);
    rebuildSlices(sheet, frame->getRect(), frame->isRotated(), CCRectZero);
    m_leftInset = m_topInset = m_rightInset = m_bottomInset = 0;
}

// --- sizes, insets and the lazy layout -----------------------------------------------------

void CCScale9Sprite::setContentSize(const CCSize& size) {
    CCSize s = usableSize(size);
    if (s.equals(getContentSize())) return;
    CCNodeRGBA::setContentSize(s);
    m_layoutDirty = true;
}

void CCScale9Sprite::setPreferredSize(const CCSize& size) {
    CCSize s = usableSize(size);
    setContentSize(s);
    m_preferredSize = s;
}

void CCScale9Sprite::setCapInsets(const CCRect& capInsets) {
    if (!m_sheetNode) return;
    CCRect insets = finiteComponents(capInsets);
    if (insets.equals(m_capInsets)) return;
    // A new cut must not undo a stretch: a stretched button stays the size it was given.
    CCSize keptSize = getContentSize();
    CCSize keptPreferred = m_preferredSize;
    rebuildSlices(m_sheetNode, m_sourceRect, m_sourceRotated, insets);
    setContentSize(keptSize);
    m_preferredSize = keptPreferred;
}

// Each border setter recomputes the centre rectangle even when its own value is unchanged:
// borders given before an image existed must still take effect when set again afterwards.
void CCScale9Sprite::setLeftInset(float inset) {
    m_leftInset = usableInset(inset);
    updateCapInsetsFromBorders();
}

void CCScale9Sprite::setTopInset(float inset) {
    m_topInset = usableInset(inset);
    updateCapInsetsFromBorders();
}

void CCScale9Sprite::setRightInset(float inset) {
    m_rightInset = usableInset(inset);
    updateCapInsetsFromBorders();
}

void CCScale9Sprite::setBottomInset(float inset) {
    m_bottomInset = usableInset(inset);
    updateCapInsetsFromBorders();
}

void CCScale9Sprite::updateCapInsetsFromBorders() {
    if (m_leftInset == 0 && m_topInset == 0 && m_rightInset == 0 && m_bottomInset == 0) {
        setCapInsets(CCRectZero);
        return;
    }
    // The borders are those of the image as shown, and the slices are cut in that same upright
    // space before being turned into the sheet, so a rotated source needs no other formula.
    const CCSize& shown = m_sourceRect.size;
    setCapInsets(CCRect(m_leftInset, m_topInset, shown.width - m_leftInset - m_rightInset,
                        shown.height - m_topInset - m_bottomInset));
}

void CCScale9Sprite::visit() {
    if (m_layoutDirty) {
        layoutSlices();
        m_layoutDirty = false;
    }
    CCNodeRGBA::visit();
}

void CCScale9Sprite::layoutSlices() {
    if (!m_topLeft || !m_topRight || !m_bottomRight || !m_bottomLeft || !m_centre) return;
    const CCSize& size = getContentSize();
    const CCSize& centre = m_centre->getContentSize();
    float sizableWidth = size.width - m_topLeft->getContentSize().width - m_topRight->getContentSize().width;
    float sizableHeight = size.height - m_topLeft->getContentSize().height - m_bottomRight->getContentSize().height;
    float horizontalScale = stretchOf(sizableWidth, centre.width);
    float verticalScale = stretchOf(sizableHeight, centre.height);
    m_centre->setScaleX(horizontalScale);
    m_centre->setScaleY(verticalScale);

    // Without a centre to stretch the far column still belongs at the far edge.
    float rescaledWidth = centre.width > 0 ? centre.width * horizontalScale : sizableWidth;
    float rescaledHeight = centre.height > 0 ? centre.height * verticalScale : sizableHeight;
    float leftWidth = m_bottomLeft->getContentSize().width;
    float bottomHeight = m_bottomLeft->getContentSize().height;

    for (CCSprite* s : {m_topLeft, m_top, m_topRight, m_left, m_centre, m_right, m_bottomLeft, m_bottom, m_bottomRight})
        if (s) s->setAnchorPoint(CCPoint(0, 0));

    float farX = leftWidth + rescaledWidth, farY = bottomHeight + rescaledHeight;
    m_bottomLeft->setPosition(CCPoint(0, 0));
    m_bottomRight->setPosition(CCPoint(farX, 0));
    m_topLeft->setPosition(CCPoint(0, farY));
    m_topRight->setPosition(CCPoint(farX, farY));
    if (m_left) {
        m_left->setPosition(CCPoint(0, bottomHeight));
        m_left->setScaleY(verticalScale);
    }
    if (m_right) {
        m_right->setPosition(CCPoint(farX, bottomHeight));
        m_right->setScaleY(verticalScale);
    }
    if (m_bottom) {
        m_bottom->setPosition(CCPoint(leftWidth, 0));
        m_bottom->setScaleX(horizontalScale);
    }
    if (m_top) {
        m_top->setPosition(CCPoint(leftWidth, farY));
        m_top->setScaleX(horizontalScale);
    }
    m_centre->setPosition(CCPoint(leftWidth, bottomHeight));
}

// --- colour interface ----------------------------------------------------------------------

// Before an image is sliced there is nothing to tint, and the first slices show white and
// opaque; so a colour given too early is dropped rather than remembered.
void CCScale9Sprite::setColor(const ccColor3B& color) {
    if (!m_sheetNode || color == m_color) return;
    m_color = color;
    applyColourToSlices(m_color, m_opacity);
}

void CCScale9Sprite::setOpacity(uint8_t opacity) {
    if (!m_sheetNode || opacity == m_opacity) return;
    m_opacity = opacity;
    applyColourToSlices(m_color, m_opacity);
}

void CCScale9Sprite::setOpacityModifyRGB(bool value) {
    if (!m_sheetNode || value == m_opacityModifyRGB) return;
    m_opacityModifyRGB = value;
    if (!m_sheetNode->getChildren()) return;
    for (CCObject* o : *m_sheetNode->getChildren())
        if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(o)) rgba->setOpacityModifyRGB(value);
}

// A widget tints and fades its nine-slice image through its renderer's cascade: the value that
// arrives from the parent becomes this sprite's own.
void CCScale9Sprite::updateDisplayedColor(const ccColor3B& parentColor) {
    CCNodeRGBA::updateDisplayedColor(parentColor);
    setColor(parentColor);
}

void CCScale9Sprite::updateDisplayedOpacity(uint8_t parentOpacity) {
    CCNodeRGBA::updateDisplayedOpacity(parentOpacity);
    setOpacity(parentOpacity);
}

void CCScale9Sprite::applyColourToSlices(const ccColor3B& color, uint8_t opacity) {
    if (!m_sheetNode || !m_sheetNode->getChildren()) return;
    for (CCObject* o : *m_sheetNode->getChildren()) {
        if (auto* rgba = dynamic_cast<CCRGBAProtocol*>(o)) {
            rgba->setOpacity(opacity);
            rgba->setColor(color);
            rgba->setOpacityModifyRGB(m_opacityModifyRGB);
        }
    }
}

// --- slicing -------------------------------------------------------------------------------

void CCScale9Sprite::releaseSlices() {
    for (CCSprite** s : {&m_topLeft, &m_top, &m_topRight, &m_left, &m_centre, &m_right, &m_bottomLeft, &m_bottom,
                         &m_bottomRight})
        safeRelease(*s);
}

CCSprite* CCScale9Sprite::makeSlice(const CCRect& textureRect, int zOrder, int tag) {
    auto* slice = new CCSprite();
    slice->initWithTexture(m_sheetNode->getTexture(), textureRect, m_sourceRotated);
    m_sheetNode->addChild(slice, zOrder, tag);
    return slice;  // the creation reference is this sprite's own
}

void CCScale9Sprite::rebuildSlices(CCSpriteBatchNode* sheet, const CCRect& rect, bool rotated,
                                   const CCRect& capInsets) {
    if (!sheet) {
        CCLog("CCScale9Sprite: rebuildSlices given no sheet node");
        return;
    }
    // The sheet may be held only by this sprite's child list, which is about to be emptied.
    sheet->retain();

    const ccColor3B rememberedColor = m_color;
    const uint8_t rememberedOpacity = m_opacity;

    removeAllChildrenWithCleanup(true);
    releaseSlices();

    if (sheet != m_sheetNode) assignRetained(m_sheetNode, sheet);
    m_sheetNode->removeAllChildrenWithCleanup(true);

    m_capInsets = finiteComponents(capInsets);

    CCTexture2D* texture = m_sheetNode->getTextureAtlas() ? m_sheetNode->getTextureAtlas()->getTexture() : nullptr;
    CCSize textureSize = texture ? texture->getContentSize() : CCSizeZero;
    CCRect r = rect;
    if (!isFiniteRect(r) || r.size.width < 0 || r.size.height < 0) {
        CCLog("CCScale9Sprite: source rectangle (%g, %g, %g, %g) is not usable, the whole image is used",
              double(rect.origin.x), double(rect.origin.y), double(rect.size.width), double(rect.size.height));
        r = CCRectZero;
    }
    if (isZeroRect(r)) r = CCRect(0, 0, textureSize.width, textureSize.height);
    CCRect clipped = clipToTexture(r, rotated, textureSize);
    if (!clipped.equals(r) && texture)
        CCLog("CCScale9Sprite: source rectangle (%g, %g, %g, %g) reaches outside its %g x %g image",
              double(r.origin.x), double(r.origin.y), double(r.size.width), double(r.size.height),
              double(textureSize.width), double(textureSize.height));
    r = clipped;

    m_sourceRect = r;
    m_sourceRotated = rotated;
    m_sourceSize = r.size;
    m_preferredSize = m_sourceSize;
    const float w = r.size.width, h = r.size.height;
    m_sliceInsets = isZeroRect(m_capInsets) ? CCRect(w / 3, h / 3, w / 3, h / 3) : fitCentre(m_capInsets, w, h);

    // Column widths and row heights; the fitting above keeps every one of them >= 0.
    const float L = m_sliceInsets.origin.x, W = m_sliceInsets.size.width, R = w - (L + W);
    const float T = m_sliceInsets.origin.y, H = m_sliceInsets.size.height, B = h - (T + H);

    // Image space, y down from the image's top edge, like texture rectangles.
    const CCRect topLeft(0, 0, L, T), top(L, 0, W, T), topRight(L + W, 0, R, T);
    const CCRect left(0, T, L, H), centre(L, T, W, H), right(L + W, T, R, H);
    const CCRect bottomLeft(0, T + H, L, B), bottom(L, T + H, W, B), bottomRight(L + W, T + H, R, B);

    CCAffineTransform t = CCAffineTransformMakeIdentity();
    if (rotated) {
        // The sheet stores the image turned a quarter clockwise: image point (px, py) lies at
        // (r.x + r.height - py, r.y + px) in the texture.
        t = CCAffineTransformTranslate(t, r.origin.x + r.size.height, r.origin.y);
        t = CCAffineTransformRotate(t, kQuarterTurn);
    } else {
        t = CCAffineTransformTranslate(t, r.origin.x, r.origin.y);
    }
    auto toTexture = [&](const CCRect& imageRect) {
        CCRect box = CCRectApplyAffineTransform(imageRect, t);
        // A rotated slice keeps its upright size: the sprite turns it back when drawing.
        return CCRect(snapNoise(box.origin.x), snapNoise(box.origin.y), imageRect.size.width,
                      imageRect.size.height);
    };

    // Edges above the centre and corners above the edges, so overlaps at tiny sizes stay tidy.
    m_centre = makeSlice(toTexture(centre), 0, kSliceCentre);
    m_top = makeSlice(toTexture(top), 1, kSliceTop);
    m_bottom = makeSlice(toTexture(bottom), 1, kSliceBottom);
    m_left = makeSlice(toTexture(left), 1, kSliceLeft);
    m_right = makeSlice(toTexture(right), 1, kSliceRight);
    m_topLeft = makeSlice(toTexture(topLeft), 2, kSliceTopLeft);
    m_topRight = makeSlice(toTexture(topRight), 2, kSliceTopRight);
    m_bottomLeft = makeSlice(toTexture(bottomLeft), 2, kSliceBottomLeft);
    m_bottomRight = makeSlice(toTexture(bottomRight), 2, kSliceBottomRight);

    setContentSize(r.size);
    // New slices need placing even when the size happens to be the old one.
    m_layoutDirty = true;
    // A sheet handed in while attached elsewhere could not draw here; it now belongs to us.
    if (m_sheetNode->getParent()) m_sheetNode->removeFromParentAndCleanup(false);
    addChild(m_sheetNode);

    if (m_slicesGenerated) {
        m_opacity = rememberedOpacity;
        m_color = rememberedColor;
        applyColourToSlices(rememberedColor, rememberedOpacity);
    }
    m_slicesGenerated = true;
    sheet->release();
}

}  // namespace ui
