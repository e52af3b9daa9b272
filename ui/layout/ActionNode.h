// One animation track: the key frames of one widget, bound by action tag, turned into engine actions on its renderer.
//
//   - The track holds a reference on its widget, so a released widget tree can never leave it
//     pointing at freed memory. A widget that only the track still holds counts as released:
//     its track is neither played, stopped on nor seeked, and has no target.
//   - The sequence of one kind is built as a balanced tree of pairs, not a chain, so a track of
//     many thousands of key frames cannot exhaust the call stack when it runs or is freed.
//   - Step durations are computed without integer overflow; a step whose duration is not a
//     finite number lasts 0 seconds (negative steps, from frames listed out of order, are
//     taken as 0 by the engine's timed actions).
//   - play stops the track's previous run before starting the new one: both would drive the
//     same built action.
//   - applyFrame starts the key frame's action on the renderer and moves it once to the ratio
//     without handing it to the engine's action manager, so a seek changes nothing afterwards.
#pragma once

#include "engine/base/CCArray.h"
#include "engine/base/CCObject.h"

namespace engine {
class CCAction;
class CCNode;
class CCSpawn;
}  // namespace engine

namespace ui {

class ActionFrame;
class JsonDictionary;
class UIWidget;

class ActionNode : public engine::CCObject {
public:
    ActionNode();
    ~ActionNode() override;

    static ActionNode* create();

    // --- operations, in their fixed order ----------------------------------------------------
    // Sets every kind to its state at time seconds; true when the last kind with a key frame at
    // or after that time found one (see the source).
    virtual bool seekToTime(float time);
    // Runs the built action on the target, endlessly when loop is true.
    virtual void play(bool loop);
    virtual void stop();
    // Reads "ActionTag" and the key frames of "actionframelist", then binds to the tree.
    virtual void loadFromDictionary(const JsonDictionary& track, engine::CCObject* root);
    // The node the actions run on: the target widget's renderer; null without a live target.
    virtual engine::CCNode* targetNode();
    // The kinds' sequences side by side; null without a target or without any step.
    virtual engine::CCSpawn* buildAction();
    virtual void runOnTarget();
    // Binds to the first widget, in pre-order, whose action tag is the track's.
    virtual void initActionNodeFromRoot(engine::CCObject* root);
    // Moves frame's action, made for duration seconds, to ratio on the target node.
    virtual void applyFrame(float duration, float ratio, ActionFrame* frame);

    // --- plain operations --------------------------------------------------------------------
    float getUnitTime() const { return m_unitTime; }
    void setUnitTime(float seconds) { m_unitTime = seconds; }
    int getActionTag() const { return m_actionTag; }
    void setActionTag(int tag) { m_actionTag = tag; }
    // The bound widget while something besides this track holds it; else null.
    UIWidget* getTargetWidget() const;
    // Appends a key frame to the list of its kind (kinds outside 0 .. 4 are ignored).
    void addFrame(ActionFrame* frame);
    // The key frames of one kind in file order; null for a kind outside 0 .. 4.
    engine::CCArray* getFrameList(int kind) const;
    engine::CCSpawn* getBuiltAction() const { return m_action; }
    engine::CCAction* getRunnableAction() const { return m_runnable; }

private:
    // Drops the target reference and forgets the target.
    void unbind();

    float m_unitTime = 0.1f;
    int m_actionTag = 0;
    UIWidget* m_target = nullptr;          // retained; see the note at the top
    engine::CCSpawn* m_action = nullptr;   // retained
    engine::CCAction* m_runnable = nullptr;  // retained
    engine::CCNode* m_runningOn = nullptr;   // the node m_runnable was started on, not owned
    engine::CCArray* m_frameLists = nullptr;  // retained: one CCArray of ActionFrame per kind
    int m_kindCount = 5;
};

}  // namespace ui
