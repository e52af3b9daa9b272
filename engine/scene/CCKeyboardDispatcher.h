// Routes key presses to the running screens: delegates by priority, the first that takes a key
// ends its journey. Touches are announced too, so a keyboard's focus can step aside for a finger.
#pragma once

#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

// Key codes are the window system's (SDL) key codes: a letter or digit is its lower-case
// character; the named keys below are the ones screens act on.
namespace keys {
constexpr int kBackspace = 8;
constexpr int kTab = '\t';
constexpr int kReturn = '\r';
constexpr int kEscape = 27;
constexpr int kSpace = ' ';
constexpr int kScancodeBit = 1 << 30;
constexpr int kF2 = 59 | kScancodeBit;
constexpr int kPageUp = 75 | kScancodeBit;
constexpr int kPageDown = 78 | kScancodeBit;
constexpr int kRight = 79 | kScancodeBit;
constexpr int kLeft = 80 | kScancodeBit;
constexpr int kDown = 81 | kScancodeBit;
constexpr int kUp = 82 | kScancodeBit;
constexpr int kKeypadEnter = 88 | kScancodeBit;
}  // namespace keys

// Modifier bits held with a key.
enum CCKeyModifier { kCCKeyModShift = 1, kCCKeyModCtrl = 2, kCCKeyModAlt = 4 };

class CCKeyboardDelegate {
public:
    virtual ~CCKeyboardDelegate() = default;
    // True when the key was taken; later delegates are not asked.
    virtual bool keyPressed(int key, int modifiers) = 0;
    // A finger or the mouse went down somewhere on the screen.
    virtual void pointerUsed() {}
};

class CCKeyboardDispatcher : public CCObject {
public:
    // Lower priorities are asked first; a newcomer goes before delegates of equal priority.
    void addDelegate(CCKeyboardDelegate* delegate, int priority);
    void removeDelegate(CCKeyboardDelegate* delegate);
    bool hasDelegate(CCKeyboardDelegate* delegate) const;

    // While false (a scene transition runs) keys are dropped, as touches are.
    bool isDispatchEvents() const { return m_dispatchEvents; }
    void setDispatchEvents(bool dispatch) { m_dispatchEvents = dispatch; }

    // True when a delegate took the key.
    bool dispatchKey(int key, int modifiers);
    void dispatchPointerUsed();

private:
    struct Entry {
        CCKeyboardDelegate* delegate;
        int priority;
    };
    std::vector<Entry> m_delegates;
    bool m_dispatchEvents = true;
};

}  // namespace engine
