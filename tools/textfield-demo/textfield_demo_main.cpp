// quirel-textfield-demo: a plain and a password text field in a real window; every text change is logged to stderr.
//
//   quirel-textfield-demo     opens a window (640 x 960 design, exact fit). Click a field and type.
//
// Log lines (through CCLog): "textfield: <name> = <text>" after each change, and
// "textfield: <name> shows <what the field shows>", so a test can see the masks.
#include <cstdio>

#include "engine/engine.h"
#include "ui/ui.h"

using namespace engine;

namespace {

// Where the two fields sit, in design points.
const CCPoint kPlainAt(320, 640);
const CCPoint kPasswordAt(320, 400);
const float kFontSize = 40;

class FieldLogger : public CCObject {
public:
    void onEvent(CCObject* sender, int event) {
        ui::UITextField* field = static_cast<ui::UITextField*>(sender);
        switch (event) {
            case ui::TEXTFIELD_EVENT_ATTACH_WITH_IME:
                CCLog("textfield: %s opened", field->getName());
                break;
            case ui::TEXTFIELD_EVENT_DETACH_WITH_IME:
                CCLog("textfield: %s closed", field->getName());
                break;
            default:
                CCLog("textfield: %s = %s", field->getName(), field->getStringValue());
                CCLog("textfield: %s shows %s", field->getName(), field->getTextFieldRenderer()->getShownString());
                break;
        }
    }
};

FieldLogger* logger() {
    static FieldLogger* l = new FieldLogger();
    return l;
}

ui::UITextField* makeField(const char* name, const CCPoint& at, bool password) {
    ui::UITextField* field = ui::UITextField::create();
    field->setName(name);
    field->setFontName("Arial");
    field->setFontSize(kFontSize);
    field->setPlaceHolder(password ? "password here" : "type here");
    field->setPasswordEnable(password);
    field->setTouchEnabled(true);
    field->setPosition(at);
    field->setEventListener(logger(), textfieldselector(FieldLogger::onEvent));
    return field;
}

void addCaption(CCLayer* layer, const char* text, const CCPoint& fieldAt) {
    CCLabelTTF* caption = CCLabelTTF::create(text, "Arial", 24);
    caption->setColor(ccc3(140, 180, 255));
    caption->setPosition(CCPoint(fieldAt.x, fieldAt.y + 60));
    layer->addChild(caption);
}

CCScene* createScene() {
    CCScene* scene = CCScene::create();
    ui::UILayer* layer = ui::UILayer::create();
    layer->addWidget(makeField("plain", kPlainAt, false));
    layer->addWidget(makeField("password", kPasswordAt, true));
    addCaption(layer, "plain field", kPlainAt);
    addCaption(layer, "password field", kPasswordAt);
    scene->addChild(layer);
    return scene;
}

}  // namespace

int main(int argc, char**) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: quirel-textfield-demo\n");
        return 2;
    }
    CCSceneApplication app(CCSize(640, 960), createScene);
    return app.runInWindow("quirel textfield demo", CCSceneApplication::desktopPortraitFrame());
}
