// UICheckBox: the five images, their looks, and the toggle on a release over the box.
#include "ui/controls/UICheckBox.h"

#include "engine/base/CCCreate.h"
#include "engine/sprites/CCSprite.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UICheckBox::~UICheckBox() = default;

UICheckBox* UICheckBox::create() {
    UICheckBox* box = new UICheckBox();
    return autoreleasedOrNull(box, box->init());
}

bool UICheckBox::init() {
    if (!UIWidget::init()) return false;
    if (m_selected) {
        m_selected = false;
        if (m_crossSprite) m_crossSprite->setVisible(false);
    }
    return true;
}

void UICheckBox::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_boxSprite = CCSprite::create();
    m_boxSelectedSprite = CCSprite::create();
    m_crossSprite = CCSprite::create();
    m_boxDisabledSprite = CCSprite::create();
    m_crossDisabledSprite = CCSprite::create();
    for (CCSprite* s : {m_boxSprite, m_boxSelectedSprite, m_crossSprite, m_boxDisabledSprite, m_crossDisabledSprite})
        m_renderer->addChild(s);
}

// --- images ----------------------------------------------------------------------------

void UICheckBox::loadSprite(CCSprite* sprite, TextureResType& typeField, const char* name, TextureResType type) {
    if (!name || !*name || !sprite) return;
    typeField = type;
    nodes::reload(sprite, name, type);
    nodes::tint(sprite, getColor(), getOpacity());
    sprite->setAnchorPoint(m_anchorPoint);
    adaptSprite(sprite);
}

void UICheckBox::loadBackGroundBoxTexture(const char* name, TextureResType type) {
    loadSprite(m_boxSprite, m_boxTexType, name, type);
}

void UICheckBox::loadBackGroundBoxSelectedTexture(const char* name, TextureResType type) {
    loadSprite(m_boxSelectedSprite, m_boxSelectedTexType, name, type);
}

void UICheckBox::loadFrontCrossTexture(const char* name, TextureResType type) {
    loadSprite(m_crossSprite, m_crossTexType, name, type);
}

void UICheckBox::loadBackGroundBoxDisabledTexture(const char* name, TextureResType type) {
    loadSprite(m_boxDisabledSprite, m_boxDisabledTexType, name, type);
}

void UICheckBox::loadFrontCrossDisabledTexture(const char* name, TextureResType type) {
    loadSprite(m_crossDisabledSprite, m_crossDisabledTexType, name, type);
}

void UICheckBox::adaptSprite(CCSprite* sprite) {
    if (!sprite) return;
    if (m_ignoreSize) {
        sprite->setScale(1.0f);
        if (sprite == m_boxSprite) m_size = sanitizeSize(sprite->getContentSize());
        return;
    }
    nodes::stretch(sprite, m_size, sprite->getContentSize());
}

// --- selection -------------------------------------------------------------------------

void UICheckBox::setSelectedState(bool selected) {
    if (selected == m_selected) return;
    m_selected = selected;
    if (!m_bright) {
        showDisabledState();
        return;
    }
    showCross();
}

void UICheckBox::showCross() {
    if (m_crossSprite) m_crossSprite->setVisible(m_selected);
}

void UICheckBox::setCheckListener(CCObject* target, SEL_CheckBoxEvent selector) {
    m_checkListener = target;
    m_checkSelector = selector;
}

void UICheckBox::setSelectListener(CCObject* target, SEL_WidgetEvent selector) {
    m_selectListener = target;
    m_selectSelector = selector;
}

void UICheckBox::setUnselectListener(CCObject* target, SEL_WidgetEvent selector) {
    m_unselectListener = target;
    m_unselectSelector = selector;
}

