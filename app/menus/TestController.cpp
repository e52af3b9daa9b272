// TestController: builds the contents screen and handles its entries and list dragging.
#include "app/menus/TestController.h"

#include <cstdio>

#include "app/book/BookContents.h"
#include "app/book/ReaderState.h"
#include "app/book/RememberedState.h"
#include "app/book/StringTables.h"
#include "app/book/VisibleArea.h"
#include "app/menus/ListDrag.h"
#include "app/menus/MenuZOrders.h"
#include "app/navigation/Screens.h"
#include "engine/engine.h"

using namespace engine;

namespace app {

CCPoint contentsListPosition(0, 0);

const char* const kFirstRunMarker = "ft.xml";
const char* const kFirstRunMarkerText = "qwpmrtkzvbnhyxe7310298";

namespace {
constexpr int kDragHintZOrder = 300000;
// "continue at page N" sits in the bottom margin, below every entry's resting place; its own
// menu keeps the list's entries exactly where they were.
constexpr float kContinueFontSize = 36;
constexpr float kContinueMargin = 34;
// The list's height for dragging: a row of 100 points an entry and one more (900 for the course
// book's eight entries).
float listHeight() { return (contentsEntries().size() + 1) * 100.0f; }
}  // namespace

TestController::TestController() {
    init();
    const CCPoint o = VisibleArea::origin();
    const CCSize s = VisibleArea::size();

    // Any read-aloud audio of a page ends when the contents come back.
    SimpleAudioEngine::sharedEngine()->setBackgroundMusicVolume(1.0f);
    SimpleAudioEngine::sharedEngine()->stopBackgroundMusic();

    // The walking figure paces the bottom edge for as long as the screen shows.
    CCSprite* walker = CCSprite::create("Images/grossini.png");
    walker->setPosition(ccp(o.x + 60, o.y + s.height / 10));
    CCActionInterval* walk = CCEaseInOut::create(CCMoveBy::create(3.0f, ccp(o.x + s.width - 130, 0)), 1.0f);
    CCActionInterval* back = static_cast<CCActionInterval*>(walk->reverse());
    CCDelayTime* pause = CCDelayTime::create(0.25f);
    CCAction* loop = CCRepeatForever::create(
        static_cast<CCActionInterval*>(CCSequence::create(walk, pause, back, static_cast<CCFiniteTimeAction*>(pause->copy()->autorelease()), nullptr)));
    walker->runAction(loop);
    addChild(walker, -1);

    addChild(CCLayerColor::create(ccc4(5, 230, 28, 234)), -10);

    unitMenu = CCMenu::create();
    dragHint = CCMenuItemImage::create("Images/drag.jpg", "Images/drag.jpg", this,
                                       menu_selector(TestController::menuCallback));
    dragHint->setPosition(ccp(o.x + s.width / 2 - 30, o.y + s.height / 2));

    const std::vector<ContentsEntry>& entries = contentsEntries();
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        std::string text = entries[i].title.empty() ? caption("wordname") : entries[i].title;
        CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 60);
        CCMenuItemLabel* item = CCMenuItemLabel::create(label, this, menu_selector(TestController::menuCallback));
        unitMenu->addChild(item, kEntryZOrderBase + i);
        item->setPosition(ccp(o.x + s.width / 2, o.y + s.height - 100 * (i + 1)));
    }
    unitMenu->addChild(dragHint, kDragHintZOrder);

    unitMenu->setContentSize(CCSize(s.width, listHeight()));
    unitMenu->setPosition(contentsListPosition);
    addChild(unitMenu, 0);

    setTouchEnabled(true);

    writeFirstRunMarker();
    dragHint->setVisible(false);

    m_resumePage = resumePage();
    std::vector<FocusTarget> targets = listFocusTargets(unitMenu);
    if (m_resumePage > 0) {
        bool found = false;
        std::string format = lookupString(kCaptionTable, "continue_page", &found);
        if (!found || format.find("%d") == std::string::npos) format = "Continue at page %d";
        const std::string text = CCString::createWithFormat(format.c_str(), m_resumePage)->m_sString;
        CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", kContinueFontSize);
        m_continue = CCMenuItemLabel::create(label, this, menu_selector(TestController::continueCallback));
        m_continue->setColor(ccc3(20, 20, 120));
        CCMenu* resume = CCMenu::create(m_continue, nullptr);
        resume->setPosition(ccp(0, 0));
        m_continue->setPosition(ccp(o.x + s.width / 2, o.y + kContinueMargin));
        addChild(resume, 1);
        targets.push_back({"entry", text, m_continue, [this] { m_continue->activate(); }, {}});
    }
    m_focus = FocusRing::create();
    m_focus->setTargets(std::move(targets));
    m_focus->setOnMove([this](const FocusTarget& t) {
        if (t.node && t.node->getParent() == unitMenu) ListDrag::reveal(unitMenu, listHeight(), t.node, contentsListPosition);
    });
    addChild(m_focus, kFocusZOrder);
    setKeyboardEnabled(true);
}

void TestController::continueCallback(CCObject*) {
    if (m_resumePage <= 0) return;
    currentPage = m_resumePage;
    Screens::get().showPage(PageTwin::First, PageEntry::Cut, 0);
}

bool TestController::keyPressed(int key, int modifiers) {
    FocusRing::setKeyboardInUse(true);
    const ListKey done = listKeyPressed(*m_focus, key, modifiers);
    // Once leaving, a second key in the same frame must not leave again.
    if (done == ListKey::Opened) setKeyboardEnabled(false);
    return done != ListKey::Other;
}

void TestController::pointerUsed() {
    FocusRing::setKeyboardInUse(false);
    m_focus->hide();
}

TestController::~TestController() = default;

void TestController::writeFirstRunMarker() {
    // Only whether the file opens matters; a book folder that cannot be written to is fine.
    std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename(kFirstRunMarker);
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        std::fclose(f);
        return;
    }
    if (FILE* f = std::fopen(path.c_str(), "w")) {
        std::fputs(kFirstRunMarkerText, f);
        std::fputc('\n', f);
        std::fclose(f);
        return;
    }
    // A read-only book keeps its marker with the rest of what is remembered about it.
    RememberedState::set(remembered::kFirstRun, kFirstRunMarkerText);
}

void TestController::menuCallback(CCObject* sender) {
    if (dragHint && dragHint->isVisible()) {
        dragHint->setVisible(false);
        return;
    }
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) return;
    selectedUnit = item->getZOrder() - kEntryZOrderBase;
    Screens::get().showUnitMenu();
}

void TestController::ccTouchesBegan(CCSet* touches, CCEvent*) { drag.begin(touches); }

void TestController::ccTouchesMoved(CCSet* touches, CCEvent*) {
    drag.move(touches, unitMenu, listHeight(), contentsListPosition);
}

}  // namespace app
