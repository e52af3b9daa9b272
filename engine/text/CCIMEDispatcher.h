// The input method: typed text and Backspace go to the one attached text-input delegate.
#pragma once

#include <functional>
#include <vector>

namespace engine {

class CCIMEDelegate {
public:
    virtual ~CCIMEDelegate();
    // Asks to receive typed text; true when this delegate is attached afterwards.
    virtual bool attachWithIME();
    virtual bool detachWithIME();
    bool isAttachedWithIME() const;

protected:
    CCIMEDelegate();
    friend class CCIMEDispatcher;

    virtual bool canAttachWithIME() { return false; }
    virtual void didAttachWithIME() {}
    virtual bool canDetachWithIME() { return false; }
    virtual void didDetachWithIME() {}
    // UTF-8 text as typed; Enter arrives as "\n".
    virtual void insertText(const char* /*text*/, int /*len*/) {}
    virtual void deleteBackward() {}
    virtual const char* getContentText() { return ""; }
};

class CCIMEDispatcher {
public:
    static CCIMEDispatcher* sharedDispatcher();

    void dispatchInsertText(const char* text, int len);
    void dispatchDeleteBackward();
    const char* getContentText();
    bool hasAttachedDelegate() const { return m_attached != nullptr; }
    CCIMEDelegate* attachedDelegate() const { return m_attached; }

    // The platform opens the on-screen keyboard / text input while a delegate is attached.
    void setKeyboardHook(std::function<void(bool open)> hook) { m_keyboardHook = std::move(hook); }

    void addDelegate(CCIMEDelegate* delegate);
    void removeDelegate(CCIMEDelegate* delegate);
    bool attachDelegateWithIME(CCIMEDelegate* delegate);
    bool detachDelegateWithIME(CCIMEDelegate* delegate);

private:
    CCIMEDispatcher() = default;
    std::vector<CCIMEDelegate*> m_delegates;
    CCIMEDelegate* m_attached = nullptr;
    std::function<void(bool)> m_keyboardHook;
};

}  // namespace engine
