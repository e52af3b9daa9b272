// CCLabelAtlas against a character map written by the test: the right cell per character,
// characters outside the map, bad maps and the property-list form.
#include <gtest/gtest.h>

#include "engine/text/CCLabelAtlas.h"
#include "support/TestSupport.h"
#include "TextTestKit.h"

using namespace engine;
using textkit::Canvas;
using textkit::Image;
using textkit::LogCapture;
using textkit::Rgba;

namespace {

const int kCell = 8;
const int kColumns = 4, kRows = 2;

// A distinct opaque colour per cell.
Rgba cellColour(int cell) {
    return Rgba{uint8_t(40 + cell * 25), uint8_t(230 - cell * 20), uint8_t(cell % 2 ? 220 : 60), 255};
}

class LabelAtlas : public testsupport::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        dir = testsupport::makeTempDir();
        Image map(kColumns * kCell, kRows * kCell);
        for (int cell = 0; cell < kColumns * kRows; ++cell)
            map.fill((cell % kColumns) * kCell, (cell / kColumns) * kCell, kCell, kCell, cellColour(cell));
        mapPath = dir + "/digits.png";
        map.savePNG(mapPath);
    }
    void TearDown() override {
        CCTextureCache::purgeSharedTextureCache();
        EngineTest::TearDown();
    }
    // The colour in the middle of character i of a label drawn at (x, y), bottom-left anchored.
    static Rgba cellAt(const Canvas& c, int x, int y, int i) { return c.at(x + i * kCell + kCell / 2, y + kCell / 2); }

    std::string dir, mapPath;
};

}  // namespace

TEST_F(LabelAtlas, EachCharacterShowsItsCell) {
    Canvas canvas(100, 40);
    CCLabelAtlas* label = CCLabelAtlas::create("0257", mapPath.c_str(), kCell, kCell, '0');
    ASSERT_NE(label, nullptr);
    label->setPosition(CCPoint(10, 12));
    EXPECT_TRUE(label->getContentSize().equals(CCSize(4 * kCell, kCell)));
    EXPECT_EQ(label->getQuadsToDraw(), 4u);
    canvas.draw(label);
    const int cells[] = {0, 2, 5, 7};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(textkit::near(cellAt(canvas, 10, 12, i), cellColour(cells[i]), 3)) << "character " << i;
    // Nothing outside the label's box.
    EXPECT_TRUE(canvas.inkIn(0, 0, 9, 39).empty());
    EXPECT_TRUE(canvas.inkIn(10 + 4 * kCell, 0, 99, 39).empty());

    label->setString("71");
    EXPECT_TRUE(label->getContentSize().equals(CCSize(2 * kCell, kCell)));
    canvas.draw(label);
    EXPECT_TRUE(textkit::near(cellAt(canvas, 10, 12, 0), cellColour(7), 3));
    EXPECT_TRUE(textkit::near(cellAt(canvas, 10, 12, 1), cellColour(1), 3));
    EXPECT_TRUE(canvas.inkIn(10 + 2 * kCell, 0, 99, 39).empty());
}

TEST_F(LabelAtlas, ColourTintsTheCells) {
    Canvas canvas(60, 30);
    CCLabelAtlas* label = CCLabelAtlas::create("3", mapPath.c_str(), kCell, kCell, '0');
    label->setPosition(CCPoint(5, 5));
    label->setColor(ccc3(255, 0, 0));
    canvas.draw(label);
    Rgba p = cellAt(canvas, 5, 5, 0);
    EXPECT_NEAR(p.r, cellColour(3).r, 3);
    EXPECT_EQ(p.g, 0);
    EXPECT_EQ(p.b, 0);
}

TEST_F(LabelAtlas, CharactersOutsideTheMapLeaveTheirCellEmptyAndLogOnce) {
    LogCapture log;
    Canvas canvas(100, 40);
    // ':' and 'A' come after the eight cells that start at '0'; '/' comes before them.
    CCLabelAtlas* label = CCLabelAtlas::create("1:/A6", mapPath.c_str(), kCell, kCell, '0');
    label->setPosition(CCPoint(10, 10));
    EXPECT_TRUE(label->getContentSize().equals(CCSize(5 * kCell, kCell)));
    EXPECT_EQ(label->getQuadsToDraw(), 2u);
    canvas.draw(label);
    EXPECT_TRUE(textkit::near(cellAt(canvas, 10, 10, 0), cellColour(1), 3));
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(textkit::near(cellAt(canvas, 10, 10, i), Rgba{0, 0, 0, 255}, 0)) << i;
    EXPECT_TRUE(textkit::near(cellAt(canvas, 10, 10, 4), cellColour(6), 3));
    EXPECT_EQ(log.countContaining("not in the character map"), 1u);
    label->setString("9999");  // still outside: no second line
    EXPECT_EQ(label->getQuadsToDraw(), 0u);
    EXPECT_EQ(log.countContaining("not in the character map"), 1u);

    // A map that starts after every character of the string draws nothing at all.
    CCLabelAtlas* late = CCLabelAtlas::create("0123", mapPath.c_str(), kCell, kCell, 'a');
    EXPECT_EQ(late->getQuadsToDraw(), 0u);
    canvas.draw(late);
    EXPECT_TRUE(canvas.ink().empty());
}