void UICheckBox::onTouchEnded(const CCPoint& touchPoint) {
    retain();  // a listener may drop the last outside reference
    if (m_focus) {
        callWidgetEvent(m_releaseListener, m_releaseSelector);
        callTouchListener(TOUCH_ENDED);
        int event;
        if (m_selected) {
            m_selected = false;
            if (m_crossSprite) m_crossSprite->setVisible(false);
            callWidgetEvent(m_unselectListener, m_unselectSelector);
            event = CHECKBOX_EVENT_UNSELECTED;
        } else {
            m_selected = true;
            if (m_crossSprite) m_crossSprite->setVisible(true);
            callWidgetEvent(m_selectListener, m_selectSelector);
            event = CHECKBOX_EVENT_SELECTED;
        }
        if (m_checkListener && m_checkSelector) (m_checkListener->*m_checkSelector)(this, event);
        m_focus = false;
        if (!m_bright) {
            showDisabledState();
        } else if (m_brightStyle != BRIGHT_STYLE_NORMAL) {
            m_brightStyle = BRIGHT_STYLE_NORMAL;
            showNormalState();
        }
    }
    if (m_widgetParent) m_widgetParent->notifyChildTouch(TOUCH_ENDED, this, touchPoint);
    release();
}

// --- widget overrides ------------------------------------------------------------------

void UICheckBox::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    for (CCSprite* s : {m_boxSprite, m_boxSelectedSprite, m_crossSprite, m_boxDisabledSprite, m_crossDisabledSprite})
        if (s) s->setAnchorPoint(anchor);
}

void UICheckBox::setFlipX(bool flipX) {
    for (CCSprite* s : {m_boxSprite, m_boxSelectedSprite, m_crossSprite, m_boxDisabledSprite, m_crossDisabledSprite})
        if (s) s->setFlipX(flipX);
}

bool UICheckBox::isFlipX() { return m_boxSprite && m_boxSprite->isFlipX(); }

void UICheckBox::setFlipY(bool flipY) {
    for (CCSprite* s : {m_boxSprite, m_boxSelectedSprite, m_crossSprite, m_boxDisabledSprite, m_crossDisabledSprite})
        if (s) s->setFlipY(flipY);
}

bool UICheckBox::isFlipY() { return m_boxSprite && m_boxSprite->isFlipY(); }

CCNode* UICheckBox::getRendererNode() { return m_boxSprite; }

const CCSize& UICheckBox::getContentSize() {
    static const CCSize kNone;
    return m_boxSprite ? m_boxSprite->getContentSize() : kNone;
}

const char* UICheckBox::getTypeName() { return "CheckBox"; }

void UICheckBox::onSizeChanged() {
    for (CCSprite* s : {m_boxSprite, m_boxSelectedSprite, m_crossSprite, m_boxDisabledSprite, m_crossDisabledSprite})
        adaptSprite(s);
}

// --- looks -----------------------------------------------------------------------------

void UICheckBox::showNormalState() {
    if (m_boxSprite) m_boxSprite->setVisible(true);
    if (m_boxSelectedSprite) m_boxSelectedSprite->setVisible(false);
    if (m_boxDisabledSprite) m_boxDisabledSprite->setVisible(false);
    if (m_crossDisabledSprite) m_crossDisabledSprite->setVisible(false);
    showCross();
}

void UICheckBox::showPressedState() {
    if (m_boxSprite) m_boxSprite->setVisible(false);
    if (m_boxSelectedSprite) m_boxSelectedSprite->setVisible(true);
    if (m_boxDisabledSprite) m_boxDisabledSprite->setVisible(false);
    if (m_crossDisabledSprite) m_crossDisabledSprite->setVisible(false);
    showCross();
}

void UICheckBox::showDisabledState() {
    if (m_boxSprite) m_boxSprite->setVisible(false);
    if (m_boxSelectedSprite) m_boxSelectedSprite->setVisible(false);
    if (m_crossSprite) m_crossSprite->setVisible(false);
    if (m_boxDisabledSprite) m_boxDisabledSprite->setVisible(true);
    if (m_crossDisabledSprite) m_crossDisabledSprite->setVisible(m_selected);
}

}  // namespace ui
