// CCLabelTTF drawn through the software renderer: wrapping, box, alignments, colour, and the
// setters' effect on the content size.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/text/CCLabelTTF.h"
#include "support/TestSupport.h"
#include "TextTestKit.h"

using namespace engine;
using textkit::Box;
using textkit::Canvas;
using textkit::LogCapture;
using textkit::Rgba;

namespace {

const char* const kLongText =
    "Touch the picture and listen. The little bear goes to school with his sister and they sing a song together";

class LabelTTF : public testsupport::EngineTest {};

// A label placed with its bottom-left corner at (x, y).
CCLabelTTF* placed(CCLabelTTF* label, float x, float y) {
    label->setAnchorPoint(CCPoint(0, 0));
    label->setPosition(CCPoint(x, y));
    return label;
}

}  // namespace

TEST_F(LabelTTF, WrappedLabelKeepsEveryLineWithinItsWidth) {
    Canvas canvas(480, 400);
    ASSERT_TRUE(canvas.valid());
    CCLabelTTF* label = CCLabelTTF::create(kLongText, "Arial", 22, CCSize(160, 0), kCCTextAlignmentCenter);
    ASSERT_NE(label, nullptr);
    placed(label, 100, 40);

    EXPECT_FLOAT_EQ(label->getContentSize().width, 160);
    ASSERT_GE(label->getLines().size(), 4u);
    EXPECT_FLOAT_EQ(label->getContentSize().height, label->getLineHeight() * float(label->getLines().size()));

    canvas.draw(label);
    Box ink = canvas.ink();
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.minX, 100);
    EXPECT_LE(ink.maxX, 259);
    EXPECT_GE(ink.minY, 40);
    EXPECT_LE(float(ink.maxY), 40 + label->getContentSize().height);
    // Ink in every line's slot of the box, one slot per laid-out line.
    const int lineHeight = int(label->getLineHeight());
    const int top = 40 + int(label->getContentSize().height) - 1;
    for (int i = 0; i < int(label->getLines().size()); ++i)
        EXPECT_GT(canvas.inkIn(0, top - (i + 1) * lineHeight + 1, 479, top - i * lineHeight).count, 20) << "line " << i;
    // The text really needs wrapping: on one line the same text runs far past 160 points.
    CCLabelTTF* oneLine = placed(CCLabelTTF::create(kLongText, "Arial", 22), 0, 40);
    EXPECT_EQ(oneLine->getLines().size(), 1u);
    EXPECT_GT(oneLine->getContentSize().width, 3 * 160);
}

TEST_F(LabelTTF, WordLongerThanTheWidthBreaksBetweenCharacters) {
    Canvas canvas(300, 300);
    CCLabelTTF* label =
        placed(CCLabelTTF::create("Supercalifragilisticexpialidocious", "Arial", 24, CCSize(80, 0), kCCTextAlignmentLeft),
               50, 20);
    EXPECT_GE(label->getLines().size(), 3u);
    std::string joined;
    for (const auto& line : label->getLines()) joined += line;
    EXPECT_EQ(joined, "Supercalifragilisticexpialidocious");
    canvas.draw(label);
    Box ink = canvas.ink();
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.minX, 50);
    EXPECT_LE(ink.maxX, 129);
}

TEST_F(LabelTTF, HorizontalAlignmentMovesTheInkInsideTheBox) {
    Canvas canvas(400, 100);
    auto inkFor = [&](CCTextAlignment a) {
        CCLabelTTF* label = placed(CCLabelTTF::create("Hop", "Arial", 30, CCSize(300, 0), a), 50, 30);
        canvas.draw(label);
        return canvas.ink();
    };
    Box left = inkFor(kCCTextAlignmentLeft);
    Box center = inkFor(kCCTextAlignmentCenter);
    Box right = inkFor(kCCTextAlignmentRight);
    ASSERT_FALSE(left.empty());
    ASSERT_FALSE(center.empty());
    ASSERT_FALSE(right.empty());
    // Same glyphs, shifted.
    EXPECT_NEAR(left.width(), center.width(), 1);
    EXPECT_NEAR(left.width(), right.width(), 1);
    EXPECT_LE(left.minX, 50 + 4);
    EXPECT_NEAR(center.centerX(), 200, 4);
    EXPECT_GE(right.maxX, 350 - 5);
    EXPECT_LE(right.maxX, 349);
    EXPECT_LT(left.centerX(), center.centerX());
    EXPECT_LT(center.centerX(), right.centerX());
}

TEST_F(LabelTTF, AlignmentSetterChangesTheDrawingButNotTheBox) {
    Canvas canvas(400, 100);
    CCLabelTTF* label = placed(CCLabelTTF::create("Hop", "Arial", 30, CCSize(300, 0), kCCTextAlignmentLeft), 50, 30);
    canvas.draw(label);
    Box before = canvas.ink();
    CCSize sizeBefore = label->getContentSize();
    label->setHorizontalAlignment(kCCTextAlignmentRight);
    EXPECT_EQ(label->getHorizontalAlignment(), kCCTextAlignmentRight);
    EXPECT_TRUE(label->getContentSize().equals(sizeBefore));
    canvas.draw(label);
    Box after = canvas.ink();
    EXPECT_GT(after.minX, before.minX + 150);
}

