// The UI layer and its router: which widget a touch goes to, clipping, multi-touch, registration, and the helper's lookups.
#include "WidgetTestKit.h"

using namespace engine;
using namespace ui;
using namespace widgets;

namespace {

class TouchRouting : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        layer = stage();
    }
    // A touch-enabled plain widget of w x h centred on (x, y), listened to by the recorder.
    UIWidget* target(float x, float y, float w = 40, float h = 20) {
        UIWidget* widget = UIWidget::create();
        widget->setIgnoreSize(false);
        widget->setSize(CCSize(w, h));
        widget->setPosition(CCPoint(x, y));
        widget->setTouchEnabled(true);
        recorder.listenTo(widget);
        return widget;
    }
    UITouchRouter* router() { return layer->getInputRouter(); }
    UILayer* layer = nullptr;
};

}  // namespace

// --- choosing the widget -------------------------------------------------------------------

TEST_F(TouchRouting, OfTwoOverlappingSiblingsTheOneAddedLaterGetsTheTouch) {
    UIWidget* first = target(100, 100);
    UIWidget* second = target(110, 100);
    layer->addWidget(first);
    layer->addWidget(second);
    tap(105, 100);
    EXPECT_TRUE(recorder.typesFrom(first).empty());
    EXPECT_EQ(recorder.typesFrom(second), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    // A higher z-order wins whatever the order of adding.
    first->setZOrder(1);
    recorder.events.clear();
    tap(105, 100);
    EXPECT_EQ(recorder.typesFrom(first), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    EXPECT_TRUE(recorder.typesFrom(second).empty());
}

TEST_F(TouchRouting, ATouchGoesToTheDeepestTouchEnabledWidgetOnly) {
    Layout* panel = Layout::create();
    panel->setSize(CCSize(200, 200));
    panel->setPosition(CCPoint(50, 50));
    panel->setTouchEnabled(true);
    recorder.listenTo(panel);
    UIButton* button = UIButton::create();
    button->setIgnoreSize(false);
    button->setSize(CCSize(40, 20));
    button->setPosition(CCPoint(100, 100));  // in the panel's space
    button->setTouchEnabled(true);
    recorder.listenTo(button);
    panel->addChild(button);
    layer->addWidget(panel);

    tap(150, 150);  // the button's centre in the world
    EXPECT_EQ(recorder.typesFrom(button), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    EXPECT_TRUE(recorder.typesFrom(panel).empty());
    recorder.events.clear();
    tap(60, 60);  // the panel outside the button
    EXPECT_EQ(recorder.typesFrom(panel), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    EXPECT_TRUE(recorder.typesFrom(button).empty());
}

TEST_F(TouchRouting, InvisibleWidgetsStillTakeTouchesDisabledOnesDoNot) {
    UIWidget* below = target(100, 100);
    UIWidget* above = target(100, 100);
    layer->addWidget(below);
    layer->addWidget(above);
    above->setVisible(false);
    tap(100, 100);
    EXPECT_EQ(recorder.typesFrom(above).size(), 2u);
    recorder.events.clear();
    above->setEnabled(false);
    tap(100, 100);
    EXPECT_TRUE(recorder.typesFrom(above).empty());
    EXPECT_EQ(recorder.typesFrom(below).size(), 2u);
    // Not touch-enabled: passed over as well.
    recorder.events.clear();
    below->setTouchEnabled(false);
    tap(100, 100);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(TouchRouting, AChildOutsideItsParentIsStillTouchedWithoutClipping) {
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 100));
    UIWidget* child = target(150, 50);  // sticks out on the right
    panel->addChild(child);
    layer->addWidget(panel);
    tap(160, 50);
    EXPECT_EQ(recorder.typesFrom(child).size(), 2u);
}

TEST_F(TouchRouting, ClippingHidesAChildFromTouchesOutsideThePanel) {
    UIWidget* behind = target(160, 50);
    layer->addWidget(behind);
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 100));
    panel->setClipAble(true);
    UIWidget* child = target(120, 50, 80, 20);  // from x 80 to 160: half outside the panel
    panel->addChild(child);
    layer->addWidget(panel);

    tap(150, 50);  // outside the panel: the search goes on to the widget behind
    EXPECT_TRUE(recorder.typesFrom(child).empty());
    EXPECT_EQ(recorder.typesFrom(behind).size(), 2u);
    EXPECT_TRUE(child->isAffectedByClipping());
    recorder.events.clear();
    tap(90, 50);  // inside both
    EXPECT_EQ(recorder.typesFrom(child).size(), 2u);
    // Clipping off again: the child is touched outside the panel too.
    recorder.events.clear();
    panel->setClippingFlag(false);
    EXPECT_FALSE(panel->isClipAble());
    tap(150, 50);
    EXPECT_EQ(recorder.typesFrom(child).size(), 2u);
    EXPECT_FALSE(child->isAffectedByClipping());
}

TEST_F(TouchRouting, EveryClippingAncestorMustContainThePoint) {
    Layout* outer = Layout::create();
    outer->setSize(CCSize(100, 100));
    outer->setClipAble(true);
    Layout* middle = Layout::create();  // not clipping: passed over
    middle->setSize(CCSize(300, 300));
    Layout* inner = Layout::create();
    inner->setSize(CCSize(300, 300));
    inner->setClipAble(true);
    UIWidget* child = target(150, 50, 300, 100);
    inner->addChild(child);
    middle->addChild(inner);
    outer->addChild(middle);
    layer->addWidget(outer);
    tap(150, 50);  // inside the inner clipping panel, outside the outer one
    EXPECT_TRUE(recorder.events.empty());
    tap(50, 50);
    EXPECT_EQ(recorder.typesFrom(child).size(), 2u);
}

TEST_F(TouchRouting, TheRootNeverTakesATouchAndUnclaimedTouchesPassOn) {
    EXPECT_STREQ(layer->getRootWidget()->getTypeName(), "RootWidget");
    EXPECT_EQ(layer->getRootWidget()->getSize(), CCSize(kWidth, kHeight));
    EXPECT_TRUE(layer->getRootWidget()->isRunning());
    host->touchDown(10, 10);
    EXPECT_EQ(router()->getSelectedWidgets()->count(), 0u);
    EXPECT_TRUE(router()->isTouchDown());
    // Not claimed: the engine keeps the touch's later phases from the layer.
    host->touchMove(12, 10);
    host->touchUp(12, 10);
    EXPECT_TRUE(router()->isTouchDown());
    EXPECT_EQ(router()->getTouchMovedPoint(), CCPoint(0, 0));
}

// --- multi-touch ---------------------------------------------------------------------------

TEST_F(TouchRouting, ASecondFingerOnAnotherWidgetIsAddedAndEitherLiftEndsBoth) {
    UIWidget* a = target(100, 100);
    UIWidget* b = target(300, 100);
    layer->addWidget(a);
    layer->addWidget(b);
    host->touchDown(100, 100, 0);
    host->touchDown(300, 100, 1);
    EXPECT_EQ(router()->getSelectedWidgets()->count(), 2u);
    host->touchUp(300, 100, 1);  // the second finger lifts over b
    EXPECT_EQ(router()->getSelectedWidgets()->count(), 0u);
    // Both got the end, at the second finger's place; a still had focus, so it ended too.
    EXPECT_EQ(recorder.typesFrom(a), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    EXPECT_EQ(recorder.typesFrom(b), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_ENDED}));
    EXPECT_EQ(a->getTouchEndedPoint(), CCPoint(300, 100));
    EXPECT_EQ(b->getTouchEndedPoint(), CCPoint(300, 100));
    // The first finger's later phases reach nobody.
    host->touchMove(101, 100, 0);
    host->touchUp(101, 100, 0);
    EXPECT_EQ(recorder.events.size(), 4u);
}

