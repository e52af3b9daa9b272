// UILabel: size following the text, stretching to a box, text settings, and the pressed growth through real touches.
#include "../controls/LeafWidgetKit.h"

using namespace engine;
using namespace leaf;
using ui::UILabel;

namespace {

class Label : public LeafTest {};

TEST_F(Label, ANewLabelHasTheSizeOfItsEmptyTextAndGrowsWithItsText) {
    UILabel* label = UILabel::create();
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->getTypeName(), "Label");
    EXPECT_TRUE(label->getSize().equals(label->getLabelRenderer()->getContentSize()));
    const float emptyWidth = label->getSize().width;
    label->setText("Hello");
    const CCSize hello = label->getSize();
    EXPECT_GT(hello.width, emptyWidth);
    EXPECT_GT(hello.height, 0);
    EXPECT_TRUE(hello.equals(label->getLabelRenderer()->getContentSize()));
    label->setText("Hello, reader");
    EXPECT_GT(label->getSize().width, hello.width);
    EXPECT_STREQ(label->getStringValue(), "Hello, reader");
}

TEST_F(Label, ANullTextIsIgnored) {
    UILabel* label = UILabel::create();
    label->setText("kept");
    label->setText(nullptr);
    EXPECT_STREQ(label->getStringValue(), "kept");
}

TEST_F(Label, IsStretchedToItsBoxWhenNotIgnoringItsSize) {
    UILabel* label = UILabel::create();
    label->setText("Hi");
    label->setAreaSize(CCSize(100, 25));
    ASSERT_TRUE(sizeIs(label->getContentSize(), 100, 25));
    label->setIgnoreSize(false);
    label->setSize(CCSize(200, 50));
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleY(), 2.0f);
    EXPECT_TRUE(sizeIs(label->getSize(), 200, 50));
    // A text change keeps the widget's size and restretches.
    label->setAreaSize(CCSize(50, 25));
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 4.0f);
    EXPECT_TRUE(sizeIs(label->getSize(), 200, 50));
}

TEST_F(Label, AnEmptyTextInAFixedBoxStaysAtScaleOne) {
    UILabel* label = UILabel::create();
    label->setIgnoreSize(false);
    label->setSize(CCSize(200, 50));
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 1.0f);
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleY(), 1.0f);
}

TEST_F(Label, PassesFontAndAlignmentsToTheTextNode) {
    UILabel* label = UILabel::create();
    label->setText("abc");
    const float small = label->getSize().height;
    label->setFontSize(40);
    EXPECT_FLOAT_EQ(label->getFontSize(), 40.0f);
    EXPECT_GT(label->getSize().height, small);
    label->setFontName("Arial");
    EXPECT_STREQ(label->getFontName(), "Arial");
    label->setHAlignment(kCCTextAlignmentRight);
    label->setVAlignment(kCCVerticalTextAlignmentBottom);
    EXPECT_EQ(label->getLabelRenderer()->getHorizontalAlignment(), kCCTextAlignmentRight);
    EXPECT_EQ(label->getLabelRenderer()->getVerticalAlignment(), kCCVerticalTextAlignmentBottom);
    // Refused sizes leave the font as it was.
    label->setFontSize(0);
    label->setFontSize(-3);
    label->setFontName(nullptr);
    EXPECT_FLOAT_EQ(label->getFontSize(), 40.0f);
    EXPECT_STREQ(label->getFontName(), "Arial");
}

TEST_F(Label, PressedLabelGrowsByHalfFromItsNormalScaleAndShrinksBackOnRelease) {
    UILabel* label = UILabel::create();
    label->setText("Touch me");
    label->setFontSize(30);
    label->setTouchEnabled(true);
    label->setScale(2.0f);
    label->setTouchScaleEnable(true);
    EXPECT_FLOAT_EQ(label->getNormalScale(), 2.0f);
    stage(label, 200, 150);
    host->touchDown(200, 150);
    EXPECT_FLOAT_EQ(label->getScale(), 2.5f);
    // Off the label: the normal look, and back on it: pressed again.
    host->touchMove(390, 290);
    EXPECT_FLOAT_EQ(label->getScale(), 2.0f);
    host->touchMove(200, 150);
    EXPECT_FLOAT_EQ(label->getScale(), 2.5f);
    host->touchUp(200, 150);
    EXPECT_FLOAT_EQ(label->getScale(), 2.0f);
    // The text node itself keeps scale 1: the whole widget grows.
    EXPECT_FLOAT_EQ(label->getRendererNode()->getScaleX(), 1.0f);
}

TEST_F(Label, WithoutTouchScaleAPressChangesNothing) {
    UILabel* label = UILabel::create();
    label->setText("Still");
    label->setFontSize(30);
    label->setTouchEnabled(true);
    stage(label, 200, 150);
    host->touchDown(200, 150);
    EXPECT_FLOAT_EQ(label->getScale(), 1.0f);
    host->touchUp(200, 150);
    EXPECT_FLOAT_EQ(label->getScale(), 1.0f);
}

TEST_F(Label, DrawsItsTextInItsColourAroundItsPosition) {
    UILabel* label = UILabel::create();
    label->setFontSize(40);
    label->setText("MMMM");
    label->setColor(ccc3(0, 255, 0));
    stage(label, 200, 150);
    const CCSize s = label->getSize();
    int green = 0, other = 0;
    for (int x = int(200 - s.width / 2); x < int(200 + s.width / 2); ++x) {
        ccColor4B c = px(float(x), 150);
        if (c.g > 128 && c.r < 60 && c.b < 60) ++green;
        if (c.r > 60 || c.b > 60) ++other;
    }
    EXPECT_GT(green, 8);
    EXPECT_EQ(other, 0);
    EXPECT_TRUE(near(px(200 + s.width / 2 + 5, 150), kBlack));
}

TEST_F(Label, AnchorAndFlipsReachTheTextNode) {
    UILabel* label = UILabel::create();
    label->setAnchorPoint(CCPoint(0, 1));
    EXPECT_TRUE(label->getRendererNode()->getAnchorPoint().equals(CCPoint(0, 1)));
    label->setFlipX(true);
    label->setFlipY(true);
    EXPECT_TRUE(label->isFlipX());
    EXPECT_TRUE(label->isFlipY());
    EXPECT_TRUE(label->getLabelRenderer()->isFlipX());
}

}  // namespace
