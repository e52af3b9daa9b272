// The widget tree: z-order ties, removal from a running subtree, sizes and percentages on entering, edges, hit boxes and bad input.
#include "WidgetTestKit.h"

using namespace engine;
using namespace ui;
using namespace widgets;

namespace {

class WidgetTree : public WidgetTest {};

std::vector<UIWidget*> childrenOf(UIWidget* w) {
    std::vector<UIWidget*> list;
    for (CCObject* o : *w->getChildren()) list.push_back(static_cast<UIWidget*>(o));
    return list;
}

std::vector<CCNode*> rendererChildrenOf(UIWidget* w) {
    std::vector<CCNode*> list;
    if (CCArray* a = w->getRenderer()->getChildren())
        for (CCObject* o : *a) list.push_back(static_cast<CCNode*>(o));
    return list;
}

UIWidget* withZ(int z) {
    UIWidget* w = UIWidget::create();
    w->setZOrder(z);
    return w;
}

}  // namespace

// --- z-order -------------------------------------------------------------------------------

TEST_F(WidgetTree, EqualZOrdersKeepTheOrderTheyWereAddedIn) {
    UIWidget* parent = UIWidget::create();
    UIWidget *a = withZ(1), *b = withZ(0), *c = withZ(1);
    ASSERT_TRUE(parent->addChild(a));
    ASSERT_TRUE(parent->addChild(b));
    ASSERT_TRUE(parent->addChild(c));
    EXPECT_EQ(childrenOf(parent), (std::vector<UIWidget*>{b, a, c}));
    // The scene graph holds the renderers in the same order.
    EXPECT_EQ(rendererChildrenOf(parent),
              (std::vector<CCNode*>{b->getRenderer(), a->getRenderer(), c->getRenderer()}));
}

TEST_F(WidgetTree, ALowerZOrderGoesFirstAndAHigherOneLast) {
    UIWidget* parent = UIWidget::create();
    UIWidget *a = withZ(5), *b = withZ(-3), *c = withZ(9), *d = withZ(5);
    for (UIWidget* w : {a, b, c, d}) parent->addChild(w);
    EXPECT_EQ(childrenOf(parent), (std::vector<UIWidget*>{b, a, d, c}));
}

TEST_F(WidgetTree, SetZOrderMovesAChildAfterItsEqualSiblings) {
    UIWidget* parent = UIWidget::create();
    UIWidget *a = withZ(1), *b = withZ(1), *c = withZ(1);
    for (UIWidget* w : {a, b, c}) parent->addChild(w);
    a->setZOrder(1);
    EXPECT_EQ(childrenOf(parent), (std::vector<UIWidget*>{b, c, a}));
    EXPECT_EQ(rendererChildrenOf(parent),
              (std::vector<CCNode*>{b->getRenderer(), c->getRenderer(), a->getRenderer()}));
    c->setZOrder(0);
    EXPECT_EQ(childrenOf(parent), (std::vector<UIWidget*>{c, b, a}));
    EXPECT_EQ(c->getRenderer()->getZOrder(), 0);
}

// --- removal -------------------------------------------------------------------------------

TEST_F(WidgetTree, RemoveAllChildrenOnARunningSubtreeRemovesOnlyTheDirectChildren) {
    UILayer* layer = stage();
    UIWidget* parent = UIWidget::create();
    ProbeWidget* child = ProbeWidget::create();
    ProbeWidget* grandchild = ProbeWidget::create();
    child->addChild(grandchild);
    parent->addChild(child);
    layer->addWidget(parent);
    ASSERT_TRUE(child->isRunning());
    ASSERT_TRUE(grandchild->isRunning());
    child->setFrameUpdateEnabled(true);
    grandchild->setFrameUpdateEnabled(true);
    redraw();
    ASSERT_EQ(child->updates, 1);
    ASSERT_EQ(grandchild->updates, 1);

    child->retain();
    parent->removeAllChildren();
    EXPECT_EQ(parent->getChildren()->count(), 0u);
    EXPECT_EQ(child->getWidgetParent(), nullptr);
    EXPECT_EQ(child->getRenderer()->getParent(), nullptr);
    EXPECT_FALSE(child->isRunning());
    EXPECT_FALSE(grandchild->isRunning());
    // The grandchild stays the child's: only direct children go.
    EXPECT_EQ(grandchild->getWidgetParent(), child);
    EXPECT_EQ(child->getChildren()->count(), 1u);
    // Updates of the whole removed subtree stop.
    redraw();
    EXPECT_EQ(child->updates, 1);
    EXPECT_EQ(grandchild->updates, 1);
    child->release();
}

