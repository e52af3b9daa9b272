// Layout: panel initialisation, backgrounds, clipping and the column, row and relative arrangements.
//
// Index:
//   - construction and init
//   - widget overrides (colour, hit test, size changes)
//   - clipping and layout type
//   - background image
//   - background colour kinds
//   - arranging children
#include "ui/widgets/Layout.h"

#include <cmath>
#include <vector>

#include "engine/base/CCCreate.h"
#include "engine/base/CCRetainedSnapshot.h"
#include "engine/scene/CCDirector.h"
#include "engine/scene/CCScheduler.h"
#include "engine/sprites/CCSprite.h"
#include "ui/nodes/CCScale9Sprite.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/LinearLayoutParameter.h"
#include "ui/widgets/RectClippingNode.h"
#include "ui/widgets/RelativeLayoutParameter.h"

namespace ui {

using namespace engine;

namespace {
const int kColorLayerZ = -2;
const int kBackgroundImageZ = -1;

uint8_t clampOpacity(int o) { return static_cast<uint8_t>(o < 0 ? 0 : (o > 255 ? 255 : o)); }
}  // namespace

// --- construction ----------------------------------------------------------------------

Layout::Layout() { m_widgetKind = WIDGET_KIND_CONTAINER; }

Layout::~Layout() = default;

Layout* Layout::create() {
    Layout* layout = new Layout();
    return autoreleasedOrNull(layout, layout->init());
}

bool Layout::init() {
    m_children = CCArray::create();
    m_children->retain();
    createRenderer();
    if (!m_renderer) return false;
    m_renderer->retain();
    m_renderer->setZOrder(m_widgetZOrder);
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_renderer)) {
        rgba->setCascadeColorEnabled(false);
        rgba->setCascadeOpacityEnabled(false);
    }
    setIgnoreSize(false);
    setSize(CCSize(0, 0));
    setBright(true);
    setAnchorPoint(CCPoint(0, 0));
    m_scheduler = CCDirector::sharedDirector()->getScheduler();
    if (m_scheduler) m_scheduler->retain();
    return true;
}

void Layout::createRenderer() { m_renderer = RectClippingNode::create(); }

RectClippingNode* Layout::getClippingRenderer() const { return dynamic_cast<RectClippingNode*>(m_renderer); }

// --- widget overrides ------------------------------------------------------------------

void Layout::setColor(const ccColor3B& color) {
    UIWidget::setColor(color);
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_backGroundImage)) image->setColor(color);
}

void Layout::setOpacity(int opacity) {
    UIWidget::setOpacity(opacity);
    if (CCRGBAProtocol* image = dynamic_cast<CCRGBAProtocol*>(m_backGroundImage))
        image->setOpacity(clampOpacity(opacity));
}

bool Layout::hitTest(const CCPoint& worldPoint) {
    if (!m_renderer) return false;
    CCPoint p = m_renderer->convertToNodeSpace(worldPoint);
    return p.x >= 0 && p.x <= m_size.width && p.y >= 0 && p.y <= m_size.height;
}

const CCSize& Layout::getContentSize() {
    static const CCSize kNone;
    return m_renderer ? m_renderer->getContentSize() : kNone;
}

const char* Layout::getTypeName() { return "Layout"; }

void Layout::onSizeChanged() {
    if (RectClippingNode* clipping = getClippingRenderer()) clipping->setClippingSize(m_size);
    arrangeChildren();
    if (m_backGroundImage) {
        m_backGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
        if (m_backGroundScale9Enable)
            if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_backGroundImage)) nine->setPreferredSize(m_size);
    }
    if (m_colorRender) m_colorRender->setContentSize(m_size);
    if (m_gradientRender) m_gradientRender->setContentSize(m_size);
}

// --- clipping and layout type ----------------------------------------------------------

void Layout::setClipAble(bool able) {
    m_clipAble = able;
    if (RectClippingNode* clipping = getClippingRenderer()) clipping->setClipAble(able);
}

void Layout::setClippingFlag(bool able) { setClipAble(able); }

void Layout::setLayoutType(LayoutType type) { m_layoutType = type; }

// --- background image ------------------------------------------------------------------

void Layout::createBackGroundImageNode() {
    if (m_backGroundScale9Enable) {
        CCScale9Sprite* nine = CCScale9Sprite::create();
        if (nine) nine->setPreferredSize(m_size);
        m_backGroundImage = nine;
    } else {
        m_backGroundImage = CCSprite::create();
    }
    if (!m_backGroundImage || !m_renderer) return;
    m_renderer->addChild(m_backGroundImage, kBackgroundImageZ);
    m_backGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
}

