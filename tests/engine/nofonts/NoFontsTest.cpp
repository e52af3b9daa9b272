// Text on a machine without a single font: fontconfig is pointed at an empty configuration
// before anything starts it, so every font name resolves to nothing.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/engine.h"
#include "support/TestSupport.h"

using namespace engine;

namespace {

std::string& configDir() {
    static std::string dir = "/tmp/quirel-nofonts-" + std::to_string(getpid());
    return dir;
}

// Runs before main: fontconfig reads its configuration once, on first use.
const bool kNoFonts = [] {
    const std::string& dir = configDir();
    std::filesystem::create_directories(dir + "/fonts");
    std::ofstream(dir + "/fonts.conf") << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << dir << "/fonts</dir><cachedir>"
                                       << dir << "/cache</cachedir></fontconfig>\n";
    setenv("FONTCONFIG_FILE", (dir + "/fonts.conf").c_str(), 1);
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(configDir(), ec);
    });
    return true;
}();

class NoFonts : public testsupport::EngineTest {};

}  // namespace

TEST_F(NoFonts, LabelsKeepRoomForTheirTextButDrawNothing) {
    ASSERT_TRUE(kNoFonts);
    CCLabelTTF* one = CCLabelTTF::create("Unit 3", "Arial", 60);
    ASSERT_NE(one, nullptr);
    EXPECT_TRUE(one->getFontFile().empty());
    // About half an em a character and 1.2 em a line: big enough to touch, nothing drawn.
    EXPECT_FLOAT_EQ(one->getContentSize().width, 6 * 30);
    EXPECT_FLOAT_EQ(one->getContentSize().height, 72);
    EXPECT_EQ(one->getTexture(), nullptr);

    // Characters, not bytes; lines by their line ends; a fixed box wins.
    CCLabelTTF* two = CCLabelTTF::create("é\nlonger", "Helvetica", 20);
    EXPECT_FLOAT_EQ(two->getContentSize().width, 6 * 10);
    EXPECT_FLOAT_EQ(two->getContentSize().height, 2 * 24);
    two->setDimensions(CCSize(100, 30));
    EXPECT_FLOAT_EQ(two->getContentSize().width, 100);
    EXPECT_FLOAT_EQ(two->getContentSize().height, 30);
    two->setString("");
    two->setDimensions(CCSize(0, 0));
    EXPECT_FLOAT_EQ(two->getContentSize().width, 0);
}

TEST_F(NoFonts, AMenuOfLabelsStillTakesTouchesOnTheRightEntry) {
    CCScene* scene = CCScene::create();
    CCMenu* menu = CCMenu::create();
    std::vector<CCMenuItemLabel*> items;
    for (int i = 0; i < 3; ++i) {
        CCMenuItemLabel* item = CCMenuItemLabel::create(CCLabelTTF::create(("Unit " + std::to_string(i + 1)).c_str(), "Arial", 60));
        item->setPosition(ccp(0, -100.0f * i));
        menu->addChild(item);
        items.push_back(item);
    }
    scene->addChild(menu);
    menu->setPosition(ccp(320, 860));
    // The third entry's box holds the point the entry sits on, the others do not.
    const CCPoint third = menu->convertToWorldSpace(items[2]->getPosition());
    for (int i = 0; i < 3; ++i) {
        CCRect box = items[size_t(i)]->rect();
        EXPECT_EQ(box.containsPoint(menu->convertToNodeSpace(third)), i == 2) << "entry " << i;
    }
}
