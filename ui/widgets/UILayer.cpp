// UILayer: the root widget's set-up, touch registration and forwarding to the router.
#include "ui/widgets/UILayer.h"

#include "engine/base/CCCreate.h"
#include "ui/widgets/GUIHelper.h"
#include "ui/widgets/UIRootWidget.h"
#include "ui/widgets/UITouchRouter.h"

namespace ui {

using namespace engine;

UILayer::~UILayer() {
    safeRelease(m_rootWidget);
    delete m_inputRouter;
    m_inputRouter = nullptr;
}

UILayer* UILayer::create() {
    UILayer* layer = new UILayer();
    return autoreleasedOrNull(layer, layer->init());
}

bool UILayer::init() {
    if (!CCLayer::init()) return false;
    m_rootWidget = UIRootWidget::create();
    if (!m_rootWidget) return false;
    m_rootWidget->retain();
    m_rootWidget->onEnter();
    addChild(m_rootWidget->getRenderer());
    m_inputRouter = new UITouchRouter();
    m_inputRouter->setRootWidget(m_rootWidget);
    return true;
}

void UILayer::onEnter() {
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    CCLayer::onEnter();
}

void UILayer::onExit() {
    setTouchEnabled(false);
    CCLayer::onExit();
}

void UILayer::setVisible(bool visible) {
    CCNode::setVisible(visible);
    if (m_rootWidget) m_rootWidget->setVisible(visible);
}

// The layer keeps itself alive while a listener runs: a listener may dispose of it.
bool UILayer::ccTouchBegan(CCTouch* touch, CCEvent*) {
    if (!m_inputRouter) return false;
    retain();
    bool claimed = m_inputRouter->onTouchBegan(touch);
    release();
    return claimed;
}

void UILayer::ccTouchMoved(CCTouch* touch, CCEvent*) {
    if (!m_inputRouter) return;
    retain();
    m_inputRouter->onTouchMoved(touch);
    release();
}

void UILayer::ccTouchEnded(CCTouch* touch, CCEvent*) {
    if (!m_inputRouter) return;
    retain();
    m_inputRouter->onTouchEnded(touch);
    release();
}

void UILayer::ccTouchCancelled(CCTouch* touch, CCEvent*) {
    if (!m_inputRouter) return;
    retain();
    m_inputRouter->onTouchCancelled(touch);
    release();
}

void UILayer::clear() {
    if (m_rootWidget) m_rootWidget->removeAllChildren();
}

void UILayer::dispose() { removeFromParentAndCleanup(true); }

bool UILayer::addWidget(UIWidget* widget) { return m_rootWidget ? m_rootWidget->addChild(widget) : false; }

UIWidget* UILayer::getWidgetByName(const char* name) {
    return GUIHelper::sharedHelper()->findWidgetByName(m_rootWidget, name);
}

}  // namespace ui
