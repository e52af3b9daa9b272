// Menu items: state images, images from files, label looks, the menu-font defaults,
// activation rules and the menu's alignment of its items.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include "MenuTestKit.h"
#include "engine/menu/CCMenuItemLabel.h"
#include "engine/menu/CCMenuItemSprite.h"
#include "engine/sprites/CCSprite.h"
#include "engine/text/CCLabelTTF.h"

using namespace engine;
using menukit::Finger;
using menukit::LogSink;
using menukit::plainItem;

namespace {

using MenuItems = menukit::MenuTest;

// A solid w x h node to stand for an image.
CCLayerColor* block(float w, float h) { return CCLayerColor::create(ccc4(255, 255, 255, 255), w, h); }

void writePNG(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
    ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0);
    SDL_FreeSurface(s);
}

}  // namespace

TEST_F(MenuItems, ActivateCallsOnlyWhenEnabledAndATargetIsSet) {
    CCMenuItem* item = CCMenuItem::create(receiver, menu_selector(menukit::Receiver::onItem));
    item->activate();
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders[0], item);
    item->setEnabled(false);
    item->activate();
    EXPECT_EQ(receiver->senders.size(), 1u);
    item->setEnabled(true);
    item->setTarget(receiver, menu_selector(menukit::Receiver::onOther));
    item->activate();
    EXPECT_EQ(receiver->others.size(), 1u);
    EXPECT_EQ(receiver->senders.size(), 1u);
    item->setTarget(nullptr, nullptr);
    item->activate();  // no target: nothing, and no crash
    EXPECT_EQ(receiver->others.size(), 1u);
}

TEST_F(MenuItems, RectIsTheBoxInTheParentsSpace) {
    CCMenuItem* item = plainItem(receiver, 100, 200, 40, 20);
    EXPECT_TRUE(item->rect().equals(CCRect(80, 190, 40, 20)));
    item->setAnchorPoint(CCPoint(0, 0));
    EXPECT_TRUE(item->rect().equals(CCRect(100, 200, 40, 20)));
    item->setScale(2);
    EXPECT_TRUE(item->rect().equals(CCRect(100, 200, 80, 40)));
}

TEST_F(MenuItems, SpriteItemShowsTheImageOfItsState) {
    CCNode* normal = block(60, 30);
    CCNode* selected = block(60, 30);
    CCNode* disabled = block(60, 30);
    CCMenuItemSprite* item = CCMenuItemSprite::create(normal, selected, disabled, receiver,
                                                      menu_selector(menukit::Receiver::onItem));
    EXPECT_TRUE(item->getContentSize().equals(CCSize(60, 30)));
    EXPECT_EQ(normal->getParent(), item);
    EXPECT_TRUE(normal->isVisible());
    EXPECT_FALSE(selected->isVisible());
    EXPECT_FALSE(disabled->isVisible());
    item->selected();
    EXPECT_FALSE(normal->isVisible());
    EXPECT_TRUE(selected->isVisible());
    item->unselected();
    EXPECT_TRUE(normal->isVisible());
    item->setEnabled(false);
    EXPECT_TRUE(disabled->isVisible());
    EXPECT_FALSE(normal->isVisible());
    item->setEnabled(true);
    EXPECT_TRUE(normal->isVisible());

    // Without a selected image the normal one stays on while pressed.
    CCMenuItemSprite* bare = CCMenuItemSprite::create(block(10, 10), nullptr);
    bare->selected();
    EXPECT_TRUE(bare->getNormalImage()->isVisible());
}

TEST_F(MenuItems, SetNormalImageReplacesTheImageAndTheSize) {
    CCNode* first = block(60, 30);
    CCMenuItemSprite* item = CCMenuItemSprite::create(first, block(60, 30));
    first->retain();
    CCNode* second = block(80, 44);
    item->setNormalImage(second);
    EXPECT_EQ(item->getNormalImage(), second);
    EXPECT_EQ(first->getParent(), nullptr);
    EXPECT_EQ(second->getParent(), item);
    EXPECT_TRUE(item->getContentSize().equals(CCSize(80, 44)));
    EXPECT_TRUE(second->getPosition().equals(CCPointZero));
    first->release();

    // The same press cycle works with the new image, through a real menu.
    CCMenu* menu = addMenu();
    item->setTarget(receiver, menu_selector(menukit::Receiver::onItem));
    item->setPosition(CCPoint(300, 300));
    menu->addChild(item);
    Finger finger;
    finger.tap(300 + 35, 300);  // inside the new, wider box only
    EXPECT_EQ(receiver->senders.size(), 1u);

    // An image that already belongs elsewhere is refused.
    LogSink log;
    CCNode* owned = block(5, 5);
    scene->addChild(owned);
    item->setSelectedImage(owned);
    EXPECT_NE(item->getSelectedImage(), owned);
    EXPECT_TRUE(log.contains("already has a parent"));
}

