// The panel: its initial state, background colour kinds and images, clipping on screen, and the column, row and relative layouts' numbers.
#include "WidgetTestKit.h"

using namespace engine;
using namespace ui;
using namespace widgets;

namespace {

class Panel : public WidgetTest {};

// A plain widget of the given size, anchor (0.5, 0.5), with a parameter.
UIWidget* sized(float w, float h, LayoutParameter* parameter) {
    UIWidget* widget = UIWidget::create();
    widget->setIgnoreSize(false);
    widget->setSize(CCSize(w, h));
    widget->setLayoutParameter(parameter);
    return widget;
}

LinearLayoutParameter* linear(LinearGravity gravity = GRAVITY_NONE, LayoutMargin margin = LayoutMargin()) {
    LinearLayoutParameter* p = LinearLayoutParameter::create();
    p->setGravity(gravity);
    p->setMargin(margin);
    return p;
}

RelativeLayoutParameter* relative(int align, const char* to = "", const char* name = "",
                                  LayoutMargin margin = LayoutMargin()) {
    RelativeLayoutParameter* p = RelativeLayoutParameter::create();
    p->setAlign(static_cast<RelativeAlign>(align));
    p->setRelativeToWidgetName(to);
    p->setRelativeName(name);
    p->setMargin(margin);
    return p;
}

int countChildrenOfType(CCNode* node, bool (*is)(CCNode*)) {
    int n = 0;
    if (CCArray* a = node->getChildren())
        for (CCObject* o : *a)
            if (is(static_cast<CCNode*>(o))) ++n;
    return n;
}
bool isGradient(CCNode* n) { return dynamic_cast<CCLayerGradient*>(n) != nullptr; }
bool isSolid(CCNode* n) { return dynamic_cast<CCLayerColor*>(n) != nullptr && !isGradient(n); }

}  // namespace

// --- initial state and hit box -------------------------------------------------------------

TEST_F(Panel, ANewPanelIsAnEmptyContainerAnchoredAtItsCorner) {
    Layout* panel = Layout::create();
    EXPECT_EQ(panel->getSize(), CCSize(0, 0));
    EXPECT_EQ(panel->getAnchorPoint(), CCPoint(0, 0));
    EXPECT_FALSE(panel->isIgnoreSize());
    EXPECT_EQ(panel->getWidgetKind(), WIDGET_KIND_CONTAINER);
    EXPECT_STREQ(panel->getTypeName(), "Layout");
    EXPECT_FALSE(panel->isClipAble());
    EXPECT_EQ(panel->getLayoutType(), LAYOUT_TYPE_ABSOLUTE);
    EXPECT_EQ(panel->getBackGroundColorType(), BG_COLOR_NONE);
    EXPECT_NE(panel->getClippingRenderer(), nullptr);
    // The gradient defaults: white to white along (0, -1), opaque.
    EXPECT_EQ(panel->getBackGroundStartColor(), ccWHITE);
    EXPECT_EQ(panel->getBackGroundEndColor(), ccWHITE);
    EXPECT_EQ(panel->getBackGroundColorVector(), CCPoint(0, -1));
    EXPECT_EQ(panel->getBackGroundColorOpacity(), 255);
    // Ignoring the size cannot shrink it: the content size is the panel's size.
    panel->setSize(CCSize(30, 20));
    panel->setIgnoreSize(true);
    EXPECT_EQ(panel->getSize(), CCSize(30, 20));
}

TEST_F(Panel, TheHitBoxRunsFromTheCornerWhateverTheAnchor) {
    UILayer* layer = stage();
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 50));
    panel->setPosition(CCPoint(100, 100));
    layer->addWidget(panel);
    EXPECT_TRUE(panel->hitTest(CCPoint(100, 100)));
    EXPECT_TRUE(panel->hitTest(CCPoint(200, 150)));
    EXPECT_FALSE(panel->hitTest(CCPoint(99.5f, 120)));
    // Anchored at its centre the panel's box moves with its renderer's content box.
    panel->setAnchorPoint(CCPoint(0.5f, 0.5f));
    EXPECT_TRUE(panel->hitTest(CCPoint(50, 75)));
    EXPECT_TRUE(panel->hitTest(CCPoint(150, 125)));
    EXPECT_FALSE(panel->hitTest(CCPoint(151, 125)));
}

