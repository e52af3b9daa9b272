// Every layout file of the generated sample book reads into the tree its page expects.
#include "LayoutTestKit.h"

#include <fstream>
#include <sstream>

using namespace engine;
using namespace ui;
using namespace layouttest;

namespace {

const std::string kBook = QUIREL_BINARY_DIR "/book";
const std::string kSource = QUIREL_SOURCE_DIR "/book/book.json";

class SampleBook : public LayoutTest {
protected:
    void SetUp() override {
        LayoutTest::SetUp();
        if (!std::filesystem::exists(kBook + "/tomeset/tomeset_1.json"))
            GTEST_SKIP() << "the sample book is not generated (build the sample_book target): " << kBook;
        CCFileUtils::sharedFileUtils()->setResourceRoot(kBook);
        std::ifstream in(kSource);
        ASSERT_TRUE(in) << kSource;
        Json::CharReaderBuilder builder;
        std::string errors;
        ASSERT_TRUE(Json::parseFromStream(builder, in, &source, &errors)) << errors;
    }

    // The page's root, read as the reader of the book reads it; nothing may be printed.
    UIWidget* readPage(int page) {
        UIWidget* root = nullptr;
        const std::string name = "tomeset/tomeset_" + std::to_string(page) + ".json";
        EXPECT_EQ(stdoutOf([&] { root = read(name); }), "") << name;
        return root;
    }

    Json::Value source;
};

std::string sentenceButtonName(int page, int sentence) {
    return (page < 10 ? "bn0" : "bn") + std::to_string(page) + std::to_string(sentence);
}

}  // namespace

TEST_F(SampleBook, EveryPageReadsIntoThePageItsSourceDescribes) {
    const Json::Value& pages = source["pages"];
    ASSERT_EQ(pages.size(), 90u);
    for (const Json::Value& p : pages) {
        const int page = p["page"].asInt();
        SCOPED_TRACE("page " + std::to_string(page));
        UIWidget* root = readPage(page);
        ASSERT_NE(root, nullptr);

        // A 640 x 960 panel named after the page, in the dialect the source asked for.
        EXPECT_STREQ(root->getTypeName(), "Layout");
        EXPECT_STREQ(root->getName(), ("page" + std::to_string(page)).c_str());
        EXPECT_EQ(root->getSize(), CCSize(640, 960));
        EXPECT_EQ(root->getAnchorPoint(), CCPoint(0, 0));
        const std::string format = p.get("format", "current").asString();
        EXPECT_EQ(reader()->isLegacy(), format != "current");
        EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignWidth(), 640);
        EXPECT_FLOAT_EQ(GUIHelper::sharedHelper()->getFileDesignHeight(), 960);

        // The page picture, centred, with its image loaded from the book.
        auto* picture = dynamic_cast<UIImageView*>(named(root, "picture"));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->getWidgetParent(), root);
        EXPECT_EQ(picture->getPosition(), CCPoint(320, 480));
        EXPECT_EQ(picture->getTextureType(), TEX_RES_LOCAL_FILE);
        EXPECT_GT(picture->getImageTextureSize().width, 0);

        // One touchable button per sentence (some pages have none), children of the picture, in order.
        const unsigned int sentences = p["sentences"].size();
        EXPECT_EQ(picture->getChildren()->count(), sentences);
        for (unsigned int n = 1; n <= sentences; ++n) {
            const std::string name = sentenceButtonName(page, int(n));
            auto* button = dynamic_cast<UIButton*>(named(root, name.c_str()));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_EQ(button->getWidgetParent(), picture) << name;
            EXPECT_EQ(childAt(picture, n - 1), button) << name;
            EXPECT_TRUE(button->isTouchEnabled()) << name;
            EXPECT_EQ(button->getTag(), int(100 + n)) << name;
            EXPECT_GT(button->getNormalTextureSize().width, 0) << name;
            EXPECT_GT(button->getPressedTextureSize().width, 0) << name;
        }

        auto* number = dynamic_cast<UILabel*>(named(root, "page_number"));
        ASSERT_NE(number, nullptr);
        EXPECT_STREQ(number->getStringValue(), std::to_string(page).c_str());

        UIWidget* sticker = named(root, "sticker");
        EXPECT_EQ(sticker != nullptr, p.isMember("sticker"));
        if (sticker) {
            auto* image = dynamic_cast<UIImageView*>(sticker);
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->getTextureType(), TEX_RES_SPRITE_FRAME);
            EXPECT_GT(image->getImageTextureSize().width, 0);
            EXPECT_TRUE(GUIHelper::sharedHelper()->isSpriteSheetLoaded((kBook + "/tomeset/sheet/deco.plist").c_str()));
        }

        auto* badge = dynamic_cast<UIButton*>(named(root, "badge"));
        EXPECT_EQ(badge != nullptr, p.isMember("badge"));
        if (badge) {
            EXPECT_EQ(badge->getTitleText(), p["badge"].asString());
        }

        // The animation named in the source, looping, bound to the decoration it moves.
        CCArray* animations = ActionManager::sharedManager()->getAnimations(("tomeset_" + std::to_string(page) + ".json").c_str());
        ASSERT_NE(animations, nullptr);
        EXPECT_EQ(animations->count(), p.isMember("animate") ? 1u : 0u);
        if (p.isMember("animate") && animations->count() == 1) {
            auto* a = static_cast<ActionObject*>(animations->objectAtIndex(0));
            EXPECT_EQ(a->getName(), p["animate"].asString());
            EXPECT_TRUE(a->getLoop());
            ASSERT_EQ(a->getActionNodeList()->count(), 1u);
            auto* node = static_cast<ActionNode*>(a->getActionNodeList()->objectAtIndex(0));
            // A glowing badge, else the sticker, else the page number.
            UIWidget* expected = number;
            if (badge && p["animate"].asString() == "glow")
                expected = badge;
            else if (sticker)
                expected = sticker;
            EXPECT_EQ(node->getTargetWidget(), expected);
            EXPECT_NE(node->getBuiltAction(), nullptr);
        }
    }
    // The sticker sheet is loaded once for all the pages that use it.
    EXPECT_EQ(GUIHelper::sharedHelper()->getLoadedSpriteFrameFiles()->count(), 1u);
}

TEST_F(SampleBook, TheSettingsLayoutHasItsSixNamedButtons) {
    UIWidget* root = nullptr;
    EXPECT_EQ(stdoutOf([&] { root = read("3age/pageset.json"); }), "");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->getSize(), CCSize(640, 960));
    for (const Json::Value& b : source["settings"]["buttons"]) {
        auto* button = dynamic_cast<UIButton*>(named(root, b["name"].asCString()));
        ASSERT_NE(button, nullptr) << b["name"].asString();
        EXPECT_EQ(button->getTitleText(), b["title"].asString());
        EXPECT_TRUE(button->isTouchEnabled());
        EXPECT_TRUE(button->isScale9Enabled());
    }
}
