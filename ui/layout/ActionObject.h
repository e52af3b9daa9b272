// One named widget animation of a layout file: its tracks, loop flag and unit time.
#pragma once

#include <string>

#include "engine/base/CCArray.h"
#include "engine/base/CCObject.h"

namespace ui {

class ActionNode;
class JsonDictionary;

class ActionObject : public engine::CCObject {
public:
    ActionObject();
    ~ActionObject() override;

    static ActionObject* create();

    // Reads "name", "loop", "unittime" and the tracks of "actionnodelist", bound to root's tree.
    void loadFromDictionary(const JsonDictionary& animation, engine::CCObject* root);

    const char* getName() const { return m_name.c_str(); }
    void setName(const char* name) { m_name = name ? name : ""; }
    bool getLoop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }
    float getUnitTime() const { return m_unitTime; }
    // Every track takes the new unit time and rebuilds its action.
    void setUnitTime(float seconds);
    // Of ActionNode, in file order.
    engine::CCArray* getActionNodeList() const { return m_actionNodeList; }
    void addActionNode(ActionNode* node);

    // Every track with the animation's loop flag; stop and seek act on every track too.
    void play();
    void stop();
    // True when any track found a key frame at or around the time.
    bool seekToTime(float time);

private:
    engine::CCArray* m_actionNodeList = nullptr;  // retained
    std::string m_name;
    bool m_loop = false;
    float m_unitTime = 0.1f;
};

}  // namespace ui
