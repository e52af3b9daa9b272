// The single-line text input widget: a touch opens the input method, and input opened, closed, text inserted and deleted reach listeners once per frame.
//
//   - The widget's size follows the text after deletions as well as after insertions, so the
//     touch box matches what is shown.
//   - The touch area set by layout files is stored only; touches use the widget's box.
//   - Length limit, mask and UTF-8 handling: see UICCTextField.
#pragma once

#include "engine/base/CCGeometry.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

class UICCTextField;

// The all-events listener: called on its target with (sender, event).
enum TextFieldEventType {
    TEXTFIELD_EVENT_ATTACH_WITH_IME = 0,
    TEXTFIELD_EVENT_DETACH_WITH_IME = 1,
    TEXTFIELD_EVENT_INSERT_TEXT = 2,
    TEXTFIELD_EVENT_DELETE_BACKWARD = 3,
};
typedef void (engine::CCObject::*SEL_TextFieldEvent)(engine::CCObject*, int);
#define textfieldselector(_SELECTOR) static_cast<ui::SEL_TextFieldEvent>(&_SELECTOR)

class UITextField : public UIWidget {
public:
    UITextField() = default;
    ~UITextField() override;

    static UITextField* create();

    // --- widget operations it overrides, in their fixed order --------------------------------
    // Delivers the events that happened since the last frame, in their fixed order.
    void update(float dt) override;
    // Also on the engine text field.
    void setAnchorPoint(const engine::CCPoint& anchor) override;
    void setColor(const engine::ccColor3B& color) override;
    void setOpacity(int opacity) override;
    // The widget's own handling, then the input method opens for this field.
    bool onTouchBegan(const engine::CCPoint& touchPoint) override;
    // The engine text field.
    engine::CCNode* getRendererNode() override;
    // The engine text field's size (of the text, masks or placeholder shown).
    const engine::CCSize& getContentSize() override;
    const char* getTypeName() override;
    void onSizeChanged() override;
    // Switches the per-frame update on.
    bool init() override;
    void createRenderer() override;
    // --- new virtual operation ---------------------------------------------------------------
    // Detaches the field from the input method.
    virtual void closeInput();

    // --- plain operations --------------------------------------------------------------------
    // Null is ignored.
    void setText(const char* text);
    // The entered text (not the masks).
    const char* getStringValue() const;
    void setPlaceHolder(const char* placeholder);
    const char* getPlaceHolder() const;
    void setFontSize(float size);
    void setFontName(const char* name);
    void setTouchSize(const engine::CCSize& size);
    engine::CCSize getTouchSize() const { return engine::CCSize(m_touchWidth, m_touchHeight); }
    bool isUseTouchArea() const { return m_useTouchArea; }
    void setMaxLengthEnable(bool enable);
    bool isMaxLengthEnabled() const;
    void setMaxLength(int length);
    int getMaxLength() const;
    void setPasswordEnable(bool enable);
    bool isPasswordEnabled() const;
    // One character; anything else is ignored (see UICCTextField).
    void setPasswordStyleText(const char* styleText);
    const char* getPasswordStyleText() const;

    void setEventListener(engine::CCObject* target, SEL_TextFieldEvent selector);
    void setAttachListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setDetachListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setInsertListener(engine::CCObject* target, SEL_WidgetEvent selector);
    void setDeleteListener(engine::CCObject* target, SEL_WidgetEvent selector);

    UICCTextField* getTextFieldRenderer() const { return m_textFieldRenderer; }

private:
    void adaptField();
    void callEvent(engine::CCObject* target, SEL_WidgetEvent selector, int event);

    UICCTextField* m_textFieldRenderer = nullptr;  // owned by the renderer
    float m_touchWidth = 0;
    float m_touchHeight = 0;
    bool m_useTouchArea = false;
    engine::CCObject* m_eventListener = nullptr;
    SEL_TextFieldEvent m_eventSelector = nullptr;
    engine::CCObject* m_attachListener = nullptr;
    engine::CCObject* m_detachListener = nullptr;
    engine::CCObject* m_insertListener = nullptr;
    engine::CCObject* m_deleteListener = nullptr;
    SEL_WidgetEvent m_attachSelector = nullptr;
    SEL_WidgetEvent m_detachSelector = nullptr;
    SEL_WidgetEvent m_insertSelector = nullptr;
    SEL_WidgetEvent m_deleteSelector = nullptr;
};

}  // namespace ui
