// TestController: builds the contents screen and handles its entries and list dragging.
#include "app/menus/TestController.h"

#include <cstdio>

#include "app/menus/StringTables.h"
#include "app/menus/UnitMenu.h"
#include "app/menus/VisibleArea.h"
#include "engine/engine.h"

using namespace engine;

namespace app {

const char* const unitNames[7] = {"Unit 1", "Unit 2", "Unit 3", "Unit 4", "Recycle 1", "Recycle 2", "Appendix"};
int selectedUnit = 0;
CCPoint contentsListPosition(0, 0);

const char* const kFirstRunMarker = "ft.xml";
const char* const kFirstRunMarkerText = "qwpmrtkzvbnhyxe7310298";

namespace {
constexpr int kEntryZOrderBase = 10000;
constexpr int kDragHintZOrder = 300000;
constexpr float kListHeight = 900;
}  // namespace

TestController::TestController() : touchStart(0, 0) {
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

    for (int i = 0; i < 8; ++i) {
        std::string text = i < 7 ? unitNames[i] : caption("wordname");
        CCLabelTTF* label = CCLabelTTF::create(text.c_str(), "Arial", 60);
        CCMenuItemLabel* item = CCMenuItemLabel::create(label, this, menu_selector(TestController::menuCallback));
        unitMenu->addChild(item, kEntryZOrderBase + i);
        item->setPosition(ccp(o.x + s.width / 2, o.y + s.height - 100 * (i + 1)));
    }
    unitMenu->addChild(dragHint, kDragHintZOrder);

    unitMenu->setContentSize(CCSize(s.width, kListHeight));
    unitMenu->setPosition(contentsListPosition);
    addChild(unitMenu, 0);

    setTouchEnabled(true);

    writeFirstRunMarker();
    dragHint->setVisible(false);
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
    }
}

void TestController::menuCallback(CCObject* sender) {
    if (dragHint && dragHint->isVisible()) {
        dragHint->setVisible(false);
        return;
    }
    CCNode* item = dynamic_cast<CCNode*>(sender);
    if (!item) return;
    selectedUnit = item->getZOrder() - kEntryZOrderBase;
    if (MenuTestScene* scene = createUnitMenuScene()) {
        scene->runScene();
        scene->release();
    }
}

void TestController::ccTouchesBegan(CCSet* touches, CCEvent*) {
    CCTouch* touch = touches && touches->count() ? static_cast<CCTouch*>(*touches->begin()) : nullptr;
    if (touch) touchStart = touch->getLocation();
}

void TestController::ccTouchesMoved(CCSet* touches, CCEvent*) {
    CCTouch* touch = touches && touches->count() ? static_cast<CCTouch*>(*touches->begin()) : nullptr;
    if (!touch || !unitMenu) return;
    const float h = VisibleArea::size().height;
    CCPoint loc = touch->getLocation();
    float dy = loc.y - touchStart.y;
    CCPoint next(unitMenu->getPosition().x, unitMenu->getPosition().y + dy);
    // The lower bound is tested first; a clamped move keeps the old start point.
    if (next.y < 0) {
        unitMenu->setPosition(ccp(0, 0));
        return;
    }
    if (next.y > kListHeight - h) {
        unitMenu->setPosition(ccp(0, kListHeight - h));
        return;
    }
    unitMenu->setPosition(next);
    touchStart = loc;
    contentsListPosition = next;
}

}  // namespace app