TEST_F(TouchRouting, ASecondFingerOnNothingIsClaimedForTheFirstFingersWidget) {
    UIWidget* a = target(100, 100);
    layer->addWidget(a);
    host->touchDown(100, 100, 0);
    host->touchDown(350, 250, 1);  // on no widget, but the selection is not empty
    host->touchMove(105, 100, 1);  // the second finger's move goes to a
    EXPECT_EQ(a->getTouchMovedPoint(), CCPoint(105, 100));
    host->touchUp(105, 100, 1);
    EXPECT_EQ(recorder.typesFrom(a), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_ENDED}));
    host->touchUp(100, 100, 0);
    EXPECT_EQ(recorder.events.size(), 3u);
}

TEST_F(TouchRouting, ASecondFingerOnTheSameWidgetDoesNotDoubleItsEvents) {
    UIWidget* a = target(100, 100);
    layer->addWidget(a);
    host->touchDown(100, 100, 0);
    host->touchDown(105, 100, 1);
    EXPECT_EQ(router()->getSelectedWidgets()->count(), 1u);
    host->touchMove(106, 100, 1);
    host->touchUp(106, 100, 1);
    EXPECT_EQ(recorder.typesFrom(a),
              (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_BEGAN, TOUCH_MOVED, TOUCH_ENDED}));
}

