// UITextField: the engine field's settings, opening the input on touch, the per-frame events and the size adaptation.
#include "ui/controls/UITextField.h"

#include "engine/base/CCCreate.h"
#include "ui/nodes/UICCTextField.h"
#include "ui/nodes/WidgetNodes.h"
#include "ui/widgets/GUIRenderer.h"

namespace ui {

using namespace engine;

UITextField::~UITextField() {
    // A field still receiving typed text lets go of the input method as it goes.
    if (m_textFieldRenderer && m_textFieldRenderer->isAttachedWithIME()) m_textFieldRenderer->closeIME();
}

UITextField* UITextField::create() {
    UITextField* field = new UITextField();
    return autoreleasedOrNull(field, field->init());
}

bool UITextField::init() {
    if (!UIWidget::init()) return false;
    setFrameUpdateEnabled(true);
    return true;
}

void UITextField::createRenderer() {
    m_renderer = GUIRenderer::create();
    if (!m_renderer) return;
    m_textFieldRenderer = UICCTextField::create("input words here", "Thonburi", 20);
    if (m_textFieldRenderer) m_renderer->addChild(m_textFieldRenderer);
}

// --- settings ----------------------------------------------------------------------------

void UITextField::setText(const char* text) {
    if (!text || !m_textFieldRenderer) return;
    m_textFieldRenderer->setString(text);
    adaptField();
}

const char* UITextField::getStringValue() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getString() : "";
}

void UITextField::setPlaceHolder(const char* placeholder) {
    if (!m_textFieldRenderer) return;
    m_textFieldRenderer->setPlaceHolder(placeholder);
    adaptField();
}

const char* UITextField::getPlaceHolder() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getPlaceHolder() : "";
}

void UITextField::setFontSize(float size) {
    if (!m_textFieldRenderer) return;
    m_textFieldRenderer->setFontSize(size);
    adaptField();
}

void UITextField::setFontName(const char* name) {
    if (!m_textFieldRenderer) return;
    if (name) m_textFieldRenderer->setFontName(name);
    adaptField();
}

void UITextField::setTouchSize(const CCSize& size) {
    m_touchWidth = size.width;
    m_touchHeight = size.height;
    m_useTouchArea = true;
}

void UITextField::setMaxLengthEnable(bool enable) {
    if (m_textFieldRenderer) m_textFieldRenderer->setMaxLengthEnabled(enable);
}

bool UITextField::isMaxLengthEnabled() const {
    return m_textFieldRenderer && m_textFieldRenderer->isMaxLengthEnabled();
}

void UITextField::setMaxLength(int length) {
    if (m_textFieldRenderer) m_textFieldRenderer->setMaxLength(length);
}

int UITextField::getMaxLength() const { return m_textFieldRenderer ? m_textFieldRenderer->getMaxLength() : 0; }

void UITextField::setPasswordEnable(bool enable) {
    if (!m_textFieldRenderer) return;
    m_textFieldRenderer->setPasswordEnabled(enable);
    adaptField();
}

bool UITextField::isPasswordEnabled() const { return m_textFieldRenderer && m_textFieldRenderer->isPasswordEnabled(); }

void UITextField::setPasswordStyleText(const char* styleText) {
    if (!m_textFieldRenderer) return;
    m_textFieldRenderer->setPasswordStyleText(styleText);
    adaptField();
}

const char* UITextField::getPasswordStyleText() const {
    return m_textFieldRenderer ? m_textFieldRenderer->getPasswordStyleText() : "*";
}

// --- listeners and events ------------------------------------------------------------------

void UITextField::setEventListener(CCObject* target, SEL_TextFieldEvent selector) {
    m_eventListener = target;
    m_eventSelector = selector;
}
void UITextField::setAttachListener(CCObject* target, SEL_WidgetEvent selector) {
    m_attachListener = target;
    m_attachSelector = selector;
}
void UITextField::setDetachListener(CCObject* target, SEL_WidgetEvent selector) {
    m_detachListener = target;
    m_detachSelector = selector;
}
void UITextField::setInsertListener(CCObject* target, SEL_WidgetEvent selector) {
    m_insertListener = target;
    m_insertSelector = selector;
}
void UITextField::setDeleteListener(CCObject* target, SEL_WidgetEvent selector) {
    m_deleteListener = target;
    m_deleteSelector = selector;
}

void UITextField::callEvent(CCObject* target, SEL_WidgetEvent selector, int event) {
    callWidgetEvent(target, selector);
    if (m_eventListener && m_eventSelector) (m_eventListener->*m_eventSelector)(this, event);
}

void UITextField::update(float) {
    UICCTextField* field = m_textFieldRenderer;
    if (!field) return;
    retain();  // a listener may drop the last outside reference
    if (field->getAttachWithIME()) {
        callEvent(m_attachListener, m_attachSelector, TEXTFIELD_EVENT_ATTACH_WITH_IME);
        field->setAttachWithIME(false);
    }
    if (field->getDetachWithIME()) {
        callEvent(m_detachListener, m_detachSelector, TEXTFIELD_EVENT_DETACH_WITH_IME);
        field->setDetachWithIME(false);
    }
    if (field->getInsertText()) {
        callEvent(m_insertListener, m_insertSelector, TEXTFIELD_EVENT_INSERT_TEXT);
        field->setInsertText(false);
        adaptField();
    }
    if (field->getDeleteBackward()) {
        callEvent(m_deleteListener, m_deleteSelector, TEXTFIELD_EVENT_DELETE_BACKWARD);
        field->setDeleteBackward(false);
        adaptField();
    }
    release();
}

// --- widget overrides ----------------------------------------------------------------------

void UITextField::setAnchorPoint(const CCPoint& anchor) {
    m_anchorPoint = anchor;
    if (m_renderer) m_renderer->setAnchorPoint(anchor);
    if (m_textFieldRenderer) m_textFieldRenderer->setAnchorPoint(anchor);
}

void UITextField::setColor(const ccColor3B& color) {
    UIWidget::setColor(color);
    if (m_textFieldRenderer) m_textFieldRenderer->setColor(color);
}

void UITextField::setOpacity(int opacity) {
    UIWidget::setOpacity(opacity);
    if (m_textFieldRenderer) m_textFieldRenderer->setOpacity(static_cast<uint8_t>(UIWidget::getOpacity()));
}

bool UITextField::onTouchBegan(const CCPoint& touchPoint) {
    retain();
    const bool result = UIWidget::onTouchBegan(touchPoint);
    if (m_textFieldRenderer) m_textFieldRenderer->attachWithIME();
    release();
    return result;
}

void UITextField::closeInput() {
    if (m_textFieldRenderer) m_textFieldRenderer->closeIME();
}

CCNode* UITextField::getRendererNode() { return m_textFieldRenderer; }

const CCSize& UITextField::getContentSize() {
    static const CCSize kNone;
    return m_textFieldRenderer ? m_textFieldRenderer->getContentSize() : kNone;
}

const char* UITextField::getTypeName() { return "TextField"; }

void UITextField::onSizeChanged() { adaptField(); }

void UITextField::adaptField() {
    if (!m_textFieldRenderer) return;
    if (m_ignoreSize) {
        m_textFieldRenderer->setScale(1.0f);
        m_size = sanitizeSize(m_textFieldRenderer->getContentSize());
        return;
    }
    nodes::stretch(m_textFieldRenderer, m_size, m_textFieldRenderer->getContentSize());
}

}  // namespace ui