// --- background colour ---------------------------------------------------------------------

TEST_F(Panel, SwitchingColourKindsLeavesOnlyTheLayerOfTheCurrentKind) {
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 50));
    CCNode* renderer = panel->getRenderer();
    panel->setBackGroundColorType(BG_COLOR_SOLID);
    EXPECT_EQ(countChildrenOfType(renderer, isSolid), 1);
    ASSERT_NE(panel->getColorRender(), nullptr);
    EXPECT_EQ(panel->getColorRender()->getZOrder(), -2);
    EXPECT_EQ(panel->getColorRender()->getContentSize(), CCSize(100, 50));
    CCLayerColor* solid = panel->getColorRender();
    panel->setBackGroundColorType(BG_COLOR_SOLID);  // the same kind: nothing
    EXPECT_EQ(panel->getColorRender(), solid);
    panel->setBackGroundColorType(BG_COLOR_GRADIENT);
    EXPECT_EQ(countChildrenOfType(renderer, isSolid), 0);
    EXPECT_EQ(countChildrenOfType(renderer, isGradient), 1);
    EXPECT_EQ(panel->getColorRender(), nullptr);
    ASSERT_NE(panel->getGradientRender(), nullptr);
    EXPECT_EQ(panel->getGradientRender()->getStartColor(), ccWHITE);
    EXPECT_EQ(panel->getGradientRender()->getEndColor(), ccWHITE);
    EXPECT_EQ(panel->getGradientRender()->getVector(), CCPoint(0, -1));
    panel->setBackGroundColorType(BG_COLOR_NONE);
    EXPECT_EQ(countChildrenOfType(renderer, isSolid), 0);
    EXPECT_EQ(countChildrenOfType(renderer, isGradient), 0);
    EXPECT_EQ(panel->getGradientRender(), nullptr);
}

TEST_F(Panel, ColoursSetBeforeTheKindAreUsedWhenTheLayerIsMade) {
    Layout* panel = Layout::create();
    panel->setBackGroundColorVector(CCPoint(1, 0));
    panel->setBackGroundColor(ccc3(10, 20, 30), ccc3(40, 50, 60));
    panel->setBackGroundColor(ccc3(70, 80, 90));
    panel->setBackGroundColorOpacity(100);
    panel->setBackGroundColorType(BG_COLOR_GRADIENT);
    CCLayerGradient* g = panel->getGradientRender();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->getStartColor(), ccc3(10, 20, 30));
    EXPECT_EQ(g->getEndColor(), ccc3(40, 50, 60));
    EXPECT_EQ(g->getVector(), CCPoint(1, 0));
    EXPECT_EQ(g->getOpacity(), 100);
    panel->setBackGroundColorType(BG_COLOR_SOLID);
    ASSERT_NE(panel->getColorRender(), nullptr);
    EXPECT_EQ(panel->getColorRender()->getColor(), ccc3(70, 80, 90));
    EXPECT_EQ(panel->getColorRender()->getOpacity(), 100);
    // Later changes reach the live layer; bad values are tamed.
    panel->setBackGroundColor(ccc3(1, 2, 3));
    EXPECT_EQ(panel->getColorRender()->getColor(), ccc3(1, 2, 3));
    panel->setBackGroundColorOpacity(999);
    EXPECT_EQ(panel->getColorRender()->getOpacity(), 255);
    panel->setBackGroundColorVector(CCPoint(NAN, 1));
    EXPECT_EQ(panel->getBackGroundColorVector(), CCPoint(1, 0));
}