TEST_F(TouchRouting, TheRouterRemembersWhereEachPhaseHappened) {
    UIWidget* a = target(100, 100);
    layer->addWidget(a);
    host->touchDown(100, 100);
    EXPECT_EQ(router()->getTouchBeganPoint(), CCPoint(100, 100));
    host->touchMove(102, 103);
    EXPECT_FALSE(router()->isTouchDown());
    EXPECT_EQ(router()->getTouchMovedPoint(), CCPoint(102, 103));
    host->touchCancel(104, 105);
    EXPECT_EQ(router()->getTouchEndedPoint(), CCPoint(104, 105));
    EXPECT_EQ(recorder.typesFrom(a), (std::vector<TouchEventType>{TOUCH_BEGAN, TOUCH_MOVED, TOUCH_CANCELED}));
}

// --- the layer -----------------------------------------------------------------------------

TEST_F(TouchRouting, TheLayerTakesTouchesOnlyWhileOnStage) {
    UIWidget* a = target(100, 100);
    layer->addWidget(a);
    CCTouchDispatcher* dispatcher = CCDirector::sharedDirector()->getTouchDispatcher();
    EXPECT_TRUE(dispatcher->hasDelegate(layer));
    EXPECT_EQ(layer->getTouchMode(), kCCTouchesOneByOne);
    layer->retain();
    layer->removeFromParentAndCleanup(true);
    EXPECT_FALSE(dispatcher->hasDelegate(layer));
    tap(100, 100);
    EXPECT_TRUE(recorder.events.empty());
    // The root still counts as running off stage.
    EXPECT_TRUE(layer->getRootWidget()->isRunning());
    layer->release();
}

TEST_F(TouchRouting, HidingTheLayerHidesTheRootAndClearEmptiesIt) {
    layer->addWidget(target(100, 100));
    layer->setVisible(false);
    EXPECT_FALSE(layer->getRootWidget()->isVisible());
    EXPECT_FALSE(layer->getRootWidget()->getRenderer()->isVisible());
    layer->setVisible(true);
    EXPECT_TRUE(layer->getRootWidget()->isVisible());
    layer->clear();
    EXPECT_EQ(layer->getRootWidget()->getChildren()->count(), 0u);
    EXPECT_FALSE(layer->addWidget(nullptr));
}

TEST_F(TouchRouting, AMenuIsAskedBeforeTheLayerAndSwallowsTheTouch) {
    UIWidget* a = target(100, 100);
    layer->addWidget(a);
    bool menuItemHit = false;
    struct Target : CCObject {
        bool* hit;
        void onItem(CCObject*) { *hit = true; }
    } menuTarget;
    menuTarget.hit = &menuItemHit;
    CCMenuItem* item = CCMenuItem::create(&menuTarget, menu_selector(Target::onItem));
    item->setContentSize(CCSize(40, 20));
    CCMenu* menu = CCMenu::create(item, nullptr);
    menu->setPosition(CCPoint(100, 100));
    CCDirector::sharedDirector()->getRunningScene()->addChild(menu);
    tap(100, 100);
    EXPECT_TRUE(menuItemHit);  // menus are asked first (priority -128) and swallow
    EXPECT_TRUE(recorder.events.empty());
}

// --- lookups -------------------------------------------------------------------------------

TEST_F(TouchRouting, LookupsByNameWalkDepthFirstRootFirst) {
    UIWidget* root = UIWidget::create();
    UIWidget* a = UIWidget::create();
    UIWidget* a1 = UIWidget::create();
    UIWidget* b = UIWidget::create();
    root->setName("root");
    a->setName("a");
    a1->setName("twin");
    b->setName("twin");
    a->addChild(a1);
    root->addChild(a);
    root->addChild(b);
    GUIHelper* helper = GUIHelper::sharedHelper();
    EXPECT_EQ(helper->findWidgetByName(root, "root"), root);
    EXPECT_EQ(helper->findWidgetByName(root, "twin"), a1);  // met first in pre-order
    EXPECT_EQ(helper->findWidgetByName(root, "Twin"), nullptr);
    EXPECT_EQ(helper->findWidgetByName(root, "missing"), nullptr);
    EXPECT_EQ(helper->findWidgetByName(nullptr, "a"), nullptr);
    EXPECT_EQ(helper->findWidgetByName(root, nullptr), nullptr);
    EXPECT_EQ(helper->findWidgetByName(root, ""), nullptr);
    // Unnamed widgets are "default": the first one is found.
    UIWidget* unnamed = UIWidget::create();
    b->addChild(unnamed);
    EXPECT_EQ(helper->findWidgetByName(root, "default"), unnamed);
    // Through the layer.
    layer->addWidget(root);
    EXPECT_EQ(layer->getWidgetByName("a"), a);
    EXPECT_EQ(layer->getWidgetByName(nullptr), nullptr);
}

