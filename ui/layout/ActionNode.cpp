// ActionNode: reading a track, binding it to its widget, building, playing and seeking its actions.
//
// Index:
//   - construction and the key-frame lists
//   - reading a track and binding it
//   - building the action (balanced sequences, side by side)
//   - play, stop, seek
#include "ui/layout/ActionNode.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/actions/CCActionInterval.h"
#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/scene/CCNode.h"
#include "ui/layout/ActionFadeFrame.h"
#include "ui/layout/ActionFrame.h"
#include "ui/layout/ActionMoveFrame.h"
#include "ui/layout/ActionRotationFrame.h"
#include "ui/layout/ActionScaleFrame.h"
#include "ui/layout/ActionTintFrame.h"
#include "ui/layout/JsonDictionary.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/UIWidget.h"

namespace ui {

using namespace engine;

namespace {

// The sequence of actions[lo, hi) as a balanced tree of pairs: the same order and total
// duration as a chain, but a depth of log2(n).
CCFiniteTimeAction* balancedSequence(const std::vector<CCFiniteTimeAction*>& actions, size_t lo, size_t hi) {
    if (hi - lo == 1) return actions[lo];
    size_t mid = lo + (hi - lo) / 2;
    CCFiniteTimeAction* first = balancedSequence(actions, lo, mid);
    CCFiniteTimeAction* second = balancedSequence(actions, mid, hi);
    if (!first || !second) return nullptr;
    return CCSequence::createWithTwoActions(first, second);
}

CCSequence* sequenceOf(const std::vector<CCFiniteTimeAction*>& actions) {
    if (actions.empty()) return nullptr;
    if (actions.size() == 1) return CCSequence::create(actions[0], static_cast<CCFiniteTimeAction*>(nullptr));
    return static_cast<CCSequence*>(balancedSequence(actions, 0, actions.size()));
}

// Seconds between two key frames; frame indices may be far apart or listed backwards.
float stepDuration(int fromIndex, int toIndex, float unitTime) {
    double d = (static_cast<double>(toIndex) - static_cast<double>(fromIndex)) * static_cast<double>(unitTime);
    if (!std::isfinite(d) || std::fabs(d) > static_cast<double>(FLT_MAX)) return 0.0f;
    return static_cast<float>(d);
}

float frameTime(const ActionFrame* frame, float unitTime) {
    return static_cast<float>(frame->getFrameIndex()) * unitTime;
}

}  // namespace

// --- construction and the key-frame lists ---------------------------------------------------

ActionNode::ActionNode() {
    m_frameLists = CCArray::create();
    m_frameLists->retain();
    for (int kind = 0; kind < m_kindCount; ++kind) m_frameLists->addObject(CCArray::create());
}

ActionNode::~ActionNode() {
    safeRelease(m_runnable);
    safeRelease(m_action);
    safeRelease(m_frameLists);
    safeRelease(m_target);
}

ActionNode* ActionNode::create() {
    return autoreleasedOrNull(new ActionNode(), true);
}

CCArray* ActionNode::getFrameList(int kind) const {
    if (kind < 0 || kind >= m_kindCount) return nullptr;
    return static_cast<CCArray*>(m_frameLists->objectAtIndex(static_cast<unsigned int>(kind)));
}

void ActionNode::addFrame(ActionFrame* frame) {
    if (!frame) return;
    if (CCArray* list = getFrameList(frame->getFrameKind())) list->addObject(frame);
}

// --- reading a track and binding it ---------------------------------------------------------

void ActionNode::loadFromDictionary(const JsonDictionary& track, CCObject* root) {
    m_actionTag = track.readInt("ActionTag");
    const int count = track.arrayCount("actionframelist");
    for (int i = 0; i < count; ++i) {
        JsonDictionary f = track.arrayObject("actionframelist", i);
        const int index = f.readInt("frameid");
        // A group is there as a whole when its first key is.
        if (f.hasKey("positionx")) {
            ActionMoveFrame* move = ActionMoveFrame::create();
            move->setFrameIndex(index);
            move->setPosition(CCPoint(f.readFloat("positionx"), f.readFloat("positiony")));
            addFrame(move);
        }
        if (f.hasKey("scalex")) {
            ActionScaleFrame* scale = ActionScaleFrame::create();
            scale->setFrameIndex(index);
            scale->setScaleX(f.readFloat("scalex"));
            scale->setScaleY(f.readFloat("scaley"));
            addFrame(scale);
        }
        if (f.hasKey("rotation")) {
            ActionRotationFrame* rotation = ActionRotationFrame::create();
            rotation->setFrameIndex(index);
            rotation->setRotation(f.readFloat("rotation"));
            addFrame(rotation);
        }
        if (f.hasKey("opacity")) {
            ActionFadeFrame* fade = ActionFadeFrame::create();
            fade->setFrameIndex(index);
            fade->setOpacity(static_cast<float>(f.readInt("opacity")));
            addFrame(fade);
        }
        if (f.hasKey("colorr")) {
            ActionTintFrame* tint = ActionTintFrame::create();
            tint->setFrameIndex(index);
            tint->setColor(ccc3(static_cast<uint8_t>(f.readInt("colorr")), static_cast<uint8_t>(f.readInt("colorg")),
                                static_cast<uint8_t>(f.readInt("colorb"))));
            addFrame(tint);
        }
    }
    initActionNodeFromRoot(root);
}

void ActionNode::unbind() {
    stop();
    m_runningOn = nullptr;
    safeRelease(m_target);
}

void ActionNode::initActionNodeFromRoot(CCObject* root) {
    unbind();
    if (UIWidget* widget = dynamic_cast<UIWidget*>(root)) {
        UIWidget* found = GUIHelper::sharedHelper()->findWidgetByActionTag(widget, m_actionTag);
        if (found) {
            found->retain();
            m_target = found;
        }
    } else if (dynamic_cast<CCNode*>(root)) {
        CCLog("Need a definition of <initActionNodeFromRoot> for gameObject");
    }
}

UIWidget* ActionNode::getTargetWidget() const {
    // Our own reference is one; a widget nobody else holds has been let go by its tree.
    return m_target && m_target->retainCount() > 1 ? m_target : nullptr;
}

CCNode* ActionNode::targetNode() {
    UIWidget* widget = getTargetWidget();
    return widget ? widget->getRenderer() : nullptr;
}

// --- building the action --------------------------------------------------------------------

CCSpawn* ActionNode::buildAction() {
    if (!targetNode()) return nullptr;
    CCArray* kinds = CCArray::create();
    for (int kind = 0; kind < m_kindCount; ++kind) {
        CCArray* list = getFrameList(kind);
        if (list->count() < 2) continue;  // a lone key frame is only a starting point
        std::vector<CCFiniteTimeAction*> steps;
        steps.reserve(list->count() - 1);
        for (unsigned int i = 1; i < list->count(); ++i) {
            auto* previous = static_cast<ActionFrame*>(list->objectAtIndex(i - 1));
            auto* frame = static_cast<ActionFrame*>(list->objectAtIndex(i));
            float duration = stepDuration(previous->getFrameIndex(), frame->getFrameIndex(), m_unitTime);
            if (CCActionInterval* action = frame->getAction(duration)) steps.push_back(action);
        }
        if (CCSequence* sequence = sequenceOf(steps)) kinds->addObject(sequence);
    }
    // The old run drives the old action; it must not keep running after the rebuild.
    stop();
    safeRelease(m_runnable);
    safeRelease(m_action);
    if (kinds->count() == 0) return nullptr;
    m_action = CCSpawn::create(kinds);
    if (m_action) m_action->retain();
    return m_action;
}

// --- play, stop, seek -----------------------------------------------------------------------

void ActionNode::play(bool loop) {
    if (!targetNode() || !m_action) return;
    stop();
    safeRelease(m_runnable);
    if (loop)
        m_runnable = CCRepeatForever::create(m_action);
    else
        m_runnable = CCSequence::create(m_action, static_cast<CCFiniteTimeAction*>(nullptr));
    if (m_runnable) m_runnable->retain();
    runOnTarget();
}

void ActionNode::runOnTarget() {
    CCNode* node = targetNode();
    if (!node || !m_runnable) return;
    node->runAction(m_runnable);
    m_runningOn = node;
}

void ActionNode::stop() {
    if (!m_runnable || !m_runningOn) return;
    // m_runningOn is the renderer of m_target, which this track keeps alive.
    if (m_runningOn == targetNode()) m_runningOn->stopAction(m_runnable);
    m_runningOn = nullptr;
}

bool ActionNode::seekToTime(float time) {
    if (!targetNode()) return false;
    bool found = false;
    for (int kind = 0; kind < m_kindCount; ++kind) {
        CCArray* list = getFrameList(kind);
        for (unsigned int i = 0; i < list->count(); ++i) {
            auto* frame = static_cast<ActionFrame*>(list->objectAtIndex(i));
            const float at = frameTime(frame, m_unitTime);
            if (at < time) continue;
            if (at == time) {
                applyFrame(1.0f, 1.0f, frame);
                found = true;
            } else if (i == 0) {
                // Before the first key frame: the widget shows that key frame.
                applyFrame(1.0f, 1.0f, frame);
                found = false;
            } else {
                auto* previous = static_cast<ActionFrame*>(list->objectAtIndex(i - 1));
                const float from = frameTime(previous, m_unitTime);
                const float duration = at - from;
                applyFrame(duration, 1.0f, previous);
                applyFrame(duration, duration > 0 ? (time - from) / duration : 1.0f, frame);
                found = true;
            }
            break;
        }
    }
    return found;
}

void ActionNode::applyFrame(float duration, float ratio, ActionFrame* frame) {
    CCNode* node = targetNode();
    if (!node || !frame) return;
    CCActionInterval* action = frame->getAction(duration);
    if (!action) return;
    action->startWithTarget(node);
    action->update(ratio);
    action->stop();
}

}  // namespace ui
