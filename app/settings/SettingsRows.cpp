// SettingsRows: laying the rows out, and the presses on their items.
#include "app/settings/SettingsRows.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"

using namespace engine;

namespace app {

namespace {
constexpr float kRowHeight = 64;
constexpr float kFontSize = 30;
constexpr float kRowWidth = 520;
const ccColor3B kText = {25, 24, 25};
const ccColor3B kControl = {44, 5, 247};
// Item tags: the row's index times this, plus 0 (toggle), 1 (minus) or 2 (plus).
constexpr int kTagsPerRow = 4;
}  // namespace

SettingsRows* SettingsRows::create(const CCRect& band) {
    SettingsRows* rows = new SettingsRows();
    rows->init();
    rows->autorelease();
    rows->m_band = band;
    rows->m_menu = CCMenu::create();
    rows->m_menu->setPosition(ccp(0, 0));
    rows->addChild(rows->m_menu);
    return rows;
}

void SettingsRows::addStepper(const std::string& label, std::function<float()> get, std::function<void(float)> set,
                              float lowest, float highest, float step, std::function<std::string(float)> show) {
    addRow(
        label, true, [get, show] { return show(get()); },
        [get, set, lowest, highest, step](int which) {
            if (which == 0) return;
            // From an in-between value (given on the command line) the first step lands on the grid.
            const float now = get();
            float next = which > 0 ? std::floor(now / step + 1e-4f) * step + step : std::ceil(now / step - 1e-4f) * step - step;
            next = std::min(highest, std::max(lowest, next));
            if (next != now) set(next);
        });
}

void SettingsRows::addToggle(const std::string& label, std::function<bool()> get, std::function<void(bool)> set,
                             const std::string& onText, const std::string& offText) {
    addRow(
        label, false, [get, onText, offText] { return get() ? onText : offText; },
        [get, set](int which) {
            if (which == 0) set(!get());
        });
}

void SettingsRows::addRow(const std::string& label, bool stepper, std::function<std::string()> text,
                          std::function<void(int)> press) {
    const int index = static_cast<int>(m_rows.size());
    const float y = m_band.getMaxY() - kRowHeight * (index + 0.5f);
    const float left = m_band.getMidX() - kRowWidth / 2, right = m_band.getMidX() + kRowWidth / 2;
    CCLabelTTF* name = CCLabelTTF::create(label.c_str(), "Arial", kFontSize);
    name->setAnchorPoint(ccp(0, 0.5f));
    name->setPosition(ccp(left, y));
    name->setColor(kText);
    addChild(name);

    Row row{label, nullptr, std::move(text), std::move(press)};
    CCMenuItemFont::setFontSize(static_cast<unsigned int>(kFontSize * 1.4f));
    if (stepper) {
        row.value = CCLabelTTF::create(row.text().c_str(), "Arial", kFontSize);
        row.value->setPosition(ccp(right - 90, y));
        row.value->setColor(kText);
        addChild(row.value);
        CCMenuItemFont* minus = CCMenuItemFont::create("-", this, menu_selector(SettingsRows::itemPressed));
        CCMenuItemFont* plus = CCMenuItemFont::create("+", this, menu_selector(SettingsRows::itemPressed));
        minus->setTag(index * kTagsPerRow + 1);
        plus->setTag(index * kTagsPerRow + 2);
        minus->setPosition(ccp(right - 165, y));
        plus->setPosition(ccp(right - 15, y));
        minus->setColor(kControl);
        plus->setColor(kControl);
        m_menu->addChild(minus);
        m_menu->addChild(plus);
    } else {
        CCMenuItemFont* toggle = CCMenuItemFont::create(row.text().c_str(), this, menu_selector(SettingsRows::itemPressed));
        toggle->setTag(index * kTagsPerRow);
        toggle->setPosition(ccp(right - 90, y));
        toggle->setColor(kControl);
        m_menu->addChild(toggle);
        row.value = dynamic_cast<CCLabelTTF*>(toggle->getLabel());
    }
    m_rows.push_back(std::move(row));
}

void SettingsRows::itemPressed(CCObject* sender) {
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) return;
    const int index = item->getTag() / kTagsPerRow, part = item->getTag() % kTagsPerRow;
    if (index < 0 || index >= static_cast<int>(m_rows.size())) return;
    Row& row = m_rows[static_cast<size_t>(index)];
    row.press(part == 0 ? 0 : part == 1 ? -1 : +1);
    if (row.value) row.value->setString(row.text().c_str());
}

std::vector<std::pair<std::string, std::string>> SettingsRows::shown() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const Row& row : m_rows) out.emplace_back(row.label, row.value ? row.value->getString() : "");
    return out;
}

bool SettingsRows::press(const std::string& label, int which) {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].label != label) continue;
        const int tag = static_cast<int>(i) * kTagsPerRow + (which == 0 ? 0 : which < 0 ? 1 : 2);
        CCMenuItem* item = dynamic_cast<CCMenuItem*>(m_menu->getChildByTag(tag));
        if (!item) return false;
        item->activate();
        return true;
    }
    return false;
}

CCRect SettingsRows::freeBand(const std::vector<CCRect>& taken, const CCRect& screen, float margin) {
    std::vector<std::pair<float, float>> spans;
    for (const CCRect& r : taken) spans.emplace_back(r.getMinY(), r.getMaxY());
    std::sort(spans.begin(), spans.end());
    float bestLow = screen.getMinY(), bestHigh = screen.getMinY(), from = screen.getMinY();
    auto consider = [&](float low, float high) {
        if (high - low > bestHigh - bestLow) {
            bestLow = low;
            bestHigh = high;
        }
    };
    for (const auto& s : spans) {
        if (s.first > from) consider(from, std::min(s.first, screen.getMaxY()));
        from = std::max(from, s.second);
    }
    if (screen.getMaxY() > from) consider(from, screen.getMaxY());
    const float inset = std::min(margin, (bestHigh - bestLow) / 4);
    return CCRect(screen.getMinX(), bestLow + inset, screen.size.width, std::max(0.0f, bestHigh - bestLow - 2 * inset));
}

}  // namespace app