TEST_F(LabelTTF, VerticalAlignmentPlacesTheTextInAFixedBox) {
    Canvas canvas(300, 300);
    auto inkFor = [&](CCVerticalTextAlignment v) {
        CCLabelTTF* label =
            placed(CCLabelTTF::create("Up", "Arial", 24, CCSize(200, 200), kCCTextAlignmentCenter, v), 50, 50);
        EXPECT_TRUE(label->getContentSize().equals(CCSize(200, 200)));
        canvas.draw(label);
        return canvas.ink();
    };
    Box top = inkFor(kCCVerticalTextAlignmentTop);
    Box middle = inkFor(kCCVerticalTextAlignmentCenter);
    Box bottom = inkFor(kCCVerticalTextAlignmentBottom);
    ASSERT_FALSE(top.empty());
    EXPECT_GE(top.maxY, 250 - 12);
    EXPECT_LE(top.maxY, 249);
    EXPECT_NEAR(middle.centerY(), 150, 8);
    EXPECT_LE(bottom.minY, 50 + 12);
    EXPECT_GE(bottom.minY, 50);
    EXPECT_GT(top.minY, middle.minY);
    EXPECT_GT(middle.minY, bottom.minY);
}

TEST_F(LabelTTF, TextThatOverflowsAFixedBoxIsCut) {
    Canvas canvas(300, 300);
    CCLabelTTF* label = placed(
        CCLabelTTF::create("one\ntwo\nthree\nfour\nfive\nsix", "Arial", 24, CCSize(120, 40), kCCTextAlignmentLeft), 60,
        100);
    EXPECT_EQ(label->getLines().size(), 6u);
    EXPECT_TRUE(label->getContentSize().equals(CCSize(120, 40)));
    canvas.draw(label);
    Box ink = canvas.ink();
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.minY, 100);
    EXPECT_LE(ink.maxY, 139);
    EXPECT_GE(ink.minX, 60);
    EXPECT_LE(ink.maxX, 179);
}

TEST_F(LabelTTF, ColourTintsTheInkAndOpacityFadesIt) {
    Canvas canvas(200, 80);
    CCLabelTTF* label = placed(CCLabelTTF::create("Moon", "Arial", 40), 10, 10);
    canvas.draw(label);
    Box white = canvas.ink([](const Rgba& p) { return p.r > 200 && p.g > 200 && p.b > 200; });
    ASSERT_GT(white.count, 50);

    label->setColor(ccc3(0, 0, 255));
    canvas.draw(label);
    Box blue = canvas.ink([](const Rgba& p) { return p.b > 200 && p.r < 30 && p.g < 30; });
    Box notBlue = canvas.ink([](const Rgba& p) { return p.r > 40 || p.g > 40; });
    EXPECT_GT(blue.count, 50);
    EXPECT_TRUE(notBlue.empty());

    label->setOpacity(0);
    canvas.draw(label);
    EXPECT_TRUE(canvas.ink().empty());
}

TEST_F(LabelTTF, ContentSizeIsRightRightAfterEverySetter) {
    CCLabelTTF* label = CCLabelTTF::create("Sun", "Arial", 20);
    CCSize small = label->getContentSize();
    ASSERT_GT(small.width, 0);
    ASSERT_GT(small.height, 0);

    label->setString("Sun and rain");
    EXPECT_GT(label->getContentSize().width, small.width);
    EXPECT_FLOAT_EQ(label->getContentSize().height, small.height);
    EXPECT_STREQ(label->getString(), "Sun and rain");

    label->setFontSize(40);
    EXPECT_FLOAT_EQ(label->getFontSize(), 40);
    EXPECT_GT(label->getContentSize().height, small.height * 1.6f);

    label->setDimensions(CCSize(90, 0));
    EXPECT_FLOAT_EQ(label->getContentSize().width, 90);
    EXPECT_GT(label->getLines().size(), 1u);

    label->setDimensions(CCSize(90, 33));
    EXPECT_TRUE(label->getContentSize().equals(CCSize(90, 33)));

    label->setDimensions(CCSizeZero);
    label->setString("a\nb\nc");
    EXPECT_EQ(label->getLines().size(), 3u);
    EXPECT_FLOAT_EQ(label->getContentSize().height, 3 * label->getLineHeight());
}

