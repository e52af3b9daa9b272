// CCScene construction.
#include "engine/scene/CCScene.h"

#include "engine/scene/CCDirector.h"

namespace engine {

CCScene::CCScene() {
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCScene* CCScene::create() {
    CCScene* s = new CCScene();
    if (s->init()) {
        s->autorelease();
        return s;
    }
    delete s;
    return nullptr;
}

bool CCScene::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

}  // namespace engine
