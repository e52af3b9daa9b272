// The unit menu scene and its page list.
#include "app/menus/UnitMenu.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/book/BookContents.h"
#include "app/book/ReaderState.h"
#include "app/book/StringTables.h"
#include "app/book/VisibleArea.h"
#include "app/menus/ListDrag.h"
#include "app/menus/MenuZOrders.h"
#include "app/navigation/Screens.h"
#include "engine/engine.h"
#include "engine/text/CCUTF8.h"

using namespace engine;

namespace app {

int unitFirstPage = 2;
int unitLastPage = 13;
int unitPageCount = 12;
CCPoint unitListPosition(0, 0);

namespace {
constexpr float kWordListDragHeight = 500;
constexpr size_t kMaxEntryTextBytes = 63;

// Entry texts hold at most 63 bytes; a longer one is cut on a character boundary.
std::string fitEntryText(const std::string& text) { return utf8::cutToBytes(text, kMaxEntryTextBytes); }
}  // namespace

// --- scenes ---------------------------------------------------------------------------

TestScene::TestScene() { CCScene::init(); }

void TestScene::onEnter() {
    CCScene::onEnter();
    const CCPoint o = VisibleArea::origin();
    const CCSize s = VisibleArea::size();
    CCLabelTTF* label = CCLabelTTF::create(caption("main_page").c_str(), "Arial", 40);
    CCMenuItemLabel* item = CCMenuItemLabel::create(label, this, menu_selector(TestScene::backToContents));
    CCMenu* menu = CCMenu::create(item, nullptr);
    menu->setPosition(ccp(0, 0));
    item->setPosition(ccp(o.x + s.width - 80, o.y + 30));
    addChild(menu, 1);
}

void TestScene::backToContents(CCObject*) { Screens::get().showContents(); }

void MenuTestScene::runScene() {
    MenuLayerMainMenu* layer = new MenuLayerMainMenu();
    layer->autorelease();
    addChild(layer, 0);
    CCDirector::sharedDirector()->replaceScene(this);
}

MenuTestScene* createUnitMenuScene() {
    CCDirector::sharedDirector()->purgeCachedData();
    return new MenuTestScene();
}

// --- page list ------------------------------------------------------------------------

MenuLayerMainMenu::MenuLayerMainMenu() {
    init();
    const CCPoint o = VisibleArea::origin();
    const CCSize s = VisibleArea::size();
    const std::vector<ContentsEntry>& contents = contentsEntries();
    const int unit = (selectedUnit >= 0 && selectedUnit < static_cast<int>(contents.size())) ? selectedUnit : 0;
    const ContentsEntry& entry = contents[unit];
    unitFirstPage = entry.firstPage;
    unitLastPage = entry.lastPage;
    unitPageCount = unitLastPage - unitFirstPage + 1;

    pageMenu = CCMenu::create();
    const std::string front = caption("page_front");
    const std::string after = caption("page_after");
    const std::string wordName = caption("wordname");

    const int entries = entry.wordList ? static_cast<int>(entry.sectionPages.size()) : unitPageCount;
    for (int i = 0; i < entries; ++i) {
        std::string text;
        int z;
        if (entry.wordList) {
            text = entry.sectionTitles[i].empty() ? CCString::createWithFormat("%s %d", wordName.c_str(), i + 1)->m_sString
                                                  : entry.sectionTitles[i];
            z = entry.sectionPages[i] - unitFirstPage + kEntryZOrderBase;
        } else {
            text = CCString::createWithFormat("%s %d %s", front.c_str(), unitFirstPage + i, after.c_str())->m_sString;
            z = kEntryZOrderBase + i;
        }
        text = fitEntryText(text);
        CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 60);
        CCMenuItemLabel* item = CCMenuItemLabel::create(label, this, menu_selector(MenuLayerMainMenu::pageItemCallback));
        pageMenu->addChild(item, z);
        item->setPosition(ccp(o.x + s.width / 2, o.y + s.height - 100 * (i + 1)));
    }
    pageMenu->setContentSize(CCSize(s.width, (unitPageCount + 1) * 100.0f));
    // The word list's few sections drag over a fixed height; a unit's list over its own rows.
    dragHeight = entry.wordList ? kWordListDragHeight : (unitPageCount + 1) * 100.0f;

    // Entries fly in from alternating sides, in the order they were added.
    const CCSize win = CCDirector::sharedDirector()->getWinSize();
    const int offset = static_cast<int>(win.width * 0.5f + 50);
    std::vector<CCNode*> byArrival;
    for (CCObject* obj : *pageMenu->getChildren()) byArrival.push_back(static_cast<CCNode*>(obj));
    std::sort(byArrival.begin(), byArrival.end(),
              [](CCNode* a, CCNode* b) { return a->getOrderOfArrival() < b->getOrderOfArrival(); });
    for (size_t k = 0; k < byArrival.size(); ++k) {
        CCNode* child = byArrival[k];
        float shift = (k % 2 == 0) ? -static_cast<float>(offset) : static_cast<float>(offset);
        CCPoint dest = child->getPosition();
        child->setPosition(ccp(dest.x + shift, dest.y));
        child->runAction(CCEaseElasticOut::create(CCMoveBy::create(2.0f, ccp(-shift, 0)), 0.35f));
    }

    setTouchEnabled(true);
    // Every unit's list shares the remembered offset; one scrolled far down a long list would
    // leave a short list above the screen, so it opens clamped to this list's own bounds (the
    // remembered offset itself is kept for the next list).
    const float lowest = std::max(0.0f, dragHeight - s.height);
    pageMenu->setPosition(ccp(unitListPosition.x, std::min(std::max(unitListPosition.y, 0.0f), lowest)));
    addChild(pageMenu, 0);

    m_focus = FocusRing::create();
    m_focus->setTargets(listFocusTargets(pageMenu));
    m_focus->setOnMove([this](const FocusTarget& t) { ListDrag::reveal(pageMenu, dragHeight, t.node, unitListPosition); });
    addChild(m_focus, kFocusZOrder);
    setKeyboardEnabled(true);
}

bool MenuLayerMainMenu::keyPressed(int key, int modifiers) {
    FocusRing::setKeyboardInUse(true);
    const ListKey done = listKeyPressed(*m_focus, key, modifiers);
    // Once leaving, a second key in the same frame must not leave again.
    if (done == ListKey::Opened) setKeyboardEnabled(false);
    if (done != ListKey::Other) return true;
    if (key != keys::kEscape) return false;
    setKeyboardEnabled(false);
    Screens::get().showContents();
    return true;
}

void MenuLayerMainMenu::pointerUsed() {
    FocusRing::setKeyboardInUse(false);
    m_focus->hide();
}

MenuLayerMainMenu::~MenuLayerMainMenu() = default;

void MenuLayerMainMenu::pageItemCallback(CCObject* sender) {
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) return;
    currentPage = item->getZOrder() - kEntryZOrderBase + unitFirstPage;
    Screens::get().showPage(PageTwin::First, PageEntry::Cut, 0);
}

void MenuLayerMainMenu::ccTouchesBegan(CCSet* touches, CCEvent*) { drag.begin(touches); }

void MenuLayerMainMenu::ccTouchesMoved(CCSet* touches, CCEvent*) {
    drag.move(touches, pageMenu, dragHeight, unitListPosition);
}

}  // namespace app