TEST_F(Panel, ASolidAndAGradientBackgroundOnScreen) {
    UILayer* layer = stage();
    Layout* solid = Layout::create();
    solid->setSize(CCSize(100, 100));
    solid->setPosition(CCPoint(20, 20));
    solid->setBackGroundColorType(BG_COLOR_SOLID);
    solid->setBackGroundColor(ccc3(0, 0, 255));
    Layout* gradient = Layout::create();
    gradient->setSize(CCSize(100, 100));
    gradient->setPosition(CCPoint(200, 20));
    gradient->setBackGroundColorType(BG_COLOR_GRADIENT);
    gradient->setBackGroundColor(ccc3(255, 0, 0), ccc3(0, 255, 0));  // top red, bottom green
    layer->addWidget(solid);
    layer->addWidget(gradient);
    redraw();
    EXPECT_TRUE(near(px(70, 70), kBlue));
    EXPECT_TRUE(near(px(10, 10), kBlack));
    ccColor4B top = px(250, 117), bottom = px(250, 22);
    EXPECT_GT(top.r, 200);
    EXPECT_LT(top.g, 50);
    EXPECT_GT(bottom.g, 200);
    EXPECT_LT(bottom.r, 50);
    // Half transparent over black.
    solid->setBackGroundColorOpacity(128);
    redraw();
    EXPECT_TRUE(near(px(70, 70), ccColor4B{0, 0, 128, 255}, 4));
}

TEST_F(Panel, ResizingRecentresTheImageAndResizesLayersAndClip) {
    std::string file = solidPNG("bg.png", 20, 10, kRed);
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 50));
    panel->setBackGroundColorType(BG_COLOR_SOLID);
    panel->setBackGroundImage(file.c_str());
    CCNode* image = panel->getBackGroundImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getZOrder(), -1);
    EXPECT_EQ(image->getPosition(), CCPoint(50, 25));
    EXPECT_EQ(panel->getBackGroundImageTextureSize(), CCSize(20, 10));
    panel->setSize(CCSize(300, 80));
    EXPECT_EQ(image->getPosition(), CCPoint(150, 40));
    EXPECT_EQ(image->getContentSize(), CCSize(20, 10));  // a plain image keeps its size
    EXPECT_EQ(panel->getColorRender()->getContentSize(), CCSize(300, 80));
    EXPECT_EQ(panel->getClippingRenderer()->getClippingSize(), CCSize(300, 80));
    EXPECT_EQ(panel->getContentSize(), CCSize(300, 80));
    // Null and empty names change nothing.
    panel->setBackGroundImage(nullptr);
    panel->setBackGroundImage("");
    EXPECT_STREQ(panel->getBackGroundImageFileName(), file.c_str());
}

TEST_F(Panel, ANineSliceBackgroundStretchesWithUnscaledCorners) {
    // 30 x 30: 10-point red corners, a green cross between them.
    std::string file = writePNG("frame.png", 30, 30, [](int x, int y) {
        bool edgeX = x < 10 || x >= 20, edgeY = y < 10 || y >= 20;
        return (edgeX && edgeY) ? kRed : kGreen;
    });
    UILayer* layer = stage();
    Layout* panel = Layout::create();
    panel->setBackGroundScale9Enable(true);
    panel->setBackGroundImage(file.c_str());
    panel->setSize(CCSize(300, 100));
    panel->setPosition(CCPoint(50, 100));
    layer->addWidget(panel);
    redraw();
    auto* nine = dynamic_cast<CCScale9Sprite*>(panel->getBackGroundImage());
    ASSERT_NE(nine, nullptr);
    EXPECT_EQ(nine->getPreferredSize(), CCSize(300, 100));
    EXPECT_EQ(panel->getBackGroundImageTextureSize(), CCSize(30, 30));
    // Corners stay 10 x 10: red up to 10 points in from each corner, green just past.
    for (auto c : {CCPoint(50, 100), CCPoint(341, 100), CCPoint(50, 191), CCPoint(341, 191)})
        EXPECT_TRUE(near(px(c.x + (c.x < 200 ? 8 : 0), c.y + (c.y < 150 ? 8 : 0)), kRed)) << c.x << "," << c.y;
    EXPECT_TRUE(near(px(62, 102), kGreen));
    EXPECT_TRUE(near(px(52, 112), kGreen));
    EXPECT_TRUE(near(px(200, 150), kGreen));
    // Switching back to a plain image keeps the name and shows it unscaled.
    panel->setBackGroundScale9Enable(false);
    EXPECT_NE(dynamic_cast<CCSprite*>(panel->getBackGroundImage()), nullptr);
    EXPECT_EQ(panel->getBackGroundImage()->getContentSize(), CCSize(30, 30));
    redraw();
    EXPECT_TRUE(near(px(200, 150), kGreen));
    EXPECT_TRUE(near(px(60, 110), kBlack));
}