TEST_F(WidgetTree, ARemovedChildIsReleasedOnceNothingElseHoldsIt) {
    UIWidget* parent = UIWidget::create();
    UIWidget* child = UIWidget::create();
    parent->addChild(child);
    child->retain();
    const unsigned int held = child->retainCount();
    EXPECT_TRUE(parent->removeChild(child));
    EXPECT_EQ(child->retainCount(), held - 1);
    child->release();
}

TEST_F(WidgetTree, AChildAddedToARunningParentEntersAndLeavesWithIt) {
    UILayer* layer = stage();
    Layout* panel = Layout::create();
    layer->addWidget(panel);
    UIWidget* child = UIWidget::create();
    EXPECT_FALSE(child->isRunning());
    panel->addChild(child);
    EXPECT_TRUE(child->isRunning());
    panel->removeFromParent();
    EXPECT_FALSE(panel->isRunning());
    EXPECT_FALSE(child->isRunning());
}

// --- bad input -----------------------------------------------------------------------------

TEST_F(WidgetTree, NullDuplicateSelfForeignAndCyclicChildrenChangeNothing) {
    UIWidget* parent = UIWidget::create();
    UIWidget* child = UIWidget::create();
    UIWidget* other = UIWidget::create();
    EXPECT_FALSE(parent->addChild(nullptr));
    EXPECT_TRUE(parent->addChild(child));
    EXPECT_FALSE(parent->addChild(child));
    EXPECT_FALSE(parent->addChild(parent));
    EXPECT_EQ(parent->getChildren()->count(), 1u);
    // A widget of another parent is not taken over.
    EXPECT_FALSE(other->addChild(child));
    EXPECT_EQ(child->getWidgetParent(), parent);
    EXPECT_EQ(other->getChildren()->count(), 0u);
    // No cycles: an ancestor cannot become a descendant.
    UIWidget* grandchild = UIWidget::create();
    child->addChild(grandchild);
    EXPECT_FALSE(grandchild->addChild(parent));
    EXPECT_EQ(parent->getWidgetParent(), nullptr);
    // Removing null or a widget that is not a child.
    EXPECT_FALSE(parent->removeChild(nullptr));
    EXPECT_FALSE(parent->removeChild(other));
    EXPECT_FALSE(parent->removeChild(grandchild));
    EXPECT_EQ(grandchild->getWidgetParent(), child);
    // Reordering a foreign widget does not adopt it.
    parent->reorderChild(other);
    EXPECT_EQ(parent->getChildren()->count(), 1u);
    // A widget without a parent leaves nothing.
    other->removeFromParent();
    EXPECT_EQ(other->getWidgetParent(), nullptr);
}

TEST_F(WidgetTree, NullAndEmptyNamesAreIgnored) {
    UIWidget* w = UIWidget::create();
    EXPECT_STREQ(w->getName(), "default");
    w->setName(nullptr);
    w->setName("");
    EXPECT_STREQ(w->getName(), "default");
    w->setName("ok");
    EXPECT_STREQ(w->getName(), "ok");
}

TEST_F(WidgetTree, NegativeAndNonNumberSizesBecomeZero) {
    UILayer* layer = stage();
    UIWidget* w = UIWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(-5, NAN));
    EXPECT_EQ(w->getSize(), CCSize(0, 0));
    w->setSize(CCSize(INFINITY, 12));
    EXPECT_EQ(w->getSize(), CCSize(0, 12));
    Layout* panel = Layout::create();
    panel->setSize(CCSize(NAN, -1));
    EXPECT_EQ(panel->getSize(), CCSize(0, 0));
    EXPECT_EQ(panel->getClippingRenderer()->getClippingSize(), CCSize(0, 0));
    EXPECT_FALSE(panel->hitTest(CCPoint(1, 1)));
    // A percentage of NaN gives 0, a negative one no negative size.
    layer->addWidget(panel);
    panel->setSizePercent(CCPoint(NAN, -0.5f));
    EXPECT_EQ(panel->getSize(), CCSize(0, 0));
    EXPECT_EQ(panel->getSizePercent(), CCPoint(0, -0.5f));
}

TEST_F(WidgetTree, OpacityIsClampedAndColourFollowsTheRenderer) {
    UIWidget* w = UIWidget::create();
    w->setOpacity(300);
    EXPECT_EQ(w->getOpacity(), 255);
    w->setOpacity(-4);
    EXPECT_EQ(w->getOpacity(), 0);
    w->setColor(ccc3(1, 2, 3));
    EXPECT_EQ(w->getColor(), ccc3(1, 2, 3));
    // A panel's clipping renderer has no colour: white and 255 whatever is asked.
    Layout* panel = Layout::create();
    panel->setColor(ccc3(1, 2, 3));
    panel->setOpacity(10);
    EXPECT_EQ(panel->getColor(), ccWHITE);
    EXPECT_EQ(panel->getOpacity(), 255);
    EXPECT_FALSE(panel->isCascadeColorEnabled());
    EXPECT_TRUE(w->isCascadeColorEnabled());
    EXPECT_TRUE(w->isCascadeOpacityEnabled());
}

