// quirel-widgets-demo [--headless OUT.png]: a clipping gradient panel of nine-slice buttons that recolour it, in a window or photographed.
//
// Index:
//   - button images drawn in code and written as PNGs to a temporary folder
//   - the scene: UI layer, panel (gradient, clipping), a row of buttons, captions
//   - the controller: taps recolour the panel and rewrite the caption
//   - headless run (scripted taps, one photograph) and windowed run
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "ui/ui.h"

using namespace engine;
using namespace ui;

namespace {

const float kDesignW = 640, kDesignH = 480;

// --- images ----------------------------------------------------------------------------

// A 48 x 48 rounded box: a dark rim, a fill and a lighter top band. Corners are rounded with a
// 12-pixel radius, so cap insets of 16 keep them whole when the box is stretched.
bool writeBoxPNG(const std::string& path, ccColor3B fill, bool pressed) {
    const int size = 48;
    const float radius = 12;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s) return false;
    for (int y = 0; y < size; ++y) {
        auto* row = static_cast<uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch);
        for (int x = 0; x < size; ++x) {
            // Distance outside the rounded rectangle's inner core, for the rim and the corners.
            float cx = std::fmax(std::fmax(radius - (x + 0.5f), (x + 0.5f) - (size - radius)), 0.f);
            float cy = std::fmax(std::fmax(radius - (y + 0.5f), (y + 0.5f) - (size - radius)), 0.f);
            float d = std::sqrt(cx * cx + cy * cy);
            uint8_t alpha = d <= radius - 1 ? 255 : d >= radius ? 0 : uint8_t(255 * (radius - d));
            ccColor3B c = fill;
            if (d > radius - 4) {
                c = ccc3(fill.r / 3, fill.g / 3, fill.b / 3);  // rim
            } else if (!pressed && y < size / 3) {
                c = ccc3(uint8_t((fill.r + 255) / 2), uint8_t((fill.g + 255) / 2), uint8_t((fill.b + 255) / 2));
            } else if (pressed) {
                c = ccc3(uint8_t(fill.r * 2 / 3), uint8_t(fill.g * 2 / 3), uint8_t(fill.b * 2 / 3));
            }
            row[x * 4 + 0] = c.r;
            row[x * 4 + 1] = c.g;
            row[x * 4 + 2] = c.b;
            row[x * 4 + 3] = alpha;
        }
    }
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

std::string makeImageFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "quirel-widgets-demo-XXXXXX").string();
    if (!mkdtemp(templ.data())) return std::string();
    return templ;
}

// --- the controller --------------------------------------------------------------------

struct Swatch {
    const char* name;
    ccColor3B fill, top, bottom;
};
const Swatch kSwatches[] = {
    {"Red", ccc3(210, 60, 50), ccc3(150, 40, 40), ccc3(40, 10, 20)},
    {"Green", ccc3(60, 170, 70), ccc3(40, 130, 70), ccc3(10, 40, 20)},
    {"Blue", ccc3(60, 110, 220), ccc3(50, 80, 170), ccc3(10, 15, 50)},
};

// Receives the buttons' touch events; lives as the scene's user object.
class DemoController : public CCObject {
public:
    Layout* panel = nullptr;
    CCLabelTTF* status = nullptr;  // what the last tap did
    CCLabelTTF* hint = nullptr;    // what the finger is doing
    int taps = 0;

    void onSwatch(CCObject* sender, TouchEventType type) {
        UIButton* button = static_cast<UIButton*>(sender);
        if (type == TOUCH_BEGAN) hint->setString((std::string("Pressing ") + button->getName()).c_str());
        if (type == TOUCH_CANCELED) hint->setString("Slid off: no tap");
        if (type != TOUCH_ENDED) return;
        hint->setString("");
        const Swatch& s = kSwatches[button->getTag()];
        panel->setBackGroundColor(s.top, s.bottom);
        ++taps;
        status->setString((std::string(s.name) + " tapped (" + std::to_string(taps) + (taps == 1 ? " tap)" : " taps)"))
                              .c_str());
    }

    void onReset(CCObject*, TouchEventType type) {
        if (type != TOUCH_ENDED) return;
        panel->setBackGroundColor(ccc3(90, 90, 110), ccc3(20, 20, 30));
        taps = 0;
        status->setString("Tap a colour");
        hint->setString("");
    }
};

// A widget that shows one line of text (the toolkit's label widget comes later).
UIWidget* makeCaption(const char* text, float size, CCLabelTTF** labelOut) {
    UIWidget* widget = UIWidget::create();
    CCLabelTTF* label = CCLabelTTF::create(text, "Helvetica", size);
    widget->getRenderer()->addChild(label);
    if (labelOut) *labelOut = label;
    return widget;
}

UIButton* makeButton(const std::string& normal, const std::string& pressed, const char* title) {
    UIButton* b = UIButton::create();
    b->setScale9Enable(true);
    b->loadTextures(normal.c_str(), pressed.c_str(), "");
    b->setCapInsets(CCRect(16, 16, 16, 16));
    b->setSize(CCSize(150, 64));
    b->setTitleText(title);
    b->setTitleFontSize(26);
    b->setTouchEnabled(true);
    b->setName(title);
    return b;
}

// --- the scene -------------------------------------------------------------------------

struct Demo {
    CCScene* scene = nullptr;
    UIButton* swatchButtons[3] = {};
    UIButton* reset = nullptr;
};

