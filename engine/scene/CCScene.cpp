// CCScene construction.
#include "engine/scene/CCScene.h"

#include "engine/base/CCCreate.h"
#include "engine/scene/CCDirector.h"

namespace engine {

CCScene::CCScene() {
    m_bIgnoreAnchorPointForPosition = true;
    setAnchorPoint(CCPoint(0.5f, 0.5f));
}

CCScene* CCScene::create() {
    CCScene* s = new CCScene();
    return autoreleasedOrNull(s, s->init());
}

bool CCScene::init() {
    setContentSize(CCDirector::sharedDirector()->getWinSize());
    return true;
}

}  // namespace engine