TEST_F(TouchRouting, LookupsByActionTagAndRelativeName) {
    Layout* panel = Layout::create();
    UIWidget* a = UIWidget::create();
    UIWidget* b = UIWidget::create();
    UIWidget* deep = UIWidget::create();
    a->setActionTag(7);
    deep->setActionTag(9);
    b->addChild(deep);
    RelativeLayoutParameter* pa = RelativeLayoutParameter::create();
    pa->setRelativeName("left");
    a->setLayoutParameter(pa);
    RelativeLayoutParameter* pd = RelativeLayoutParameter::create();
    pd->setRelativeName("deep");
    deep->setLayoutParameter(pd);
    LinearLayoutParameter* pb = LinearLayoutParameter::create();
    b->setLayoutParameter(pb);
    panel->addChild(a);
    panel->addChild(b);
    GUIHelper* helper = GUIHelper::sharedHelper();
    EXPECT_EQ(helper->findWidgetByActionTag(panel, 9), deep);
    EXPECT_EQ(helper->findWidgetByActionTag(panel, 7), a);
    EXPECT_EQ(helper->findWidgetByActionTag(panel, 8), nullptr);
    EXPECT_EQ(helper->findWidgetByRelativeName(panel, "left"), a);
    EXPECT_EQ(helper->findWidgetByRelativeName(panel, "deep"), nullptr);  // direct children only
    EXPECT_EQ(helper->findWidgetByRelativeName(panel, ""), nullptr);
    EXPECT_EQ(helper->findWidgetByRelativeName(nullptr, "left"), nullptr);
}

TEST_F(TouchRouting, ADeepTreeIsSearchedToTheBottomAndTouchedThere) {
    UIWidget* top = UIWidget::create();
    UIWidget* w = top;
    for (int i = 0; i < 300; ++i) {
        UIWidget* c = UIWidget::create();
        w->addChild(c);
        w = c;
    }
    w->setName("bottom");
    EXPECT_EQ(GUIHelper::sharedHelper()->findWidgetByName(top, "bottom"), w);
    w->setIgnoreSize(false);
    w->setSize(CCSize(10, 10));
    w->setTouchEnabled(true);
    recorder.listenTo(w);
    layer->addWidget(top);
    tap(0, 0);
    EXPECT_EQ(recorder.typesFrom(w).size(), 2u);
}

TEST_F(TouchRouting, TheHelperLoadsASpriteSheetOnceAndStartsFromTheWindowSize) {
    GUIHelper* helper = GUIHelper::sharedHelper();
    EXPECT_FLOAT_EQ(helper->getFileDesignWidth(), kWidth);
    EXPECT_FLOAT_EQ(helper->getFileDesignHeight(), kHeight);
    solidPNG("sheet.png", 8, 8, kRed);
    testsupport::writeFile(dir + "/sheet.plist",
                           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<plist version=\"1.0\"><dict><key>frames</key><dict>"
                           "<key>dot.png</key><dict><key>frame</key><string>{{0,0},{8,8}}</string>"
                           "<key>offset</key><string>{0,0}</string><key>rotated</key><false/>"
                           "<key>sourceSize</key><string>{8,8}</string></dict></dict>"
                           "<key>metadata</key><dict><key>format</key><integer>2</integer>"
                           "<key>textureFileName</key><string>sheet.png</string></dict></dict></plist>\n");
    helper->loadSpriteSheet("sheet.plist");
    ASSERT_NE(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("dot.png"), nullptr);
    // Dropped from the cache: a second load of the same name must not bring it back.
    CCSpriteFrameCache::sharedSpriteFrameCache()->removeSpriteFrames();
    helper->loadSpriteSheet("sheet.plist");
    EXPECT_EQ(CCSpriteFrameCache::sharedSpriteFrameCache()->spriteFrameByName("dot.png"), nullptr);
    EXPECT_EQ(helper->getLoadedSpriteFrameFiles()->count(), 1u);
    helper->loadSpriteSheet(nullptr);
    helper->loadSpriteSheet("");
    EXPECT_EQ(helper->getLoadedSpriteFrameFiles()->count(), 1u);
}

namespace {
int s_purgeHookRuns = 0;
void countPurge() { ++s_purgeHookRuns; }
}  // namespace

TEST_F(TouchRouting, PurgingTheHelperRunsItsHooksAndStartsAfresh) {
    GUIHelper::addPurgeHook(&countPurge);
    GUIHelper::addPurgeHook(&countPurge);
    GUIHelper::sharedHelper()->setFileDesignWidth(1);
    GUIHelper::sharedHelper()->loadSpriteSheet("missing.plist");
    const int before = s_purgeHookRuns;
    GUIHelper::purgeHelper();
    EXPECT_EQ(s_purgeHookRuns, before + 1);
    EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignWidth(), kWidth);
    EXPECT_EQ(GUIHelper::sharedHelper()->getLoadedSpriteFrameFiles()->count(), 0u);
}
