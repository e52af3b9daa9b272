// Image reloading, tinting and stretching shared by the image-showing widgets.
#include "ui/controls/WidgetNodes.h"

#include <cmath>

#include "engine/sprites/CCSprite.h"
#include "ui/controls/CCScale9Sprite.h"

namespace ui {
namespace nodes {

using namespace engine;

CCNode* makeImageNode(bool nineSlice) {
    if (nineSlice) return CCScale9Sprite::create();
    return CCSprite::create();
}

void reload(CCNode* node, const std::string& name, TextureResType type) {
    if (!node || name.empty()) return;
    if (type != TEX_RES_LOCAL_FILE && type != TEX_RES_SPRITE_FRAME) return;
    const bool file = type == TEX_RES_LOCAL_FILE;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(node)) {
        if (file)
            nine->initWithFile(name.c_str());
        else
            nine->initWithSpriteFrameName(name.c_str());
    } else if (CCSprite* sprite = dynamic_cast<CCSprite*>(node)) {
        if (file)
            sprite->initWithFile(name.c_str());
        else
            sprite->initWithSpriteFrameName(name.c_str());
    }
}

void tint(CCNode* node, const ccColor3B& color, int opacity) {
    CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(node);
    if (!rgba) return;
    rgba->setColor(color);
    rgba->setOpacity(static_cast<uint8_t>(opacity < 0 ? 0 : opacity > 255 ? 255 : opacity));
}

bool hasArea(const CCSize& size) {
    return std::isfinite(size.width) && std::isfinite(size.height) && size.width > 0 && size.height > 0;
}

void stretch(CCNode* node, const CCSize& target, const CCSize& natural) {
    if (!node) return;
    if (!hasArea(natural)) {
        node->setScale(1.0f);
        return;
    }
    node->setScaleX(target.width / natural.width);
    node->setScaleY(target.height / natural.height);
}

}  // namespace nodes
}  // namespace ui