TEST_F(Panel, TheBackgroundImageTakesThePanelsColour) {
    std::string file = solidPNG("white.png", 10, 10, kWhite);
    Layout* panel = Layout::create();
    panel->setBackGroundImage(file.c_str());
    panel->setColor(ccc3(0, 128, 255));
    auto* sprite = dynamic_cast<CCSprite*>(panel->getBackGroundImage());
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getColor(), ccc3(0, 128, 255));
    panel->setOpacity(40);
    EXPECT_EQ(sprite->getOpacity(), 40);
}

// --- clipping on screen --------------------------------------------------------------------

TEST_F(Panel, AClippingPanelCutsItsChild) {
    std::string file = solidPNG("wide.png", 200, 40, kYellow);
    UILayer* layer = stage();
    Layout* panel = Layout::create();
    panel->setSize(CCSize(100, 100));
    panel->setPosition(CCPoint(50, 50));
    panel->setBackGroundColorType(BG_COLOR_SOLID);
    panel->setBackGroundColor(ccc3(0, 0, 255));
    UIButton* child = UIButton::create();
    child->loadNormalTexture(file.c_str());
    child->setPosition(CCPoint(100, 50));  // from x 0 to 200 in the panel: half outside
    panel->addChild(child);
    layer->addWidget(panel);
    redraw();
    EXPECT_TRUE(near(px(180, 100), kYellow));  // not clipped yet
    panel->setClipAble(true);
    redraw();
    EXPECT_TRUE(near(px(140, 100), kYellow));
    EXPECT_TRUE(near(px(148, 100), kYellow));
    EXPECT_TRUE(near(px(152, 100), kBlack));
    EXPECT_TRUE(near(px(180, 100), kBlack));
    EXPECT_TRUE(near(px(100, 140), kBlue));
    // Resizing moves the cut.
    panel->setSize(CCSize(150, 100));
    redraw();
    EXPECT_TRUE(near(px(180, 100), kYellow));
    EXPECT_TRUE(near(px(210, 100), kBlack));
}

// --- arranging -----------------------------------------------------------------------------

TEST_F(Panel, AColumnStacksChildrenFromTheTop) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_LINEAR_VERTICAL);
    UIWidget* a = sized(40, 20, linear());
    UIWidget* b = sized(40, 20, linear());
    panel->addChild(a);
    panel->addChild(b);
    panel->setSize(CCSize(200, 100));
    EXPECT_EQ(a->getPosition(), CCPoint(20, 90));
    EXPECT_EQ(b->getPosition(), CCPoint(20, 70));
}

TEST_F(Panel, AColumnHonoursGravityAndMargins) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_LINEAR_VERTICAL);
    UIWidget* right = sized(40, 20, linear(GRAVITY_RIGHT, LayoutMargin(0, 5, 0, 10)));
    UIWidget* centred = sized(40, 20, linear(GRAVITY_CENTER_HORIZONTAL, LayoutMargin(3, 2, 0, 0)));
    UIWidget* skipped = sized(40, 20, nullptr);  // no parameter: left where it is
    skipped->setPosition(CCPoint(7, 7));
    Layout* box = Layout::create();  // a container: its anchor does not count
    box->setSize(CCSize(50, 10));
    box->setLayoutParameter(linear(GRAVITY_RIGHT));
    for (UIWidget* w : {right, skipped, centred, static_cast<UIWidget*>(box)}) panel->addChild(w);
    panel->setSize(CCSize(200, 100));
    // right: x = 200 - 20 = 180; y = 100 - 10 - 5 = 85; bottom edge 75, boundary 65.
    EXPECT_EQ(right->getPosition(), CCPoint(180, 85));
    EXPECT_EQ(skipped->getPosition(), CCPoint(7, 7));
    // centred: x = 100 + 3; y = 65 - 10 - 2 = 53; bottom edge 43.
    EXPECT_EQ(centred->getPosition(), CCPoint(103, 53));
    // the box: x = 200 - 50; y = 43 - 10.
    EXPECT_EQ(box->getPosition(), CCPoint(150, 33));
}

