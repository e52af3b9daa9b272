// Containers built by the layout reader: a page view keeps its file children as plain children, the scroll view and drag panel take theirs into the inner container.
#include <cstring>

#include "ContainerTestKit.h"
#include "ui/layout/GUIReader.h"

using namespace engine;
using namespace ui;
using namespace containers;

namespace {

class LayoutFile : public ContainerTest {
protected:
    UIWidget* read(const char* text) {
        return GUIReader::sharedReader()->widgetFromLayoutText("containers.json", "/layouts/containers.json", text,
                                                                  std::strlen(text));
    }
};

const char* const kPageViewFile = R"({
  "version": "1.0.0.0", "designWidth": 640, "designHeight": 960,
  "widgetTree": {
    "classname": "PageView",
    "options": {"width": 640, "height": 400, "x": 0, "y": 200, "touchAble": true,
                "anchorPointX": 0, "anchorPointY": 0},
    "children": [
      {"classname": "Panel", "options": {"name": "first", "width": 100, "height": 100, "x": 50, "y": 60,
                                         "anchorPointX": 0, "anchorPointY": 0}},
      {"classname": "Panel", "options": {"name": "second", "width": 120, "height": 80, "x": 400, "y": 100,
                                         "anchorPointX": 0, "anchorPointY": 0}}
    ]
  }
})";

const char* const kScrollAndDragFile = R"({
  "version": "1.0.0.0", "designWidth": 640, "designHeight": 960,
  "widgetTree": {
    "classname": "Panel",
    "options": {"width": 640, "height": 960, "anchorPointX": 0, "anchorPointY": 0},
    "children": [
      {"classname": "ScrollView",
       "options": {"name": "list", "width": 300, "height": 400, "x": 20, "y": 20, "touchAble": true,
                   "innerWidth": 300, "innerHeight": 1000, "direction": 1.9,
                   "anchorPointX": 0, "anchorPointY": 0},
       "children": [{"classname": "Panel", "options": {"name": "row", "width": 300, "height": 50, "y": 950,
                                                       "anchorPointX": 0, "anchorPointY": 0}}]},
      {"classname": "DragPanel",
       "options": {"name": "map", "width": 250, "height": 250, "x": 360, "y": 500, "touchAble": true,
                   "bounceEnable": true, "innerWidth": 600, "innerHeight": 700,
                   "anchorPointX": 0, "anchorPointY": 0},
       "children": [{"classname": "Panel", "options": {"name": "island", "width": 40, "height": 40}}]}
    ]
  }
})";

}  // namespace

TEST_F(LayoutFile, APageViewKeepsItsChildrenAsPlainChildrenAndDoesNotPage) {
    UIPageView* v = dynamic_cast<UIPageView*>(read(kPageViewFile));
    ASSERT_NE(v, nullptr);
    layer->addWidget(v);
    recorder.listenTo(v);
    EXPECT_EQ(v->getPageCount(), 0u);
    ASSERT_EQ(v->getChildren()->count(), 2u);
    UIWidget* first = GUIHelper::sharedHelper()->findWidgetByName(v, "first");
    UIWidget* second = GUIHelper::sharedHelper()->findWidgetByName(v, "second");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->getWidgetParent(), v);
    dragOverFrames(600, 400, 100, 400, 10);
    host->step(20);
    EXPECT_EQ(first->getPosition(), CCPoint(50, 60));
    EXPECT_EQ(second->getPosition(), CCPoint(400, 100));
    EXPECT_TRUE(recorder.log.empty());
}

TEST_F(LayoutFile, AScrollViewAndADragPanelTakeTheirChildrenAndOptions) {
    UIWidget* root = read(kScrollAndDragFile);
    ASSERT_NE(root, nullptr);
    layer->addWidget(root);
    UIScrollView* list = dynamic_cast<UIScrollView*>(GUIHelper::sharedHelper()->findWidgetByName(root, "list"));
    UIDragPanel* map = dynamic_cast<UIDragPanel*>(GUIHelper::sharedHelper()->findWidgetByName(root, "map"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(list->getDirection(), SCROLL_DIRECTION_VERTICAL);
    EXPECT_EQ(list->getInnerContainerSize(), CCSize(300, 1000));
    EXPECT_FLOAT_EQ(list->getInnerContainer()->getPosition().y, -600);
    EXPECT_TRUE(list->isClipAble());
    UIWidget* row = GUIHelper::sharedHelper()->findWidgetByName(root, "row");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->getWidgetParent(), list->getInnerContainer());
    EXPECT_TRUE(map->isBounceEnable());
    EXPECT_EQ(map->getInnerContainerSize(), CCSize(600, 700));
    EXPECT_EQ(GUIHelper::sharedHelper()->findWidgetByName(root, "island")->getWidgetParent(),
              map->getInnerContainer());
    // The file's view scrolls like one built in code.
    host->touchDown(100, 100);
    host->touchMove(100, 250);
    EXPECT_FLOAT_EQ(list->getInnerContainer()->getPosition().y, -450);
    host->touchUp(100, 250);
}
