// ActionManager: the singleton, loading a file's animations, and lookups by file and animation name.
#include "ui/layout/ActionManager.h"

#include <cstring>

#include "engine/base/CCArray.h"
#include "ui/layout/ActionObject.h"
#include "ui/layout/JsonDictionary.h"

namespace ui {

using namespace engine;

namespace {
ActionManager* s_sharedManager = nullptr;
}

ActionManager::ActionManager() {
    m_animations = CCDictionary::create();
    m_animations->retain();
}

ActionManager::~ActionManager() {
    if (m_animations) m_animations->removeAllObjects();
    safeRelease(m_animations);
}

ActionManager* ActionManager::sharedManager() {
    if (!s_sharedManager) s_sharedManager = new ActionManager();
    return s_sharedManager;
}

void ActionManager::purgeManager() {
    // A purge with no manager makes one and deletes it at once: the same end state.
    ActionManager* manager = sharedManager();
    s_sharedManager = nullptr;
    manager->release();
}

std::string ActionManager::keyOf(const char* fileName) {
    if (!fileName) return std::string();
    const char* slash = std::strrchr(fileName, '/');
    return slash ? std::string(slash + 1) : std::string(fileName);
}

void ActionManager::loadAnimations(const char* fileName, const JsonDictionary& animation, CCObject* root) {
    CCArray* list = CCArray::create();
    const int count = animation.arrayCount("actionlist");
    for (int i = 0; i < count; ++i) {
        ActionObject* object = ActionObject::create();
        object->loadFromDictionary(animation.arrayObject("actionlist", i), root);
        list->addObject(object);
    }
    m_animations->setObject(list, keyOf(fileName));
}

CCArray* ActionManager::getAnimations(const char* fileName) const {
    return dynamic_cast<CCArray*>(m_animations->objectForKey(keyOf(fileName)));
}

ActionObject* ActionManager::getAnimation(const char* fileName, const char* animationName) const {
    CCArray* list = getAnimations(fileName);
    if (!list || !animationName) return nullptr;
    for (CCObject* o : *list) {
        ActionObject* object = static_cast<ActionObject*>(o);
        if (std::strcmp(object->getName(), animationName) == 0) return object;
    }
    return nullptr;
}

bool ActionManager::playAnimation(const char* fileName, const char* animationName) {
    ActionObject* object = getAnimation(fileName, animationName);
    if (object) object->play();
    return object != nullptr;
}

bool ActionManager::stopAnimation(const char* fileName, const char* animationName) {
    ActionObject* object = getAnimation(fileName, animationName);
    if (object) object->stop();
    return object != nullptr;
}

bool ActionManager::seekAnimation(const char* fileName, const char* animationName, float time) {
    ActionObject* object = getAnimation(fileName, animationName);
    if (object) object->seekToTime(time);
    return object != nullptr;
}

}  // namespace ui