void Layout::setBackGroundScale9Enable(bool able) {
    if (able == m_backGroundScale9Enable) return;
    if (m_backGroundImage && m_renderer) m_renderer->removeChild(m_backGroundImage, true);
    m_backGroundImage = nullptr;
    m_backGroundScale9Enable = able;
    createBackGroundImageNode();
    // Copies: setBackGroundImage stores into the very fields it is given.
    const std::string name = m_backGroundImageFileName;
    setBackGroundImage(name.c_str(), m_bgImageTexType);
    setBackGroundImageCapInsets(CCRect(m_backGroundImageCapInsets));
}

void Layout::setBackGroundImage(const char* name, TextureResType type) {
    if (!name || !*name) return;
    if (!m_backGroundImage) createBackGroundImageNode();
    if (!m_backGroundImage) return;
    m_backGroundImageFileName = name;
    m_bgImageTexType = type;
    const char* file = m_backGroundImageFileName.c_str();
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_backGroundImage)) {
        if (type == TEX_RES_LOCAL_FILE)
            nine->initWithFile(file);
        else if (type == TEX_RES_SPRITE_FRAME)
            nine->initWithSpriteFrameName(file);
        m_backGroundImageTextureSize = nine->getContentSize();
        nine->setPreferredSize(m_size);
    } else if (CCSprite* sprite = dynamic_cast<CCSprite*>(m_backGroundImage)) {
        if (type == TEX_RES_LOCAL_FILE)
            sprite->initWithFile(file);
        else if (type == TEX_RES_SPRITE_FRAME)
            sprite->initWithSpriteFrameName(file);
        m_backGroundImageTextureSize = sprite->getContentSize();
    }
    if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(m_backGroundImage)) {
        rgba->setColor(getColor());
        rgba->setOpacity(clampOpacity(getOpacity()));
    }
    m_backGroundImage->setPosition(CCPoint(m_size.width / 2, m_size.height / 2));
}

void Layout::setBackGroundImageCapInsets(const CCRect& capInsets) {
    m_backGroundImageCapInsets = capInsets;
    if (!m_backGroundScale9Enable) return;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(m_backGroundImage)) nine->setCapInsets(capInsets);
}

// --- background colour -----------------------------------------------------------------

void Layout::setBackGroundColorType(BackGroundColorType type) {
    if (type == m_colorType) return;
    switch (m_colorType) {
        case BG_COLOR_NONE:
            if (m_colorRender && m_renderer) m_renderer->removeChild(m_colorRender, true);
            if (m_gradientRender && m_renderer) m_renderer->removeChild(m_gradientRender, true);
            m_colorRender = nullptr;
            m_gradientRender = nullptr;
            break;
        case BG_COLOR_SOLID:
            if (m_colorRender && m_renderer) m_renderer->removeChild(m_colorRender, true);
            m_colorRender = nullptr;
            break;
        case BG_COLOR_GRADIENT:
            if (m_gradientRender && m_renderer) m_renderer->removeChild(m_gradientRender, true);
            m_gradientRender = nullptr;
            break;
    }
    m_colorType = type;
    if (!m_renderer) return;
    if (type == BG_COLOR_SOLID) {
        m_colorRender = CCLayerColor::create();
        if (!m_colorRender) return;
        m_colorRender->setContentSize(m_size);
        m_colorRender->setOpacity(clampOpacity(m_colorOpacity));
        m_colorRender->setColor(m_color);
        m_renderer->addChild(m_colorRender, kColorLayerZ);
    } else if (type == BG_COLOR_GRADIENT) {
        m_gradientRender = CCLayerGradient::create();
        if (!m_gradientRender) return;
        m_gradientRender->setContentSize(m_size);
        m_gradientRender->setOpacity(clampOpacity(m_colorOpacity));
        m_gradientRender->setStartColor(m_startColor);
        m_gradientRender->setEndColor(m_endColor);
        m_gradientRender->setVector(m_alongVector);
        m_renderer->addChild(m_gradientRender, kColorLayerZ);
    }
}

void Layout::setBackGroundColor(const ccColor3B& color) {
    m_color = color;
    if (m_colorRender) m_colorRender->setColor(color);
}