TEST_F(Panel, ARowStartsEachChildAfterThePreviousRightEdgeAndMargin) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_LINEAR_HORIZONTAL);
    UIWidget* a = sized(40, 20, linear(GRAVITY_NONE, LayoutMargin(0, 0, 5, 0)));
    UIWidget* b = sized(30, 10, linear(GRAVITY_BOTTOM));
    UIWidget* c = sized(20, 20, linear(GRAVITY_CENTER_VERTICAL, LayoutMargin(2, 0, 0, 0)));
    for (UIWidget* w : {a, b, c}) panel->addChild(w);
    panel->setSize(CCSize(300, 100));
    EXPECT_EQ(a->getPosition(), CCPoint(20, 90));
    EXPECT_FLOAT_EQ(b->getLeftEdge(), a->getRightEdge() + 5);
    EXPECT_EQ(b->getPosition(), CCPoint(60, 5));
    EXPECT_EQ(c->getPosition(), CCPoint(87, 50));
}

TEST_F(Panel, ChangingTheLayoutTypeWaitsForTheNextSizeChange) {
    Layout* panel = Layout::create();
    panel->setSize(CCSize(200, 100));
    UIWidget* a = sized(40, 20, linear());
    a->setPosition(CCPoint(1, 1));
    panel->addChild(a);
    panel->setLayoutType(LAYOUT_TYPE_LINEAR_VERTICAL);
    EXPECT_EQ(a->getPosition(), CCPoint(1, 1));
    panel->setSize(CCSize(200, 100));
    EXPECT_EQ(a->getPosition(), CCPoint(20, 90));
}

TEST_F(Panel, RelativePlacesAgainstThePanel) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_RELATIVE);
    UIWidget* topLeft = sized(40, 20, relative(0));
    UIWidget* topRight = sized(40, 20, relative(3));
    UIWidget* bottomLeft = sized(40, 20, relative(4));
    UIWidget* centre = sized(40, 20, relative(5));
    UIWidget* topCentre = sized(40, 20, relative(6));
    UIWidget* leftMiddle = sized(40, 20, relative(7));
    Layout* box = Layout::create();
    box->setSize(CCSize(50, 10));
    box->setLayoutParameter(relative(5));
    for (UIWidget* w : {topLeft, topRight, bottomLeft, centre, topCentre, leftMiddle, static_cast<UIWidget*>(box)})
        panel->addChild(w);
    panel->setSize(CCSize(200, 100));
    EXPECT_EQ(topLeft->getPosition(), CCPoint(20, 90));
    EXPECT_EQ(topRight->getPosition(), CCPoint(180, 90));
    EXPECT_EQ(bottomLeft->getPosition(), CCPoint(20, 10));
    EXPECT_EQ(centre->getPosition(), CCPoint(100, 50));
    EXPECT_EQ(topCentre->getPosition(), CCPoint(100, 90));
    EXPECT_EQ(leftMiddle->getPosition(), CCPoint(20, 50));
    EXPECT_EQ(box->getPosition(), CCPoint(75, 45));
}

