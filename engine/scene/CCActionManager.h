// Runs the actions of every node: one update per frame, driven by the scheduler.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "engine/base/CCObject.h"

namespace engine {

class CCAction;
class CCNode;

class CCActionManager : public CCObject {
public:
    CCActionManager();
    ~CCActionManager() override;

    // Starts the action on target; a paused target keeps it waiting until resumed. The paused
    // flag only counts for a target that has no actions yet. An action added while update()
    // runs is first stepped by the next update.
    void addAction(CCAction* action, CCNode* target, bool paused);
    // Removed actions are stopped and released; none of these ever touch the target itself.
    void removeAllActions();
    void removeAllActionsFromTarget(CCObject* target);
    void removeAction(CCAction* action);
    void removeActionByTag(unsigned int tag, CCObject* target);
    CCAction* getActionByTag(unsigned int tag, CCObject* target);
    unsigned int numberOfRunningActionsInTarget(CCObject* target);
    // Some unpaused target has an action to step: the next frame may differ from this one.
    bool hasActiveActions() const;
    void pauseTarget(CCObject* target);
    void resumeTarget(CCObject* target);
    bool isTargetPaused(CCObject* target);

    // Steps every action of every unpaused target by dt; finished actions are removed.
    void update(float dt) override;

private:
    // The actions of one target. During update slots are only nulled and elements only
    // marked, never erased, so the loop in update() can always trust its indices; purge()
    // compacts once the frame is over.
    struct Element {
        CCObject* target = nullptr;
        std::vector<CCAction*> actions;  // retained; null = removed during update
        bool paused = false;
        bool removed = false;  // salvaged: all actions gone during update, deleted by purge()
    };

    Element* find(CCObject* target);
    // Detaches the action in slot k; the caller stops and releases it.
    CCAction* detach(Element* element, std::size_t k);
    void deleteIfEmpty(Element* element);
    void purge();

    std::vector<Element*> m_targets;  // in order of first use
    std::unordered_map<CCObject*, Element*> m_index;
    bool m_updating = false;
};

}  // namespace engine