void Layout::setBackGroundColor(const ccColor3B& startColor, const ccColor3B& endColor) {
    m_startColor = startColor;
    if (m_gradientRender) m_gradientRender->setStartColor(startColor);
    m_endColor = endColor;
    if (m_gradientRender) m_gradientRender->setEndColor(endColor);
}

void Layout::setBackGroundColorOpacity(int opacity) {
    m_colorOpacity = clampOpacity(opacity);
    if (m_colorType == BG_COLOR_SOLID && m_colorRender)
        m_colorRender->setOpacity(clampOpacity(opacity));
    else if (m_colorType == BG_COLOR_GRADIENT && m_gradientRender)
        m_gradientRender->setOpacity(clampOpacity(opacity));
}

void Layout::setBackGroundColorVector(const CCPoint& vector) {
    if (!std::isfinite(vector.x) || !std::isfinite(vector.y)) return;
    m_alongVector = vector;
    if (m_gradientRender) m_gradientRender->setVector(vector);
}

// --- arranging -------------------------------------------------------------------------

void Layout::arrangeChildren() {
    switch (m_layoutType) {
        case LAYOUT_TYPE_LINEAR_VERTICAL:
            arrangeLinearVertical();
            break;
        case LAYOUT_TYPE_LINEAR_HORIZONTAL:
            arrangeLinearHorizontal();
            break;
        case LAYOUT_TYPE_RELATIVE:
            arrangeRelative();
            break;
        default:
            break;
    }
}

void Layout::arrangeLinearVertical() {
    const float W = m_size.width;
    float boundary = m_size.height;
    // Children in order, retained while they are placed.
    CCRetainedSnapshot<UIWidget> children(m_children);
    for (UIWidget* child : children) {
        LinearLayoutParameter* p = dynamic_cast<LinearLayoutParameter*>(child->getLayoutParameter());
        if (!p) continue;
        const CCSize cs = child->getSize();
        const CCPoint ap = child->getAnchorPoint();
        const bool plain = child->getWidgetKind() == WIDGET_KIND_PLAIN;
        float x = plain ? cs.width * ap.x : 0;
        float y = plain ? boundary - (1 - ap.y) * cs.height : boundary - cs.height;
        switch (p->getGravity()) {
            case GRAVITY_RIGHT:
                x = plain ? W - (1 - ap.x) * cs.width : W - cs.width;
                break;
            case GRAVITY_CENTER_HORIZONTAL:
                x = plain ? W / 2 - (0.5f - ap.x) * cs.width : (W - cs.width) * 0.5f;
                break;
            default:
                break;
        }
        const LayoutMargin& m = p->getMargin();
        x += m.left;
        y -= m.top;
        child->setPosition(CCPoint(x, y));
        boundary = child->getBottomEdge() - m.bottom;
    }
    children.releaseAll();
}

void Layout::arrangeLinearHorizontal() {
    const float H = m_size.height;
    float boundary = 0;
    CCRetainedSnapshot<UIWidget> children(m_children);
    for (UIWidget* child : children) {
        LinearLayoutParameter* p = dynamic_cast<LinearLayoutParameter*>(child->getLayoutParameter());
        if (!p) continue;
        const CCSize cs = child->getSize();
        const CCPoint ap = child->getAnchorPoint();
        const bool plain = child->getWidgetKind() == WIDGET_KIND_PLAIN;
        float x = plain ? boundary + ap.x * cs.width : boundary;
        float y = plain ? H - (1 - ap.y) * cs.height : H - cs.height;
        switch (p->getGravity()) {
            case GRAVITY_BOTTOM:
                y = plain ? ap.y * cs.height : 0;
                break;
            case GRAVITY_CENTER_VERTICAL:
                y = plain ? H / 2 - (0.5f - ap.y) * cs.height : (H - cs.height) * 0.5f;
                break;
            default:
                break;
        }
        const LayoutMargin& m = p->getMargin();
        x += m.left;
        y -= m.top;
        child->setPosition(CCPoint(x, y));
        boundary = child->getRightEdge() + m.right;
    }
    children.releaseAll();
}

