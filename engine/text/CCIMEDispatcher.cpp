// Attaching text-input delegates and delivering typed text to the attached one.
#include "engine/text/CCIMEDispatcher.h"

#include <algorithm>

namespace engine {

CCIMEDelegate::CCIMEDelegate() { CCIMEDispatcher::sharedDispatcher()->addDelegate(this); }

CCIMEDelegate::~CCIMEDelegate() { CCIMEDispatcher::sharedDispatcher()->removeDelegate(this); }

bool CCIMEDelegate::attachWithIME() { return CCIMEDispatcher::sharedDispatcher()->attachDelegateWithIME(this); }

bool CCIMEDelegate::detachWithIME() { return CCIMEDispatcher::sharedDispatcher()->detachDelegateWithIME(this); }

bool CCIMEDelegate::isAttachedWithIME() const { return CCIMEDispatcher::sharedDispatcher()->attachedDelegate() == this; }

CCIMEDispatcher* CCIMEDispatcher::sharedDispatcher() {
    static CCIMEDispatcher* s = new CCIMEDispatcher();
    return s;
}

void CCIMEDispatcher::addDelegate(CCIMEDelegate* delegate) {
    if (delegate && std::find(m_delegates.begin(), m_delegates.end(), delegate) == m_delegates.end())
        m_delegates.push_back(delegate);
}

void CCIMEDispatcher::removeDelegate(CCIMEDelegate* delegate) {
    m_delegates.erase(std::remove(m_delegates.begin(), m_delegates.end(), delegate), m_delegates.end());
    if (m_attached == delegate) {
        m_attached = nullptr;
        if (m_keyboardHook) m_keyboardHook(false);
    }
}

bool CCIMEDispatcher::attachDelegateWithIME(CCIMEDelegate* delegate) {
    if (!delegate || std::find(m_delegates.begin(), m_delegates.end(), delegate) == m_delegates.end()) return false;
    if (m_attached == delegate) return true;
    if (m_attached) {
        // The current one must agree to let go first.
        if (!m_attached->canDetachWithIME() || !delegate->canAttachWithIME()) return false;
        CCIMEDelegate* old = m_attached;
        m_attached = nullptr;
        old->didDetachWithIME();
    } else if (!delegate->canAttachWithIME()) {
        return false;
    }
    m_attached = delegate;
    delegate->didAttachWithIME();
    if (m_keyboardHook) m_keyboardHook(true);
    return true;
}

bool CCIMEDispatcher::detachDelegateWithIME(CCIMEDelegate* delegate) {
    if (!delegate || m_attached != delegate) return false;
    if (!delegate->canDetachWithIME()) return false;
    m_attached = nullptr;
    delegate->didDetachWithIME();
    if (m_keyboardHook) m_keyboardHook(false);
    return true;
}

void CCIMEDispatcher::dispatchInsertText(const char* text, int len) {
    if (!m_attached || !text || len <= 0) return;
    m_attached->insertText(text, len);
}

void CCIMEDispatcher::dispatchDeleteBackward() {
    if (m_attached) m_attached->deleteBackward();
}

const char* CCIMEDispatcher::getContentText() { return m_attached ? m_attached->getContentText() : ""; }

}  // namespace engine
