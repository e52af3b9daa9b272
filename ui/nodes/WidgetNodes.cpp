// Image reloading, tinting, stretching and bar cutting shared by the image-showing widgets.
#include "ui/nodes/WidgetNodes.h"

#include <cmath>

#include "engine/sprites/CCSprite.h"
#include "ui/nodes/CCScale9Sprite.h"

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

void showBarShare(CCNode* bar, bool nineSlice, float r, float fullLength, const CCSize& textureSize,
                  TextureResType type) {
    if (!bar) return;
    if (nineSlice) {
        if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(bar)) {
            const float length = r * fullLength;
            nine->setPreferredSize(CCSize(length, textureSize.height));
            nine->setVisible(length > 0);
        }
        return;
    }
    CCSprite* sprite = dynamic_cast<CCSprite*>(bar);
    if (!sprite || !sprite->getTexture()) return;
    CCPoint origin;
    if (type == TEX_RES_SPRITE_FRAME) origin = sprite->getTextureRect().origin;
    const CCSize shown(textureSize.width * r, textureSize.height);
    sprite->setTextureRect(CCRect(origin.x, origin.y, shown.width, shown.height), sprite->isTextureRectRotated(),
                           shown);
}

void setCapInsets(CCNode* node, bool nineSlice, const CCRect& insets) {
    if (!nineSlice) return;
    if (CCScale9Sprite* nine = dynamic_cast<CCScale9Sprite*>(node)) nine->setCapInsets(insets);
}

}  // namespace nodes
}  // namespace ui