void Layout::arrangeRelative() {
    const float W = m_size.width, H = m_size.height;
    CCRetainedSnapshot<UIWidget> children(m_children);
    for (UIWidget* child : children) {
        RelativeLayoutParameter* p = dynamic_cast<RelativeLayoutParameter*>(child->getLayoutParameter());
        if (!p) continue;
        const CCSize cs = child->getSize();
        const bool plain = child->getWidgetKind() == WIDGET_KIND_PLAIN;
        // A container is placed by its bottom-left corner whatever its anchor.
        const CCPoint ap = plain ? child->getAnchorPoint() : CCPoint(0, 0);
        auto xForLeft = [&](float left) { return left + ap.x * cs.width; };
        auto xForRight = [&](float right) { return right - cs.width + ap.x * cs.width; };
        auto yForBottom = [&](float bottom) { return bottom + ap.y * cs.height; };
        auto yForTop = [&](float top) { return top - cs.height + ap.y * cs.height; };
        const float x0 = xForLeft(0), y0 = yForTop(H);
        const float xCentre = xForLeft((W - cs.width) * 0.5f), yCentre = yForBottom((H - cs.height) * 0.5f);

        UIWidget* rel = nullptr;
        const char* relName = p->getRelativeToWidgetName();
        if (relName && *relName) rel = GUIHelper::sharedHelper()->findWidgetByRelativeName(this, relName);

        const RelativeAlign align = p->getAlign();
        float x = x0, y = y0;
        switch (align) {
            case RELATIVE_ALIGN_PARENT_TOP_RIGHT:
                x = xForRight(W);
                break;
            case RELATIVE_ALIGN_PARENT_BOTTOM_LEFT:
                y = yForBottom(0);
                break;
            case RELATIVE_ALIGN_PARENT_CENTER:
                x = xCentre;
                y = yCentre;
                break;
            case RELATIVE_ALIGN_PARENT_TOP_CENTER:
                x = xCentre;
                break;
            case RELATIVE_ALIGN_PARENT_LEFT_MIDDLE:
                y = yCentre;
                break;
            default:
                break;
        }
        if (rel) {
            switch (align) {
                case RELATIVE_ALIGN_LEFT_OF_TOP:
                    x = xForRight(rel->getLeftEdge());
                    y = yForTop(rel->getTopEdge());
                    break;
                case RELATIVE_ALIGN_LEFT_OF_BOTTOM:
                    x = xForRight(rel->getLeftEdge());
                    y = yForBottom(rel->getBottomEdge());
                    break;
                case RELATIVE_ALIGN_RIGHT_OF_TOP:
                    x = xForLeft(rel->getRightEdge());
                    y = yForTop(rel->getTopEdge());
                    break;
                case RELATIVE_ALIGN_RIGHT_OF_BOTTOM:
                    x = xForLeft(rel->getRightEdge());
                    y = yForBottom(rel->getBottomEdge());
                    break;
                case RELATIVE_ALIGN_ABOVE_LEFT:
                    y = yForBottom(rel->getTopEdge());
                    x = xForLeft(rel->getLeftEdge());
                    break;
                case RELATIVE_ALIGN_ABOVE_RIGHT:
                    y = yForBottom(rel->getTopEdge());
                    x = xForRight(rel->getRightEdge());
                    break;
                case RELATIVE_ALIGN_BELOW_LEFT:
                    y = yForTop(rel->getBottomEdge());
                    x = xForLeft(rel->getLeftEdge());
                    break;
                case RELATIVE_ALIGN_BELOW_RIGHT:
                    y = yForTop(rel->getBottomEdge());
                    x = xForRight(rel->getRightEdge());
                    break;
                default:
                    break;
            }
            const LayoutMargin relMargin =
                rel->getLayoutParameter() ? rel->getLayoutParameter()->getMargin() : LayoutMargin();
            const LayoutMargin& m = p->getMargin();
            if (align >= RELATIVE_ALIGN_LEFT_OF_TOP && align <= RELATIVE_ALIGN_LEFT_OF_BOTTOM)
                x -= relMargin.left + m.right;
            else if (align >= RELATIVE_ALIGN_RIGHT_OF_TOP && align <= RELATIVE_ALIGN_RIGHT_OF_BOTTOM)
                x += relMargin.right + m.left;
            else if (align >= RELATIVE_ALIGN_ABOVE_LEFT && align <= RELATIVE_ALIGN_ABOVE_RIGHT)
                y += relMargin.top + m.bottom;
            else if (align >= RELATIVE_ALIGN_BELOW_LEFT && align <= RELATIVE_ALIGN_BELOW_RIGHT)
                y -= relMargin.bottom + m.top;
        }
        child->setPosition(CCPoint(x, y));
    }
    children.releaseAll();
}

}  // namespace ui
