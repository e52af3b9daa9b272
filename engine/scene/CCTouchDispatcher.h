// Routes touch events to handlers: targeted ones first by priority, then standard ones.
#pragma once

#include <memory>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCEvent;
class CCSet;
class CCTouch;
class CCTouchDelegate;

enum CCTouchPhase { CCTOUCHBEGAN = 0, CCTOUCHMOVED = 1, CCTOUCHENDED = 2, CCTOUCHCANCELLED = 3 };

class CCTouchDispatcher : public CCObject {
public:
    CCTouchDispatcher() = default;
    ~CCTouchDispatcher() override;

    // Lower priorities are asked first; a newcomer goes before handlers of equal priority.
    void addStandardDelegate(CCTouchDelegate* delegate, int priority);
    // swallows: a claimed touch is not offered to later handlers.
    void addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches);
    void removeDelegate(CCTouchDelegate* delegate);
    void removeAllDelegates();
    void setPriority(int priority, CCTouchDelegate* delegate);
    bool hasDelegate(CCTouchDelegate* delegate) const;

    // While false (a scene transition runs) every event is dropped.
    bool isDispatchEvents() const { return m_bDispatchEvents; }
    void setDispatchEvents(bool dispatch) { m_bDispatchEvents = dispatch; }

    void touchesBegan(CCSet* touches, CCEvent* event) { touches_(touches, event, CCTOUCHBEGAN); }
    void touchesMoved(CCSet* touches, CCEvent* event) { touches_(touches, event, CCTOUCHMOVED); }
    void touchesEnded(CCSet* touches, CCEvent* event) { touches_(touches, event, CCTOUCHENDED); }
    void touchesCancelled(CCSet* touches, CCEvent* event) { touches_(touches, event, CCTOUCHCANCELLED); }

private:
    struct Handler {
        CCTouchDelegate* delegate;
        int priority;
        bool targeted;
        bool swallows;
        bool removed;
        std::vector<CCTouch*> claimed;  // retained
    };

    void touches_(CCSet* touches, CCEvent* event, CCTouchPhase phase);
    void insert(std::vector<std::shared_ptr<Handler>>& list, std::shared_ptr<Handler> h);
    void releaseHandler(Handler& h);
    void applyPending();

    std::vector<std::shared_ptr<Handler>> m_targeted;
    std::vector<std::shared_ptr<Handler>> m_standard;
    std::vector<std::shared_ptr<Handler>> m_pendingAdds;
    bool m_bLocked = false;
    bool m_bDispatchEvents = true;
};

}  // namespace engine
