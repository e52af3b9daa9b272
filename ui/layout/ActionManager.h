// The process-wide table of widget animations: per layout file, its named animations, and playing them by name.
//
//   - playAnimation, stopAnimation and seekAnimation find an animation by layout file name
//     (its part after the last "/", as stored) and animation name; with several animations of
//     one name the first in file order is used. They report whether it was found.
//   - sharedManager and shareManager are the same singleton under both spellings callers use.
#pragma once

#include <string>

#include "engine/base/CCDictionary.h"
#include "engine/base/CCObject.h"

namespace engine {
class CCArray;
}

namespace ui {

class ActionObject;
class JsonDictionary;

class ActionManager : public engine::CCObject {
public:
    static ActionManager* sharedManager();
    static ActionManager* shareManager() { return sharedManager(); }
    // Deletes the singleton and with it every animation; the next use makes a fresh one.
    static void purgeManager();

    // Registers the animations of "actionlist" under the file's key, replacing an earlier list
    // of that key; none (or an empty section) registers an empty list.
    void loadAnimations(const char* fileName, const JsonDictionary& animation, engine::CCObject* root);

    // The key a layout file name is stored under: its part after the last "/".
    static std::string keyOf(const char* fileName);
    // The animations of a file in file order (of ActionObject), or null for a file never loaded.
    engine::CCArray* getAnimations(const char* fileName) const;
    // The first animation of that name in the file, or null.
    ActionObject* getAnimation(const char* fileName, const char* animationName) const;

    bool playAnimation(const char* fileName, const char* animationName);
    bool stopAnimation(const char* fileName, const char* animationName);
    // Shows every track of the animation at time seconds; false when it was not found.
    bool seekAnimation(const char* fileName, const char* animationName, float time);

    engine::CCDictionary* getAnimationTable() const { return m_animations; }

private:
    ActionManager();
    ~ActionManager() override;

    engine::CCDictionary* m_animations = nullptr;  // retained: file key -> CCArray of ActionObject
};

}  // namespace ui
