// Key presses: the route in, key names, and the modifier bits.
#include "engine/host/CCKeyInput.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>

#include "engine/scene/CCDirector.h"
#include "engine/scene/CCKeyboardDispatcher.h"
#include "engine/text/CCIMEDispatcher.h"

namespace engine {

static_assert(keys::kTab == SDLK_TAB && keys::kReturn == SDLK_RETURN && keys::kEscape == SDLK_ESCAPE &&
                  keys::kSpace == SDLK_SPACE && keys::kBackspace == SDLK_BACKSPACE,
              "the engine's key codes are SDL's");
static_assert(keys::kF2 == SDLK_F2 && keys::kPageUp == SDLK_PAGEUP && keys::kPageDown == SDLK_PAGEDOWN &&
                  keys::kRight == SDLK_RIGHT && keys::kLeft == SDLK_LEFT && keys::kDown == SDLK_DOWN &&
                  keys::kUp == SDLK_UP && keys::kKeypadEnter == SDLK_KP_ENTER,
              "the engine's key codes are SDL's");

void deliverKeyPress(int key, int modifiers) {
    CCIMEDispatcher* ime = CCIMEDispatcher::sharedDispatcher();
    if (ime->hasAttachedDelegate()) {
        if (key == keys::kBackspace) {
            ime->dispatchDeleteBackward();
            return;
        }
        if (key == keys::kReturn || key == keys::kKeypadEnter) {
            ime->dispatchInsertText("\n", 1);
            return;
        }
    }
    CCDirector* director = CCDirector::sharedDirector();
    if (CCKeyboardDispatcher* k = director ? director->getKeyboardDispatcher() : nullptr) k->dispatchKey(key, modifiers);
}

bool parseKeyName(const std::string& text, int* key, int* modifiers) {
    int mods = 0;
    std::string rest = text;
    // "shift+Tab": modifiers first; a lone "+" (or a trailing one, "shift++") is the plus key.
    size_t plus;
    while ((plus = rest.find('+')) != std::string::npos && plus > 0 && plus + 1 < rest.size()) {
        std::string mod = rest.substr(0, plus);
        std::transform(mod.begin(), mod.end(), mod.begin(), [](unsigned char c) { return std::tolower(c); });
        if (mod == "shift")
            mods |= kCCKeyModShift;
        else if (mod == "ctrl" || mod == "control")
            mods |= kCCKeyModCtrl;
        else if (mod == "alt")
            mods |= kCCKeyModAlt;
        else
            return false;
        rest = rest.substr(plus + 1);
    }
    if (rest.empty()) return false;
    const SDL_Keycode code = SDL_GetKeyFromName(rest.c_str());
    if (code == SDLK_UNKNOWN) return false;
    *key = static_cast<int>(code);
    *modifiers = mods;
    return true;
}

int modifiersFromSDL(unsigned int sdlModifiers) {
    int mods = 0;
    if (sdlModifiers & KMOD_SHIFT) mods |= kCCKeyModShift;
    if (sdlModifiers & KMOD_CTRL) mods |= kCCKeyModCtrl;
    if (sdlModifiers & KMOD_ALT) mods |= kCCKeyModAlt;
    return mods;
}

}  // namespace engine