// --- sizes and percentages -----------------------------------------------------------------

TEST_F(WidgetTree, ANewWidgetHasTheDocumentedState) {
    UIWidget* w = UIWidget::create();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isBright());
    EXPECT_FALSE(w->isTouchEnabled());
    EXPECT_FALSE(w->isFocused());
    EXPECT_EQ(w->getBrightStyle(), BRIGHT_STYLE_NORMAL);
    EXPECT_EQ(w->getTag(), -1);
    EXPECT_EQ(w->getActionTag(), 0);
    EXPECT_EQ(w->getAnchorPoint(), CCPoint(0.5f, 0.5f));
    EXPECT_TRUE(w->isIgnoreSize());
    EXPECT_EQ(w->getSize(), CCSize(0, 0));
    EXPECT_EQ(w->getWidgetKind(), WIDGET_KIND_PLAIN);
    EXPECT_STREQ(w->getTypeName(), "Widget");
    EXPECT_FALSE(w->isRunning());
    EXPECT_NE(dynamic_cast<GUIRenderer*>(w->getRenderer()), nullptr);
    EXPECT_EQ(w->getRendererNode(), w->getRenderer());
}

TEST_F(WidgetTree, SizeAndPositionBecomeFractionsOfTheParentOnEntering) {
    UILayer* layer = stage();
    Layout* panel = Layout::create();
    panel->setSize(CCSize(200, 100));
    ProbeWidget* child = ProbeWidget::create();
    child->setIgnoreSize(false);
    child->setSize(CCSize(50, 20));
    child->setPosition(CCPoint(100, 25));
    // Not running: setSize leaves the fraction alone.
    EXPECT_EQ(child->getSizePercent(), CCPoint(0, 0));
    EXPECT_EQ(child->getPositionPercent(), CCPoint(0, 0));
    panel->addChild(child);
    // Not on stage yet: still nothing.
    EXPECT_EQ(child->getSizePercent(), CCPoint(0, 0));
    child->resetCounts();
    layer->addWidget(panel);
    EXPECT_EQ(child->getSizePercent(), CCPoint(0.25f, 0.2f));
    EXPECT_EQ(child->getPositionPercent(), CCPoint(0.5f, 0.25f));
    EXPECT_EQ(child->sizeChanges, 1);
    // Running: position and size keep their fractions up to date.
    child->setPosition(CCPoint(50, 50));
    EXPECT_EQ(child->getPositionPercent(), CCPoint(0.25f, 0.5f));
    child->setSize(CCSize(100, 100));
    EXPECT_EQ(child->getSizePercent(), CCPoint(0.5f, 1.0f));
}

TEST_F(WidgetTree, PercentKindsPlaceAndSizeAgainstTheParentOnEntering) {
    UILayer* layer = stage();
    Layout* panel = Layout::create();
    panel->setSize(CCSize(200, 100));
    UIWidget* child = UIWidget::create();
    child->setIgnoreSize(false);
    child->setSizeType(SIZE_TYPE_PERCENT);
    child->setPositionType(POSITION_TYPE_PERCENT);
    child->setSizePercent(CCPoint(0.5f, 0.25f));  // not running: stored only
    EXPECT_EQ(child->getSize(), CCSize(0, 0));
    child->setPositionPercent(CCPoint(0.1f, 0.9f));
    panel->addChild(child);
    layer->addWidget(panel);
    EXPECT_EQ(child->getSize(), CCSize(100, 25));
    EXPECT_EQ(child->getCustomSize(), CCSize(100, 25));
    EXPECT_FLOAT_EQ(child->getPosition().x, 20);
    EXPECT_FLOAT_EQ(child->getPosition().y, 90);
    // Running: a new fraction resizes at once.
    child->setSizePercent(CCPoint(1, 1));
    EXPECT_EQ(child->getSize(), CCSize(200, 100));
}

TEST_F(WidgetTree, AZeroSizedParentGivesZeroFractionsNotInfinity) {
    UILayer* layer = stage();
    UIWidget* parent = UIWidget::create();  // ignores its size: 0 x 0
    UIWidget* child = UIWidget::create();
    child->setIgnoreSize(false);
    child->setSize(CCSize(10, 10));
    child->setPosition(CCPoint(30, 40));
    parent->addChild(child);
    layer->addWidget(parent);
    EXPECT_EQ(child->getSizePercent(), CCPoint(0, 0));
    EXPECT_EQ(child->getPositionPercent(), CCPoint(0, 0));
    EXPECT_EQ(child->getPosition(), CCPoint(30, 40));
}

