// ActionObject: reading an animation and driving all of its tracks together.
#include "ui/layout/ActionObject.h"

#include "engine/base/CCCreate.h"
#include "ui/layout/ActionNode.h"
#include "ui/layout/JsonDictionary.h"

namespace ui {

using namespace engine;

ActionObject::ActionObject() {
    m_actionNodeList = CCArray::create();
    m_actionNodeList->retain();
}

ActionObject::~ActionObject() { safeRelease(m_actionNodeList); }

ActionObject* ActionObject::create() {
    return autoreleasedOrNull(new ActionObject(), true);
}

void ActionObject::loadFromDictionary(const JsonDictionary& animation, CCObject* root) {
    const char* name = animation.readString("name");
    setName(name);
    setLoop(animation.readBool("loop"));
    setUnitTime(animation.readFloat("unittime"));
    const int count = animation.arrayCount("actionnodelist");
    for (int i = 0; i < count; ++i) {
        ActionNode* node = ActionNode::create();
        node->loadFromDictionary(animation.arrayObject("actionnodelist", i), root);
        node->setUnitTime(m_unitTime);
        node->buildAction();
        addActionNode(node);
    }
}

void ActionObject::setUnitTime(float seconds) {
    m_unitTime = seconds;
    for (CCObject* o : *m_actionNodeList) {
        ActionNode* node = static_cast<ActionNode*>(o);
        node->setUnitTime(seconds);
        node->buildAction();
    }
}

void ActionObject::addActionNode(ActionNode* node) { m_actionNodeList->addObject(node); }

void ActionObject::play() {
    for (CCObject* o : *m_actionNodeList) static_cast<ActionNode*>(o)->play(m_loop);
}

void ActionObject::stop() {
    for (CCObject* o : *m_actionNodeList) static_cast<ActionNode*>(o)->stop();
}

bool ActionObject::seekToTime(float time) {
    bool found = false;
    for (CCObject* o : *m_actionNodeList) found = static_cast<ActionNode*>(o)->seekToTime(time) || found;
    return found;
}

}  // namespace ui
