// CCTouchDispatcher: targeted handlers (with claiming and swallowing), then standard handlers.
//
// Handlers added or removed while an event is being dispatched take effect when it is done:
// removal marks the handler at once (it gets nothing more), additions wait in a queue.
#include "engine/scene/CCTouchDispatcher.h"

#include <algorithm>

#include "engine/base/CCSet.h"
#include "engine/scene/CCTouch.h"
#include "engine/scene/CCTouchDelegate.h"

namespace engine {

namespace {
void retainDelegate(CCTouchDelegate* d) {
    if (CCObject* o = dynamic_cast<CCObject*>(d)) o->retain();
}
void releaseDelegate(CCTouchDelegate* d) {
    if (CCObject* o = dynamic_cast<CCObject*>(d)) o->release();
}
}  // namespace

CCTouchDispatcher::~CCTouchDispatcher() {
    m_bLocked = false;
    removeAllDelegates();
    for (auto& h : m_pendingAdds) releaseHandler(*h);
    m_pendingAdds.clear();
}

void CCTouchDispatcher::releaseHandler(Handler& h) {
    for (CCTouch* t : h.claimed) t->release();
    h.claimed.clear();
    if (h.delegate) {
        CCTouchDelegate* d = h.delegate;
        h.delegate = nullptr;
        releaseDelegate(d);
    }
}

bool CCTouchDispatcher::hasDelegate(CCTouchDelegate* delegate) const {
    auto has = [delegate](const std::vector<std::shared_ptr<Handler>>& list) {
        for (const auto& h : list)
            if (h->delegate == delegate && !h->removed) return true;
        return false;
    };
    return has(m_targeted) || has(m_standard) || has(m_pendingAdds);
}

void CCTouchDispatcher::insert(std::vector<std::shared_ptr<Handler>>& list, std::shared_ptr<Handler> h) {
    auto it = list.begin();
    while (it != list.end() && (*it)->priority < h->priority) ++it;
    list.insert(it, std::move(h));
}

void CCTouchDispatcher::addStandardDelegate(CCTouchDelegate* delegate, int priority) {
    if (!delegate || hasDelegate(delegate)) return;
    retainDelegate(delegate);
    auto h = std::make_shared<Handler>(Handler{delegate, priority, false, false, false, {}});
    if (m_bLocked)
        m_pendingAdds.push_back(h);
    else
        insert(m_standard, h);
}

void CCTouchDispatcher::addTargetedDelegate(CCTouchDelegate* delegate, int priority, bool swallowsTouches) {
    if (!delegate || hasDelegate(delegate)) return;
    retainDelegate(delegate);
    auto h = std::make_shared<Handler>(Handler{delegate, priority, true, swallowsTouches, false, {}});
    if (m_bLocked)
        m_pendingAdds.push_back(h);
    else
        insert(m_targeted, h);
}

void CCTouchDispatcher::removeDelegate(CCTouchDelegate* delegate) {
    if (!delegate) return;
    auto mark = [this, delegate](std::vector<std::shared_ptr<Handler>>& list) {
        for (auto& h : list) {
            if (h->delegate == delegate && !h->removed) {
                h->removed = true;
                if (!m_bLocked) releaseHandler(*h);
            }
        }
    };
    mark(m_targeted);
    mark(m_standard);
    // A pending addition of the same delegate is cancelled too.
    for (auto& h : m_pendingAdds) {
        if (h->delegate == delegate && !h->removed) {
            h->removed = true;
            releaseHandler(*h);
        }
    }
    if (!m_bLocked) applyPending();
}

void CCTouchDispatcher::removeAllDelegates() {
    for (auto* list : {&m_targeted, &m_standard}) {
        for (auto& h : *list) {
            if (h->removed) continue;
            h->removed = true;
            if (!m_bLocked) releaseHandler(*h);
        }
    }
    // Additions waiting for the current event to end are dropped too.
    for (auto& h : m_pendingAdds) {
        if (h->removed) continue;
        h->removed = true;
        releaseHandler(*h);
    }
    if (!m_bLocked) applyPending();
}

void CCTouchDispatcher::setPriority(int priority, CCTouchDelegate* delegate) {
    for (auto* list : {&m_targeted, &m_standard}) {
        for (size_t i = 0; i < list->size(); ++i) {
            auto h = (*list)[i];
            if (h->delegate != delegate || h->removed || h->priority == priority) continue;
            if (m_bLocked) {
                h->priority = priority;  // re-sorted when the event is done
                return;
            }
            list->erase(list->begin() + static_cast<long>(i));
            h->priority = priority;
            insert(*list, h);
            return;
        }
    }
}

void CCTouchDispatcher::applyPending() {
    for (auto* list : {&m_targeted, &m_standard}) {
        for (auto& h : *list)
            if (h->removed) releaseHandler(*h);
        list->erase(std::remove_if(list->begin(), list->end(), [](const std::shared_ptr<Handler>& h) { return h->removed; }),
                    list->end());
        std::stable_sort(list->begin(), list->end(),
                         [](const std::shared_ptr<Handler>& a, const std::shared_ptr<Handler>& b) {
                             return a->priority < b->priority;
                         });
    }
    std::vector<std::shared_ptr<Handler>> adds;
    adds.swap(m_pendingAdds);
    for (auto& h : adds) {
        if (h->removed) continue;
        insert(h->targeted ? m_targeted : m_standard, h);
    }
}

void CCTouchDispatcher::touches_(CCSet* touches, CCEvent* event, CCTouchPhase phase) {
    if (!m_bDispatchEvents || !touches || touches->count() == 0) return;
    bool wasLocked = m_bLocked;
    m_bLocked = true;
    retain();  // a handler may drop the last reference to the director's dispatcher

    // Touches that a targeted handler swallows are taken out of what the standard ones see.
    CCSet* remaining = new CCSet();
    for (CCObject* o : *touches) remaining->addObject(o);

    std::vector<std::shared_ptr<Handler>> targeted(m_targeted);
    std::vector<CCTouch*> touchList;
    for (CCObject* o : *touches) touchList.push_back(static_cast<CCTouch*>(o));

    for (CCTouch* touch : touchList) {
        for (auto& h : targeted) {
            if (h->removed || !h->delegate) continue;
            bool claimed = false;
            if (phase == CCTOUCHBEGAN) {
                claimed = h->delegate->ccTouchBegan(touch, event);
                if (claimed && !h->removed) {
                    touch->retain();
                    h->claimed.push_back(touch);
                }
            } else {
                auto it = std::find(h->claimed.begin(), h->claimed.end(), touch);
                if (it != h->claimed.end()) {
                    claimed = true;
                    if (phase == CCTOUCHMOVED) {
                        h->delegate->ccTouchMoved(touch, event);
                    } else {
                        // Take the claim away before the callback so a re-entrant event cannot see it.
                        h->claimed.erase(it);
                        if (phase == CCTOUCHENDED)
                            h->delegate->ccTouchEnded(touch, event);
                        else
                            h->delegate->ccTouchCancelled(touch, event);
                        touch->release();
                    }
                }
            }
            if (claimed && h->swallows) {
                remaining->removeObject(touch);
                break;
            }
        }
    }

    if (remaining->count() > 0) {
        std::vector<std::shared_ptr<Handler>> standard(m_standard);
        for (auto& h : standard) {
            if (h->removed || !h->delegate) continue;
            switch (phase) {
                case CCTOUCHBEGAN: h->delegate->ccTouchesBegan(remaining, event); break;
                case CCTOUCHMOVED: h->delegate->ccTouchesMoved(remaining, event); break;
                case CCTOUCHENDED: h->delegate->ccTouchesEnded(remaining, event); break;
                case CCTOUCHCANCELLED: h->delegate->ccTouchesCancelled(remaining, event); break;
            }
        }
    }
    remaining->release();

    m_bLocked = wasLocked;
    if (!m_bLocked) applyPending();
    release();
}

}  // namespace engine