TEST_F(LabelTTF, EmptyTextHasNoHeightAndDrawsNothing) {
    Canvas canvas(100, 100);
    CCLabelTTF* label = placed(CCLabelTTF::create("", "Arial", 20), 10, 10);
    EXPECT_TRUE(label->getContentSize().equals(CCSizeZero));
    canvas.draw(label);
    EXPECT_TRUE(canvas.ink().empty());

    label->setDimensions(CCSize(160, 0));
    EXPECT_TRUE(label->getContentSize().equals(CCSize(160, 0)));

    label->setString("x");
    EXPECT_GT(label->getContentSize().height, 0);
    label->setString("");
    EXPECT_FLOAT_EQ(label->getContentSize().height, 0);
    canvas.draw(label);
    EXPECT_TRUE(canvas.ink().empty());

    CCLabelTTF* plain = CCLabelTTF::create();
    ASSERT_NE(plain, nullptr);
    EXPECT_STREQ(plain->getString(), "");
    EXPECT_TRUE(plain->getContentSize().equals(CCSizeZero));
}

TEST_F(LabelTTF, BadArgumentsAreRefusedWithALogLine) {
    LogCapture log;
    CCLabelTTF* label = CCLabelTTF::create("Kite", "Arial", 20);
    CCSize size = label->getContentSize();

    label->setFontSize(std::nanf(""));
    label->setFontSize(-3);
    label->setFontSize(0);
    label->setFontSize(1e9f);
    EXPECT_FLOAT_EQ(label->getFontSize(), 20);
    EXPECT_GE(log.countContaining("font size"), 4u);

    label->setDimensions(CCSize(-1, 0));
    label->setDimensions(CCSize(std::nanf(""), 10));
    label->setDimensions(CCSize(1e12f, 10));
    EXPECT_TRUE(label->getDimensions().equals(CCSizeZero));
    EXPECT_GE(log.countContaining("dimensions"), 3u);

    label->setHorizontalAlignment(static_cast<CCTextAlignment>(7));
    label->setVerticalAlignment(static_cast<CCVerticalTextAlignment>(-1));
    EXPECT_EQ(label->getHorizontalAlignment(), kCCTextAlignmentLeft);
    EXPECT_EQ(label->getVerticalAlignment(), kCCVerticalTextAlignmentTop);
    EXPECT_TRUE(label->getContentSize().equals(size));

    label->setString(nullptr);
    EXPECT_STREQ(label->getString(), "");
    EXPECT_TRUE(log.contains("null"));

    CCLabelTTF* bad = CCLabelTTF::create(nullptr, nullptr, -5, CCSize(-2, -2), static_cast<CCTextAlignment>(9));
    ASSERT_NE(bad, nullptr);
    EXPECT_FLOAT_EQ(bad->getFontSize(), 12);
    EXPECT_EQ(bad->getHorizontalAlignment(), kCCTextAlignmentLeft);
}

TEST_F(LabelTTF, InvalidUtf8IsDroppedFromTheText) {
    LogCapture log;
    CCLabelTTF* label = CCLabelTTF::create("ab\xC3""c\xFF" "d", "Arial", 20);
    EXPECT_STREQ(label->getString(), "abcd");
    EXPECT_TRUE(log.contains("invalid UTF-8"));
    label->setString("caf\xC3\xA9");
    EXPECT_STREQ(label->getString(), "caf\xC3\xA9");
}

TEST_F(LabelTTF, UnknownFontNameFallsBackAndStillDraws) {
    LogCapture log;
    Canvas canvas(200, 80);
    CCLabelTTF* label = placed(CCLabelTTF::create("Rain", "No Such Font Family 9000", 30), 10, 10);
    EXPECT_FALSE(label->getFontFile().empty());
    EXPECT_STREQ(label->getFontName(), "No Such Font Family 9000");
    EXPECT_TRUE(log.contains("No Such Font Family 9000"));
    canvas.draw(label);
    EXPECT_GT(canvas.ink().count, 30);

    // The same fallback for a font file path that does not exist.
    CCLabelTTF* byPath = placed(CCLabelTTF::create("Rain", "fonts/Missing Font.ttf", 30), 10, 10);
    EXPECT_FALSE(byPath->getFontFile().empty());
    EXPECT_TRUE(log.contains("fonts/Missing Font.ttf"));
    canvas.draw(byPath);
    EXPECT_GT(canvas.ink().count, 30);
}

TEST_F(LabelTTF, SettingTheSameValueKeepsTheTexture) {
    Canvas canvas(200, 80);
    CCLabelTTF* label = placed(CCLabelTTF::create("Tree", "Arial", 30), 10, 10);
    canvas.draw(label);
    CCTexture2D* first = label->getTexture();
    ASSERT_NE(first, nullptr);
    first->retain();  // so a new texture cannot reuse its address
    label->setString("Tree");
    label->setFontSize(30);
    label->setFontName("Arial");
    label->setDimensions(CCSizeZero);
    label->setHorizontalAlignment(kCCTextAlignmentLeft);
    canvas.draw(label);
    EXPECT_EQ(label->getTexture(), first);
    label->setString("Trees");
    canvas.draw(label);
    EXPECT_NE(label->getTexture(), first);
    first->release();
}