Demo buildDemo(const std::string& images) {
    Demo demo;
    demo.scene = CCScene::create();
    DemoController* controller = new DemoController();
    demo.scene->setUserObject(controller);
    controller->release();

    UILayer* layer = UILayer::create();
    demo.scene->addChild(layer);

    Layout* panel = Layout::create();
    panel->setSize(CCSize(560, 380));
    panel->setPosition(CCPoint(40, 50));
    panel->setBackGroundColorType(BG_COLOR_GRADIENT);
    panel->setBackGroundColor(ccc3(90, 90, 110), ccc3(20, 20, 30));
    panel->setClipAble(true);
    layer->addWidget(panel);
    controller->panel = panel;

    UIWidget* title = makeCaption("Widgets demo", 34, nullptr);
    title->setPosition(CCPoint(280, 330));
    panel->addChild(title);
    UIWidget* status = makeCaption("Tap a colour", 26, &controller->status);
    status->setPosition(CCPoint(280, 270));
    panel->addChild(status);
    UIWidget* hint = makeCaption("", 20, &controller->hint);
    hint->setPosition(CCPoint(280, 95));
    panel->addChild(hint);

    // The swatch buttons in a row panel, spaced by margins.
    Layout* row = Layout::create();
    row->setLayoutType(LAYOUT_TYPE_LINEAR_HORIZONTAL);
    row->setPosition(CCPoint(25, 140));
    for (int i = 0; i < 3; ++i) {
        const Swatch& s = kSwatches[i];
        std::string normal = images + "/" + s.name + ".png", pressed = images + "/" + s.name + "-pressed.png";
        writeBoxPNG(normal, s.fill, false);
        writeBoxPNG(pressed, s.fill, true);
        UIButton* b = makeButton(normal, pressed, s.name);
        b->setTag(i);
        b->setTouchListener(controller, toucheventselector(DemoController::onSwatch));
        LinearLayoutParameter* p = LinearLayoutParameter::create();
        p->setMargin(LayoutMargin(20, 0, 0, 0));
        b->setLayoutParameter(p);
        row->addChild(b);
        demo.swatchButtons[i] = b;
    }
    row->setSize(CCSize(510, 64));  // arranges the row
    panel->addChild(row);

    // Half outside the panel's bottom-right corner: the panel's clipping cuts it.
    std::string grey = images + "/grey.png", greyPressed = images + "/grey-pressed.png";
    writeBoxPNG(grey, ccc3(150, 150, 160), false);
    writeBoxPNG(greyPressed, ccc3(150, 150, 160), true);
    demo.reset = makeButton(grey, greyPressed, "Reset");
    demo.reset->setPosition(CCPoint(540, 40));
    demo.reset->setTouchListener(controller, toucheventselector(DemoController::onReset));
    panel->addChild(demo.reset);
    return demo;
}

CCPoint centreOf(UIWidget* w) { return w->getRenderer()->convertToWorldSpace(CCPoint(0, 0)); }

// --- runs ------------------------------------------------------------------------------

int runHeadless(const std::string& out, const std::string& images) {
    Demo demo;
    CCSceneApplication app(CCSize(kDesignW, kDesignH), [&demo, &images] {
        demo = buildDemo(images);
        return demo.scene;
    });
    CCHeadlessHost host(int(kDesignW), int(kDesignH), false);
    if (!host.isReady()) {
        std::fprintf(stderr, "quirel-widgets-demo: no software renderer\n");
        return 1;
    }
    app.applicationDidFinishLaunching();
    host.step(2);
    // Tap Green, then hold Blue down for the photograph.
    CCPoint green = centreOf(demo.swatchButtons[1]);
    host.touchDown(green.x, green.y);
    host.step(1);
    host.touchUp(green.x, green.y);
    host.step(1);
    CCPoint blue = centreOf(demo.swatchButtons[2]);
    host.touchDown(blue.x, blue.y);
    host.step(2);
    bool saved = host.saveFrame(out);
    host.touchUp(blue.x, blue.y);
    host.step(1);
    if (!saved) {
        std::fprintf(stderr, "quirel-widgets-demo: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("tapped Green at (%.0f, %.0f), holding Blue at (%.0f, %.0f); wrote %s\n", green.x, green.y, blue.x,
                blue.y, out.c_str());
    return 0;
}

void usage(FILE* out) {
    std::fprintf(out,
                 "usage: quirel-widgets-demo [--headless OUT.png]\n"
                 "Shows a clipping gradient panel with buttons that recolour it when tapped.\n"
                 "  --headless OUT.png  run without a window: tap Green, hold Blue, write the frame to OUT.png\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--headless") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else {
            std::fprintf(stderr, "quirel-widgets-demo: unexpected argument %s\n", argv[i]);
            usage(stderr);
            return 2;
        }
    }
    std::string images = makeImageFolder();
    if (images.empty()) {
        std::fprintf(stderr, "quirel-widgets-demo: cannot make a temporary folder\n");
        return 1;
    }
    int rc;
    if (!out.empty()) {
        rc = runHeadless(out, images);
    } else {
        CCSceneApplication app(CCSize(kDesignW, kDesignH), [&images] { return buildDemo(images).scene; });
        rc = app.runInWindow("quirel-widgets-demo", CCSize(kDesignW, kDesignH));
    }
    std::error_code ec;
    std::filesystem::remove_all(images, ec);
    return rc;
}