TEST_F(WidgetTree, IgnoreSizeSwitchesBetweenContentAndCustomSize) {
    UIWidget* w = UIWidget::create();
    w->setSize(CCSize(30, 40));
    EXPECT_EQ(w->getSize(), CCSize(0, 0));  // ignoring: the base content size is the size itself
    EXPECT_EQ(w->getCustomSize(), CCSize(30, 40));
    w->setIgnoreSize(false);
    EXPECT_EQ(w->getSize(), CCSize(30, 40));
}

// --- edges and hit boxes -------------------------------------------------------------------

TEST_F(WidgetTree, EdgesUseTheAnchorOfPlainWidgetsOnly) {
    UIWidget* w = UIWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(40, 20));
    w->setPosition(CCPoint(100, 50));
    EXPECT_FLOAT_EQ(w->getLeftEdge(), 80);
    EXPECT_FLOAT_EQ(w->getBottomEdge(), 40);
    EXPECT_FLOAT_EQ(w->getRightEdge(), 120);
    EXPECT_FLOAT_EQ(w->getTopEdge(), 60);
    Layout* panel = Layout::create();
    panel->setSize(CCSize(40, 20));
    panel->setAnchorPoint(CCPoint(0.5f, 0.5f));
    panel->setPosition(CCPoint(100, 50));
    EXPECT_FLOAT_EQ(panel->getLeftEdge(), 100);
    EXPECT_FLOAT_EQ(panel->getBottomEdge(), 50);
    EXPECT_FLOAT_EQ(panel->getRightEdge(), 140);
    EXPECT_FLOAT_EQ(panel->getTopEdge(), 70);
}

TEST_F(WidgetTree, APointOnAnyEdgeOfTheBoxHits) {
    UILayer* layer = stage();
    UIWidget* w = UIWidget::create();
    w->setIgnoreSize(false);
    w->setSize(CCSize(40, 20));
    w->setPosition(CCPoint(100, 50));
    layer->addWidget(w);
    EXPECT_TRUE(w->hitTest(CCPoint(120, 60)));  // right and top edges
    EXPECT_TRUE(w->hitTest(CCPoint(80, 40)));   // left and bottom edges
    EXPECT_TRUE(w->hitTest(CCPoint(100, 50)));
    EXPECT_FALSE(w->hitTest(CCPoint(120.5f, 60)));
    EXPECT_FALSE(w->hitTest(CCPoint(100, 39.5f)));
    // A changed anchor moves the box around the same position.
    w->setAnchorPoint(CCPoint(0, 0));
    EXPECT_TRUE(w->hitTest(CCPoint(140, 70)));
    EXPECT_FALSE(w->hitTest(CCPoint(99, 50)));
}

TEST_F(WidgetTree, ChildrenOfAPlainWidgetArePlacedFromItsPosition) {
    UILayer* layer = stage();
    UIWidget* parent = UIWidget::create();
    parent->setPosition(CCPoint(100, 100));
    UIWidget* child = UIWidget::create();
    child->setIgnoreSize(false);
    child->setSize(CCSize(10, 10));
    child->setPosition(CCPoint(20, 0));
    parent->addChild(child);
    layer->addWidget(parent);
    EXPECT_TRUE(child->hitTest(CCPoint(120, 100)));
    EXPECT_FALSE(child->hitTest(CCPoint(20, 0)));
}

TEST_F(WidgetTree, ScaleRotationAndVisibilityGoToTheRenderer) {
    UIWidget* w = UIWidget::create();
    w->setScale(2);
    EXPECT_FLOAT_EQ(w->getRenderer()->getScaleX(), 2);
    w->setScaleY(3);
    EXPECT_FLOAT_EQ(w->getScaleY(), 3);
    w->setRotation(45);
    EXPECT_FLOAT_EQ(w->getRenderer()->getRotation(), 45);
    w->setVisible(false);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->getRenderer()->isVisible());
    w->setFlipX(true);
    EXPECT_FALSE(w->isFlipX());
}

TEST_F(WidgetTree, LayoutParametersAreRetainedAndReplaced) {
    UIWidget* w = UIWidget::create();
    LinearLayoutParameter* a = LinearLayoutParameter::create();
    a->retain();
    const unsigned int before = a->retainCount();
    w->setLayoutParameter(a);
    EXPECT_EQ(a->retainCount(), before + 1);
    w->setLayoutParameter(RelativeLayoutParameter::create());
    EXPECT_EQ(a->retainCount(), before);
    a->release();
}
