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
class CCMenu;
}  // namespace engine

namespace app {

class SettingsRows : public engine::CCNode {
public:
    // Rows stack downwards from the top of band (design points), centred in its width.
    static SettingsRows* create(const engine::CCRect& band);

    // A value from lowest to highest in steps of step; show writes it ("off", "3 s").
    void addStepper(const std::string& label, std::function<float()> get, std::function<void(float)> set, float lowest,
                    float highest, float step, std::function<std::string(float)> show);
    void addToggle(const std::string& label, std::function<bool()> get, std::function<void(bool)> set,
                   const std::string& onText = "on", const std::string& offText = "off");

    // The tallest horizontal band of screen that none of taken overlaps (rows must not cover the
    // screen's own buttons), inset by margin at its top and bottom.
    static engine::CCRect freeBand(const std::vector<engine::CCRect>& taken, const engine::CCRect& screen, float margin);

    // The rows' names and their values as shown, top to bottom.
    std::vector<std::pair<std::string, std::string>> shown() const;
    // Presses a row's minus (-1), plus (+1) or toggle (0) item, as a touch would; false when
    // there is no such row or item.
    bool press(const std::string& label, int which);

private:
    SettingsRows() = default;
    struct Row {
        std::string label;
        engine::CCLabelTTF* value = nullptr;
        std::function<std::string()> text;
        std::function<void(int which)> press;
    };
    void addRow(const std::string& label, bool stepper, std::function<std::string()> text,
                std::function<void(int)> press);
    void itemPressed(engine::CCObject* sender);

    engine::CCRect m_band;
    engine::CCMenu* m_menu = nullptr;
    std::vector<Row> m_rows;
};

}  // namespace app
