// CCSprite: initialisation paths, the quad of a (rotated, trimmed, flipped) frame, and drawing.
//
// Index:
//   - creation
//   - initialisation
//   - texture and texture rectangle
//   - flips and frames
//   - the quad and drawing
#include "engine/sprites/CCSprite.h"

#include <cmath>
#include <utility>

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/render/CCTexture2D.h"
#include "engine/render/CCTextureCache.h"
#include "engine/sprites/CCSpriteFrame.h"
#include "engine/sprites/CCSpriteFrameCache.h"

namespace engine {

namespace {

bool finiteRect(const CCRect& r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

bool finiteSize(const CCSize& s) { return std::isfinite(s.width) && std::isfinite(s.height); }

CCRect wholeTexture(CCTexture2D* texture) {
    if (!texture) return CCRectZero;
    return CCRect(0, 0, float(texture->getPixelsWide()), float(texture->getPixelsHigh()));
}

// A create() whose initialiser failed still hands back a usable, empty sprite.
CCSprite* finish(CCSprite* sprite, bool initialised) {
    return autoreleasedOrNull(sprite, initialised || sprite->init());
}

}  // namespace

// --- creation ------------------------------------------------------------------------------

CCSprite::~CCSprite() { safeRelease(m_texture); }

CCSprite* CCSprite::create() {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->init());
}

CCSprite* CCSprite::create(const char* file) {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->initWithFile(file));
}

CCSprite* CCSprite::create(const char* file, const CCRect& rect) {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->initWithFile(file, rect));
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture) {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->initWithTexture(texture));
}

CCSprite* CCSprite::createWithTexture(CCTexture2D* texture, const CCRect& rect) {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->initWithTexture(texture, rect));
}

CCSprite* CCSprite::createWithSpriteFrame(CCSpriteFrame* frame) {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->initWithSpriteFrame(frame));
}

CCSprite* CCSprite::createWithSpriteFrameName(const char* name) {
    auto* sprite = new CCSprite();
    return finish(sprite, sprite->initWithSpriteFrameName(name));
}

// --- initialisation ------------------------------------------------------------------------

bool CCSprite::init() { return initWithTexture(nullptr, CCRectZero, false); }

bool CCSprite::initWithTexture(CCTexture2D* texture) { return initWithTexture(texture, wholeTexture(texture), false); }

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect) {
    return initWithTexture(texture, rect, false);
}

bool CCSprite::initWithTexture(CCTexture2D* texture, const CCRect& rect, bool rotated) {
    if (!CCNodeRGBA::init()) return false;
    m_flipX = m_flipY = false;
    m_blend = BlendMode::Alpha;
    m_unflippedOffsetFromCenter = CCPointZero;
    m_offsetPosition = CCPointZero;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
    assignRetained(m_texture, texture);
    m_rect = CCRectZero;
    setTextureRect(rect, rotated, rect.size);
    return true;
}

