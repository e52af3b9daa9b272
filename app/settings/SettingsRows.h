// Rows of grown-ups' options added in code to the settings screen, beside what the book's layout
// file puts there: a number stepper (- value +) or an on/off toggle, each a line of code, stacked
// in a band of the screen that none of the screen's own buttons cover.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/base/CCGeometry.h"
#include "engine/scene/CCNode.h"

namespace engine {
class CCLabelTTF;
class CCLayerColor;
class CCMenu;
}  // namespace engine

namespace app {

class SettingsRows : public engine::CCNode {
public:
    // Rows stack at the foot of band (design points), centred in its width, on a white card;
    // every added row lays them all out again, so they always fit in band.
    static SettingsRows* create(const engine::CCRect& band);

    // A value from lowest to highest in steps of step; show writes it ("off", "3 s").
    void addStepper(const std::string& label, std::function<float()> get, std::function<void(float)> set, float lowest,
                    float highest, float step, std::function<std::string(float)> show);
    // note, when given, is a short line under the row's name, shown while it is not empty (why
    // the option cannot work here, for one).
    void addToggle(const std::string& label, std::function<bool()> get, std::function<void(bool)> set,
                   const std::string& onText = "on", const std::string& offText = "off",
                   std::function<std::string()> note = nullptr);

    // The tallest horizontal band of screen that none of taken overlaps (rows must not cover the
    // screen's own buttons), inset by margin at its top and bottom.
    static engine::CCRect freeBand(const std::vector<engine::CCRect>& taken, const engine::CCRect& screen, float margin);

    // The rows' names and their values as shown, top to bottom.
    std::vector<std::pair<std::string, std::string>> shown() const;
    // A row's note as shown; empty when it has none or it is hidden.
    std::string noteShown(const std::string& label) const;
    // Presses a row's minus (-1), plus (+1) or toggle (0) item, as a touch would; false when
    // there is no such row or item.
    bool press(const std::string& label, int which);

private:
    SettingsRows() = default;
    struct Row {
        std::string label;
        engine::CCLabelTTF* name = nullptr;
        engine::CCLabelTTF* value = nullptr;  // a toggle's is its item's label
        engine::CCLabelTTF* note = nullptr;
        engine::CCNode* minus = nullptr;
        engine::CCNode* plus = nullptr;
        engine::CCNode* toggle = nullptr;
        std::function<std::string()> text;
        std::function<std::string()> noteText;
        std::function<void(int which)> press;
    };
    void addRow(const std::string& label, bool stepper, std::function<std::string()> text,
                std::function<void(int)> press, std::function<std::string()> note);
    // Places every row in the band: their height, font and columns follow how many there are.
    void layout();
    // Every row's value and note as they are now (a press may change another row's, too).
    void refresh();
    void itemPressed(engine::CCObject* sender);

    engine::CCRect m_band;
    engine::CCMenu* m_menu = nullptr;
    engine::CCLayerColor* m_card = nullptr;
    std::vector<Row> m_rows;
    float m_scale = 1;  // of the font and the row's inner spacing, as laid out last
    float m_rowWidth = 0;
};

}  // namespace app
