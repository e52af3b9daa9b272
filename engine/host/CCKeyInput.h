// Key presses from the window or a script, on their way in: text keys to the attached text-input
// delegate, every other key to the running screens through the keyboard dispatcher.
#pragma once

#include <string>

namespace engine {

// Delivers one key press (an SDL key code and CCKeyModifier bits). While a text field takes
// typed text, Backspace deletes and the Enter keys type a newline there; any other key, and
// those two while no field is attached, go to the keyboard dispatcher.
void deliverKeyPress(int key, int modifiers);

// A key written as a script or test would: an SDL key name ("Tab", "Return", "PageDown", "F2",
// "P"), optionally after modifiers joined by '+' ("shift+Tab", "ctrl+alt+Delete"). False for an
// unknown key or modifier.
bool parseKeyName(const std::string& text, int* key, int* modifiers);

// CCKeyModifier bits from SDL's modifier state.
int modifiersFromSDL(unsigned int sdlModifiers);

}  // namespace engine