TEST_F(Panel, RelativePlacesAgainstASiblingWithBothMargins) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_RELATIVE);
    // The anchor sits at (100, 50) with edges 80..120 x 40..60 and margins 1, 2, 3, 4.
    UIWidget* anchor = sized(40, 20, relative(5, "", "anchor", LayoutMargin(1, 2, 3, 4)));
    panel->addChild(anchor);
    const LayoutMargin m(10, 20, 30, 40);
    struct Case {
        int align;
        CCPoint expected;
    } cases[] = {
        {8, CCPoint(60 - 1 - 30, 50)},    // right at 80, tops level
        {10, CCPoint(60 - 1 - 30, 50)},   // right at 80, bottoms level
        {11, CCPoint(140 + 3 + 10, 50)},  // left at 120
        {13, CCPoint(140 + 3 + 10, 50)},
        {14, CCPoint(100, 70 + 2 + 40)},  // bottom at 60, lefts level
        {16, CCPoint(100, 70 + 2 + 40)},
        {17, CCPoint(100, 30 - 4 - 20)},  // top at 40
        {19, CCPoint(100, 30 - 4 - 20)},
        {9, CCPoint(20 - 1 - 30, 90)},  // default place, its group's margins
        {12, CCPoint(20 + 3 + 10, 90)},
        {15, CCPoint(20, 90 + 2 + 40)},
        {18, CCPoint(20, 90 - 4 - 20)},
    };
    std::vector<UIWidget*> placed;
    for (const Case& c : cases) {
        UIWidget* w = sized(40, 20, relative(c.align, "anchor", "", m));
        panel->addChild(w);
        placed.push_back(w);
    }
    panel->setSize(CCSize(200, 100));
    for (size_t i = 0; i < placed.size(); ++i)
        EXPECT_EQ(placed[i]->getPosition(), cases[i].expected) << "align " << cases[i].align;
}

TEST_F(Panel, ASiblingNotYetPlacedInThisPassIsUsedWhereItIsNow) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_RELATIVE);
    UIWidget* follower = sized(40, 20, relative(8, "later"));
    UIWidget* later = sized(40, 20, relative(5, "", "later"));
    later->setPosition(CCPoint(300, 300));  // edges 280..320 x 290..310
    panel->addChild(follower);
    panel->addChild(later);
    panel->setSize(CCSize(200, 100));
    EXPECT_EQ(follower->getPosition(), CCPoint(260, 300));
    EXPECT_EQ(later->getPosition(), CCPoint(100, 50));
}

TEST_F(Panel, AnAlignAgainstAMissingSiblingTakesTheDefaultPlace) {
    Layout* panel = Layout::create();
    panel->setLayoutType(LAYOUT_TYPE_RELATIVE);
    UIWidget* lost = sized(40, 20, relative(11, "nobody", "", LayoutMargin(5, 5, 5, 5)));
    UIWidget* odd = sized(40, 20, relative(42));
    panel->addChild(lost);
    panel->addChild(odd);
    panel->setSize(CCSize(200, 100));
    EXPECT_EQ(lost->getPosition(), CCPoint(20, 90));
    EXPECT_EQ(odd->getPosition(), CCPoint(20, 90));
}

TEST_F(Panel, ParametersCopyTheirFields) {
    RelativeLayoutParameter* a = relative(13, "x", "y", LayoutMargin(1, 2, 3, 4));
    RelativeLayoutParameter* b = RelativeLayoutParameter::create();
    b->copyFrom(a);
    EXPECT_EQ(b->getAlign(), 13);
    EXPECT_STREQ(b->getRelativeToWidgetName(), "x");
    EXPECT_STREQ(b->getRelativeName(), "y");
    EXPECT_TRUE(b->getMargin().equals(LayoutMargin(1, 2, 3, 4)));
    LinearLayoutParameter* l = linear(GRAVITY_RIGHT);
    l->copyFrom(a);  // another class: only the margin
    EXPECT_EQ(l->getGravity(), GRAVITY_RIGHT);
    EXPECT_TRUE(l->getMargin().equals(LayoutMargin(1, 2, 3, 4)));
    b->setRelativeName(nullptr);
    EXPECT_STREQ(b->getRelativeName(), "");
}
