// quirel-scroll-demo: a scroll view of thirty labelled buttons that flings, in a window or headless.
//
//   quirel-scroll-demo                        opens a window (640 x 960 design, exact fit)
//   quirel-scroll-demo --headless OUT_PREFIX  flings by script on the virtual clock and writes
//                                             OUT_PREFIX-start.png, -mid.png and -end.png
//
// Index:
//   - button images made in memory (no files needed)
//   - the scene: background, caption, the scroll view of buttons
//   - the scripted headless fling
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "ui/ui.h"

using namespace engine;
using namespace ui;

namespace {

const CCSize kDesignSize(640, 960);
const int kButtons = 30;
const float kRowHeight = 90;
const CCSize kViewSize(560, 820);
const CCPoint kViewPosition(40, 40);

// --- button images ---------------------------------------------------------------------

// A rounded tile with a darker rim, registered as a sprite frame so nine-slice buttons stretch it.
void addTileFrame(const char* name, ccColor3B fill, ccColor3B rim) {
    const int size = 48, radius = 12, border = 3;
    std::vector<uint8_t> px(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Distance outside the rounded rectangle's inner core, to shape corners and rim.
            const float cx = std::max(0.0f, std::max(radius - (x + 0.5f), (x + 0.5f) - (size - radius)));
            const float cy = std::max(0.0f, std::max(radius - (y + 0.5f), (y + 0.5f) - (size - radius)));
            const float d = std::sqrt(cx * cx + cy * cy);
            const bool edge = x < border || y < border || x >= size - border || y >= size - border;
            uint8_t* p = &px[(static_cast<size_t>(y) * size + x) * 4];
            const ccColor3B c = (d > radius - border || edge) ? rim : fill;
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = d > radius ? 0 : 255;
        }
    CCTexture2D* texture = new CCTexture2D();
    texture->initWithRGBA(px.data(), size, size);
    texture->autorelease();
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFrame(
        CCSpriteFrame::createWithTexture(texture, CCRect(0, 0, size, size)), name);
}

const ccColor3B kFills[3] = {{236, 112, 99}, {72, 186, 160}, {240, 176, 64}};

void addButtonFrames() {
    for (int i = 0; i < 3; ++i) {
        const ccColor3B f = kFills[i];
        const ccColor3B dark = ccc3(f.r * 3 / 5, f.g * 3 / 5, f.b * 3 / 5);
        addTileFrame(("scroll-demo/normal-" + std::to_string(i)).c_str(), f, dark);
        addTileFrame(("scroll-demo/pressed-" + std::to_string(i)).c_str(), dark, ccc3(40, 40, 40));
    }
}

// --- the scene -------------------------------------------------------------------------

// Prints what the user does, so a window run can be followed in its log.
class DemoListener : public CCObject {
public:
    void onButton(CCObject* sender, TouchEventType type) {
        if (type == TOUCH_ENDED) std::printf("scroll-demo: tapped %s\n", static_cast<UIWidget*>(sender)->getName());
        std::fflush(stdout);
    }
    void onScroll(CCObject*, ScrollEventType type) {
        static const char* const kEdges[] = {"top", "bottom", "left", "right"};
        std::printf("scroll-demo: reached the %s\n", kEdges[type]);
        std::fflush(stdout);
    }
};
DemoListener g_listener;

UIScrollView* g_view = nullptr;

CCScene* createScrollScene() {
    addButtonFrames();
    CCScene* scene = CCScene::create();
    scene->addChild(CCLayerColor::create(ccc4(38, 44, 56, 255)), -10);

    CCLabelTTF* caption = CCLabelTTF::create("Drag the list and let go", "Arial", 34);
    caption->setPosition(ccp(320, 905));
    scene->addChild(caption);

    UILayer* layer = UILayer::create();
    scene->addChild(layer);

    UIScrollView* view = UIScrollView::create();
    view->setSize(kViewSize);
    view->setPosition(kViewPosition);
    view->setBackGroundColorType(BG_COLOR_SOLID);
    view->setBackGroundColor(ccc3(236, 236, 228));
    const float innerHeight = kButtons * kRowHeight + 20;
    view->setInnerSize(CCSize(kViewSize.width, innerHeight));
    view->setEventListener(&g_listener, scrolleventselector(DemoListener::onScroll));

    for (int i = 0; i < kButtons; ++i) {
        UIButton* b = UIButton::create();
        b->setScale9Enable(true);
        const std::string k = std::to_string(i % 3);
        b->loadTextures(("scroll-demo/normal-" + k).c_str(), ("scroll-demo/pressed-" + k).c_str(), "",
                        TEX_RES_SPRITE_FRAME);
        b->setCapInsets(CCRect(14, 14, 20, 20));
        b->setSize(CCSize(480, 70));
        const std::string title = "Button " + std::to_string(i + 1);
        b->setName(title.c_str());
        b->setTitleText(title.c_str());
        b->setTitleFontName("Arial");
        b->setTitleFontSize(30);
        b->setTitleColor(ccc3(255, 255, 255));
        b->setTouchEnabled(true);
        b->setPosition(ccp(kViewSize.width / 2, innerHeight - 10 - kRowHeight / 2 - kRowHeight * i));
        b->setTouchListener(&g_listener, toucheventselector(DemoListener::onButton));
        view->addChild(b);
    }
    layer->addWidget(view);
    g_view = view;
    return scene;
}

float contentY() { return g_view ? g_view->getInnerContainer()->getPosition().y : NAN; }

// --- headless --------------------------------------------------------------------------

int runHeadless(const std::string& prefix) {
    CCSceneApplication app(kDesignSize, createScrollScene);
    CCHeadlessHost host(640, 960, true);
    if (!host.isReady()) {
        std::fprintf(stderr, "quirel-scroll-demo: no software renderer\n");
        return 1;
    }
    app.applicationDidFinishLaunching();
    host.step(1);
    bool ok = host.saveFrame(prefix + "-start.png");
    const float start = contentY();

    // 300 points up in a quarter of a second, starting on a button: 1200 points a second.
    host.touchDown(320, 250);
    for (int i = 1; i <= 15; ++i) {
        host.step(1);
        host.touchMove(320, 250 + 20.0f * i);
    }
    host.touchUp(320, 550);
    const float released = contentY();
    host.step(30);
    ok = host.saveFrame(prefix + "-mid.png") && ok;
    const float mid = contentY();
    int frames = 30;
    while (g_view->isAutoScrolling() && frames < 600) {
        host.step(1);
        ++frames;
    }
    host.step(1);
    ok = host.saveFrame(prefix + "-end.png") && ok;
    std::printf("scroll-demo: content y start %.1f, released %.1f, mid-fling %.1f, end %.1f; fling %d frames\n",
                start, released, mid, contentY(), frames);
    if (!ok) std::fprintf(stderr, "quirel-scroll-demo: cannot write %s-*.png\n", prefix.c_str());
    g_view = nullptr;
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--headless") == 0) return runHeadless(argv[2]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: quirel-scroll-demo [--headless OUT_PREFIX]\n");
        return 2;
    }
    CCSceneApplication app(kDesignSize, createScrollScene);
    return app.runInWindow("quirel scroll demo", CCSceneApplication::desktopPortraitFrame());
}
