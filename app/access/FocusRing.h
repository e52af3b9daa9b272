// The keyboard's and the single switch's focus on a screen: the things that can be chosen, in
// order, which one is chosen, and the ring drawn around it above everything else on the screen.
// The ring shows once a key has been pressed (or while scanning) and steps aside for a touch.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/scene/CCNode.h"

namespace ui {
class UIWidget;
}

namespace app {

struct FocusTarget {
    std::string kind;    // "sentence", "button" or "entry"
    std::string name;    // the widget's or the item's name, or an entry's text
    engine::CCNode* node = nullptr;  // on the same screen; its bounding box is what the ring goes round
    std::function<void()> activate;  // what a touch on it does
    // The rectangle in design points, for a target whose node's box is not its visible size.
    std::function<engine::CCRect()> box;
};

// A rectangle in space's coordinates, in design points (the bounding rectangle of its corners).
engine::CCRect worldRect(engine::CCNode* space, const engine::CCRect& local);
// Where a widget shows, in design points: its size, scaled, round its anchor (a button's
// renderer holds its pictures as children, so the renderer's own box is empty).
engine::CCRect widgetRect(ui::UIWidget* widget);

class FocusRing : public engine::CCNode {
public:
    static FocusRing* create();

    void setTargets(std::vector<FocusTarget> targets);
    // Moves the focus by step (+1 next, -1 previous). A hidden ring shows instead, on the first
    // target (step > 0) or the last one; wrap goes round past either end, otherwise it stops there.
    void move(int step, bool wrap);
    // Does what a touch on the focused target does; false when the ring is hidden.
    bool activateFocused();
    // Hides the ring (a touch came); the focus stays where it was for the next key.
    void hide();

    // The focused target while the ring shows, else null.
    const FocusTarget* focused() const;
    // The focused target's rectangle in design points.
    engine::CCRect focusedRect() const;
    // Called after every move, with the new target (a list scrolls it into view).
    void setOnMove(std::function<void(const FocusTarget&)> onMove) { m_onMove = std::move(onMove); }

    // Whether keys drive the screens: set by a key press, cleared by a touch. A new screen's
    // ring shows at once while it is set.
    static bool keyboardInUse();
    static void setKeyboardInUse(bool inUse);
    // One-switch scanning: the focus moves on by itself every so many seconds; 0 is off.
    static float scanSeconds();
    static void setScanSeconds(float seconds);

    void onEnter() override;
    void draw() override;

private:
    FocusRing() = default;
    void scanStep(float elapsed);

    std::vector<FocusTarget> m_targets;
    int m_index = -1;
    bool m_shown = false;
    std::function<void(const FocusTarget&)> m_onMove;
};

// A screen with a focus ring (the driver reports its focus).
class FocusScreen {
public:
    virtual ~FocusScreen() = default;
    virtual FocusRing* focusRing() = 0;
};

}  // namespace app