TEST_F(MenuItems, ImageItemMakesSpritesFromFilesAndSurvivesMissingOnes) {
    std::string dir = testsupport::makeTempDir();
    writePNG(dir + "/up.png", 48, 24, 255, 0, 0);
    writePNG(dir + "/down.png", 48, 24, 0, 255, 0);
    CCMenuItemImage* item = CCMenuItemImage::create((dir + "/up.png").c_str(), (dir + "/down.png").c_str(), receiver,
                                                    menu_selector(menukit::Receiver::onItem));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->getContentSize().equals(CCSize(48, 24)));
    auto* normal = dynamic_cast<CCSprite*>(item->getNormalImage());
    ASSERT_NE(normal, nullptr);
    EXPECT_NE(normal->getTexture(), nullptr);
    EXPECT_EQ(item->getDisabledImage(), nullptr);

    LogSink log;
    CCMenuItemImage* broken =
        CCMenuItemImage::create((dir + "/gone.png").c_str(), (dir + "/also-gone.png").c_str(), receiver,
                                menu_selector(menukit::Receiver::onItem));
    ASSERT_NE(broken, nullptr);
    EXPECT_TRUE(broken->getContentSize().equals(CCSizeZero));
    EXPECT_TRUE(log.contains("gone.png"));
    broken->activate();  // still an item that works
    EXPECT_EQ(receiver->senders.back(), broken);
    CCTextureCache::purgeSharedTextureCache();
}

TEST_F(MenuItems, LabelItemGrowsWhilePressedAndGreysOutWhenDisabled) {
    CCLabelTTF* label = CCLabelTTF::create("Unit 1", "Arial", 60);
    CCMenuItemLabel* item = CCMenuItemLabel::create(label, receiver, menu_selector(menukit::Receiver::onItem));
    EXPECT_TRUE(item->getContentSize().equals(label->getContentSize()));
    EXPECT_EQ(label->getParent(), item);
    item->setScale(2);
    item->selected();
    EXPECT_FLOAT_EQ(item->getScale(), 2 * CCMenuItemLabel::kZoomFactor);
    item->selected();  // pressing twice does not grow twice
    EXPECT_FLOAT_EQ(item->getScale(), 2 * CCMenuItemLabel::kZoomFactor);
    item->unselected();
    EXPECT_FLOAT_EQ(item->getScale(), 2);

    label->setColor(ccc3(10, 200, 30));
    item->setEnabled(false);
    EXPECT_TRUE(label->getColor() == item->getDisabledColor());
    item->selected();  // a disabled label has no pressed look
    EXPECT_FLOAT_EQ(item->getScale(), 2);
    item->setEnabled(true);
    EXPECT_TRUE(label->getColor() == ccc3(10, 200, 30));

    // The item's colour tints the label.
    item->setColor(ccc3(0, 0, 255));
    EXPECT_EQ(label->getDisplayedColor().b, 30 * 255 / 255);
    EXPECT_EQ(label->getDisplayedColor().g, 0);

    float before = item->getContentSize().width;
    item->setString("Unit 1 and more");
    EXPECT_GT(item->getContentSize().width, before);
    EXPECT_STREQ(label->getString(), "Unit 1 and more");

    LogSink log;
    CCMenuItemLabel* empty = CCMenuItemLabel::create(nullptr, receiver, menu_selector(menukit::Receiver::onItem));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->getContentSize().equals(CCSizeZero));
    empty->setString("x");
    EXPECT_TRUE(log.contains("without a label"));
}

TEST_F(MenuItems, PressedLabelInAMenuReturnsToItsSizeBeforeTheHandlerRuns) {
    struct SizeProbe : CCObject {
        void onItem(CCObject* sender) { scaleSeen = static_cast<CCNode*>(sender)->getScale(); }
        float scaleSeen = -1;
    };
    auto* probe = new SizeProbe();
    CCMenu* menu = addMenu();
    CCMenuItemLabel* item = CCMenuItemLabel::create(CCLabelTTF::create("Go", "Arial", 40), probe,
                                                    static_cast<SEL_MenuHandler>(&SizeProbe::onItem));
    item->setPosition(CCPoint(320, 480));
    menu->addChild(item);
    Finger finger;
    finger.down(320, 480);
    EXPECT_FLOAT_EQ(item->getScale(), CCMenuItemLabel::kZoomFactor);
    finger.up(320, 480);
    EXPECT_FLOAT_EQ(probe->scaleSeen, 1);
    EXPECT_FLOAT_EQ(item->getScale(), 1);
    probe->release();
}

