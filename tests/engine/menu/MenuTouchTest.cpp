// CCMenu driven by touches through the director's dispatcher: taps, slides, hidden and
// disabled items, invisible ancestors, swallowing and the order of several menus.
#include <gtest/gtest.h>

#include "MenuTestKit.h"

using namespace engine;
using menukit::Finger;
using menukit::plainItem;
using menukit::WitnessLayer;

namespace {
using MenuTouch = menukit::MenuTest;
}

TEST_F(MenuTouch, TapCallsTheSelectorOnceWithTheItemAsSender) {
    CCMenu* menu = addMenu();
    CCMenuItem* item = plainItem(receiver, 200, 300);
    CCMenuItem* other = plainItem(receiver, 200, 100);
    menu->addChild(item);
    menu->addChild(other);
    Finger finger;
    finger.down(230, 310);
    EXPECT_TRUE(item->isSelected());
    EXPECT_EQ(menu->getSelectedItem(), item);
    EXPECT_TRUE(receiver->senders.empty());  // nothing before the finger is lifted
    finger.up(230, 310);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], item);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(menu->getState(), kCCMenuStateWaiting);

    // The edges belong to the item; a point just outside does not.
    finger.tap(150, 275);
    EXPECT_EQ(receiver->senders.size(), 2u);
    finger.tap(149, 300);
    finger.tap(200, 326);
    EXPECT_EQ(receiver->senders.size(), 2u);
}

TEST_F(MenuTouch, SlidingOffAndReleasingElsewhereCallsNothing) {
    CCMenu* menu = addMenu();
    CCMenuItem* item = plainItem(receiver, 200, 300);
    menu->addChild(item);
    Finger finger;
    finger.down(200, 300);
    finger.move(200, 360);
    EXPECT_FALSE(item->isSelected());
    EXPECT_EQ(menu->getSelectedItem(), nullptr);
    finger.up(400, 600);
    EXPECT_TRUE(receiver->senders.empty());
    // The menu is ready for the next press.
    finger.tap(200, 300);
    EXPECT_EQ(receiver->senders.size(), 1u);
}

TEST_F(MenuTouch, SlidingBackOverTheItemBeforeReleaseCallsIt) {
    CCMenu* menu = addMenu();
    CCMenuItem* item = plainItem(receiver, 200, 300);
    menu->addChild(item);
    Finger finger;
    finger.down(200, 300);
    finger.move(400, 300);
    EXPECT_FALSE(item->isSelected());
    finger.move(210, 290);
    EXPECT_TRUE(item->isSelected());
    finger.up(210, 290);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], item);
}

TEST_F(MenuTouch, SlidingOntoAnotherItemSelectsAndActivatesThatOne) {
    CCMenu* menu = addMenu();
    CCMenuItem* first = plainItem(receiver, 200, 300);
    CCMenuItem* second = plainItem(receiver, 200, 400);
    menu->addChild(first);
    menu->addChild(second);
    Finger finger;
    finger.down(200, 300);
    finger.move(200, 400);
    EXPECT_FALSE(first->isSelected());
    EXPECT_TRUE(second->isSelected());
    finger.up(200, 400);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], second);
}

TEST_F(MenuTouch, ReleaseAwayFromTheTrackedItemWithoutAMoveCallsNothing) {
    CCMenu* menu = addMenu();
    menu->addChild(plainItem(receiver, 200, 300));
    Finger finger;
    finger.down(200, 300);
    finger.up(500, 800);
    EXPECT_TRUE(receiver->senders.empty());
}

TEST_F(MenuTouch, CancelledTouchUnselectsAndCallsNothing) {
    CCMenu* menu = addMenu();
    CCMenuItem* item = plainItem(receiver, 200, 300);
    menu->addChild(item);
    Finger finger;
    finger.down(200, 300);
    finger.cancel(200, 300);
    EXPECT_FALSE(item->isSelected());
    EXPECT_TRUE(receiver->senders.empty());
    EXPECT_EQ(menu->getState(), kCCMenuStateWaiting);
}

TEST_F(MenuTouch, HiddenAndDisabledItemsDoNotReactAndLeaveTheTouchToOthers) {
    WitnessLayer* witness = WitnessLayer::create();
    scene->addChild(witness);
    CCMenu* menu = addMenu();
    CCMenuItem* hidden = plainItem(receiver, 200, 300);
    CCMenuItem* disabled = plainItem(receiver, 200, 500);
    hidden->setVisible(false);
    disabled->setEnabled(false);
    menu->addChild(hidden);
    menu->addChild(disabled);
    Finger finger;
    finger.tap(200, 300);
    finger.tap(200, 500);
    EXPECT_TRUE(receiver->senders.empty());
    EXPECT_FALSE(hidden->isSelected());
    EXPECT_FALSE(disabled->isSelected());
    EXPECT_EQ(witness->seen, (std::vector<std::string>{"began", "ended", "began", "ended"}));

    // A hidden item above a visible one lets the lower one take the touch.
    CCMenuItem* below = plainItem(receiver, 200, 300);
    menu->addChild(below, -1);
    finger.tap(200, 300);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], below);

    // Disabling an item while it is pressed keeps it from being activated.
    finger.down(200, 300);
    below->setEnabled(false);
    finger.up(200, 300);
    EXPECT_EQ(receiver->senders.size(), 1u);
}

