// Menu items shown by images: one node each for the normal, selected and disabled look.
//
// CCMenuItemSprite takes any nodes as images (sprites usually); CCMenuItemImage makes the
// sprites from image files. The item's size is the normal image's. A state without an image
// of its own shows the normal one.
#pragma once

#include "engine/menu/CCMenuItem.h"

namespace engine {

class CCMenuItemSprite : public CCMenuItem {
public:
    CCMenuItemSprite() = default;
    ~CCMenuItemSprite() override = default;

    static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite = nullptr);
    static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCObject* target,
                                    SEL_MenuHandler selector);
    static CCMenuItemSprite* create(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite,
                                    CCObject* target, SEL_MenuHandler selector);
    bool initWithNormalSprite(CCNode* normalSprite, CCNode* selectedSprite, CCNode* disabledSprite, CCObject* target,
                              SEL_MenuHandler selector);

    // Each image becomes a child placed at the item's bottom-left corner; the one it replaces
    // is removed. Null removes that image.
    void setNormalImage(CCNode* image);
    CCNode* getNormalImage() const { return m_pNormalImage; }
    void setSelectedImage(CCNode* image);
    CCNode* getSelectedImage() const { return m_pSelectedImage; }
    void setDisabledImage(CCNode* image);
    CCNode* getDisabledImage() const { return m_pDisabledImage; }

    void selected() override;
    void unselected() override;
    void setEnabled(bool enabled) override;

    enum { kNormalTag = 0x1, kSelectedTag = 0x2, kDisableTag = 0x3 };

protected:
    void replaceImage(CCNode*& slot, CCNode* image, int tag);
    // Shows the image of the current state and hides the others.
    virtual void updateImagesVisibility();

    // Children of this item (the node tree owns them).
    CCNode* m_pNormalImage = nullptr;
    CCNode* m_pSelectedImage = nullptr;
    CCNode* m_pDisabledImage = nullptr;
};

class CCMenuItemImage : public CCMenuItemSprite {
public:
    CCMenuItemImage() = default;

    static CCMenuItemImage* create();
    // A missing or unreadable file gives an empty sprite for that image (the sprite logs it);
    // a null or empty name gives no image for that state.
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, CCObject* target,
                                   SEL_MenuHandler selector);
    static CCMenuItemImage* create(const char* normalImage, const char* selectedImage, const char* disabledImage,
                                   CCObject* target, SEL_MenuHandler selector);
    bool init() override;
    bool initWithNormalImage(const char* normalImage, const char* selectedImage, const char* disabledImage,
                             CCObject* target, SEL_MenuHandler selector);
};

}  // namespace engine
