// The engine demo scene.
#include "DemoScene.h"

#include <vector>

#include "engine/engine.h"

using namespace engine;

namespace {

// A small chequered texture made in memory, so the demo needs no files.
CCTexture2D* makeCheckerTexture(int size, ccColor4B a, ccColor4B b) {
    std::vector<uint8_t> px(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            ccColor4B c = ((x / 8 + y / 8) % 2) ? a : b;
            uint8_t* p = &px[(static_cast<size_t>(y) * size + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    CCTexture2D* t = new CCTexture2D();
    t->initWithRGBA(px.data(), size, size);
    t->autorelease();
    return t;
}

const ccColor4B kSwatchOff = {220, 40, 40, 255};
const ccColor4B kSwatchOn = {40, 200, 60, 255};

}  // namespace

CCPoint DemoLayer::buttonPosition() { return CCPoint(320, 200); }
CCPoint DemoLayer::swatchCentre() { return CCPoint(540, 820); }

DemoLayer::DemoLayer() {
    init();
    const CCSize win = CCDirector::sharedDirector()->getWinSize();

    addChild(CCLayerGradient::create(ccc4(30, 60, 160, 255), ccc4(120, 30, 140, 255)), -10);

    m_caption = CCLabelTTF::create("quirel engine demo", "Arial", 40);
    m_caption->setPosition(ccp(win.width / 2, win.height - 60));
    addChild(m_caption);

    m_swatch = CCLayerColor::create(kSwatchOff, 120, 120);
    m_swatch->setPosition(swatchCentre() - ccp(60, 60));
    addChild(m_swatch);

    // A row of tinted, rotated and faded sprites from one texture.
    CCTexture2D* checker = makeCheckerTexture(64, ccc4(255, 255, 255, 255), ccc4(40, 40, 40, 255));
    const ccColor3B tints[4] = {ccWHITE, ccc3(255, 200, 0), ccc3(0, 220, 255), ccc3(255, 90, 160)};
    for (int i = 0; i < 4; ++i) {
        CCSprite* s = CCSprite::createWithTexture(checker);
        s->setPosition(ccp(110 + 140 * i, 620));
        s->setColor(tints[i]);
        s->setRotation(15.0f * i);
        s->setOpacity(static_cast<uint8_t>(255 - 40 * i));
        addChild(s);
    }

    // A spinning sprite seen only through a window: the clipping node cuts it.
    CCDrawNode* stencil = CCDrawNode::create();
    const CCPoint window[4] = {ccp(220, 360), ccp(420, 360), ccp(420, 480), ccp(220, 480)};
    stencil->drawPolygon(window, 4, ccc4f(1, 1, 1, 1), 0, ccc4f(0, 0, 0, 0));
    CCClippingNode* clip = CCClippingNode::create(stencil);
    CCSprite* spinner = CCSprite::createWithTexture(makeCheckerTexture(256, ccc4(255, 220, 0, 255), ccc4(0, 0, 0, 255)));
    spinner->setPosition(ccp(320, 420));
    spinner->runAction(CCRepeatForever::create(CCRotateTo::create(4.0f, 180.0f)));
    clip->addChild(spinner);
    addChild(clip);

    CCMenuItemFont::setFontSize(48);
    CCMenuItemFont* button = CCMenuItemFont::create("Tap me", this, menu_selector(DemoLayer::onTap));
    button->setPosition(buttonPosition());
    CCMenu* menu = CCMenu::create(button, nullptr);
    menu->setPosition(ccp(0, 0));
    addChild(menu, 1);
}

void DemoLayer::onTap(CCObject*) {
    ++m_taps;
    m_caption->setString(CCString::createWithFormat("tapped %d", m_taps)->getCString());
    m_swatch->setColor(m_taps % 2 ? ccc3(kSwatchOn.r, kSwatchOn.g, kSwatchOn.b) : ccc3(kSwatchOff.r, kSwatchOff.g, kSwatchOff.b));
    CCLog("demo: tapped %d", m_taps);
}

CCScene* createDemoScene() {
    CCScene* scene = CCScene::create();
    DemoLayer* layer = new DemoLayer();
    scene->addChild(layer);
    layer->release();
    return scene;
}