TEST_F(MenuTouch, MenusThatAreHiddenDisabledOrUnderAHiddenAncestorDoNotReact) {
    CCNode* outer = CCNode::create();
    CCNode* inner = CCNode::create();
    scene->addChild(outer);
    outer->addChild(inner);
    CCMenu* menu = addMenu(inner);
    menu->addChild(plainItem(receiver, 200, 300));
    Finger finger;

    outer->setVisible(false);
    finger.tap(200, 300);
    EXPECT_TRUE(receiver->senders.empty());
    outer->setVisible(true);

    inner->setVisible(false);
    finger.tap(200, 300);
    EXPECT_TRUE(receiver->senders.empty());
    inner->setVisible(true);

    menu->setVisible(false);
    finger.tap(200, 300);
    EXPECT_TRUE(receiver->senders.empty());
    menu->setVisible(true);

    menu->setEnabled(false);
    finger.tap(200, 300);
    EXPECT_TRUE(receiver->senders.empty());
    menu->setEnabled(true);

    // All visible and enabled again: the same tap works.
    finger.tap(200, 300);
    EXPECT_EQ(receiver->senders.size(), 1u);
}

TEST_F(MenuTouch, MenuSwallowsTheTouchesItClaims) {
    WitnessLayer* witness = WitnessLayer::create();
    scene->addChild(witness);
    CCMenu* menu = addMenu();
    menu->addChild(plainItem(receiver, 200, 300));
    Finger finger;
    finger.down(200, 300);
    finger.move(205, 305);
    finger.move(400, 700);  // even after leaving the item the touch stays the menu's
    finger.up(400, 700);
    EXPECT_TRUE(witness->seen.empty());
    // A touch that misses every item goes on to the layer.
    finger.tap(600, 900);
    EXPECT_EQ(witness->seen, (std::vector<std::string>{"began", "ended"}));
}

TEST_F(MenuTouch, OfTwoMenusTheLowerPriorityIsAskedFirst) {
    CCMenu* front = addMenu();
    CCMenu* back = addMenu();  // registered later: at equal priority it would come first
    CCMenuItem* frontItem = plainItem(receiver, 200, 300);
    frontItem->setTarget(receiver, menu_selector(menukit::Receiver::onOther));
    CCMenuItem* backItem = plainItem(receiver, 200, 300);
    front->addChild(frontItem);
    back->addChild(backItem);
    Finger finger;

    finger.tap(200, 300);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], backItem);
    EXPECT_TRUE(receiver->others.empty());

    front->setHandlerPriority(kCCMenuHandlerPriority - 1);
    EXPECT_EQ(front->getTouchPriority(), kCCMenuHandlerPriority - 1);
    finger.tap(200, 300);
    ASSERT_EQ(receiver->others.size(), 1u);
    EXPECT_EQ(receiver->others[0], frontItem);
    EXPECT_EQ(receiver->senders.size(), 1u);

    // A touch that the first menu does not claim still reaches the second.
    CCMenuItem* backOnly = plainItem(receiver, 500, 800);
    back->addChild(backOnly);
    finger.tap(500, 800);
    ASSERT_EQ(receiver->senders.size(), 2u);
    EXPECT_EQ(receiver->senders[1], backOnly);
}