TEST_F(LabelAtlas, BadMapsGiveAnEmptyLabelAndALogLine) {
    LogCapture log;
    Canvas canvas(60, 30);
    CCLabelAtlas* missing = CCLabelAtlas::create("12", (dir + "/none.png").c_str(), kCell, kCell, '0');
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(missing->getContentSize().equals(CCSize(2 * kCell, kCell)));
    EXPECT_EQ(missing->getQuadsToDraw(), 0u);
    EXPECT_TRUE(log.contains("none.png"));
    canvas.draw(missing);
    EXPECT_TRUE(canvas.ink().empty());

    testsupport::writeFile(dir + "/truncated.png", "\x89PNG\r\n\x1a\n\0\0");
    CCLabelAtlas* truncated = CCLabelAtlas::create("12", (dir + "/truncated.png").c_str(), kCell, kCell, '0');
    EXPECT_EQ(truncated->getQuadsToDraw(), 0u);

    CCLabelAtlas* zero = CCLabelAtlas::create("12", mapPath.c_str(), 0, kCell, '0');
    EXPECT_TRUE(zero->getContentSize().equals(CCSizeZero));
    EXPECT_EQ(zero->getQuadsToDraw(), 0u);
    CCLabelAtlas* huge = CCLabelAtlas::create("12", mapPath.c_str(), 4000000000u, kCell, '0');
    EXPECT_EQ(huge->getQuadsToDraw(), 0u);
    EXPECT_GE(log.countContaining("cell size"), 2u);

    // Cells bigger than the map itself.
    CCLabelAtlas* tooBig = CCLabelAtlas::create("0", mapPath.c_str(), 64, 64, '0');
    EXPECT_EQ(tooBig->getQuadsToDraw(), 0u);
    EXPECT_TRUE(log.contains("holds no"));

    CCLabelAtlas* nullText = CCLabelAtlas::create(nullptr, mapPath.c_str(), kCell, kCell, '0');
    EXPECT_STREQ(nullText->getString(), "");
    EXPECT_TRUE(nullText->getContentSize().equals(CCSize(0, kCell)));
}

TEST_F(LabelAtlas, AnUninitialisedLabelCanBeInitialisedLater) {
    Canvas canvas(60, 30);
    auto* label = new CCLabelAtlas();
    label->autorelease();
    canvas.draw(label);
    EXPECT_TRUE(canvas.ink().empty());
    EXPECT_TRUE(label->initWithString("4", mapPath.c_str(), kCell, kCell, '0'));
    label->setPosition(CCPoint(3, 3));
    canvas.draw(label);
    EXPECT_TRUE(textkit::near(cellAt(canvas, 3, 3, 0), cellColour(4), 3));
}

TEST_F(LabelAtlas, PropertyListFormReadsTheSameMap) {
    testsupport::writeFile(dir + "/digits.plist",
                           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<plist version=\"1.0\"><dict>\n"
                           "<key>version</key><integer>1</integer>\n"
                           "<key>textureFilename</key><string>digits.png</string>\n"
                           "<key>itemWidth</key><integer>8</integer>\n"
                           "<key>itemHeight</key><integer>8</integer>\n"
                           "<key>firstChar</key><integer>48</integer>\n"
                           "</dict></plist>\n");
    Canvas canvas(60, 30);
    CCLabelAtlas* label = CCLabelAtlas::create("60", (dir + "/digits.plist").c_str());
    label->setPosition(CCPoint(4, 4));
    EXPECT_EQ(label->getQuadsToDraw(), 2u);
    canvas.draw(label);
    EXPECT_TRUE(textkit::near(cellAt(canvas, 4, 4, 0), cellColour(6), 3));
    EXPECT_TRUE(textkit::near(cellAt(canvas, 4, 4, 1), cellColour(0), 3));

    LogCapture log;
    testsupport::writeFile(dir + "/v2.plist",
                           "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>version</key><integer>2</integer>"
                           "</dict></plist>");
    EXPECT_EQ(CCLabelAtlas::create("6", (dir + "/v2.plist").c_str())->getQuadsToDraw(), 0u);
    EXPECT_EQ(CCLabelAtlas::create("6", (dir + "/nothing.plist").c_str())->getQuadsToDraw(), 0u);
    EXPECT_TRUE(log.contains("version 2"));
    EXPECT_TRUE(log.contains("nothing.plist"));
}
