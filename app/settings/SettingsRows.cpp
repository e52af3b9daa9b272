// SettingsRows: laying the rows out, and the presses on their items.
#include "app/settings/SettingsRows.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"

using namespace engine;

namespace app {

namespace {
// A row's full size. Rows that do not all fit at it take the compact size, leaving the rest of
// the band clear (a heading's art often reaches below its widget); where even that does not fit
// they share the band out, down to kSmallestRow (a grown-up's finger still hits a 44-point item),
// and below it go in two columns.
constexpr float kRowHeight = 64;
constexpr float kCompactRow = 46;
constexpr float kSmallestRow = 44;
constexpr float kFontSize = 30;
constexpr float kNoteSize = 15;
constexpr float kRowWidth = 520;
constexpr float kColumnGap = 24;
const ccColor3B kText = {25, 24, 25};
const ccColor3B kControl = {44, 5, 247};
const ccColor3B kNote = {150, 30, 20};
// The card under the rows: the screen's art may draw pictures in the band no widget claims.
const ccColor4B kCard = {255, 255, 255, 235};
constexpr float kCardPadding = 10;
// Item tags: the row's index times this, plus 0 (toggle), 1 (minus) or 2 (plus).
constexpr int kTagsPerRow = 4;
}  // namespace

SettingsRows* SettingsRows::create(const CCRect& band) {
    SettingsRows* rows = new SettingsRows();
    rows->init();
    rows->autorelease();
    rows->m_band = band;
    rows->m_card = CCLayerColor::create(kCard, 0, 0);
    rows->m_card->setVisible(false);
    rows->addChild(rows->m_card, -1);
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
            // Steps of a tenth add up to 0.30000001: the grid's own value is kept.
            next = std::round(next / step) * step;
            if (std::fabs(next - now) > step * 1e-3f) set(next);
        },
        nullptr);
}

void SettingsRows::addToggle(const std::string& label, std::function<bool()> get, std::function<void(bool)> set,
                             const std::string& onText, const std::string& offText, std::function<std::string()> note) {
    addRow(
        label, false, [get, onText, offText] { return get() ? onText : offText; },
        [get, set](int which) {
            if (which == 0) set(!get());
        },
        std::move(note));
}

void SettingsRows::addRow(const std::string& label, bool stepper, std::function<std::string()> text,
                          std::function<void(int)> press, std::function<std::string()> note) {
    const int index = static_cast<int>(m_rows.size());
    Row row{label, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, std::move(text), std::move(note), std::move(press)};
    row.name = CCLabelTTF::create(label.c_str(), "Arial", kFontSize);
    row.name->setAnchorPoint(ccp(0, 0.5f));
    row.name->setColor(kText);
    addChild(row.name);

    CCMenuItemFont::setFontSize(static_cast<unsigned int>(kFontSize * 1.4f));
    if (stepper) {
        row.value = CCLabelTTF::create(row.text().c_str(), "Arial", kFontSize);
        row.value->setColor(kText);
        addChild(row.value);
        CCMenuItemFont* minus = CCMenuItemFont::create("-", this, menu_selector(SettingsRows::itemPressed));
        CCMenuItemFont* plus = CCMenuItemFont::create("+", this, menu_selector(SettingsRows::itemPressed));
        minus->setTag(index * kTagsPerRow + 1);
        plus->setTag(index * kTagsPerRow + 2);
        minus->setColor(kControl);
        plus->setColor(kControl);
        m_menu->addChild(minus);
        m_menu->addChild(plus);
        row.minus = minus;
        row.plus = plus;
    } else {
        CCMenuItemFont* toggle = CCMenuItemFont::create(row.text().c_str(), this, menu_selector(SettingsRows::itemPressed));
        toggle->setTag(index * kTagsPerRow);
        toggle->setColor(kControl);
        m_menu->addChild(toggle);
        row.toggle = toggle;
        row.value = dynamic_cast<CCLabelTTF*>(toggle->getLabel());
    }
    if (row.noteText) {
        row.note = CCLabelTTF::create("", "Arial", kNoteSize);
        row.note->setAnchorPoint(ccp(0, 0.5f));
        row.note->setColor(kNote);
        addChild(row.note);
    }
    m_rows.push_back(std::move(row));
    refresh();
}