TEST_F(MenuTouch, TopmostItemWinsAndZOrderCarriesTheItemsIdentity) {
    CCMenu* menu = addMenu();
    std::vector<CCMenuItem*> items;
    for (int i = 0; i < 8; ++i) {
        CCMenuItem* item = plainItem(receiver, 320, 860 - 100 * i, 400, 80);
        menu->addChild(item, 10000 + i);
        items.push_back(item);
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(items[i]->getZOrder(), 10000 + i);
    Finger finger;
    finger.tap(320, 560);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(static_cast<CCNode*>(receiver->senders[0])->getZOrder() - 10000, 3);

    // Overlapping items: the one drawn last (highest z) is hit.
    CCMenuItem* over = plainItem(receiver, 320, 560, 50, 50);
    menu->addChild(over, 300000);
    finger.tap(320, 560);
    EXPECT_EQ(receiver->senders.back(), over);
}

TEST_F(MenuTouch, TouchesAreMappedIntoAMovedAndScaledMenu) {
    CCMenu* menu = addMenu();
    menu->addChild(plainItem(receiver, 100, 100));
    menu->setPosition(CCPoint(0, 200));  // a dragged list
    Finger finger;
    finger.tap(100, 100);
    EXPECT_TRUE(receiver->senders.empty());
    finger.tap(100, 300);
    EXPECT_EQ(receiver->senders.size(), 1u);

    // A scaled menu: hits follow the item where the menu's transform draws it.
    CCMenu* scaled = addMenu();
    scaled->setHandlerPriority(kCCMenuHandlerPriority - 1);
    CCSize win = CCDirector::sharedDirector()->getWinSize();
    scaled->setScale(2);
    CCMenuItem* item = plainItem(receiver, win.width / 2 + 20, win.height / 2, 10, 10);
    scaled->addChild(item);
    CCPoint drawnAt = scaled->convertToWorldSpace(item->getPosition());
    CCPoint unscaledAt = scaled->getPosition() + item->getPosition();
    ASSERT_GT(drawnAt.getDistance(unscaledAt), 12);  // the scale really moved it
    finger.tap(unscaledAt.x, unscaledAt.y);
    EXPECT_EQ(receiver->senders.size(), 1u);
    finger.tap(drawnAt.x + 8, drawnAt.y - 8);  // inside the doubled 20 x 20 box
    EXPECT_EQ(receiver->senders.size(), 2u);
    EXPECT_EQ(receiver->senders.back(), item);
}

TEST_F(MenuTouch, AMenuLeavingTheSceneStopsTrackingAndListening) {
    WitnessLayer* witness = WitnessLayer::create();
    scene->addChild(witness);
    CCMenu* menu = addMenu();
    CCMenuItem* item = plainItem(receiver, 200, 300);
    menu->addChild(item);
    Finger finger;
    finger.down(200, 300);
    menu->retain();
    menu->removeFromParent();
    EXPECT_FALSE(item->isSelected());
    finger.up(200, 300);
    EXPECT_TRUE(receiver->senders.empty());
    size_t seenBefore = witness->seen.size();
    finger.tap(200, 300);
    EXPECT_TRUE(receiver->senders.empty());
    // The new tap is nobody's but the layer's.
    EXPECT_EQ(witness->seen.size(), seenBefore + 2);
    EXPECT_FALSE(CCDirector::sharedDirector()->getTouchDispatcher()->hasDelegate(menu));
    // Back in the scene, it listens again.
    scene->addChild(menu);
    menu->release();
    finger.tap(200, 300);
    EXPECT_EQ(receiver->senders.size(), 1u);
}

TEST_F(MenuTouch, SecondFingerIsIgnoredWhileOneIsTracked) {
    CCMenu* menu = addMenu();
    CCMenuItem* a = plainItem(receiver, 200, 300);
    CCMenuItem* b = plainItem(receiver, 200, 500);
    menu->addChild(a);
    menu->addChild(b);
    Finger first(0), second(1);
    first.down(200, 300);
    second.down(200, 500);
    EXPECT_FALSE(b->isSelected());
    second.up(200, 500);
    first.up(200, 300);
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], a);
}

namespace {
// A handler that takes its own item out of the menu.
class Remover : public CCObject {
public:
    void onItem(CCObject* sender) {
        auto* item = static_cast<CCNode*>(sender);
        item->removeFromParent();
        ++calls;
    }
    int calls = 0;
};
}  // namespace

TEST_F(MenuTouch, AHandlerMayRemoveItsItem) {
    CCMenu* menu = addMenu();
    auto* remover = new Remover();
    CCMenuItem* item = CCMenuItem::create(remover, menu_selector(Remover::onItem));
    item->setContentSize(CCSize(100, 50));
    item->setPosition(CCPoint(200, 300));
    menu->addChild(item);
    frames(1);  // the creation references are gone: the menu holds the only one
    Finger finger;
    finger.tap(200, 300);
    EXPECT_EQ(remover->calls, 1);
    EXPECT_EQ(menu->getChildrenCount(), 0u);
    finger.tap(200, 300);
    EXPECT_EQ(remover->calls, 1);
    remover->release();
}

TEST_F(MenuTouch, CreationFromItemsAndOnlyItemsAsChildren) {
    menukit::LogSink log;
    CCMenuItem* a = plainItem(receiver, 0, 0);
    CCMenuItem* b = plainItem(receiver, 0, 0);
    CCMenuItem* c = plainItem(receiver, 0, 0);
    CCMenu* menu = CCMenu::create(a, b, c, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getChildrenCount(), 3u);
    EXPECT_EQ(a->getZOrder(), 0);
    EXPECT_EQ(b->getZOrder(), 1);
    EXPECT_EQ(c->getZOrder(), 2);
    EXPECT_EQ(menu->getTouchPriority(), kCCMenuHandlerPriority);
    CCSize win = CCDirector::sharedDirector()->getWinSize();
    EXPECT_TRUE(menu->getPosition().equals(CCPoint(win.width / 2, win.height / 2)));

    menu->addChild(CCNode::create());
    EXPECT_EQ(menu->getChildrenCount(), 3u);
    EXPECT_TRUE(log.contains("only menu items"));

    CCArray* list = CCArray::create(plainItem(receiver, 0, 0), CCNode::create(), nullptr);
    CCMenu* fromArray = CCMenu::createWithArray(list);
    EXPECT_EQ(fromArray->getChildrenCount(), 1u);
    EXPECT_EQ(CCMenu::createWithItem(plainItem(receiver, 0, 0))->getChildrenCount(), 1u);
    EXPECT_EQ(CCMenu::create()->getChildrenCount(), 0u);
}