bool CCSprite::initWithFile(const char* file) {
    if (!file || !*file) {
        CCLog("CCSprite: initWithFile given no file name");
        return false;
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(file);
    if (!texture) {
        CCLog("CCSprite: no image %s", file);
        return false;
    }
    return initWithTexture(texture, wholeTexture(texture), false);
}

bool CCSprite::initWithFile(const char* file, const CCRect& rect) {
    if (!file || !*file) {
        CCLog("CCSprite: initWithFile given no file name");
        return false;
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(file);
    if (!texture) {
        CCLog("CCSprite: no image %s", file);
        return false;
    }
    return initWithTexture(texture, rect, false);
}

bool CCSprite::initWithSpriteFrame(CCSpriteFrame* frame) {
    if (!frame) {
        CCLog("CCSprite: initWithSpriteFrame given no frame");
        return false;
    }
    CCTexture2D* texture = frame->getTexture();
    if (!texture) {
        CCLog("CCSprite: sprite frame has no texture");
        return false;
    }
    if (!initWithTexture(texture, frame->getRect(), frame->isRotated())) return false;
    setDisplayFrame(frame);
    return true;
}

bool CCSprite::initWithSpriteFrameName(const char* name) {
    if (!name || !*name) {
        CCLog("CCSprite: initWithSpriteFrameName given no name");
        return false;
    }
    CCSpriteFrame* frame = CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName(name);
    if (!frame) return false;  // the cache has said which name is missing
    return initWithSpriteFrame(frame);
}

// --- texture and texture rectangle ---------------------------------------------------------

void CCSprite::setTexture(CCTexture2D* texture) {
    if (texture == m_texture) return;
    assignRetained(m_texture, texture);
    if (m_texture && (m_rect.size.width <= 0 || m_rect.size.height <= 0)) {
        setTextureRect(wholeTexture(m_texture), false, wholeTexture(m_texture).size);
        return;
    }
    updateQuadTexCoords();
}

void CCSprite::setTextureRect(const CCRect& rect) { setTextureRect(rect, false, rect.size); }

void CCSprite::setTextureRect(const CCRect& rect, bool rotated, const CCSize& untrimmedSize) {
    CCRect r = rect;
    CCSize untrimmed = untrimmedSize;
    if (!finiteRect(r) || r.size.width < 0 || r.size.height < 0) {
        CCLog("CCSprite: texture rectangle (%g, %g, %g, %g) is not usable", double(rect.origin.x),
              double(rect.origin.y), double(rect.size.width), double(rect.size.height));
        r = CCRectZero;
    }
    if (!finiteSize(untrimmed) || untrimmed.width < 0 || untrimmed.height < 0) untrimmed = r.size;
    m_rect = r;
    m_rectRotated = rotated;
    setContentSize(untrimmed);
    updateQuadPositions();
    updateQuadTexCoords();
}

// --- flips and frames ----------------------------------------------------------------------

void CCSprite::setFlipX(bool flip) {
    if (flip == m_flipX) return;
    m_flipX = flip;
    updateQuadPositions();
    updateQuadTexCoords();
}

void CCSprite::setFlipY(bool flip) {
    if (flip == m_flipY) return;
    m_flipY = flip;
    updateQuadPositions();
    updateQuadTexCoords();
}

void CCSprite::setDisplayFrame(CCSpriteFrame* frame) {
    if (!frame) {
        CCLog("CCSprite: setDisplayFrame given no frame");
        return;
    }
    m_unflippedOffsetFromCenter = frame->getOffset();
    CCTexture2D* texture = frame->getTexture();
    if (texture != m_texture) assignRetained(m_texture, texture);
    setTextureRect(frame->getRect(), frame->isRotated(), frame->getOriginalSize());
}

CCSpriteFrame* CCSprite::displayFrame() {
    return CCSpriteFrame::createWithTexture(m_texture, m_rect, m_rectRotated, m_unflippedOffsetFromCenter,
                                            getContentSize());
}

bool CCSprite::isFrameDisplayed(CCSpriteFrame* frame) {
    if (!frame) return false;
    return frame->getRect().equals(m_rect) && frame->getTexture() == m_texture &&
           frame->getOffset().equals(m_unflippedOffsetFromCenter);
}

// --- the quad and drawing ------------------------------------------------------------------

void CCSprite::updateQuadPositions() {
    // A trimmed frame sits off the centre of its untrimmed box by its offset; flipping mirrors
    // that offset along with the image.
    CCPoint relative = m_unflippedOffsetFromCenter;
    if (m_flipX) relative.x = -relative.x;
    if (m_flipY) relative.y = -relative.y;
    const CCSize& box = getContentSize();
    m_offsetPosition.x = relative.x + (box.width - m_rect.size.width) / 2;
    m_offsetPosition.y = relative.y + (box.height - m_rect.size.height) / 2;
    float x1 = m_offsetPosition.x, y1 = m_offsetPosition.y;
    float x2 = x1 + m_rect.size.width, y2 = y1 + m_rect.size.height;
    m_quad[0].x = x1; m_quad[0].y = y1;
    m_quad[1].x = x2; m_quad[1].y = y1;
    m_quad[2].x = x1; m_quad[2].y = y2;
    m_quad[3].x = x2; m_quad[3].y = y2;
}

void CCSprite::updateQuadTexCoords() {
    float w = m_texture ? float(m_texture->getPixelsWide()) : 0.f;
    float h = m_texture ? float(m_texture->getPixelsHigh()) : 0.f;
    if (w <= 0 || h <= 0) {
        for (CCVertex& v : m_quad) v.u = v.v = 0;
        return;
    }
    const CCRect& r = m_rect;
    if (m_rectRotated) {
        // Stored turned a quarter clockwise: the sheet area is r.height wide and r.width high,
        // and the image's bottom-left corner is the area's top-left one.
        float left = r.origin.x / w, right = (r.origin.x + r.size.height) / w;
        float top = r.origin.y / h, bottom = (r.origin.y + r.size.width) / h;
        if (m_flipX) std::swap(top, bottom);
        if (m_flipY) std::swap(left, right);
        m_quad[0].u = left;  m_quad[0].v = top;
        m_quad[1].u = left;  m_quad[1].v = bottom;
        m_quad[2].u = right; m_quad[2].v = top;
        m_quad[3].u = right; m_quad[3].v = bottom;
    } else {
        float left = r.origin.x / w, right = (r.origin.x + r.size.width) / w;
        float top = r.origin.y / h, bottom = (r.origin.y + r.size.height) / h;
        if (m_flipX) std::swap(left, right);
        if (m_flipY) std::swap(top, bottom);
        m_quad[0].u = left;  m_quad[0].v = bottom;
        m_quad[1].u = right; m_quad[1].v = bottom;
        m_quad[2].u = left;  m_quad[2].v = top;
        m_quad[3].u = right; m_quad[3].v = top;
    }
}

void CCSprite::draw() {
    CCRenderer* renderer = CCRenderer::current();
    if (!renderer || m_rect.size.width <= 0 || m_rect.size.height <= 0) return;
    const CCAffineTransform& t = visitTransform();
    const ccColor3B& c = getDisplayedColor();
    const ccColor4B color = {c.r, c.g, c.b, getDisplayedOpacity()};
    CCVertex world[4];
    for (int i = 0; i < 4; ++i) {
        const CCVertex& q = m_quad[i];
        world[i].x = t.a * q.x + t.c * q.y + t.tx;
        world[i].y = t.b * q.x + t.d * q.y + t.ty;
        world[i].color = color;
        world[i].u = q.u;
        world[i].v = q.v;
    }
    const CCVertex triangles[6] = {world[0], world[1], world[2], world[2], world[1], world[3]};
    renderer->drawTriangles(m_texture, triangles, 6, m_blend);
}

}  // namespace engine
