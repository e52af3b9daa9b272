// The two kinds of touch handler: targeted (one touch at a time, may claim and swallow it)
// and standard (all touches of an event at once).
#pragma once

namespace engine {

class CCTouch;
class CCEvent;
class CCSet;

class CCTouchDelegate {
public:
    virtual ~CCTouchDelegate() = default;

    // Targeted: return true to claim the touch; its later phases then come to this handler.
    virtual bool ccTouchBegan(CCTouch*, CCEvent*) { return false; }
    virtual void ccTouchMoved(CCTouch*, CCEvent*) {}
    virtual void ccTouchEnded(CCTouch*, CCEvent*) {}
    virtual void ccTouchCancelled(CCTouch*, CCEvent*) {}

    // Standard: every touch no swallowing handler kept.
    virtual void ccTouchesBegan(CCSet*, CCEvent*) {}
    virtual void ccTouchesMoved(CCSet*, CCEvent*) {}
    virtual void ccTouchesEnded(CCSet*, CCEvent*) {}
    virtual void ccTouchesCancelled(CCSet*, CCEvent*) {}
};

}  // namespace engine