void SettingsRows::layout() {
    const int count = static_cast<int>(m_rows.size());
    if (count == 0) return;
    auto fitting = [this](int perColumn) {
        const float shared = m_band.size.height / perColumn;
        return shared >= kRowHeight ? kRowHeight : std::min(kCompactRow, shared);
    };
    int columns = 1;
    float height = fitting(count);
    if (height < kSmallestRow && count > 1) {
        columns = 2;
        height = fitting((count + 1) / 2);
    }
    const int perColumn = (count + columns - 1) / columns;
    const float columnWidth = m_band.size.width / columns;
    const float width = std::min(kRowWidth, columnWidth - kColumnGap);
    // Everything inside a row (its text and the items' places) scales as one.
    m_scale = std::min(height / kRowHeight, width / kRowWidth);
    m_rowWidth = width;
    // The rows sit at the foot of the band, on the buttons' side: a layout's heading is often
    // drawn on art larger than its widget, while buttons are drawn as large as they are.
    const float top = m_band.getMinY() + height * perColumn;
    const float cardLeft = m_band.getMidX() - columnWidth * columns / 2 + (columnWidth - width) / 2 - kCardPadding;
    const float cardWidth = columnWidth * (columns - 1) + width + 2 * kCardPadding;
    // Vertically the card reaches only a little past the rows: less than the band's own margin.
    const float cardBottom = m_band.getMinY() - kCardPadding / 2;
    m_card->changeWidthAndHeight(cardWidth, top + kCardPadding / 2 - cardBottom);
    m_card->setPosition(ccp(cardLeft, cardBottom));
    m_card->setVisible(true);
    for (int i = 0; i < count; ++i) {
        Row& row = m_rows[static_cast<size_t>(i)];
        const float middle = m_band.getMinX() + columnWidth * (i / perColumn + 0.5f);
        const float left = middle - width / 2, right = middle + width / 2;
        const float y = top - height * (i % perColumn + 0.5f);
        // With a note, the name moves up to leave it the row's lower part.
        const float nameY = row.note && row.note->isVisible() ? y + height * 0.16f : y;
        row.name->setScale(m_scale);
        row.name->setPosition(ccp(left, nameY));
        if (row.note) row.note->setPosition(ccp(left, y - height * 0.3f));
        if (row.toggle) {
            // Right-aligned, so a longer value grows towards the name, not off the row.
            row.toggle->setScale(m_scale);
            row.toggle->setAnchorPoint(ccp(1, 0.5f));
            row.toggle->setPosition(ccp(right - 15 * m_scale, nameY));
        } else {
            for (CCNode* n : {static_cast<CCNode*>(row.value), row.minus, row.plus}) n->setScale(m_scale);
            row.value->setPosition(ccp(right - 90 * m_scale, y));
            row.minus->setPosition(ccp(right - 165 * m_scale, y));
            row.plus->setPosition(ccp(right - 15 * m_scale, y));
        }
    }
}

void SettingsRows::refresh() {
    for (Row& row : m_rows) {
        const std::string text = row.text();
        if (row.toggle) static_cast<CCMenuItemLabel*>(row.toggle)->setString(text.c_str());
        else if (row.value) row.value->setString(text.c_str());
        if (!row.note) continue;
        const std::string note = row.noteText();
        row.note->setString(note.c_str());
        row.note->setVisible(!note.empty());
        // One line under the name: a long reason is made smaller to stay within the row.
        const float room = m_rowWidth;
        const float wide = row.note->getContentSize().width;
        row.note->setScale(wide > room ? room / wide : 1.0f);
    }
    // A note shown or hidden moves its row's name.
    layout();
}

void SettingsRows::itemPressed(CCObject* sender) {
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) return;
    const int index = item->getTag() / kTagsPerRow, part = item->getTag() % kTagsPerRow;
    if (index < 0 || index >= static_cast<int>(m_rows.size())) return;
    Row& row = m_rows[static_cast<size_t>(index)];
    row.press(part == 0 ? 0 : part == 1 ? -1 : +1);
    refresh();
}

std::string SettingsRows::noteShown(const std::string& label) const {
    for (const Row& row : m_rows)
        if (row.label == label && row.note && row.note->isVisible()) return row.note->getString();
    return std::string();
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
