// CCKeyboardDispatcher: the delegate list and the walk over it.
#include "engine/scene/CCKeyboardDispatcher.h"

#include <algorithm>

namespace engine {

void CCKeyboardDispatcher::addDelegate(CCKeyboardDelegate* delegate, int priority) {
    if (!delegate || hasDelegate(delegate)) return;
    auto at = std::find_if(m_delegates.begin(), m_delegates.end(), [priority](const Entry& e) { return e.priority >= priority; });
    m_delegates.insert(at, Entry{delegate, priority});
}

void CCKeyboardDispatcher::removeDelegate(CCKeyboardDelegate* delegate) {
    m_delegates.erase(std::remove_if(m_delegates.begin(), m_delegates.end(),
                                     [delegate](const Entry& e) { return e.delegate == delegate; }),
                      m_delegates.end());
}

bool CCKeyboardDispatcher::hasDelegate(CCKeyboardDelegate* delegate) const {
    return std::any_of(m_delegates.begin(), m_delegates.end(), [delegate](const Entry& e) { return e.delegate == delegate; });
}

bool CCKeyboardDispatcher::dispatchKey(int key, int modifiers) {
    if (!m_dispatchEvents) return false;
    // A delegate may leave (or bring others) while it handles the key: walk a copy, and skip
    // whoever left meanwhile.
    const std::vector<Entry> walk = m_delegates;
    for (const Entry& e : walk) {
        if (!hasDelegate(e.delegate)) continue;
        if (e.delegate->keyPressed(key, modifiers)) return true;
    }
    return false;
}

void CCKeyboardDispatcher::dispatchPointerUsed() {
    const std::vector<Entry> walk = m_delegates;
    for (const Entry& e : walk)
        if (hasDelegate(e.delegate)) e.delegate->pointerUsed();
}

}  // namespace engine
