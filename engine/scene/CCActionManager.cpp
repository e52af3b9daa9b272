// Steps every running action once per frame and keeps the per-target lists safe against
// removals, additions and target deletions made by the actions themselves.
#include "engine/scene/CCActionManager.h"

#include <algorithm>
#include <cmath>

#include "engine/scene/CCAction.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCNode.h"

namespace engine {

CCActionManager::CCActionManager() = default;

CCActionManager::~CCActionManager() {
    removeAllActions();
    // removeAllActions erased everything unless we are being deleted from inside update,
    // which the retain in update() prevents.
    for (Element* e : m_targets) delete e;
}

CCActionManager::Element* CCActionManager::find(CCObject* target) {
    auto it = m_index.find(target);
    return it == m_index.end() ? nullptr : it->second;
}

CCAction* CCActionManager::detach(Element* element, size_t k) {
    CCAction* action = element->actions[k];
    if (m_updating)
        element->actions[k] = nullptr;
    else
        element->actions.erase(element->actions.begin() + static_cast<std::ptrdiff_t>(k));
    return action;
}

void CCActionManager::deleteIfEmpty(Element* element) {
    bool empty = std::all_of(element->actions.begin(), element->actions.end(),
                             [](CCAction* a) { return a == nullptr; });
    if (!empty) return;
    auto it = m_index.find(element->target);
    if (it != m_index.end() && it->second == element) m_index.erase(it);
    if (m_updating) {
        element->removed = true;  // the update loop may be holding it; purge() deletes it
        return;
    }
    m_targets.erase(std::find(m_targets.begin(), m_targets.end(), element));
    delete element;
}

void CCActionManager::purge() {
    std::vector<Element*> kept;
    kept.reserve(m_targets.size());
    for (Element* e : m_targets) {
        e->actions.erase(std::remove(e->actions.begin(), e->actions.end(), nullptr), e->actions.end());
        if (e->removed || e->actions.empty()) {
            auto it = m_index.find(e->target);
            if (it != m_index.end() && it->second == e) m_index.erase(it);
            delete e;
        } else {
            kept.push_back(e);
        }
    }
    m_targets.swap(kept);
}

void CCActionManager::addAction(CCAction* action, CCNode* target, bool paused) {
    if (!action || !target) {
        CCLog("CCActionManager: addAction needs an action and a target");
        return;
    }
    // One action object has one state: running it twice, here or on another node, would
    // make both runs fight over it.
    CCObject* previous = action->getOriginalTarget();
    for (CCObject* owner : {static_cast<CCObject*>(target), previous}) {
        Element* e = owner ? find(owner) : nullptr;
        if (e && std::find(e->actions.begin(), e->actions.end(), action) != e->actions.end()) {
            CCLog("CCActionManager: the action is already running; run a copy instead");
            return;
        }
    }
    Element* element = find(target);
    if (!element) {
        element = new Element();
        element->target = target;
        element->paused = paused;
        m_targets.push_back(element);
        m_index[target] = element;
    }
    action->retain();
    element->actions.push_back(action);
    action->startWithTarget(target);
}

void CCActionManager::removeAllActions() {
    std::vector<CCObject*> targets;
    for (Element* e : m_targets)
        if (!e->removed) targets.push_back(e->target);
    for (CCObject* t : targets) removeAllActionsFromTarget(t);
}

void CCActionManager::removeAllActionsFromTarget(CCObject* target) {
    Element* element = target ? find(target) : nullptr;
    if (!element) return;
    std::vector<CCAction*> taken;
    for (CCAction* a : element->actions)
        if (a) taken.push_back(a);
    if (m_updating)
        std::fill(element->actions.begin(), element->actions.end(), nullptr);
    else
        element->actions.clear();
    deleteIfEmpty(element);
    // Stopped only once the lists are consistent: a stop may lead back into this manager.
    for (CCAction* a : taken) {
        a->stop();
        a->release();
    }
}

void CCActionManager::removeAction(CCAction* action) {
    if (!action) return;
    Element* element = nullptr;
    size_t slot = 0;
    auto search = [&](Element* e) {
        if (!e) return false;
        auto it = std::find(e->actions.begin(), e->actions.end(), action);
        if (it == e->actions.end()) return false;
        element = e;
        slot = static_cast<size_t>(it - e->actions.begin());
        return true;
    };
    if (!search(find(action->getOriginalTarget()))) {
        bool found = false;
        for (Element* e : m_targets)
            if (!e->removed && search(e)) {
                found = true;
                break;
            }
        if (!found) return;
    }
    CCAction* removed = detach(element, slot);
    deleteIfEmpty(element);
    removed->stop();
    removed->release();
}

void CCActionManager::removeActionByTag(unsigned int tag, CCObject* target) {
    Element* element = target ? find(target) : nullptr;
    if (!element) return;
    for (size_t k = 0; k < element->actions.size(); ++k) {
        CCAction* a = element->actions[k];
        if (a && a->getTag() == static_cast<int>(tag)) {
            CCAction* removed = detach(element, k);
            deleteIfEmpty(element);
            removed->stop();
            removed->release();
            return;
        }
    }
}

CCAction* CCActionManager::getActionByTag(unsigned int tag, CCObject* target) {
    Element* element = target ? find(target) : nullptr;
    if (!element) return nullptr;
    for (CCAction* a : element->actions)
        if (a && a->getTag() == static_cast<int>(tag)) return a;
    return nullptr;
}

unsigned int CCActionManager::numberOfRunningActionsInTarget(CCObject* target) {
    Element* element = target ? find(target) : nullptr;
    if (!element) return 0;
    return static_cast<unsigned int>(
        std::count_if(element->actions.begin(), element->actions.end(), [](CCAction* a) { return a; }));
}

bool CCActionManager::hasActiveActions() const {
    for (const Element* e : m_targets) {
        if (e->paused || e->removed) continue;
        for (const CCAction* a : e->actions)
            if (a) return true;
    }
    return false;
}

void CCActionManager::pauseTarget(CCObject* target) {
    if (Element* e = target ? find(target) : nullptr) e->paused = true;
}

void CCActionManager::resumeTarget(CCObject* target) {
    if (Element* e = target ? find(target) : nullptr) e->paused = false;
}

bool CCActionManager::isTargetPaused(CCObject* target) {
    Element* e = target ? find(target) : nullptr;
    return e && e->paused;
}

void CCActionManager::update(float dt) {
    if (m_updating) {
        CCLog("CCActionManager: update called from inside an action; ignored");
        return;
    }
    if (!std::isfinite(dt) || dt < 0) {
        CCLog("CCActionManager: frame time %f is not usable; stepping by 0", static_cast<double>(dt));
        dt = 0;
    }
    // An action may drop the last reference to whoever owns this manager.
    retain();
    m_updating = true;
    // Elements and slots appended during this loop wait for the next frame.
    const size_t targetCount = m_targets.size();
    for (size_t i = 0; i < targetCount; ++i) {
        Element* e = m_targets[i];
        const size_t actionCount = e->actions.size();
        for (size_t k = 0; k < actionCount && !e->removed && !e->paused; ++k) {
            CCAction* action = e->actions[k];
            if (!action) continue;
            // Held for the step: the step may remove the action, or delete its target whose
            // destructor removes it, and the action must outlive its own step.
            action->retain();
            action->step(dt);
            if (e->actions[k] == action && action->isDone()) {
                e->actions[k] = nullptr;
                action->stop();
                action->release();
            }
            action->release();
        }
    }
    m_updating = false;
    purge();
    release();
}

}  // namespace engine
