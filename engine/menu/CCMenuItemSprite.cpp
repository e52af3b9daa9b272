// CCMenuItemSprite and CCMenuItemImage: swapping the state images and building them from files.
#include "engine/menu/CCMenuItemSprite.h"

#include "engine/base/CCCreate.h"
#include "engine/base/CCLog.h"
#include "engine/sprites/CCSprite.h"

namespace engine {

namespace {

CCNode* spriteFor(const char* file, const char* which) {
    if (!file || !*file) return nullptr;
    CCSprite* sprite = CCSprite::create(file);
    if (sprite && !sprite->getTexture())
        CCLog("CCMenuItemImage: %s image %s missing; that image stays empty", which, file);
    return sprite;
}

}  // namespace

// --- CCMenuItemSprite ----------------------------------------------------------------------

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite) {
    return create(normalSprite, selectedSprite, disabledSprite, nullptr, nullptr);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normalSprite, CCNode* selectedSprite, CCObject* target,
                                           SEL_MenuHandler selector) {
    return create(normalSprite, selectedSprite, nullptr, target, selector);
}

CCMenuItemSprite* CCMenuItemSprite::create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                           CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItemSprite();
    return autoreleasedOrNull(item,
                              item->initWithNormalSprite(normalSprite, selectedSprite, disabledSprite, target, selector));
}

bool CCMenuItemSprite::initWithNormalSprite(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                            CCObject* target, SEL_MenuHandler selector) {
    if (!initWithTarget(target, selector)) return false;
    // Colour and opacity given to the item reach whichever image is shown.
    setCascadeColorEnabled(true);
    setCascadeOpacityEnabled(true);
    setNormalImage(normalSprite);
    setSelectedImage(selectedSprite);
    setDisabledImage(disabledSprite);
    return true;
}

void CCMenuItemSprite::replaceImage(CCNode*& slot, CCNode* image, int tag) {
    if (image == slot) return;
    if (image && image->getParent()) {
        CCLog("CCMenuItemSprite: an image that already has a parent cannot be used");
        return;
    }
    if (image) {
        addChild(image, 0, tag);
        image->setAnchorPoint(CCPoint(0, 0));
        image->setPosition(CCPointZero);
    }
    if (slot) removeChild(slot, true);
    slot = image;
}

void CCMenuItemSprite::setNormalImage(CCNode* image) {
    if (image == m_pNormalImage) return;
    replaceImage(m_pNormalImage, image, kNormalTag);
    if (m_pNormalImage == image) setContentSize(image ? image->getContentSize() : CCSizeZero);
    updateImagesVisibility();
}

void CCMenuItemSprite::setSelectedImage(CCNode* image) {
    if (image == m_pSelectedImage) return;
    replaceImage(m_pSelectedImage, image, kSelectedTag);
    updateImagesVisibility();
}

void CCMenuItemSprite::setDisabledImage(CCNode* image) {
    if (image == m_pDisabledImage) return;
    replaceImage(m_pDisabledImage, image, kDisableTag);
    updateImagesVisibility();
}

void CCMenuItemSprite::updateImagesVisibility() {
    CCNode* shown = m_pNormalImage;
    if (!m_bEnabled) {
        if (m_pDisabledImage) shown = m_pDisabledImage;
    } else if (m_bSelected) {
        if (m_pSelectedImage) shown = m_pSelectedImage;
    }
    if (m_pNormalImage) m_pNormalImage->setVisible(shown == m_pNormalImage);
    if (m_pSelectedImage) m_pSelectedImage->setVisible(shown == m_pSelectedImage);
    if (m_pDisabledImage) m_pDisabledImage->setVisible(shown == m_pDisabledImage);
}

void CCMenuItemSprite::selected() {
    CCMenuItem::selected();
    updateImagesVisibility();
}

void CCMenuItemSprite::unselected() {
    CCMenuItem::unselected();
    updateImagesVisibility();
}

void CCMenuItemSprite::setEnabled(bool enabled) {
    if (enabled == m_bEnabled) return;
    CCMenuItem::setEnabled(enabled);
    updateImagesVisibility();
}

// --- CCMenuItemImage -----------------------------------------------------------------------

CCMenuItemImage* CCMenuItemImage::create() {
    auto* item = new CCMenuItemImage();
    return autoreleasedOrNull(item, item->init());
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage) {
    return create(normalImage, selectedImage, nullptr, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage,
                                         const char* disabledImage) {
    return create(normalImage, selectedImage, disabledImage, nullptr, nullptr);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage, CCObject* target,
                                         SEL_MenuHandler selector) {
    return create(normalImage, selectedImage, nullptr, target, selector);
}

CCMenuItemImage* CCMenuItemImage::create(const char* normalImage, const char* selectedImage,
                                         const char* disabledImage, CCObject* target, SEL_MenuHandler selector) {
    auto* item = new CCMenuItemImage();
    return autoreleasedOrNull(item,
                              item->initWithNormalImage(normalImage, selectedImage, disabledImage, target, selector));
}

bool CCMenuItemImage::init() { return initWithNormalImage(nullptr, nullptr, nullptr, nullptr, nullptr); }

bool CCMenuItemImage::initWithNormalImage(const char* normalImage, const char* selectedImage,
                                          const char* disabledImage, CCObject* target, SEL_MenuHandler selector) {
    return initWithNormalSprite(spriteFor(normalImage, "normal"), spriteFor(selectedImage, "selected"),
                                spriteFor(disabledImage, "disabled"), target, selector);
}

}  // namespace engine