TEST_F(MenuItems, FontItemsUseTheDefaultsSetBeforeTheyAreMade) {
    const unsigned int savedSize = CCMenuItemFont::fontSize();
    const std::string savedName = CCMenuItemFont::fontName();
    EXPECT_EQ(savedSize, 32u);
    EXPECT_EQ(savedName, "Marker Felt");

    CCMenuItemFont* before = CCMenuItemFont::create("Contents", receiver, menu_selector(menukit::Receiver::onItem));
    CCMenuItemFont::setFontSize(45);
    CCMenuItemFont::setFontName("Arial");
    CCMenuItemFont* after = CCMenuItemFont::create("Contents", receiver, menu_selector(menukit::Receiver::onItem));
    auto* beforeLabel = dynamic_cast<CCLabelTTF*>(before->getLabel());
    auto* afterLabel = dynamic_cast<CCLabelTTF*>(after->getLabel());
    ASSERT_NE(beforeLabel, nullptr);
    ASSERT_NE(afterLabel, nullptr);
    EXPECT_FLOAT_EQ(beforeLabel->getFontSize(), 32);
    EXPECT_STREQ(beforeLabel->getFontName(), "Marker Felt");
    EXPECT_FALSE(beforeLabel->getFontFile().empty());
    EXPECT_FLOAT_EQ(afterLabel->getFontSize(), 45);
    EXPECT_STREQ(afterLabel->getFontName(), "Arial");
    EXPECT_GT(after->getContentSize().height, before->getContentSize().height);

    // Bad defaults are refused.
    LogSink log;
    CCMenuItemFont::setFontSize(0);
    CCMenuItemFont::setFontName("");
    CCMenuItemFont::setFontName(nullptr);
    EXPECT_EQ(CCMenuItemFont::fontSize(), 45u);
    EXPECT_STREQ(CCMenuItemFont::fontName(), "Arial");
    EXPECT_GE(log.lines.size(), 3u);

    // Per-item font changes resize the item at once.
    float h = after->getContentSize().height;
    after->setFontSizeObj(90);
    EXPECT_GT(after->getContentSize().height, h * 1.5f);
    EXPECT_FLOAT_EQ(afterLabel->getFontSize(), 90);
    after->setFontNameObj("Thonburi");
    EXPECT_STREQ(afterLabel->getFontName(), "Thonburi");

    CCMenuItemFont::setFontSize(savedSize);
    CCMenuItemFont::setFontName(savedName.c_str());
}

TEST_F(MenuItems, AlignmentStacksItemsAroundTheMenusOrigin) {
    CCMenu* menu = addMenu();
    const float heights[] = {40, 20, 60};
    const float widths[] = {30, 50, 10};
    std::vector<CCMenuItem*> items;
    for (int i = 0; i < 3; ++i) {
        CCMenuItem* item = plainItem(receiver, 7, 7, widths[i], heights[i]);
        menu->addChild(item);
        items.push_back(item);
    }
    const float padding = 8;
    menu->alignItemsVerticallyWithPadding(padding);
    const float total = 40 + 20 + 60 + 2 * padding;
    float top = total / 2;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(items[i]->getPositionX(), 0);
        EXPECT_FLOAT_EQ(items[i]->getPositionY(), top - heights[i] / 2) << i;
        top -= heights[i] + padding;
    }
    // Neighbours are exactly the padding apart.
    EXPECT_FLOAT_EQ(items[0]->rect().getMinY() - items[1]->rect().getMaxY(), padding);

    menu->alignItemsHorizontally();
    const float totalW = 30 + 50 + 10 + 2 * CCMenu::kDefaultPadding;
    float left = -totalW / 2;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(items[i]->getPositionY(), 0);
        EXPECT_FLOAT_EQ(items[i]->getPositionX(), left + widths[i] / 2) << i;
        left += widths[i] + CCMenu::kDefaultPadding;
    }
    CCMenu::create()->alignItemsVertically();  // no items: nothing to do, no crash
}
